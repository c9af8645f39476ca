#pragma once
// One head's Lissajous figure: channel A across, channel B up, scaled so that
// the distance from the centre reads as the amplitude in percent. The ideal
// circle at 100 %, dashed rings at the 30 % and 90 % limits, the last points
// with older ones fading, and the fitted ellipse with its centre.

#include "signalview/EllipseFit.h"
#include "signalview/SignalTrace.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QWidget>

#include <optional>

class QPainter;

class LissajousPlot : public QWidget {
    Q_OBJECT
public:
    // The plot reaches this far from the centre, in percent.
    static constexpr double kFullScale = 125.0;
    static constexpr double kIdealRadius = 100.0;
    static constexpr double kLowerLimit = 30.0;
    static constexpr double kUpperLimit = 90.0;
    // Shades from the newest points to the oldest.
    static constexpr int kFadeLevels = 8;

    explicit LissajousPlot(QWidget* parent = nullptr);

    // What to draw; both must outlive the plot. `fit` may be empty.
    void setData(const SignalTrace* trace, const std::optional<HeadFit>* fit);

    // --- geometry, pure ---
    // The largest square centred in `area`, inset by `margin` pixels.
    static QRectF plotSquare(const QRectF& area, double margin);
    // Pixels per percent in that square.
    static double pixelsPerPercent(const QRectF& square);
    // Where a point in percent lies (B up).
    static QPointF toPixel(double x, double y, const QRectF& square);
    // Shade of point i of `count` (0 the oldest): 0 the newest shade,
    // kFadeLevels - 1 the palest.
    static int fadeLevel(std::size_t i, std::size_t count);
    // Opacity 0..255 of a shade.
    static int fadeAlpha(int level);

    // What does not change with the points: ground, frame, axes, rings and
    // their numbers, for a plot of `size`.
    static QImage background(QSize size);
    // The points, 2 x 2 pixels each, written straight into `canvas` (which
    // holds the background), oldest first in fading shades: thousands of
    // points cost microseconds this way, where a painter takes milliseconds.
    static void plotPoints(QImage& canvas, const QRectF& square, const SignalTrace& trace);
    // The fitted ellipse and a cross at its centre.
    static void drawFit(QPainter& painter, const QRectF& square, const HeadFit& fit);
    // The whole plot into `image` (any size); what paintEvent shows.
    static void render(QImage& image, const SignalTrace* trace, const std::optional<HeadFit>* fit);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const SignalTrace* trace_ = nullptr;
    const std::optional<HeadFit>* fit_ = nullptr;
    QImage background_; // for the current size
    QImage canvas_;
};
