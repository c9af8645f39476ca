#include "app/PulseRateCheck.h"

#include "config/Bearings.h"
#include "config/StatusMessageRows.h"
#include "config/Texts.h"

namespace {

// Lines, as the window title counts them.
std::string lines(int32_t pulses) {
    return "(" + std::to_string(2 * static_cast<int64_t>(pulses)) + ")";
}

std::string statusText(int row) {
    return text(TextTable::StatusMessages, row);
}

} // namespace

PulseRateCheck checkPulseRate(const ConfigData& config, const BearingEntry* table, int count,
                              int32_t detected) {
    PulseRateCheck check;
    const int32_t selected = config.pulseRate.load();
    if (detected == 0 || detected == selected)
        return check;
    check.mismatch = true;
    const int row = findBearingByPulses(table, count, detected);
    check.rowFound = row >= 0;
    const std::string detectedName =
        check.rowFound ? std::string(table[row].name) + " " + lines(detected) : lines(detected);
    check.message = statusText(statusrow::kPulseRateMismatch) + "\n\n" +
                    statusText(statusrow::kSelectedBearing) + config.bearingType + " " +
                    lines(selected) + "\n" + statusText(statusrow::kDetectedBearing) + detectedName;
    if (check.rowFound)
        check.message += "\n\n" + statusText(statusrow::kSettingsFollowBearing);
    else
        check.warning = statusText(statusrow::kPulseRateMismatch);
    return check;
}
