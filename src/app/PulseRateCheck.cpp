#include "app/PulseRateCheck.h"

#include "config/Bearings.h"
#include "config/Texts.h"

namespace {

constexpr int kRowMismatch = 34;
constexpr int kRowSelected = 35;
constexpr int kRowDetected = 36;
constexpr int kRowWillChange = 37;

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
    check.message = statusText(kRowMismatch) + "\n\n" + statusText(kRowSelected) +
                    config.bearingType + " " + lines(selected) + "\n" + statusText(kRowDetected) +
                    detectedName;
    if (check.rowFound)
        check.message += "\n\n" + statusText(kRowWillChange);
    else
        check.warning = statusText(kRowMismatch);
    return check;
}
