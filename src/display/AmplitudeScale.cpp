#include "display/AmplitudeScale.h"

double AmplitudeScale(double amplitude) {
    // Fifth-degree fit of the original meter scale.
    constexpr double c0 = 0.10187203366092;
    constexpr double c1 = -0.245399153170076;
    constexpr double c2 = 0.033703683923662;
    constexpr double c3 = -0.000370861145238;
    constexpr double c4 = 1.580467588e-06;
    constexpr double c5 = -2.379966e-09;

    double a = amplitude;
    if (!(a >= 0.0)) // also a NaN amplitude, which draws as 0
        a = 0.0;
    if (a > 200.0)
        a = 200.0;
    const double h = c0 + a * (c1 + a * (c2 + a * (c3 + a * (c4 + a * c5))));
    return h < 0.0 ? 0.0 : h;
}

const AmplitudeBands& amplitudeBands() {
    static const AmplitudeBands bands{AmplitudeScale(30.0), AmplitudeScale(50.0),
                                      AmplitudeScale(85.0), AmplitudeScale(95.0)};
    return bands;
}

BarBand amplitudeBand(double level) {
    const AmplitudeBands& b = amplitudeBands();
    if (level < b.h30)
        return BarBand::LightRed;
    if (level < b.h50)
        return BarBand::LightYellow;
    if (level < b.h85)
        return BarBand::LightGreen;
    if (level < b.h95)
        return BarBand::LightYellow;
    return BarBand::LightRed;
}
