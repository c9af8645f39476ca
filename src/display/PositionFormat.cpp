#include "display/PositionFormat.h"

#include "config/ShaftGeometry.h"
#include "display/TextFormat.h"

#include <algorithm>
#include <cmath>

namespace {

// Degrees, minutes and seconds of an angle, with the seconds carried into the
// minutes and the minutes into the degrees as the field shows them.
std::string formatDegreesMinutesSeconds(double a, bool tenths) {
    const double wholeDegrees = std::trunc(a);
    const double f1 = a - wholeDegrees;
    const double m = f1 * 60.0;
    int minutes = static_cast<int>(std::trunc(m));
    double seconds = (m - minutes) * 60.0;
    // fmod keeps the conversion to int defined for any angle.
    int degrees = static_cast<int>(std::fmod(wholeDegrees, 360.0));

    const double carryLimit = tenths ? 59.95 : 59.5;
    if (seconds >= carryLimit) {
        minutes += 1;
        seconds = 0.0;
    }
    if (minutes >= 60) {
        minutes = 0;
        degrees += 1;
    }
    if (degrees == 360) {
        degrees = 0;
    }

    std::string secondsText;
    if (tenths) {
        secondsText =
            seconds < 9.95 ? formatText("0%1.1lf\"", seconds) : formatText("%2.1lf\"", seconds);
    } else {
        secondsText =
            seconds < 9.5 ? formatText("0%1.0lf\"", seconds) : formatText("%2.0lf\"", seconds);
    }
    const std::string minutesText =
        minutes < 9.95 ? formatText("0%1i", minutes) : formatText("%2i", minutes);
    return formatText("%3i\xC2\xB0 %s' %s", degrees, minutesText.c_str(), secondsText.c_str());
}

} // namespace

int32_t usablePulseRate(int32_t pulseRate) {
    return shaft::usablePulseRate(pulseRate);
}

int64_t countsPerRevolution(int32_t pulseRate) {
    return shaft::countsPerRevolution(pulseRate);
}

std::string formatPosition(double p, int displayFormat, int32_t pulseRate) {
    if (!std::isfinite(p)) {
        p = 0.0;
    }
    const double n = static_cast<double>(countsPerRevolution(pulseRate));
    const double a = p * 360.0 / n;
    switch (displayFormat) {
    case 1:
        return formatDegreesMinutesSeconds(a, false);
    case 2:
        return formatDegreesMinutesSeconds(a, true);
    case 3:
        return formatText("%4.1lf \xC2\xB5 ", p / 10.0);
    default:
        // Just below a full turn the four decimals would round to 360.
        return formatText("%3.4lf\xC2\xB0 ", a >= 359.99995 ? 0.0 : a);
    }
}

std::string formatSpeed(double speed, int displayFormat, int32_t pulseRate,
                        bool directionReversed) {
    // Four decimals, truncated. A speed that is not a number or infinite is no
    // estimate at all; one too large to scale has no decimals left to cut.
    double value = 0.0;
    if (std::isfinite(speed)) {
        const double scaled = speed * 10000.0;
        value = std::isfinite(scaled) ? std::trunc(scaled) / 10000.0 : speed;
    }
    if (directionReversed) {
        value = -value;
    }
    if (value == 0.0) {
        value = 0.0; // no "-0.00" for a shaft at rest with reversed direction
    }
    if (displayFormat == 3) {
        const double v = value / 10.0;
        if (std::fabs(v) < 0.1) {
            return formatText("%0.3lf m/s ", v);
        }
        if (std::fabs(v) < 1.0) {
            return formatText("%1.2lf m/s ", v);
        }
        return formatText("%2.1lf m/s ", v);
    }
    const double v = value * 6.0 * 2000.0 / usablePulseRate(pulseRate);
    if (std::fabs(v) < 1.0) {
        return formatText("%1.2lf rpm ", v);
    }
    if (std::fabs(v) < 10.0) {
        return formatText("%2.1lf rpm ", v);
    }
    return formatText("%3.0lf rpm ", v);
}

std::string formatSpeedLimit(double limit, int displayFormat, int32_t pulseRate) {
    if (displayFormat == 3) {
        return formatText("> %.1lf m/s ", std::floor(limit + 1e-9) / 10.0);
    }
    const double rpm = limit * 6.0 * 2000.0 / usablePulseRate(pulseRate);
    return formatText("> %.0lf rpm ", std::floor(rpm / 10.0) * 10.0);
}

bool positionDimmed(std::string_view boxTypeText, std::string_view markerText) {
    return boxTypeText.find("1Ref") != std::string_view::npos &&
           (markerText.empty() || markerText.find(" Ref ") != std::string_view::npos);
}

std::string markerText(PositionMarker marker, int32_t turnCount, bool refBlink) {
    switch (marker) {
    case PositionMarker::Absolute:
        return " Abs ";
    case PositionMarker::Turns:
        return formatText("%i T ", turnCount);
    case PositionMarker::Reference:
        return refBlink ? " Ref " : "";
    case PositionMarker::None:
        break;
    }
    return {};
}
