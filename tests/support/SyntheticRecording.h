#pragma once
// A recording of a turning shaft made up for tests and benchmarks: both head
// amplitudes vary with the angle and a little noise, a reference mark comes
// once per revolution. Deterministic for a given seed.

#include "recorder/RecordSample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

struct SyntheticShaft {
    int samples = 10000;
    double revolutions = 10.0;
    double referenceAngle = 123.4; // degrees
    double noise = 1.5;            // percent, peak
    std::uint32_t seed = 7;
};

inline std::vector<RecordSample> syntheticRecording(const SyntheticShaft& shaft) {
    std::vector<RecordSample> out;
    out.reserve(static_cast<size_t>(shaft.samples) + static_cast<size_t>(shaft.revolutions) + 2);
    std::mt19937 random(shaft.seed);
    std::uniform_real_distribution<double> jitter(-shaft.noise, shaft.noise);
    const double step = 360.0 * shaft.revolutions / std::max(1, shaft.samples);
    const double pi = std::acos(-1.0);
    double turned = 0.0;
    int revolution = 0;
    while (static_cast<int>(out.size()) < shaft.samples) {
        RecordSample s;
        s.position = std::fmod(turned, 360.0);
        const double a = s.position * pi / 180.0;
        s.amplitudeWH = 58.0 + 9.0 * std::sin(a) + jitter(random);
        s.amplitudeYE = 72.0 + 7.0 * std::cos(2.0 * a) + jitter(random);
        s.time = static_cast<double>(out.size()) * 0.05;
        out.push_back(s);
        const double next = turned + step;
        const double mark = 360.0 * revolution + shaft.referenceAngle;
        if (turned < mark && next >= mark) {
            RecordSample r = s;
            r.isReference = true;
            r.position = shaft.referenceAngle;
            r.refC = 140.0 + 10.0 * std::sin(revolution * 0.7);
            r.refE = -130.0 - 8.0 * std::cos(revolution * 0.9);
            r.refD = 95.0 + 6.0 * std::sin(revolution * 1.3);
            r.refF = -90.0 + 5.0 * std::cos(revolution * 0.4);
            out.push_back(r);
            ++revolution;
        }
        turned = next;
    }
    return out;
}

// A sample at `degrees` with the two amplitudes.
inline RecordSample positionSample(double degrees, double wh, double ye) {
    RecordSample s;
    s.position = degrees;
    s.amplitudeWH = wh;
    s.amplitudeYE = ye;
    return s;
}

// A reference-mark sample with its four plotted values.
inline RecordSample referenceSample(double degrees, double c, double d, double e, double f) {
    RecordSample s = positionSample(degrees, 60.0, 70.0);
    s.isReference = true;
    s.refC = c;
    s.refD = d;
    s.refE = e;
    s.refF = f;
    return s;
}
