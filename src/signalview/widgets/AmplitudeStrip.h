#pragma once
// Both heads' amplitudes over the last 60 s as a strip chart: a linear percent
// scale with numbers on the left, the amplitude bars' colour bands behind the
// curves, the newest value at the right edge. Each pixel column draws the
// lowest to the highest value that fell into it.

#include "signalview/AmplitudeHistory.h"

#include <QImage>
#include <QRectF>
#include <QWidget>

#include <vector>

class QPainter;

class AmplitudeStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr double kTopPercent = 150.0;
    static constexpr double kScaleStep = 25.0;
    // Room for the scale's numbers, in pixels.
    static constexpr int kScaleWidth = 34;

    explicit AmplitudeStrip(QWidget* parent = nullptr);

    // The history must outlive the chart.
    void setHistory(const AmplitudeHistory* history);

    // --- geometry, pure ---
    // The chart's plotting area within the widget's rectangle.
    static QRectF chartArea(const QRectF& widget);
    // Height of a percentage (clamped to 0..kTopPercent) in the chart.
    static double levelY(double percent, const QRectF& chart);
    // The scale's numbered percentages, bottom up.
    static std::vector<double> scaleMarks();
    // Where each colour band of the bars begins and ends, in percent, bottom up,
    // with its bar band.
    struct Band {
        double from;
        double to;
        int band; // BarBand as int: 0 light red, 1 light yellow, 2 light green
    };
    static std::vector<Band> bands();

    // Bands, grid, scale and frame for a chart of `size` on a display of
    // `depth` bits (which decides the bands' shades, as for the bars).
    static QImage background(QSize size, int depth);
    // The two curves, one filled column per pixel.
    static void drawCurves(QPainter& painter, const QRectF& chart, const AmplitudeHistory& history);
    // The whole chart into `image`; what paintEvent shows.
    static void render(QImage& image, const AmplitudeHistory* history, int depth);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const AmplitudeHistory* history_ = nullptr;
    QImage background_; // for the current size
};
