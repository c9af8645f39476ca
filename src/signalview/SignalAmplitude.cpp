#include "signalview/SignalAmplitude.h"

#include "device/HeadAmplitude.h"

#include <cmath>

std::optional<double> channelPercentFactor(double oa, double ob) {
    // The rule is linear in the magnitude: its value for one channel unit.
    return headAmplitude(1.0 / kChannelPercentScale, oa, ob);
}

std::optional<SignalPoint> signalPoint(double a, double b, double oa, double ob) {
    const std::optional<double> factor = channelPercentFactor(oa, ob);
    if (!factor || !std::isfinite(a) || !std::isfinite(b)) {
        return std::nullopt;
    }
    return SignalPoint{a * *factor, b * *factor};
}

double signalRadius(SignalPoint p) {
    return std::hypot(p.x, p.y);
}
