#include "recorder/widgets/PlotGeometry.h"

#include <cmath>
#include <cstdlib>

StartRect plotStartRect(const PlotTarget& target, double topMm) {
    const QRect& a = target.area;
    if (!target.printer) {
        return {a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
    }
    return {a.left() + static_cast<int>(20.0 * target.sx),
            a.top() + static_cast<int>(topMm * target.sy),
            a.left() + static_cast<int>(200.0 * target.sx),
            a.top() + static_cast<int>(297.0 * target.sy)};
}

int plotLeft(const StartRect& r, double gx) {
    const int w = r.right - r.left;
    return r.left + w / 50 + static_cast<int>(30.0 * gx);
}

int plotRight(const StartRect& r, double gx) {
    const int w = r.right - r.left;
    return r.right - static_cast<int>(15.0 * gx) - w / 40;
}

QRect titleStrip(int stripTop, const PlotBox& plot) {
    return QRect(plot.left, stripTop, plot.right - plot.left, plot.top - stripTop);
}

int xOfAngle(const PlotBox& plot, double degrees) {
    return static_cast<int>(plot.left + degrees * plot.width() / 360.0);
}

int xOfGridLine(const PlotBox& plot, int i) {
    return plot.left + i * plot.width() / 8;
}

bool joinsAcross(const PlotBox& plot, int x1, int x2) {
    return std::abs(x1 - x2) < 90.0 * plot.width() / 360.0;
}
