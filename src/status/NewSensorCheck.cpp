#include "status/NewSensorCheck.h"

#include <cstring>

NewSensorStep newSensorStep(bool noData, bool statusRestart, const DeviceReadings& readings,
                            bool offsetSeenWH, bool offsetSeenYE) {
    if (noData) {
        return NewSensorStep::TimeoutNotice;
    }
    // The box's identification carries a "*" until it has been taught in.
    const std::size_t infoLength = strnlen(readings.boxInfoText, sizeof readings.boxInfoText);
    const bool boxInfoBlank = std::memchr(readings.boxInfoText, '*', infoLength) != nullptr;
    const bool holdsTeachIn = statusRestart || readings.refPhaseText[0] != '\0' || offsetSeenWH ||
                              offsetSeenYE || readings.absolutePositionMode || !boxInfoBlank;
    return holdsTeachIn ? NewSensorStep::Confirm : NewSensorStep::Nothing;
}
