#include "recorder/widgets/AmplitudePlot.h"

#include "config/EvaluationRows.h"
#include "recorder/AmplitudeEnvelope.h"
#include "recorder/RecordSample.h"
#include "recorder/widgets/PlotGrid.h"
#include "recorder/widgets/PlotStyle.h"
#include "recorder/widgets/ReferencePlot.h"
#include "ui/UiText.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <mutex>

namespace {

StartRect startRect(const PlotTarget& target) {
    return plotStartRect(target, AmplitudePlot::kPrinterTopMm);
}

struct CurvePens {
    QPen white;
    QPen yellow;
};

CurvePens curvePens(const PlotTarget& target, bool comparison = false) {
    const double width = target.printer ? 0.6 * target.sy : 2.0;
    return {plotPen(comparison ? AmplitudePlot::kCompareWH : AmplitudePlot::kCurveWH, width),
            plotPen(comparison ? AmplitudePlot::kCompareYE : AmplitudePlot::kCurveYE, width)};
}

void drawBackground(QPainter& painter, const PlotTarget& target, const PlotBox& plot) {
    const StartRect r = startRect(target);
    if (target.background.isValid()) {
        painter.fillRect(QRect(r.left, r.top, r.right - r.left, (r.bottom - r.top) / 2),
                         target.background);
    }
    drawPlotTitle(painter, target, titleStrip(r.top, plot),
                  uiText(TextTable::Evaluation, evaluationrow::kAmplitude));

    painter.fillRect(
        QRect(plot.left, plot.top, plot.width(), plot.height()),
        QColor::fromRgb(target.printer ? AmplitudePlot::kFillPrinter : AmplitudePlot::kFillScreen));
    const QBrush hatch(QColor::fromRgb(target.printer ? AmplitudePlot::kHatchPrinter
                                                      : AmplitudePlot::kHatchScreen),
                       Qt::BDiagPattern);
    const int y100 = AmplitudePlot::yOfGridLine(plot, 100);
    const int y120 = AmplitudePlot::yOfGridLine(plot, 120);
    const int y30 = AmplitudePlot::yOfGridLine(plot, 30);
    const int y0 = AmplitudePlot::yOfGridLine(plot, 0);
    painter.fillRect(QRect(plot.left, y120, plot.width(), y100 - y120), hatch);
    painter.fillRect(QRect(plot.left, y30, plot.width(), y0 - y30), hatch);

    const QPen thin = thinGridPen(target);
    const QPen limit = plotPen(AmplitudePlot::kLimitLine, target.printer ? 0.5 * target.sy : 2.0);
    const QFont labelFont = plotLabelFont(target);
    painter.setFont(labelFont);
    const int gap = static_cast<int>(5.0 * target.gx());
    const int halfBox = static_cast<int>(20.0 * target.gy());
    for (int percent = 0; percent <= 120; percent += 10) {
        const int y = AmplitudePlot::yOfGridLine(plot, percent);
        painter.setPen(percent == 30 || percent == 90 ? limit : thin);
        painter.drawLine(plot.left, y, plot.right, y);
        painter.setPen(Qt::black);
        painter.drawText(QRect(r.left, y - halfBox, plot.left - gap - r.left, 2 * halfBox),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                         QStringLiteral("%1%").arg(percent));
    }
    drawAngleGrid(painter, target, plot, thin, labelFont);
}

struct Point {
    int x;
    int yWH;
    int yYE;
};

Point pointOf(const PlotBox& plot, const RecordSample& s) {
    return {xOfAngle(plot, s.position), AmplitudePlot::yOfAmplitude(plot, s.amplitudeWH),
            AmplitudePlot::yOfAmplitude(plot, s.amplitudeYE)};
}

bool inside(const PlotBox& plot, int x) {
    return x >= plot.left && x <= plot.right;
}

void drawEverySample(QPainter& painter, const PlotBox& plot, const CurvePens& pens,
                     const std::vector<RecordSample>& samples, std::size_t from,
                     ReferenceIndex* references) {
    bool havePrevious = false;
    Point previous{};
    for (std::size_t i = from; i < samples.size(); ++i) {
        if (references != nullptr && samples[i].isReference) {
            references->add(samples, i);
        }
        const Point p = pointOf(plot, samples[i]);
        if (!inside(plot, p.x)) {
            continue;
        }
        if (havePrevious && joinsAcross(plot, previous.x, p.x)) {
            painter.setPen(pens.white);
            painter.drawLine(previous.x, previous.yWH, p.x, p.yWH);
            painter.setPen(pens.yellow);
            painter.drawLine(previous.x, previous.yYE, p.x, p.yYE);
        }
        previous = p;
        havePrevious = true;
    }
}

// Consecutive samples on one pixel column, reduced to what they draw there.
struct ColumnRun {
    std::size_t begin = 0; // first sample of the run
    std::size_t end = 0;   // one past the last
    int x = 0;
    int count = 0;
    int firstWH = 0, lastWH = 0, minWH = 0, maxWH = 0;
    int firstYE = 0, lastYE = 0, minYE = 0, maxYE = 0;

