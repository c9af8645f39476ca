#include "device/SensorState.h"

#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/ErrorFlagBits.h"

bool sensorsNotConnected(const DeviceReadings& readings, bool newProtocol) {
    const int32_t f = readings.errorFlags;
    return newProtocol && (f & errorflag::kWhSignal) && (f & errorflag::kYeSignal) &&
           readings.channelValues[headFirstChannel(Head::WH)] == 0.0 &&
           readings.channelValues[headFirstChannel(Head::YE)] == 0.0;
}

void SensorState::deviceEvent(int code, int param, const DeviceReadings& readings,
                              bool newProtocol) {
    firstSeen_.reset();
    if (code == kDacOffsetsEvent) {
        const std::optional<Head> head = headWithFirstChannel(param);
        if (!head) {
            return;
        }
        bool& seen = *head == Head::WH ? offsetSeenWH_ : offsetSeenYE_;
        if (!seen) {
            seen = true;
            firstSeen_ = head;
        }
    } else if (code == kStatusEvent) {
        // A box that has not identified itself has no valid status.
        if (param == 0 || !(readings.firmwareVersion > 0.0)) {
            sensorConnection_ = kNoValidStatus;
        } else {
            sensorConnection_ =
                sensorsNotConnected(readings, newProtocol) ? kNotConnected : kConnected;
        }
    }
}

void SensorState::clearOffsetsSeen() {
    offsetSeenWH_ = false;
    offsetSeenYE_ = false;
}
