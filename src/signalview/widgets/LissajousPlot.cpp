#include "signalview/widgets/LissajousPlot.h"

#include "signalview/widgets/SignalViewColours.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

QColor colour(Rgb c, int alpha = 255) {
    return QColor(c.r, c.g, c.b, alpha);
}

constexpr int kFittedSteps = 96;
constexpr double kMargin = 4.0; // between the frame and the 125 % square

void drawRing(QPainter& p, const QRectF& square, double percent, const QPen& pen) {
    const double r = percent * LissajousPlot::pixelsPerPercent(square);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(square.center(), r, r);
}

} // namespace

LissajousPlot::LissajousPlot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LissajousPlot::setData(const SignalTrace* trace, const std::optional<HeadFit>* fit) {
    trace_ = trace;
    fit_ = fit;
    update();
}

QRectF LissajousPlot::plotSquare(const QRectF& area, double margin) {
    const double side = std::max(0.0, std::min(area.width(), area.height()) - 2.0 * margin);
    return QRectF(area.center().x() - side / 2.0, area.center().y() - side / 2.0, side, side);
}

double LissajousPlot::pixelsPerPercent(const QRectF& square) {
    return square.width() / (2.0 * kFullScale);
}

QPointF LissajousPlot::toPixel(double x, double y, const QRectF& square) {
    const double k = pixelsPerPercent(square);
    return {square.center().x() + x * k, square.center().y() - y * k};
}

int LissajousPlot::fadeLevel(std::size_t i, std::size_t count) {
    if (count == 0 || i >= count) {
        return kFadeLevels - 1;
    }
    const std::size_t age = count - 1 - i; // 0 the newest
    return static_cast<int>(age * kFadeLevels / std::max<std::size_t>(count, 1));
}

int LissajousPlot::fadeAlpha(int level) {
    // From opaque down to a faint trace that still shows where the figure was.
    return 255 - level * (255 - 40) / (kFadeLevels - 1);
}

QImage LissajousPlot::background(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const QRectF area(image.rect());
    QPainter p(&image);
    p.fillRect(area, colour(signalcolour::kPlotGround));
    p.setPen(QPen(colour(signalcolour::kFrame), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area.adjusted(0, 0, -1, -1));

    const QRectF square = plotSquare(area, kMargin);
    const QPointF c = square.center();
    p.setRenderHint(QPainter::Antialiasing, true);

    // Cross through the origin and the rings.
    p.setPen(QPen(colour(signalcolour::kAxis), 1));
    p.drawLine(QPointF(square.left(), c.y()), QPointF(square.right(), c.y()));
    p.drawLine(QPointF(c.x(), square.top()), QPointF(c.x(), square.bottom()));
    QPen limit(colour(signalcolour::kLimitRing), 1, Qt::DashLine);
    drawRing(p, square, kLowerLimit, limit);
    drawRing(p, square, kUpperLimit, limit);
    drawRing(p, square, kIdealRadius, QPen(colour(signalcolour::kIdealCircle), 1.5));

    // Ring labels on the axis to the right, just above it: 90 inside its
    // ring and the others outside, so that 90 and 100 do not run together.
    QFont small = p.font();
    small.setPixelSize(std::max(8, static_cast<int>(square.width() / 28)));
    p.setFont(small);
    p.setPen(colour(signalcolour::kScaleText));
    const QFontMetricsF metrics(small);
    for (double r : {kLowerLimit, kUpperLimit, kIdealRadius}) {
        const QString label = QString::number(static_cast<int>(r));
        const QPointF at = toPixel(r, 0, square);
        const double x =
            r == kUpperLimit ? at.x() - metrics.horizontalAdvance(label) - 2 : at.x() + 2;
        p.drawText(QPointF(x, at.y() - 3), label);
    }
    return image;
}

void LissajousPlot::plotPoints(QImage& canvas, const QRectF& square, const SignalTrace& trace) {
    if (canvas.format() != QImage::Format_RGB32 && canvas.format() != QImage::Format_ARGB32 &&
        canvas.format() != QImage::Format_ARGB32_Premultiplied) {
        return;
    }
    // Each shade as the opaque colour it gives on the ground; a newer point
    // simply covers an older one.
    QRgb shade[kFadeLevels];
    const Rgb ink = signalcolour::kPoint;
    const Rgb ground = signalcolour::kPlotGround;
    for (int level = 0; level < kFadeLevels; ++level) {
        const int a = fadeAlpha(level);
        const auto mix = [a](int top, int below) { return (top * a + below * (255 - a)) / 255; };
        shade[level] = qRgb(mix(ink.r, ground.r), mix(ink.g, ground.g), mix(ink.b, ground.b));
    }
    const int w = canvas.width() - 1; // a point covers x and x + 1
    const int h = canvas.height() - 1;
    const double k = pixelsPerPercent(square);
    const double cx = square.center().x();
    const double cy = square.center().y();
    uchar* bits = canvas.bits();
    const qsizetype stride = canvas.bytesPerLine();
    const std::size_t n = trace.size();
    trace.forEach([&](std::size_t i, const SignalPoint& pt) {
        const double fx = std::floor(cx + pt.x * k);
        const double fy = std::floor(cy - pt.y * k);
        if (!(fx >= 0.0 && fx < w && fy >= 0.0 && fy < h)) {
            return; // outside, or not a number
        }
        const int x = static_cast<int>(fx);
        const int y = static_cast<int>(fy);
        const QRgb c = shade[fadeLevel(i, n)];
        auto* row0 = reinterpret_cast<QRgb*>(bits + y * stride) + x;
        auto* row1 = reinterpret_cast<QRgb*>(bits + (y + 1) * stride) + x;
        row0[0] = row0[1] = row1[0] = row1[1] = c;
    });
}

void LissajousPlot::drawFit(QPainter& p, const QRectF& square, const HeadFit& f) {
    p.setRenderHint(QPainter::Antialiasing, true);
    QPointF outline[kFittedSteps + 1];
    for (int i = 0; i <= kFittedSteps; ++i) {
        const SignalPoint pt = fittedPoint(f, 2.0 * std::numbers::pi * i / kFittedSteps);
        outline[i] = toPixel(pt.x, pt.y, square);
    }
    // A thin pen: a wide one is stroked as a polygon, many times the cost.
    p.setPen(QPen(colour(signalcolour::kFittedFigure), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(outline, kFittedSteps + 1);
    const QPointF centre = toPixel(f.centreX, f.centreY, square);
    p.drawLine(centre + QPointF(-5, 0), centre + QPointF(5, 0));
    p.drawLine(centre + QPointF(0, -5), centre + QPointF(0, 5));
}

void LissajousPlot::render(QImage& image, const SignalTrace* trace,
                           const std::optional<HeadFit>* fit) {
    image = background(image.size());
    const QRectF square = plotSquare(QRectF(image.rect()), kMargin);
    if (trace) {
        plotPoints(image, square, *trace);
    }
    if (fit && *fit) {
        QPainter p(&image);
        drawFit(p, square, **fit);
    }
}

void LissajousPlot::paintEvent(QPaintEvent*) {
    if (background_.size() != size()) {
        background_ = background(size());
    }
    canvas_ = background_.copy(); // one copy; the points go straight into it
    const QRectF square = plotSquare(QRectF(rect()), kMargin);
    if (trace_) {
        plotPoints(canvas_, square, *trace_);
    }
    QPainter p(this);
    p.drawImage(0, 0, canvas_);
    if (fit_ && *fit_) {
        drawFit(p, square, **fit_);
    }
}
