#include "recorder/widgets/ReferencePlot.h"

#include "config/EvaluationRows.h"
#include "recorder/RecordFileFormat.h"
#include "recorder/RecordSample.h"
#include "recorder/widgets/PlotGrid.h"
#include "recorder/widgets/PlotStyle.h"
#include "ui/UiText.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

StartRect startRect(const PlotTarget& target) {
    return plotStartRect(target, ReferencePlot::kPrinterTopMm);
}

void drawBackground(QPainter& painter, const PlotTarget& target, const PlotBox& plot,
                    int halfRange) {
    const StartRect r = startRect(target);
    const int d = r.bottom - r.top;
    if (target.background.isValid()) {
        painter.fillRect(QRect(r.left, r.top + d / 2, r.right - r.left, d - d / 2),
                         target.background);
    }
    drawPlotTitle(painter, target, titleStrip(r.top + d / 2, plot),
                  uiText(TextTable::Evaluation, evaluationrow::kReferenceMarks));
    painter.fillRect(QRect(plot.left, plot.top, plot.width(), plot.height()),
                     QColor::fromRgb(ReferencePlot::kFill));

    const QPen thin = thinGridPen(target);
    const QPen thick = thickGridPen(target);
    const QFont labelFont = plotLabelFont(target);
    painter.setFont(labelFont);
    const int gap = static_cast<int>(5.0 * target.gx());
    const int halfBox = static_cast<int>(20.0 * target.gy());
    for (int i = 0; i <= 20; ++i) {
        const int y = ReferencePlot::yOfGridLine(plot, i);
        const int value = ReferencePlot::gridValue(halfRange, i);
        painter.setPen(value == 0 ? thick : thin);
        painter.drawLine(plot.left, y, plot.right, y);
        painter.setPen(Qt::black);
        painter.drawText(QRect(r.left, y - halfBox, plot.left - gap - r.left, 2 * halfBox),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                         QString::number(value));
    }
    drawAngleGrid(painter, target, plot, thin, labelFont);
}

// The marks of reference samples marks[from..]. With `continuing` the first
// only gives the start of the next lines: its marks are on the plot already,
// and drawing them again would cover the ends of the lines that reached it.
void drawMarks(QPainter& painter, const PlotTarget& target, const PlotBox& plot, int halfRange,
               const std::vector<RecordSample>& samples, const std::vector<std::size_t>& marks,
               std::size_t from, bool continuing, bool comparison = false) {
    const QRgb red = comparison ? ReferencePlot::kCompareRed : ReferencePlot::kRed;
    const QRgb blue = comparison ? ReferencePlot::kCompareBlue : ReferencePlot::kBlue;
    const QPen outlineRed = plotPen(red, target.printer ? 0.25 * target.sy : 1.0);
    const QPen outlineBlue = plotPen(blue, target.printer ? 0.25 * target.sy : 1.0);
    const QPen lineRed = plotPen(red, target.printer ? 0.6 * target.sy : 2.0);
    const QPen lineBlue = plotPen(blue, target.printer ? 0.6 * target.sy : 2.0);
    const QBrush fillRed{
        QColor::fromRgb(comparison ? ReferencePlot::kCompareLightRed : ReferencePlot::kLightRed)};
    const QBrush fillBlue{
        QColor::fromRgb(comparison ? ReferencePlot::kCompareLightBlue : ReferencePlot::kLightBlue)};
    const int radius = static_cast<int>(3.0 * target.gy());

    bool havePrevious = false;
    QPoint previousD;
    QPoint previousF;
    for (std::size_t m = from; m < marks.size(); ++m) {
        const RecordSample& s = samples[marks[m]];
        const int x = xOfAngle(plot, s.position);
        if (x < plot.left || x > plot.right) {
            continue;
        }
        const bool marksDrawn = continuing && m == from;
        if (s.refC != 0.0 && !marksDrawn) {
            painter.setPen(outlineRed);
            painter.setBrush(fillRed);
            const int y = ReferencePlot::yOfValue(plot, halfRange, s.refC);
            painter.drawEllipse(QRect(x - radius, y - radius, 2 * radius, 2 * radius));
        }
        if (s.refE != 0.0 && !marksDrawn) {
            painter.setPen(outlineBlue);
            painter.setBrush(fillBlue);
            const int y = ReferencePlot::yOfValue(plot, halfRange, s.refE);
            painter.drawEllipse(QRect(x - radius, y - radius, 2 * radius, 2 * radius));
        }
        const QPoint d(x, ReferencePlot::yOfValue(plot, halfRange, s.refD));
        const QPoint f(x, ReferencePlot::yOfValue(plot, halfRange, s.refF));
        if (havePrevious) {
            painter.setPen(lineRed);
            painter.drawLine(previousD, d);
            painter.setPen(lineBlue);
            painter.drawLine(previousF, f);
        }
        previousD = d;
        previousF = f;
        havePrevious = true;
    }
    painter.setBrush(Qt::NoBrush);
}

} // namespace

