#pragma once

#include <cstdint>

// One recorded event: a position update or a reference mark, with the readings
// that belonged to it. Samples are kept in recording order in a contiguous
// container owned by the recorder.
struct RecordSample {
    double time = 0.0;        // seconds since the first sample of the recording
    double position = 0.0;    // degrees, 0 <= position < 360
    double amplitudeYE = 0.0; // percent
    double amplitudeWH = 0.0; // percent
    double dacOffsets[5] = {};
    double channelValues[5] = {};
    // refValues [6], [3], [4], [1], [5], [2] of the readings, in this order.
    double refA = 0.0, refB = 0.0, refC = 0.0, refD = 0.0, refE = 0.0, refF = 0.0;
    std::int32_t refDistance = 0;
    bool isReference = false; // reference-mark sample; clear for a position sample
};
