#pragma once

#include <vector>

#include "recorder/RecordSample.h"

// What the evaluation window states under the plots and the report prints:
// per read head the extremes and the mean of the amplitude over the recording,
// and the reference marks seen with their spread.
//
// Every figure is taken from the values as the record files hold them
// (amplitudes and reference values to 0.1, angles to 0.0001 degrees), so a
// recording gives the same results live, after saving and reopening, and on
// its report. Of equal extremes the first position sample in recording order
// gives the angle.
struct HeadResult {
    double minimum = 0.0;        // percent
    double maximum = 0.0;        // percent
    double mean = 0.0;           // percent
    double angleOfMinimum = 0.0; // degrees
    double angleOfMaximum = 0.0; // degrees
    bool pass = false;           // every amplitude within the 30..90 % band
};

// The reference marks: where they were seen and the values of their red
// ("+", refC) and blue ("-", refE) circles.
struct ReferenceResult {
    double angleSpread = 0.0; // degrees: the shortest arc that holds every mark's angle
    double meanAngle = 0.0;   // degrees: the middle of that arc
    double plusMinimum = 0.0, plusMaximum = 0.0;
    double minusMinimum = 0.0, minusMaximum = 0.0;
};

struct MeasurementResults {
    bool valid = false; // false when the recording holds no position sample
    int samples = 0;    // position samples taken into account
    int referenceMarks = 0;
    HeadResult ye;
    HeadResult wh;
    ReferenceResult marks; // meaningful when referenceMarks > 0
};

MeasurementResults computeMeasurementResults(const std::vector<RecordSample>& samples);

// A value as the record files keep it: printed with `precision` decimals and
// read back.
double savedValue(double value, int precision);
