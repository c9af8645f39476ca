#pragma once
// The device events that carry a sample for the data recorder while
// recordingActive is set: each white amplitude (it comes last of a position
// line) is a position sample, each reference mark a reference sample.

#include <cstdint>
#include <optional>

class PositionTracker;
struct DeviceReadings;

struct RecordedEvent {
    int32_t counts = 0; // the position shown, or the reference mark's position
    double amplitudeWH = 0.0;
    double amplitudeYE = 0.0;
    bool reference = false;
    bool operator==(const RecordedEvent&) const = default;
};

// The sample event `code` carries, from the readings of that event and the
// core's positions; none for every other code.
std::optional<RecordedEvent> recordedEvent(int code, const DeviceReadings& readings,
                                           const PositionTracker& positions);
