#include "signalview/widgets/LissajousPlot.h"

#include "signalview/widgets/SignalViewColours.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

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
    const int w = canvas.width();
    const int h = canvas.height();
    const Rgb ink = signalcolour::kPoint;
    const std::size_t n = trace.size();
    for (std::size_t i = 0; i < n; ++i) {
        const SignalPoint pt = trace.at(i);
        const QPointF at = toPixel(pt.x, pt.y, square);
        if (!std::isfinite(at.x()) || !std::isfinite(at.y())) {
            continue;
        }
        const int x0 = static_cast<int>(std::floor(at.x()));
        const int y0 = static_cast<int>(std::floor(at.y()));
        const int alpha = fadeAlpha(fadeLevel(i, n));
        for (int y = y0; y < y0 + 2; ++y) {
            if (y < 0 || y >= h) {
                continue;
            }
            auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
            for (int x = x0; x < x0 + 2; ++x) {
                if (x < 0 || x >= w) {
                    continue;
                }
                const QRgb under = line[x];
                const auto mix = [alpha](int top, int below) {
                    return (top * alpha + below * (255 - alpha)) / 255;
                };
                line[x] = qRgb(mix(ink.r, qRed(under)), mix(ink.g, qGreen(under)),
                               mix(ink.b, qBlue(under)));
            }
        }
    }
}

void LissajousPlot::drawFit(QPainter& p, const QRectF& square, const HeadFit& f) {
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    for (int i = 0; i <= kFittedSteps; ++i) {
        const SignalPoint pt = fittedPoint(f, 2.0 * std::numbers::pi * i / kFittedSteps);
        const QPointF at = toPixel(pt.x, pt.y, square);
        if (i == 0) {
            path.moveTo(at);
        } else {
            path.lineTo(at);
        }
    }
    p.setPen(QPen(colour(signalcolour::kFittedFigure), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
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
