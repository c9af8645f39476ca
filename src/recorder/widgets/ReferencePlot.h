#pragma once
// The lower plot of the evaluation window and the report: the reference-mark
// values of every reference sample over the shaft angle. refC (red) and refE
// (blue) as circles, refD (red) and refF (blue) as lines from mark to mark.

#include "recorder/widgets/AmplitudePlot.h"
#include "recorder/widgets/PlotGeometry.h"

#include <QRgb>

#include <vector>

class QPainter;
struct RecordSample;

class ReferencePlot {
public:
    static constexpr QRgb kFill = qRgb(255, 255, 255);
    static constexpr QRgb kGrid = qRgb(0, 0, 0);
    static constexpr QRgb kRed = qRgb(192, 0, 0);
    static constexpr QRgb kBlue = qRgb(0, 0, 192);
    static constexpr QRgb kLightRed = qRgb(255, 128, 128);
    static constexpr QRgb kLightBlue = qRgb(128, 128, 255);

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

// The same with the half range the recording needs already known
// (ReferencePlot::halfRange), so that a caller who follows the extremes sample
// by sample need not look at the whole recording again.
void drawReferencePlot(QPainter& painter, const PlotTarget& target,
                       const std::vector<RecordSample>& samples, PlotMode mode, int& refScale,
                       int halfRange);
