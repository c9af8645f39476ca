#include "display/AmplitudeBarLayout.h"

#include "display/AmplitudeScale.h"
#include "display/TextFormat.h"

#include <cmath>
#include <cstdlib>

namespace {

int part(double fraction, int size) {
    return static_cast<int>(fraction * size);
}

// Row of a scale mark: the level's height above the bar bottom, 2 pixels up.
int markRow(const AmplitudeBarGeometry& g, int percent) {
    return g.bottom - static_cast<int>(AmplitudeScale(percent) / 100.0 * g.barHeight) - 2;
}

} // namespace

AmplitudeBarGeometry AmplitudeBarGeometry::compute(const QRect& area) {
    const int w = area.width();
    const int h = area.height();
    AmplitudeBarGeometry g;
    g.barWidth = part(0.3, w);
    g.barHeight = part(0.75, h);
    g.gap = part(0.115, w);
    g.yeLeft = area.left() + (w - 2 * g.barWidth - g.gap) / 2 - 2;
    g.whLeft = g.yeLeft + g.barWidth + g.gap;
    g.textBoxWidth = part(0.305, w);
    g.textBoxHeight = part(0.075, h);
    g.textDistance = part(0.018, h);
    g.scaleInset = part(0.029, w);
    const int stack = g.barHeight + 2 * (g.textBoxHeight + g.textDistance);
    g.top = area.top() + (h - stack) / 2 + g.textBoxHeight + g.textDistance;
    g.bottom = g.top + g.barHeight;
    return g;
}

int AmplitudeBarGeometry::barLeft(Head sensor) const {
    return sensor == Head::YE ? yeLeft : whLeft;
}

QRect AmplitudeBarGeometry::bar(Head sensor) const {
    return QRect(barLeft(sensor), top, barWidth, barHeight);
}

QRect AmplitudeBarGeometry::percentBox(Head sensor) const {
    const int left = barLeft(sensor) + (barWidth - textBoxWidth) / 2;
    return QRect(left, bottom + textDistance, textBoxWidth, textBoxHeight);
}

QRect AmplitudeBarGeometry::labelBox(Head sensor) const {
    const int left = barLeft(sensor) + (barWidth - textBoxWidth) / 2;
    return QRect(left, top - textDistance - textBoxHeight, textBoxWidth, textBoxHeight);
}

std::vector<QLine> amplitudeScaleMarks(const AmplitudeBarGeometry& g) {
    std::vector<QLine> lines;
    const int x0 = g.yeLeft + g.barWidth + g.scaleInset;
    const int x1 = g.whLeft - g.scaleInset - 1;
    bool havePrevious = false;
    int previous = 0;
    // Every 10 %, and the red band's upper border at 95 % between 90 and 100.
    for (int i = 0; i <= 200; i = (i == 90 ? 95 : i == 95 ? 100 : i + 10)) {
        const int y = markRow(g, i);
        if (i == 30 || i == 95) {
            lines.emplace_back(x0 - 2, y, x1 + 2, y);
            lines.emplace_back(x0 - 2, y + 1, x1 + 2, y + 1);
        } else if (i >= 60 && i <= 80) {
            for (int dy = -1; dy <= 1; ++dy)
                lines.emplace_back(x0, y + dy, x1, y + dy);
        } else if (i >= 40 && i <= 90) {
            lines.emplace_back(x0, y, x1, y);
            lines.emplace_back(x0, y + 1, x1, y + 1);
        } else {
            if (havePrevious && std::abs(y - previous) <= 1)
                continue;
            lines.emplace_back(x0, y, x1, y);
        }
        previous = y;
        havePrevious = true;
    }
    return lines;
}

QRect amplitudeValueLine(const AmplitudeBarGeometry& g, Head sensor, double value) {
    int lineBottom = static_cast<int>(g.bottom - AmplitudeScale(value) / 100.0 * g.barHeight);
    if (lineBottom > g.bottom)
        lineBottom = g.bottom;
    if (lineBottom - 2 < g.top)
        lineBottom = g.top + 2;
    return QRect(g.barLeft(sensor), lineBottom - 2, g.barWidth, 2);
}

std::vector<BarFill> amplitudeBarFills(const AmplitudeBarGeometry& g, Head sensor,
                                       const AmplitudeTrack& track) {
    std::vector<BarFill> fills;
    const int x = g.barLeft(sensor);
    const int w = g.barWidth;
    const QRect line = amplitudeValueLine(g, sensor, track.value);
    const double hMin = AmplitudeScale(track.minimum);
    const double hMax = AmplitudeScale(track.maximum);
    const double k = g.stripeScale();

    if (!(hMin < hMax) || k <= 0.0) {
        fills.push_back({g.bar(sensor), BarPaint::Grey});
        fills.push_back({line, BarPaint::Black});
        return fills;
    }

    auto rowsBetween = [&](int first, int last, BarPaint paint) {
        if (first < g.top)
            first = g.top;
        if (last >= g.bottom)
            last = g.bottom - 1;
        if (first <= last)
            fills.push_back({QRect(x, first, w, last - first + 1), paint});
    };

    // Grey from the bar bottom up to the lowest value seen.
    int n = static_cast<int>(hMin * k);
    int topPainted = g.bottom - 2 * n - 1;
    rowsBetween(topPainted, g.bottom - 1, BarPaint::Grey);

    // A stripe in the band colour of its level and a grey gap above it, two
    // rows per level step, up to the highest value seen.
    for (;;) {
        const double level = n / k;
        const int stripe = g.bottom - 2 * n - 2;
        if (!(level < 100.0 && level <= hMax && stripe > g.top))
            break;
        BarPaint paint = BarPaint::LightRed;
        switch (amplitudeBand(level)) {
        case BarBand::LightRed:
            paint = BarPaint::LightRed;
            break;
        case BarBand::LightYellow:
            paint = BarPaint::LightYellow;
            break;
        case BarBand::LightGreen:
            paint = BarPaint::LightGreen;
            break;
        }
        rowsBetween(stripe, stripe, paint);
        rowsBetween(stripe - 1, stripe - 1, BarPaint::Grey);
        topPainted = stripe - 1;
        ++n;
    }

    // Grey above the range, then the line over the stripes.
    rowsBetween(g.top, topPainted - 1, BarPaint::Grey);
    fills.push_back({line, BarPaint::Black});
    return fills;
}

std::string amplitudePercentText(double value) {
    return formatText("   %.0lf%%   ", value);
}

const char* amplitudeLabelText(Head sensor) {
    return sensor == Head::WH ? "  WH  " : "  YE  ";
}