    void start(std::size_t index, const Point& p) {
        begin = index;
        end = index + 1;
        x = p.x;
        count = 1;
        firstWH = lastWH = minWH = maxWH = p.yWH;
        firstYE = lastYE = minYE = maxYE = p.yYE;
    }
    void add(std::size_t index, const Point& p) {
        end = index + 1;
        ++count;
        lastWH = p.yWH;
        minWH = std::min(minWH, p.yWH);
        maxWH = std::max(maxWH, p.yWH);
        lastYE = p.yYE;
        minYE = std::min(minYE, p.yYE);
        maxYE = std::max(maxYE, p.yYE);
    }
};

// The pixels a vertical line from (x, y1) to (x, y2) covers with a pen,
// relative to its ends: columns x + left .. x + right, rows y1 + top ..
// y2 + bottom (y1 < y2). Measured by drawing one, so that it is the painter's
// own rasterisation whatever the pen's width.
struct StrokeFootprint {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    bool drawsPoints = false; // a line of length 0 leaves pixels
};

QRect paintedArea(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

StrokeFootprint verticalFootprint(const QPen& pen) {
    static QPen measuredPen;
    static StrokeFootprint measured;
    static bool have = false;
    if (have && measuredPen == pen) {
        return measured;
    }
    const int reach = static_cast<int>(pen.widthF()) + 4;
    const int x = reach;
    const int y1 = reach;
    const int y2 = reach + 10;
    QImage image(2 * reach + 1, 2 * reach + 11, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPen opaque = pen;
    opaque.setColor(Qt::black);
    {
        QPainter painter(&image);
        painter.setPen(opaque);
        painter.drawLine(x, y1, x, y2);
    }
    const QRect line = paintedArea(image);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setPen(opaque);
        painter.drawLine(x, y1, x, y1);
    }
    measured = {line.left() - x, line.right() - x, line.top() - y1, line.bottom() - y2,
                !paintedArea(image).isEmpty()};
    measuredPen = pen;
    have = true;
    return measured;
}

struct Span {
    int low;
    int high;
    bool meets(const Span& other, int margin) const {
        return low - margin <= other.high && high + margin >= other.low;
    }
};

// Lines go out in batches, one pen per curve: switching the pen for every
// line costs more than the lines. Within a column run the order of the two
// colours matters only where the curves touch; such a run is drawn sample by
// sample as the plain way does. Across runs, drawing a batch's white lines
// before its yellow ones changes nothing as long as no white line of a later
// run can touch a yellow one still waiting; when it could, the batch goes first.
class CurveBatch {
public:
    CurveBatch(QPainter& painter, const PlotBox& plot, const CurvePens& pens,
               const std::vector<RecordSample>& samples)
        : painter_(painter), plot_(plot), pens_(pens), samples_(samples),
          // Half a pen and a pixel to either side of a line may be covered.
          margin_(static_cast<int>(std::max(pens.white.widthF(), pens.yellow.widthF())) + 2) {
        white_.reserve(kBatch + 2);
        yellow_.reserve(kBatch + 2);
        whiteRects_.reserve(kBatch + 2);
        yellowRects_.reserve(kBatch + 2);
        waitingYellow_.assign(static_cast<std::size_t>(plot.width() + 1), kNothing);
        footprint_ = verticalFootprint(pens.white);
    }
    ~CurveBatch() { flush(); }

    void run(const ColumnRun& r, const ColumnRun* joinedFrom) {
        Span white{r.minWH, r.maxWH};
        Span yellow{r.minYE, r.maxYE};
        if (joinedFrom != nullptr) {
            white = {std::min(white.low, joinedFrom->lastWH),
                     std::max(white.high, joinedFrom->lastWH)};
            yellow = {std::min(yellow.low, joinedFrom->lastYE),
                      std::max(yellow.high, joinedFrom->lastYE)};
        }
        if (white.meets(yellow, margin_)) {
            flush();
            drawSampleBySample(r, joinedFrom);
            return;
        }
        const int xLow = joinedFrom != nullptr ? std::min(joinedFrom->x, r.x) : r.x;
        const int xHigh = joinedFrom != nullptr ? std::max(joinedFrom->x, r.x) : r.x;
        if (!touched_.empty() && touchesWaitingYellow(white, xLow, xHigh)) {
            flush();
        }
        if (joinedFrom != nullptr) {
            white_.append(QLine(joinedFrom->x, joinedFrom->lastWH, r.x, r.firstWH));
            yellow_.append(QLine(joinedFrom->x, joinedFrom->lastYE, r.x, r.firstYE));
        }
        if (r.count > 1) {
            addVertical(white_, whiteRects_, r.x, r.minWH, r.maxWH);
            addVertical(yellow_, yellowRects_, r.x, r.minYE, r.maxYE);
        }
        if (yellow_.isEmpty() && yellowRects_.isEmpty()) {
            return;
        }
        for (int x = xLow; x <= xHigh; ++x) {
            Span& waiting = waitingYellow_[static_cast<std::size_t>(x - plot_.left)];
            if (waiting.low > waiting.high) {
                touched_.push_back(x - plot_.left);
            }
            waiting = {std::min(waiting.low, yellow.low), std::max(waiting.high, yellow.high)};
        }
        if (white_.size() + whiteRects_.size() >= kBatch) {
            flush();
        }
    }

    void flush() {
        drawCurve(pens_.white, white_, whiteRects_);
        drawCurve(pens_.yellow, yellow_, yellowRects_);
        for (int column : touched_) {
            waitingYellow_[static_cast<std::size_t>(column)] = kNothing;
        }
        touched_.clear();
    }

private:
    static constexpr Span kNothing{std::numeric_limits<int>::max(),
                                   std::numeric_limits<int>::min()};

    // Whether white lines over columns xLow..xHigh and rows `white` could
    // touch a yellow line still waiting (a line may cover its neighbours).
    bool touchesWaitingYellow(const Span& white, int xLow, int xHigh) const {
        const int from = std::max(plot_.left, xLow - margin_);
        const int to = std::min(plot_.right, xHigh + margin_);
        for (int x = from; x <= to; ++x) {
            const Span& waiting = waitingYellow_[static_cast<std::size_t>(x - plot_.left)];
            if (waiting.low <= waiting.high && white.meets(waiting, margin_)) {
                return true;
            }
        }
        return false;
    }

    // A run where the curves touch: the entry lines as the plain way draws
    // them, then the column itself. Its segments all lie in the column, so the
    // colour each row ends with is worked out row by row (the last segment to
    // cover a row wins) and painted as rectangles of the pen's footprint.
    void drawSampleBySample(const ColumnRun& r, const ColumnRun* joinedFrom) {
        std::size_t i = r.begin;
        Point previous{};
        if (joinedFrom != nullptr) {
            previous = {joinedFrom->x, joinedFrom->lastWH, joinedFrom->lastYE};
        } else {
            while (i < r.end && pointOf(plot_, samples_[i]).x != r.x) {
                ++i;
            }
            if (i == r.end) {
                return;
            }
            previous = pointOf(plot_, samples_[i++]);
        }
        const int low = std::min(r.minWH, r.minYE) + footprint_.top;
        const int high = std::max(r.maxWH, r.maxYE) + footprint_.bottom;
        rows_.assign(static_cast<std::size_t>(high - low + 1), kNoCurve);
        bool entered = joinedFrom == nullptr;
        for (; i < r.end; ++i) {
            const Point p = pointOf(plot_, samples_[i]);
            if (p.x != r.x) {
                continue; // outside the plot
            }
            if (!entered) {
                painter_.setPen(pens_.white);
                painter_.drawLine(previous.x, previous.yWH, p.x, p.yWH);
                painter_.setPen(pens_.yellow);
                painter_.drawLine(previous.x, previous.yYE, p.x, p.yYE);
                entered = true;
            } else {
                cover(previous.yWH, p.yWH, kWhite, low);
                cover(previous.yYE, p.yYE, kYellow, low);
            }
            previous = p;
        }
        for (std::size_t row = 0; row < rows_.size();) {
            const std::uint8_t curve = rows_[row];
            std::size_t end = row + 1;
            while (end < rows_.size() && rows_[end] == curve) {
                ++end;
            }
            if (curve != kNoCurve) {
                painter_.fillRect(QRect(r.x + footprint_.left, low + static_cast<int>(row),
                                        footprint_.right - footprint_.left + 1,
                                        static_cast<int>(end - row)),
                                  curve == kWhite ? pens_.white.color() : pens_.yellow.color());
            }
            row = end;
        }
    }

    void cover(int y1, int y2, std::uint8_t curve, int low) {
        if (y1 == y2 && !footprint_.drawsPoints) {
            return;
        }
        const int from = std::min(y1, y2) + footprint_.top - low;
        const int to = std::max(y1, y2) + footprint_.bottom - low;
        std::fill(rows_.begin() + from, rows_.begin() + to + 1, curve);
    }

    // A vertical stroke is the rectangle of pixels the pen would cover, filled
    // directly: much cheaper than stroking a line. A stroke of length 0 stays a
    // line, with whatever the pen makes of it.
    void addVertical(QList<QLine>& lines, QList<QRect>& rects, int x, int low, int high) {
        if (low == high) {
            lines.append(QLine(x, low, x, high));
            return;
        }
        rects.append(QRect(QPoint(x + footprint_.left, low + footprint_.top),
                           QPoint(x + footprint_.right, high + footprint_.bottom)));
    }

    void drawCurve(const QPen& pen, QList<QLine>& lines, QList<QRect>& rects) {
        if (!lines.isEmpty()) {
            painter_.setPen(pen);
            painter_.drawLines(lines);
            lines.clear();
        }
        for (const QRect& r : rects) {
            painter_.fillRect(r, pen.color());
        }
        rects.clear();
    }

    static constexpr std::uint8_t kNoCurve = 0;
    static constexpr std::uint8_t kWhite = 1;
    static constexpr std::uint8_t kYellow = 2;

    static constexpr qsizetype kBatch = 4096;
    QPainter& painter_;
    const PlotBox& plot_;
    const CurvePens& pens_;
    const std::vector<RecordSample>& samples_;
    int margin_;
    QList<QLine> white_;
    QList<QLine> yellow_;
    QList<QRect> whiteRects_;
    QList<QRect> yellowRects_;
    // Per column of the plot: the rows of the yellow lines waiting.
    std::vector<Span> waitingYellow_;
    std::vector<int> touched_;
    StrokeFootprint footprint_;
    std::vector<std::uint8_t> rows_;
};

// A run of the envelope in pixels of this plot. The y axis falls as the
// amplitude rises, so the highest amplitude gives the lowest row.
ColumnRun runOnPlot(const PlotBox& plot, const EnvelopeRun& e) {
    ColumnRun r;
    r.begin = e.begin;
    r.end = e.end;
    r.x = e.x;
    r.count = e.count;
    r.firstWH = AmplitudePlot::yOfAmplitude(plot, e.firstWH);
    r.lastWH = AmplitudePlot::yOfAmplitude(plot, e.lastWH);
    r.minWH = AmplitudePlot::yOfAmplitude(plot, e.highWH);
    r.maxWH = AmplitudePlot::yOfAmplitude(plot, e.lowWH);
    r.firstYE = AmplitudePlot::yOfAmplitude(plot, e.firstYE);
    r.lastYE = AmplitudePlot::yOfAmplitude(plot, e.lastYE);
    r.minYE = AmplitudePlot::yOfAmplitude(plot, e.highYE);
    r.maxYE = AmplitudePlot::yOfAmplitude(plot, e.lowYE);
    return r;
}

void drawRuns(QPainter& painter, const PlotBox& plot, const CurvePens& pens,
              const std::vector<RecordSample>& samples, const AmplitudeEnvelope& envelope) {
    CurveBatch batch(painter, plot, pens, samples);
    bool havePrevious = false;
    ColumnRun previous;
    for (const EnvelopeRun& e : envelope.runs()) {
        const ColumnRun current = runOnPlot(plot, e);
        const bool joined = havePrevious && joinsAcross(plot, previous.x, current.x);
        batch.run(current, joined ? &previous : nullptr);
        previous = current;
        havePrevious = true;
    }
}

// Turns laid over each other: one bar per column and head from the lowest to
// the highest point any stroke reaches there. The bar is the pen's vertical
// stroke widened on every side: the square cap of a slanted joining line
// reaches up to width / sqrt(2) past its end, a vertical stroke's only half
// the width. Yellow on top, as the newest samples would leave it.
void drawColumnBars(QPainter& painter, const PlotBox& plot, const CurvePens& pens,
                    const AmplitudeEnvelope& envelope) {
    const StrokeFootprint f = verticalFootprint(pens.white);
    const int slack = static_cast<int>(std::ceil(0.25 * pens.white.widthF()));
    const std::vector<EnvelopeColumn>& columns = envelope.columns();
    auto bars = [&](const QColor& colour, bool white) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const EnvelopeColumn& c = columns[i];
            if (!c.used) {
                continue;
            }
            const int x = envelope.left() + static_cast<int>(i);
            const int top = AmplitudePlot::yOfAmplitude(plot, white ? c.highWH : c.highYE);
            const int bottom = AmplitudePlot::yOfAmplitude(plot, white ? c.lowWH : c.lowYE);
            painter.fillRect(QRect(QPoint(x + f.left - slack, top + f.top - slack),
                                   QPoint(x + f.right + slack, bottom + f.bottom + slack)),
                             colour);
        }
    };
    bars(pens.white.color(), true);
    bars(pens.yellow.color(), false);
}

