#pragma once
// The geometry of the shaft's scale, in one place: one signal period is 5000
// counts, a revolution is pulseRate periods, the pulse rate lies within
// 2..20000, and a reversed counting direction negates the counts. The line
// parser, the position display, the status list, the extended display and the
// recorder count with these.

#include <algorithm>
#include <cstdint>

namespace shaft {

inline constexpr int64_t kCountsPerPeriod = 5000;
inline constexpr int32_t kMinPulseRate = 2;
inline constexpr int32_t kMaxPulseRate = 20000;

// The pulse rate a conversion works with: anything outside 2..20000 is pulled
// into that range, so that a revolution is never 0 counts.
constexpr int32_t usablePulseRate(int32_t pulseRate) {
    return std::clamp(pulseRate, kMinPulseRate, kMaxPulseRate);
}

constexpr int64_t countsPerRevolution(int32_t pulseRate) {
    return int64_t{usablePulseRate(pulseRate)} * kCountsPerPeriod;
}

constexpr int64_t halfTurn(int32_t pulseRate) {
    return countsPerRevolution(pulseRate) / 2;
}

// The setting directionReversed: any value but 0 counts backwards.
constexpr bool reversed(int32_t directionReversed) {
    return directionReversed != 0;
}

// Counts into 0 .. one revolution - 1.
constexpr int64_t wrapToTurn(int64_t counts, int32_t pulseRate) {
    const int64_t turn = countsPerRevolution(pulseRate);
    const int64_t r = counts % turn;
    return r < 0 ? r + turn : r;
}

// Degrees of `counts` (not wrapped).
constexpr double degrees(double counts, int32_t pulseRate) {
    return counts * 360.0 / static_cast<double>(countsPerRevolution(pulseRate));
}

} // namespace shaft
