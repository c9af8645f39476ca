#pragma once
// Whether the pulse rate the box reports fits the selected bearing, and the
// notice that tells the user when it does not.

#include "config/ConfigData.h"

#include <cstdint>
#include <string>

struct PulseRateCheck {
    bool mismatch = false; // the box reports another rate than the selection
    bool rowFound = false; // a row of the bearing table has the reported rate
    std::string message;   // the notice, in the current language
    std::string warning;   // for the status line while no row fits
};

// `detected` 0 (nothing reported yet) is no mismatch.
PulseRateCheck checkPulseRate(const ConfigData& config, const BearingEntry* table, int count,
                              int32_t detected);