// The envelopes of the recordings drawn lately, one per recording and
// horizontal scale (the window and the printed report differ), brought up to
// date with the samples appended since the last drawing. A recording is known
// by its container and checked by a few of its samples, so a cleared or
// replaced recording is taken in afresh.
class EnvelopeCache {
public:
    struct Entry {
        const std::vector<RecordSample>* recording = nullptr;
        AmplitudeEnvelope envelope;
        ReferenceIndex references;
        std::vector<RecordSample> witnesses;
        unsigned lastUse = 0;
    };

    // The entry for this recording and plot, created when `create`.
    Entry* find(const PlotBox& plot, const std::vector<RecordSample>& samples, bool create) {
        ++clock_;
        for (Entry& e : entries_) {
            if (e.recording == &samples && e.envelope.left() == plot.left &&
                e.envelope.right() == plot.right) {
                if (!stillHolds(e, samples)) {
                    e = Entry{&samples, AmplitudeEnvelope(plot.left, plot.right), {}, {}, 0};
                }
                bringUpToDate(e, samples);
                return &e;
            }
        }
        if (!create) {
            return nullptr;
        }
        if (entries_.size() >= kEntries) {
            entries_.erase(std::min_element(
                entries_.begin(), entries_.end(),
                [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; }));
        }
        entries_.push_back(Entry{&samples, AmplitudeEnvelope(plot.left, plot.right), {}, {}, 0});
        bringUpToDate(entries_.back(), samples);
        return &entries_.back();
    }

private:
    static constexpr std::size_t kEntries = 6;