PlotBox ReferencePlot::frame(const PlotTarget& target) {
    const StartRect r = startRect(target);
    const int d = r.bottom - r.top;
    PlotBox box;
    box.top = r.top + d / 2 + d / 30;
    box.bottom = r.bottom - (target.printer ? d / 15 : d / 10);
    // The same left and right as the amplitude plot, so that angles line up.
    box.left = plotLeft(r, target.gx());
    box.right = plotRight(r, target.gx());
    return box;
}

int ReferencePlot::halfRangeFor(double largestRefC, double smallestRefE) {
    // In floating point and held to the widest axis: a value beyond what a
    // box sends (a damaged line) must not wrap the axis around.
    const auto rounded = [](double v) {
        const double limit = std::floor(kMaxReferenceValue / 100.0) * 100.0 + 100.0;
        if (!(v >= 0.0)) {
            return 100.0; // a negative extreme, or not a number: the smallest axis
        }
        return std::min(std::floor(v / 100.0) * 100.0 + 100.0, limit);
    };
    return static_cast<int>(std::max(rounded(largestRefC), rounded(std::fabs(smallestRefE))));
}

int ReferencePlot::halfRange(const std::vector<RecordSample>& samples) {
    return ReferenceIndex::of(samples).halfRange();
}

int ReferencePlot::yOfValue(const PlotBox& plot, int halfRange, double value) {
    const int mid = plot.bottom - plot.height() / 2;
    const double y = mid - value * plot.height() / (2.0 * halfRange);
    if (std::isnan(y)) {
        return mid;
    }
    return static_cast<int>(std::clamp(y, double(plot.top), double(plot.bottom)));
}

int ReferencePlot::yOfGridLine(const PlotBox& plot, int i) {
    return plot.bottom - i * plot.height() / 20;
}

int ReferencePlot::gridValue(int halfRange, int i) {
    // 64-bit: twice the widest half range is beyond an int.
    const long long d = halfRange;
    return static_cast<int>(-d + i * (2 * d / 20));
}

void ReferenceIndex::add(const std::vector<RecordSample>& samples, std::size_t i) {
    const RecordSample& s = samples[i];
    if (s.isReference) {
        marks.push_back(i);
        largestRefC = std::max(largestRefC, s.refC);
        smallestRefE = std::min(smallestRefE, s.refE);
    }
}

int ReferenceIndex::halfRange() const {
    return ReferencePlot::halfRangeFor(largestRefC, smallestRefE);
}

ReferenceIndex ReferenceIndex::of(const std::vector<RecordSample>& samples) {
    ReferenceIndex index;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        index.add(samples, i);
    }
    return index;
}

void drawReferencePlot(QPainter& painter, const PlotTarget& target,
                       const std::vector<RecordSample>& samples, PlotMode mode, int& refScale) {
    drawReferencePlot(painter, target, samples, mode, refScale, ReferenceIndex::of(samples));
}

void drawReferencePlot(QPainter& painter, const PlotTarget& target,
                       const std::vector<RecordSample>& samples, PlotMode mode, int& refScale,
                       const ReferenceIndex& index, const ComparisonRecording* comparison) {
    const PlotBox plot = ReferencePlot::frame(target);
    if (plot.width() <= 0 || plot.height() <= 0) {
        return;
    }
    const int halfRange = referenceHalfRange(index, comparison);
    if (halfRange != refScale) {
        refScale = halfRange;
        mode = PlotMode::Full;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (mode == PlotMode::Full) {
        drawBackground(painter, target, plot, halfRange);
        if (comparison != nullptr && comparison->samples != nullptr) {
            drawMarks(painter, target, plot, halfRange, *comparison->samples,
                      comparison->references.marks, 0, false, true);
        }
        drawMarks(painter, target, plot, halfRange, samples, index.marks, 0, false);
    } else if (index.marks.size() >= 2) {
        drawMarks(painter, target, plot, halfRange, samples, index.marks, index.marks.size() - 2,
                  true);
    } else {
        drawMarks(painter, target, plot, halfRange, samples, index.marks, 0, false);
    }
    painter.restore();
}

void drawRecordingPlots(QPainter& painter, const PlotTarget& target,
                        const std::vector<RecordSample>& samples, int& refScale,
                        ReferenceIndex* index, PlotDetail detail,
                        const ComparisonRecording* comparison) {
    ReferenceIndex own;
    ReferenceIndex& references = index != nullptr ? *index : own;
    drawAmplitudePlot(painter, target, samples, PlotMode::Full, detail, &references, comparison);
    drawReferencePlot(painter, target, samples, PlotMode::Full, refScale, references, comparison);
}

int referenceHalfRange(const ReferenceIndex& index, const ComparisonRecording* comparison) {
    const int own = index.halfRange();
    if (comparison == nullptr || comparison->samples == nullptr) {
        return own;
    }
    return std::max(own, comparison->references.halfRange());
}
