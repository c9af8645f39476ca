#pragma once
// Where the amplitude bar pair draws what: the two bars, the scale between
// them, the percentage boxes below and the labels above, and the rows of one
// bar (grey background, coloured stripes of the range seen, the black line at
// the current value). Pure functions of the area and the values, so that the
// widget only paints what they return.

#include "display/AmplitudeTrack.h"

#include <QLine>
#include <QRect>

#include <string>
#include <vector>

// The bar pair's positions in pixels. Sizes follow the area: bar width 0.3 W,
// bar height 0.75 H, gap 0.115 W, text boxes 0.305 W by 0.075 H at 0.018 H from
// the bar, scale marks inset 0.029 W from each bar.
struct AmplitudeBarGeometry {
    int barWidth = 0;
    int barHeight = 0;
    int gap = 0;
    int yeLeft = 0;
    int whLeft = 0;
    int bottom = 0; // L: the row just below the bar
    int top = 0;    // T = L - barHeight: the bar's first row
    int textBoxWidth = 0;
    int textBoxHeight = 0;
    int textDistance = 0;
    int scaleInset = 0;

    // `area` is the part of the "Amplitude" group below its caption. The label,
    // the bar and the percentage box stand one above the other, centred
    // vertically in it, so the labels never cover the group's caption.
    static AmplitudeBarGeometry compute(const QRect& area);

    int barLeft(Head sensor) const;
    QRect bar(Head sensor) const;
    QRect percentBox(Head sensor) const;
    QRect labelBox(Head sensor) const;
    // Bar levels per pixel row: two rows (a stripe and its gap) per level step,
    // so that a level drawn as a stripe lies where the scale puts it.
    double stripeScale() const { return barHeight / 200.0; }
};

// Horizontal scale marks between the bars for 0, 10 ... 90, 95, 100 ... 200 %: two rows at the
// band borders 30 and 95 (2 pixels longer at both ends), three from 60 to 80,
// two for the other values from 40 to 90, one elsewhere, left out when it would
// fall within a pixel of the previous mark. Lines include both end points.
std::vector<QLine> amplitudeScaleMarks(const AmplitudeBarGeometry& geometry);

enum class BarPaint { Grey, LightRed, LightYellow, LightGreen, Black };

struct BarFill {
    QRect rect;
    BarPaint paint;
    bool operator==(const BarFill&) const = default;
};

// The fills of one bar, in painting order (the frame and the texts are not
// included). Without a range (as after a reset) the bar is grey with the black
// line at the value; otherwise grey up to the lowest value, then one-pixel
// stripes in the band colour of their level with grey gaps up to the highest
// value, grey above, and the black line on top.
std::vector<BarFill> amplitudeBarFills(const AmplitudeBarGeometry& geometry, Head sensor,
                                       const AmplitudeTrack& track);

// The black line at the current value: two rows whose bottom is at the value's
// height, kept inside the bar.
QRect amplitudeValueLine(const AmplitudeBarGeometry& geometry, Head sensor, double value);

// The percentage box's text, e.g. "   46%   ".
std::string amplitudePercentText(double value);

// The label above a bar: "  WH  " or "  YE  ".
const char* amplitudeLabelText(Head sensor);
