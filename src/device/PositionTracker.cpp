#include "device/PositionTracker.h"

#include "config/ConfigData.h"
#include "config/ShaftGeometry.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
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
constexpr int32_t kAbsoluteShift = 20000; // absolute positions are reported shifted
constexpr int64_t kWrapTurns = 20;        // turns added before a reference position is wrapped

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

int32_t saturate(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

template <std::size_t N> bool fieldHas(const char (&field)[N], const char* needle) {
    const std::size_t length = strnlen(field, N);
    const std::size_t n = std::strlen(needle);
    for (std::size_t i = 0; i + n <= length; ++i) {
        if (std::memcmp(field + i, needle, n) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

PositionTracker::PositionTracker(const ConfigData& config, const LinkControl& link)
    : config_(config), link_(link) {}

void PositionTracker::positionEvent(const DeviceReadings& readings) {
    displayPosition_ = convertPosition(readings.rawPosition, readings);
    displayAngle_ = shaft::degrees(displayPosition_, config_.pulseRate.load());
    speed_ = readings.speed;
    speedLimit_ = readings.speedLimit;
    speedOverLimit_ = readings.speedOverLimit;
}

void PositionTracker::referenceMarkEvent(const DeviceReadings& readings) {
    if (!link_.newProtocol) {
        // The older box's mark line carries no count: the mark is where the
        // shaft was shown last.
        referencePosition_ = displayPosition_;
        return;
    }
    int64_t q = int64_t{readings.refRawPosition} + wrapCorrection_ - zeroPosition_;
    // Direction and turn as the position counts them.
    if (shaft::reversed(config_.directionReversed)) {
        q = -q;
    }
    const int64_t revolution = shaft::countsPerRevolution(config_.pulseRate.load());
    if (q < 0) {
        q += kWrapTurns * revolution;
    }
    q %= revolution;
    if (readings.absolutePositionMode) {
        q -= kAbsoluteShift;
    }
    referencePosition_ = saturate(q);
}

int32_t PositionTracker::convertPosition(int32_t rawPosition, const DeviceReadings& readings) {
    const int64_t n = shaft::countsPerRevolution(config_.pulseRate.load());
    const bool reversed = shaft::reversed(config_.directionReversed);
    int64_t r = rawPosition;

    if (readings.absolutePositionMode) {
        marker_ = PositionMarker::Absolute;
        zeroPosition_ = 0;
        wrapCorrection_ = 0;
        if (r < 0) {
            r %= n;
            if (r < 0) {
                r += n;
            }
        }
        if (reversed) {
            r = (n - 1) - r;
        }
        return static_cast<int32_t>(r);
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
        const int64_t corrected = (r + wrapCorrection_ + c) % n - r;
        wrapCorrection_ = fitCorrection(corrected, n);
    }

    int64_t g = r + wrapCorrection_ - zeroPosition_;
    if (reversed) {
        g = -g;
    }
    // Always a position within the revolution, however far below zero g lies.
    int64_t p = g % n;
    if (p < 0) {
        p += n;
    }

    const double firmware = readings.firmwareVersion;
    if (firmware == 0.0) {
        marker_ = PositionMarker::None;
        turnCount_ = 0;
    } else if (link_.boxStarting) {
        // The box is restarting: no revolution count.
        marker_ = PositionMarker::None;
    } else if ((firmware >= 2.0 || link_.newProtocol) && fieldHas(readings.boxTypeText, "1Ref") &&
               (readings.boxInfoMarked || readings.detectedPulseRate > 0)) {
        marker_ = PositionMarker::Reference;
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
        marker_ = PositionMarker::Turns;
    }
    previousDisplayPosition_ = static_cast<double>(p);
    return static_cast<int32_t>(p);
}

void PositionTracker::zero(int32_t rawPosition) {
    zeroPosition_ = rawPosition;
    wrapCorrection_ = 0;
    previousRawPosition_ = rawPosition;
    previousDisplayPosition_ = 0.0;
    turnCount_ = 0;
}

void PositionTracker::directionChanged() {
    previousDisplayPosition_ = 0.0;
    turnCount_ = 0;
}

void PositionTracker::reset() {
    zeroPosition_ = 0;
    wrapCorrection_ = 0;
    previousRawPosition_ = 0;
    previousDisplayPosition_ = 0.0;
    turnCount_ = 0;
    displayPosition_ = 0;
    displayAngle_ = 0.0;
    marker_ = PositionMarker::None;
    referencePosition_ = 0;
    speed_ = 0.0;
    speedLimit_ = 0.0;
    speedOverLimit_ = false;
}

double PositionTracker::speedRpm() const {
    if (!std::isfinite(speed_)) {
        return 0.0;
    }
    const double perTurn =
        static_cast<double>(shaft::countsPerRevolution(config_.pulseRate.load()));
    const double rpm = speed_ * 1e6 * 60.0 / perTurn;
    return shaft::reversed(config_.directionReversed) ? -rpm : rpm;
}
