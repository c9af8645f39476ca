#pragma once
// The upper plot of the evaluation window and the report: the amplitudes of
// both read heads over the shaft angle, 0..120 %, with the 30 and 90 % limits
// in green and the bands outside 30..100 % hatched.

#include "recorder/widgets/PlotGeometry.h"

#include <QRgb>

#include <vector>

class QPainter;
struct RecordSample;
struct ReferenceIndex;
struct ComparisonRecording;

enum class PlotMode {
    Full,        // frame, grid, titles and every sample
    Incremental, // only what the newest sample adds
};

// How a long recording is drawn (see drawAmplitudePlot); EverySample is the
// plain way, kept as the reference.
enum class PlotDetail {
    ColumnExtremes, // consecutive samples on one pixel column as one vertical stroke
    EverySample,
};

class AmplitudePlot {
public:
    static constexpr QRgb kFillScreen = qRgb(128, 128, 128);
    static constexpr QRgb kFillPrinter = qRgb(220, 220, 220);
    static constexpr QRgb kHatchScreen = qRgb(220, 220, 220);
    static constexpr QRgb kHatchPrinter = qRgb(128, 128, 128);
    static constexpr QRgb kLimitLine = qRgb(0, 224, 0);
    static constexpr QRgb kGrid = qRgb(0, 0, 0);
    static constexpr QRgb kCurveWH = qRgb(255, 255, 255);
    static constexpr QRgb kCurveYE = qRgb(224, 224, 32);
    // A second recording laid under the first.
    static constexpr QRgb kCompareWH = qRgb(184, 184, 184);
    static constexpr QRgb kCompareYE = qRgb(238, 238, 160);

    static constexpr double kTopPercent = 120.0;
    static constexpr double kPrinterTopMm = 65.0;

    // The plot's frame.
    static PlotBox frame(const PlotTarget& target);
    // y of an amplitude in percent, held inside the frame (above 120 % on the top edge).
    static int yOfAmplitude(const PlotBox& plot, double percent);
    // y of the horizontal grid line for `percent` (0, 10, .. 120).
    static int yOfGridLine(const PlotBox& plot, int percent);
};

// Draws the amplitude plot. Full: title, fill, hatched bands, grid, labels and
// the curves of every sample. Incremental: only the segment from the
// second-to-last sample to the last one. Every sample (position or reference
// mark) gives a point per head; points 90 degrees or more apart stay unjoined.
//
// ColumnExtremes draws from the recording's envelope (recorder/
// AmplitudeEnvelope.h), kept between drawings and brought up to date with the
// samples appended since, so a redraw costs about the same whatever the length
// of the recording and the number of turns. While the recording has few runs
// of consecutive samples per pixel column, each run is drawn as one stroke
// from its lowest to its highest point: the same pixels as the run's own
// segments, since they all lie in that column. Where the curves touch inside a
// column the run is resolved row by row, so the colour on top is the one
// drawing every sample leaves. A recording over many turns is drawn as one bar
// per column and head covering every pixel any of its strokes covers.
//
// In full mode `references`, when given, is filled with the reference samples
// on the way, and a `comparison` recording is drawn under the curves in the
// lighter colours.
void drawAmplitudePlot(QPainter& painter, const PlotTarget& target,
                       const std::vector<RecordSample>& samples, PlotMode mode,
                       PlotDetail detail = PlotDetail::ColumnExtremes,
                       ReferenceIndex* references = nullptr,
                       const ComparisonRecording* comparison = nullptr);
