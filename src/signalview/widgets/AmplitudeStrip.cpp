#include "signalview/widgets/AmplitudeStrip.h"

#include "display/AmplitudeScale.h"
#include "display/BarColours.h"
#include "signalview/widgets/SignalViewColours.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QColor colour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// The band borders of the bars, in percent of amplitude.
constexpr double kRedBelow = 30.0;
constexpr double kYellowBelow = 50.0;
constexpr double kGreenBelow = 85.0;
constexpr double kRedFrom = 95.0;

void drawColumns(QPainter& p, const QRectF& chart, const AmplitudeHistory& history, Head head,
                 Rgb c) {
    const int columns = static_cast<int>(chart.width());
    const std::vector<ColumnRange> ranges = history.columnRanges(columns, head);
    std::vector<QRect> bars;
    bars.reserve(ranges.size());
    int lastY = -1;
    for (int i = 0; i < columns; ++i) {
        const ColumnRange& r = ranges[static_cast<std::size_t>(i)];
        if (r.empty) {
            lastY = -1;
            continue;
        }
        const int x = static_cast<int>(chart.left()) + i;
        int top = static_cast<int>(AmplitudeStrip::levelY(r.high, chart));
        int bottom = static_cast<int>(AmplitudeStrip::levelY(r.low, chart));
        // Joined to the neighbour on the left so that the curve has no gaps.
        if (lastY >= 0) {
            top = std::min(top, lastY);
            bottom = std::max(bottom, lastY);
        }
        bars.emplace_back(x, top - 1, 1, bottom - top + 2);
        lastY = static_cast<int>(AmplitudeStrip::levelY((r.low + r.high) / 2.0, chart));
    }
    // One call for the whole curve.
    p.setPen(Qt::NoPen);
    p.setBrush(colour(c));
    p.drawRects(bars.data(), static_cast<int>(bars.size()));
}

} // namespace

AmplitudeStrip::AmplitudeStrip(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AmplitudeStrip::setHistory(const AmplitudeHistory* history) {
    history_ = history;
    update();
}

QRectF AmplitudeStrip::chartArea(const QRectF& widget) {
    return widget.adjusted(kScaleWidth, 6, -4, -6);
}

double AmplitudeStrip::levelY(double percent, const QRectF& chart) {
    const double v = std::clamp(std::isfinite(percent) ? percent : 0.0, 0.0, kTopPercent);
    return chart.bottom() - v / kTopPercent * chart.height();
}

std::vector<double> AmplitudeStrip::scaleMarks() {
    std::vector<double> marks;
    for (double v = 0.0; v <= kTopPercent + 1e-9; v += kScaleStep) {
        marks.push_back(v);
    }
    return marks;
}

std::vector<AmplitudeStrip::Band> AmplitudeStrip::bands() {
    return {
        {0.0, kRedBelow, static_cast<int>(BarBand::LightRed)},
        {kRedBelow, kYellowBelow, static_cast<int>(BarBand::LightYellow)},
        {kYellowBelow, kGreenBelow, static_cast<int>(BarBand::LightGreen)},
        {kGreenBelow, kRedFrom, static_cast<int>(BarBand::LightYellow)},
        {kRedFrom, kTopPercent, static_cast<int>(BarBand::LightRed)},
    };
}

QImage AmplitudeStrip::background(QSize size, int depth) {
    QImage image(size, QImage::Format_RGB32);
    const QRectF area(image.rect());
    QPainter p(&image);
    p.fillRect(area, colour(signalcolour::kPlotGround));
    const QRectF chart = chartArea(area);
    const BarShades shades = barShades(depth);
    for (const Band& b : bands()) {
        const Rgb shade = b.band == static_cast<int>(BarBand::LightRed)      ? shades.red
                          : b.band == static_cast<int>(BarBand::LightYellow) ? shades.yellow
                                                                             : shades.green;
        const double top = levelY(b.to, chart);
        const double bottom = levelY(b.from, chart);
        p.fillRect(QRectF(chart.left(), top, chart.width(), bottom - top), colour(shade));
    }

    QFont small = p.font();
    small.setPixelSize(std::clamp(static_cast<int>(chart.height() / 9), 8, 12));
    p.setFont(small);
    for (double v : scaleMarks()) {
        const double y = levelY(v, chart);
        p.setPen(QPen(colour(signalcolour::kAxis), 1));
        p.drawLine(QPointF(chart.left(), y), QPointF(chart.right(), y));
        p.setPen(colour(signalcolour::kScaleText));
        p.drawLine(QPointF(chart.left() - 4, y), QPointF(chart.left(), y));
        const QRectF label(area.left(), y - 8, kScaleWidth - 6, 16);
        p.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(static_cast<int>(v)) + QLatin1String(" %"));
    }
    return image;
}

void AmplitudeStrip::drawCurves(QPainter& p, const QRectF& chart, const AmplitudeHistory& history) {
    p.save();
    p.setClipRect(chart);
    drawColumns(p, chart, history, Head::WH, signalcolour::kTraceWhiteHead);
    drawColumns(p, chart, history, Head::YE, signalcolour::kTraceYellowHead);
    p.restore();
    p.setPen(QPen(colour(signalcolour::kFrame), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(chart);
}

void AmplitudeStrip::render(QImage& image, const AmplitudeHistory* history, int depth) {
    image = background(image.size(), depth);
    QPainter p(&image);
    const QRectF chart = chartArea(QRectF(image.rect()));
    if (history) {
        drawCurves(p, chart, *history);
    }
}

void AmplitudeStrip::paintEvent(QPaintEvent*) {
    if (background_.size() != size()) {
        background_ = background(size(), depth());
    }
    QPainter p(this);
    p.drawImage(0, 0, background_);
    const AmplitudeHistory empty;
    drawCurves(p, chartArea(QRectF(rect())), history_ ? *history_ : empty);
}
