#include "acquisition/RecordedEvent.h"

#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/PositionTracker.h"

std::optional<RecordedEvent> recordedEvent(int code, const DeviceReadings& readings,
                                           const PositionTracker& positions) {
    if (code == kAmplitudeWhiteEvent)
        return RecordedEvent{positions.displayPosition(), readings.amplitudeWH,
                             readings.amplitudeYE, false};
    if (code == kReferenceMarkEvent)
        return RecordedEvent{positions.referencePosition(), readings.amplitudeWH,
                             readings.amplitudeYE, true};
    return std::nullopt;
}
