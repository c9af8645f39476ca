#pragma once
// What one recorded device event carries to the recorder: the event's
// position and both amplitudes, and a copy of the readings the sample keeps.
// The owner fills it inside the device-event handler, while the reader thread
// waits, so the copy is consistent without a lock.

#include <cstdint>

struct DeviceReadings;

struct RecordEvent {
    std::int32_t counts = 0; // displayPosition (position event) or refPosition (reference mark)
    double amplitudeWH = 0.0;
    double amplitudeYE = 0.0;
    double dacOffsets[5] = {};
    double channelValues[5] = {};
    double refValues[7] = {};
    std::int32_t refDistance = 0;

    // The position update: displayPosition, as the position display has just
    // converted it.
    static RecordEvent position(const DeviceReadings& readings);
    // The reference mark: refPosition.
    static RecordEvent reference(const DeviceReadings& readings);

    // The readings again, with only the fields above filled in.
    void copyTo(DeviceReadings& readings) const;
};
