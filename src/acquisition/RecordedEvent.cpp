#include "acquisition/RecordedEvent.h"

#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"

std::optional<RecordedEvent> recordedEvent(int code, const DeviceReadings& readings) {
    if (code == kAmplitudeWhiteEvent)
        return RecordedEvent{readings.displayPosition, readings.amplitudeWH, readings.amplitudeYE,
                             false};
    if (code == kReferenceMarkEvent)
        return RecordedEvent{readings.refPosition, readings.amplitudeWH, readings.amplitudeYE,
                             true};
    return std::nullopt;
}
