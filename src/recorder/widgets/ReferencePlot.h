#pragma once
// The lower plot of the evaluation window and the report: the reference-mark
// values of every reference sample over the shaft angle. refC (red) and refE
// (blue) as circles, refD (red) and refF (blue) as lines from mark to mark.

#include "recorder/widgets/AmplitudePlot.h"
#include "recorder/widgets/PlotGeometry.h"

#include <QRgb>

#include <cstddef>
#include <vector>

class QPainter;
struct RecordSample;

// The reference samples of a recording, in order, with the extremes that set
// the axis. Kept up to date sample by sample by whoever follows a recording,
// so that drawing the marks does not walk the whole recording again.
struct ReferenceIndex {
    std::vector<std::size_t> marks; // positions in the recording
    double largestRefC = 0.0;
    double smallestRefE = 0.0;

    void clear() { *this = ReferenceIndex{}; }
    // Takes in sample `i` of the recording when it is a reference mark.
    void add(const std::vector<RecordSample>& samples, std::size_t i);
    int halfRange() const;
    static ReferenceIndex of(const std::vector<RecordSample>& samples);
};

// A second recording shown under the first in lighter colours, to compare
// two runs of the same axis.
struct ComparisonRecording {
    const std::vector<RecordSample>* samples = nullptr;
    ReferenceIndex references;

    static ComparisonRecording of(const std::vector<RecordSample>& samples) {
        return {&samples, ReferenceIndex::of(samples)};
    }
};

class ReferencePlot {
public:
    static constexpr QRgb kFill = qRgb(255, 255, 255);
    static constexpr QRgb kGrid = qRgb(0, 0, 0);
    static constexpr QRgb kRed = qRgb(192, 0, 0);
    static constexpr QRgb kBlue = qRgb(0, 0, 192);
    static constexpr QRgb kLightRed = qRgb(255, 128, 128);
    static constexpr QRgb kLightBlue = qRgb(128, 128, 255);
    // A second recording laid under the first: outlines and lines, fills.
    static constexpr QRgb kCompareRed = qRgb(224, 150, 150);
    static constexpr QRgb kCompareBlue = qRgb(150, 150, 224);
    static constexpr QRgb kCompareLightRed = qRgb(255, 210, 210);
    static constexpr QRgb kCompareLightBlue = qRgb(210, 210, 255);

    static constexpr double kPrinterTopMm = 60.0;

    static PlotBox frame(const PlotTarget& target);

    // Half range D of the vertical axis: the larger of the largest refC and
    // the magnitude of the smallest refE, rounded up past the next hundred
    // (250 -> 300, 300 -> 400, none -> 100).
    static int halfRange(const std::vector<RecordSample>& samples);
    // The same rule for the extremes themselves.
    static int halfRangeFor(double largestRefC, double smallestRefE);

    // y of a value on an axis of -halfRange..+halfRange, held inside the frame.
    static int yOfValue(const PlotBox& plot, int halfRange, double value);
    // y of horizontal grid line i (0 at the bottom, -D, .. 20 at the top, +D).
    static int yOfGridLine(const PlotBox& plot, int i);
    // The value of grid line i.
    static int gridValue(int halfRange, int i);
};

// Draws the reference plot. `refScale` is the half range last drawn: when the
// recording needs another one it is updated and the plot drawn in full even if
// Incremental was asked for. Incremental draws what the newest reference
// sample adds: its marks and the lines from the reference sample before it.
void drawReferencePlot(QPainter& painter, const PlotTarget& target,
                       const std::vector<RecordSample>& samples, PlotMode mode, int& refScale);

// The same with the reference samples already known. A `comparison` widens
// the axis to its own marks too and, in full mode, is drawn first, lighter.
void drawReferencePlot(QPainter& painter, const PlotTarget& target,
                       const std::vector<RecordSample>& samples, PlotMode mode, int& refScale,
                       const ReferenceIndex& index,
                       const ComparisonRecording* comparison = nullptr);

// Both plots in full, walking the recording once: the amplitude plot collects
// the reference samples for the reference plot. Fills `index` when given.
void drawRecordingPlots(QPainter& painter, const PlotTarget& target,
                        const std::vector<RecordSample>& samples, int& refScale,
                        ReferenceIndex* index = nullptr,
                        PlotDetail detail = PlotDetail::ColumnExtremes,
                        const ComparisonRecording* comparison = nullptr);

// The half range of the reference axis for a recording and an optional comparison.
int referenceHalfRange(const ReferenceIndex& index, const ComparisonRecording* comparison);
