#include "recorder/widgets/PlotGrid.h"

#include "recorder/widgets/PlotStyle.h"

#include <QPainter>

void drawPlotTitle(QPainter& painter, const PlotTarget& target, const QRect& strip,
                   const QString& title) {
    painter.setFont(plotFont(20.0 * target.gy(), 10.0 * target.gx(), 300));
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(strip, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);
}

void drawAngleGrid(QPainter& painter, const PlotTarget& target, const PlotBox& plot,
                   const QPen& pen, const QFont& labelFont) {
    const int half = static_cast<int>(15.0 * target.gx());
    const int labelHeight = static_cast<int>(15.0 * target.gy());
    painter.setFont(labelFont);
    for (int i = 0; i <= 8; ++i) {
        const int x = xOfGridLine(plot, i);
        painter.setPen(pen);
        painter.drawLine(x, plot.top, x, plot.bottom + 1);
        painter.setPen(Qt::black);
        painter.drawText(QRect(x - half, plot.bottom, 2 * half, labelHeight),
                         Qt::AlignCenter | Qt::TextSingleLine, QString::number(i * 45));
    }
}

QFont plotLabelFont(const PlotTarget& target) {
    return target.printer ? plotFont(2.0 * target.sy, 1.0 * target.sx, 300)
                          : plotFont(8.0, 6.0, 300);
}

QPen thinGridPen(const PlotTarget& target) {
    return plotPen(qRgb(0, 0, 0), target.printer ? 0.2 * target.sy : 1.0);
}

QPen thickGridPen(const PlotTarget& target) {
    return plotPen(qRgb(0, 0, 0), target.printer ? 0.4 * target.sy : 2.0);
}
