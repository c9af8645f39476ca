#include "signalview/SignalAmplitude.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kAmplitudeFullScale = 505.0;
constexpr double kChannelScale = 5.12;
} // namespace

std::optional<double> channelPercentFactor(double oa, double ob) {
    const double divisor = kAmplitudeFullScale - std::max(std::fabs(oa), std::fabs(ob));
    if (!(divisor > 0.0)) {
        return std::nullopt;
    }
    const double factor = kAmplitudeFullScale / divisor / kChannelScale;
    if (!std::isfinite(factor)) {
        return std::nullopt;
    }
    return factor;
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
