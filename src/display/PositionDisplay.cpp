#include "display/PositionDisplay.h"

#include "config/ConfigData.h"
#include "config/ShaftGeometry.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/PositionFormat.h"
#include "display/TextFormat.h"

#include <cstdlib>
#include <limits>

namespace {

// The box's counter runs over after about 160 million counts (two-letter
// boxes) or 180 million (one-letter boxes); a jump of more than 100 million
// between two updates can only be such a wrap.
constexpr int64_t kWrapJump = 100'000'000;
constexpr int64_t kDoubleWrapJump = 200'000'000;
constexpr int64_t kWrapStepNew = 160'000'000;
constexpr int64_t kWrapStepOld = 180'000'000;
constexpr int32_t kTurnLimit = 100;

// The wrap correction is stored in 32 bits. Only its value modulo one
// revolution matters to the position, so whole revolutions are taken off a
// correction that would not fit.
int32_t fitCorrection(int64_t correction, int64_t n) {
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    if (correction > hi) {
        correction -= (correction - hi + n - 1) / n * n;
    } else if (correction < lo) {
        correction += (lo - correction + n - 1) / n * n;
    }
    return static_cast<int32_t>(correction);
}

} // namespace

PositionDisplay::PositionDisplay(DeviceReadings& readings, const LinkControl& link,
                                 ConfigData& config, std::mutex& readingsLock)
    : readings_(readings), link_(link), config_(config), readingsLock_(readingsLock) {}

ConvertedPosition PositionDisplay::convertPosition(int32_t rawPosition) {
    const int64_t n = countsPerRevolution(config_.pulseRate);
    const bool reversed = shaft::reversed(config_.directionReversed);
    int64_t r = rawPosition;

    if (readings_.absolutePositionMode) {
        readings_.zeroPosition = 0;
        readings_.wrapCorrection = 0;
        if (r < 0) {
            r %= n;
            if (r < 0) {
                r += n;
            }
        }
        if (reversed) {
            r = (n - 1) - r;
        }
        return {static_cast<int32_t>(r), " Abs "};
    }

    const int64_t jump = int64_t{previousRawPosition_} - r;
    previousRawPosition_ = rawPosition;

    if (jump > kWrapJump || jump < -kWrapJump) {
        const int64_t step = link_.newProtocol ? kWrapStepNew : kWrapStepOld;
        int64_t c = -step;
        if (jump > kDoubleWrapJump) {
            c = 2 * step;
        } else if (jump > kWrapJump) {
            c = step;
        } else if (jump < -kDoubleWrapJump) {
            c = -2 * step;
        }
        const int64_t corrected = (r + readings_.wrapCorrection + c) % n - r;
        readings_.wrapCorrection = fitCorrection(corrected, n);
    }

    int64_t g = r + readings_.wrapCorrection - readings_.zeroPosition;
    if (reversed) {
        g = -g;
    }
    // Always a position within the revolution, however far below zero g lies.
    int64_t p = g % n;
    if (p < 0) {
        p += n;
    }

    ConvertedPosition result;
    result.position = static_cast<int32_t>(p);
    const double firmware = readings_.firmwareVersion;
    const bool oneRefBox = fieldText(readings_.boxTypeText).find("1Ref") != std::string::npos;
    if (firmware == 0.0) {
        turnCount_ = 0;
    } else if (link_.boxStarting) {
        // The box is restarting: no revolution count.
    } else if ((firmware >= 2.0 || link_.newProtocol) && oneRefBox &&
               (readings_.boxInfoMarked || readings_.detectedPulseRate > 0)) {
        if (refBlink_) {
            result.marker = " Ref ";
        }
    } else {
        if (previousDisplayPosition_ != 0.0) {
            const double half = static_cast<double>(n) / 2.0;
            const double e = previousDisplayPosition_ - static_cast<double>(p);
            if (static_cast<double>(p) < half && e > half) {
                ++turnCount_;
            } else if (static_cast<double>(p) > half && e < -half) {
                --turnCount_;
            }
            if (std::abs(turnCount_) >= kTurnLimit) {
                turnCount_ = 0;
            }
        }
        result.marker = formatText("%i T ", turnCount_);
    }
    previousDisplayPosition_ = static_cast<double>(p);
    return result;
}

PositionView PositionDisplay::showPosition() {
    ConvertedPosition converted = convertPosition(readings_.rawPosition);
    readings_.displayPosition = converted.position;
    const double n = static_cast<double>(countsPerRevolution(config_.pulseRate));
    displayAngle_ = converted.position * 360.0 / n;

    PositionView view;
    view.displayPosition = converted.position;
    view.displayAngle = displayAngle_;
    view.positionText =
        formatPosition(converted.position, config_.displayFormat, config_.pulseRate);
    view.speedText = formatSpeed(readings_.speed, config_.displayFormat, config_.pulseRate,
                                 shaft::reversed(config_.directionReversed));
    // Beyond what the samples resolve the estimate aliases: the limit only.
    if (readings_.speedOverLimit && readings_.speedLimit > 0.0) {
        view.speedText =
            formatSpeedLimit(readings_.speedLimit, config_.displayFormat, config_.pulseRate);
        view.speedWarning = true;
    }
    view.markerText = std::move(converted.marker);
    view.dimmed = positionDimmed(fieldText(readings_.boxTypeText), view.markerText);

    view.writeMarker = view.markerText != shownMarker_;
    view.stopInterfaceSearch = !view.writeMarker;
    view.writeSpeed = view.speedText != shownSpeed_;
    view.writePosition = view.positionText != shownPosition_;
    view.textsChanged = view.writeSpeed || view.writePosition;
    if (view.writeMarker) {
        shownMarker_ = view.markerText;
    }
    if (view.writeSpeed) {
        shownSpeed_ = view.speedText;
    }
    if (view.writePosition) {
        shownPosition_ = view.positionText;
    }
    return view;
}

StateWrites PositionDisplay::showState(const std::string& main, const std::string& second) {
    StateWrites writes;
    writes.writeSpeed = second != shownSpeed_;
    writes.writePosition = main != shownPosition_;
    if (writes.writeSpeed) {
        shownSpeed_ = second;
    }
    if (writes.writePosition) {
        shownPosition_ = main;
    }
    return writes;
}

void PositionDisplay::zeroCommand() {
    std::lock_guard<std::mutex> lock(readingsLock_);
    readings_.zeroPosition = readings_.rawPosition;
    readings_.wrapCorrection = 0;
    previousRawPosition_ = readings_.rawPosition;
    previousDisplayPosition_ = 0.0;
    turnCount_ = 0;
}

void PositionDisplay::directionCommand() {
    config_.directionReversed = config_.directionReversed != 0 ? 0 : 1;
    previousDisplayPosition_ = 0.0;
    turnCount_ = 0;
    forgetPositionText();
}

void PositionDisplay::reset() {
    previousRawPosition_ = 0;
    previousDisplayPosition_ = 0.0;
    turnCount_ = 0;
    displayAngle_ = 0.0;
}