    static std::vector<std::size_t> witnessIndices(std::size_t covered) {
        if (covered == 0) {
            return {};
        }
        return {0, covered / 3, covered / 2, covered - 1};
    }

    static bool same(const RecordSample& a, const RecordSample& b) {
        return a.time == b.time && a.position == b.position && a.amplitudeWH == b.amplitudeWH &&
               a.amplitudeYE == b.amplitudeYE && a.isReference == b.isReference;
    }

    static bool stillHolds(const Entry& e, const std::vector<RecordSample>& samples) {
        const std::size_t covered = e.envelope.covered();
        if (samples.size() < covered) {
            return false;
        }
        const std::vector<std::size_t> at = witnessIndices(covered);
        for (std::size_t k = 0; k < at.size(); ++k) {
            if (!same(e.witnesses[k], samples[at[k]])) {
                return false;
            }
        }
        return true;
    }

    void bringUpToDate(Entry& e, const std::vector<RecordSample>& samples) {
        e.lastUse = clock_;
        const std::size_t from = e.envelope.covered();
        if (from == samples.size()) {
            return;
        }
        for (std::size_t i = from; i < samples.size(); ++i) {
            if (samples[i].isReference) {
                e.references.add(samples, i);
            }
        }
        e.envelope.extend(samples);
        e.witnesses.clear();
        for (std::size_t i : witnessIndices(e.envelope.covered())) {
            e.witnesses.push_back(samples[i]);
        }
    }

