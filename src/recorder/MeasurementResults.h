#pragma once

#include <vector>

#include "recorder/RecordSample.h"

// What the evaluation window states under the plots: per read head the extremes
// and the mean of the amplitude over the recording, and the reference marks seen.
struct HeadResult {
    double minimum = 0.0;        // percent
    double maximum = 0.0;        // percent
    double mean = 0.0;           // percent
    double angleOfMinimum = 0.0; // degrees
    double angleOfMaximum = 0.0; // degrees
    bool pass = false;           // every amplitude within the 30..90 % band
};

struct MeasurementResults {
    bool valid = false; // false when the recording holds no position sample
    int samples = 0;    // position samples taken into account
    int referenceMarks = 0;
    HeadResult ye;
    HeadResult wh;
};

MeasurementResults computeMeasurementResults(const std::vector<RecordSample>& samples);
