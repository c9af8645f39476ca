#pragma once
// What the signal view takes from the box per position line: the four
// channel values and the offsets the amplitude rule needs, the two
// amplitudes as the box link computed them, and when.

#include "device/DeviceReadings.h"

#include <cstdint>

struct SignalSample {
    // Channel order as everywhere: 0 WH A, 1 WH B, 2 YE A, 3 YE B (box units / 16).
    double channelValues[4] = {};
    double dacOffsets[4] = {};
    double amplitudeYE = 0.0; // percent
    double amplitudeWH = 0.0;
    double time = 0.0; // seconds, any origin
};

// The sample the readings hold now. Take it where the readings may be read:
// inside a device-event handler, or from a snapshot.
SignalSample signalSampleFrom(const DeviceReadings& readings, double timeSeconds);
