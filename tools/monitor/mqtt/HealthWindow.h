#pragma once
// The figures of one health interval: per head the amplitude's minimum, mean
// and maximum and the fit of its Lissajous figure (the signal view's offsets,
// ratio and phase error), the position samples, the reference marks passed and
// the speed range. A head's amplitudes drift long before it fails; these are
// what a plant trends.

#include "PlantValues.h"

#include "signalview/SignalView.h"

#include <cstddef>
#include <cstdint>
#include <string>

class HealthWindow {
public:
    void addSample(const PlantValues& values);
    void addReferenceMark() { ++marks_; }
    std::size_t samples() const { return samples_; }

    // The PREFIX/health payload of the interval that ends at `time` (it began
    // at `since`), and the start of the next one.
    std::string takePayload(const std::string& since, const std::string& time, double intervalS);

private:
    struct Range {
        double min = 0.0;
        double max = 0.0;
        double sum = 0.0;
        std::size_t count = 0;
        void add(double v);
    };
    std::string headPayload(int head, Head signalHead) const;

    Range amplitude_[2]; // WH, YE
    Range speed_;
    std::size_t samples_ = 0;
    std::size_t marks_ = 0;
    SignalView signals_;
    double firstSampleS_ = -1.0;
};