    std::vector<Entry> entries_;
    unsigned clock_ = 0;
};

EnvelopeCache& envelopeCache() {
    static EnvelopeCache cache;
    return cache;
}

// The plots are drawn on the user-interface thread; a report rendered on
// another would share the cache, so it is taken for the drawing.
std::mutex& envelopeCacheMutex() {
    static std::mutex mutex;
    return mutex;
}

void drawColumnExtremes(QPainter& painter, const PlotBox& plot, const CurvePens& pens,
                        const std::vector<RecordSample>& samples, ReferenceIndex* references) {
    const std::lock_guard<std::mutex> lock(envelopeCacheMutex());
    const EnvelopeCache::Entry* entry = envelopeCache().find(plot, samples, true);
    if (references != nullptr) {
        *references = entry->references;
    }
    if (entry->envelope.hasRuns()) {
        drawRuns(painter, plot, pens, samples, entry->envelope);
    } else {
        drawColumnBars(painter, plot, pens, entry->envelope);
    }
}

} // namespace

PlotBox AmplitudePlot::frame(const PlotTarget& target) {
    const StartRect r = startRect(target);
    const int d = r.bottom - r.top;
    PlotBox box;
    box.top = r.top + d / 30;
    box.bottom = r.bottom - d / 2 - d / 20;
    box.left = plotLeft(r, target.gx());
    box.right = plotRight(r, target.gx());
    return box;
}

