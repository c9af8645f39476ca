#pragma once
// What one recorded device event carries to the recorder: the event's
// position and both amplitudes, and a copy of the readings the sample keeps.
// The owner fills it inside the device-event handler, while the reader thread
// waits, so the copy is consistent without a lock.

#include <cstdint>

struct DeviceReadings;

struct RecordEvent {
    std::int32_t counts = 0; // the position shown (position event) or the reference mark's
    double amplitudeWH = 0.0;
    double amplitudeYE = 0.0;
    double dacOffsets[5] = {};
    double channelValues[5] = {};
    double refValues[7] = {};
    std::int32_t refDistance = 0;

    // The position update at `displayPosition`, as the acquisition core's
    // position tracker has just counted it.
    static RecordEvent position(const DeviceReadings& readings, std::int32_t displayPosition);
    // The reference mark at `referencePosition` (the tracker's too).
    static RecordEvent reference(const DeviceReadings& readings, std::int32_t referencePosition);

    // The readings again, with only the fields above filled in.
    void copyTo(DeviceReadings& readings) const;
};
