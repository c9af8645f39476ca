#include "recorder/widgets/PlotStyle.h"

#include <QColor>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

QFont plotFont(double height, double width, int weight, bool fixedPitch) {
    QFont font(fixedPitch ? QStringLiteral("Pica") : QStringLiteral("Arial"));
    font.setStyleHint(fixedPitch ? QFont::TypeWriter : QFont::SansSerif);
    font.setFixedPitch(fixedPitch);
    // The height is the character cell (ascent and descent); the em is about
    // seven eighths of it for these faces.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * 0.87))));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
    const double natural = QFontMetricsF(font).averageCharWidth();
    if (natural > 0.0 && width > 0.0) {
        font.setStretch(
            std::clamp(static_cast<int>(std::lround(100.0 * width / natural)), 50, 200));
    }
    return font;
}

QPen plotPen(QRgb colour, double width) {
    QPen pen(QColor::fromRgb(colour), std::max(1.0, width));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}
