#include "device/HeadAmplitude.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kAmplitudeFullScale = 505.0;
} // namespace

std::optional<double> headAmplitude(double magnitude, double oa, double ob) {
    const double divisor = kAmplitudeFullScale - std::max(std::fabs(oa), std::fabs(ob));
    // From an offset of 505 on the formula has no meaning.
    if (!(divisor > 0.0))
        return std::nullopt;
    const double value = magnitude * kAmplitudeFullScale / divisor;
    if (!std::isfinite(value) || value < 0.0)
        return std::nullopt;
    return value;
}