int AmplitudePlot::yOfAmplitude(const PlotBox& plot, double percent) {
    const double y = plot.bottom - percent * plot.height() / kTopPercent;
    return std::clamp(static_cast<int>(y), plot.top, plot.bottom);
}

int AmplitudePlot::yOfGridLine(const PlotBox& plot, int percent) {
    return plot.bottom - (percent / 10) * plot.height() / 12;
}

void drawAmplitudePlot(QPainter& painter, const PlotTarget& target,
                       const std::vector<RecordSample>& samples, PlotMode mode, PlotDetail detail,
                       ReferenceIndex* references, const ComparisonRecording* comparison) {
    if (references != nullptr && mode == PlotMode::Full) {
        references->clear();
    } else {
        references = nullptr;
    }
    const PlotBox plot = AmplitudePlot::frame(target);
    if (plot.width() <= 0 || plot.height() <= 0) {
        if (references != nullptr) {
            *references = ReferenceIndex::of(samples);
        }
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const CurvePens pens = curvePens(target);
    if (mode == PlotMode::Full) {
        drawBackground(painter, target, plot);
        if (comparison != nullptr && comparison->samples != nullptr) {
            drawColumnExtremes(painter, plot, curvePens(target, true), *comparison->samples,
                               nullptr);
        }
        if (detail == PlotDetail::EverySample) {
            drawEverySample(painter, plot, pens, samples, 0, references);
        } else {
            drawColumnExtremes(painter, plot, pens, samples, references);
        }
    } else if (samples.size() >= 2) {
        // Keeps the envelope of a recording on show current, so that the next
        // full redraw has only this sample to take in.
        {
            const std::lock_guard<std::mutex> lock(envelopeCacheMutex());
            envelopeCache().find(plot, samples, false);
        }
        drawEverySample(painter, plot, pens, samples, samples.size() - 2, nullptr);
    }
    painter.restore();
}
