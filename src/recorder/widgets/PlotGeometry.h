#pragma once
// Where the two plots of a recording lie and how a value becomes a point, on
// the screen (pixels) and on the printed report (device units). Integer
// arithmetic as the plots have always been drawn: divisions truncate.

#include <QColor>
#include <QRect>

#include <vector>

struct RecordSample;

// What the plots are drawn on.
struct PlotTarget {
    // Screen: the area given to the plots. Printer: the printable page, whose
    // width is 210 mm and height 297 mm.
    QRect area;
    bool printer = false;
    // Printer: device units per millimetre. 1 on screen.
    double sx = 1.0;
    double sy = 1.0;
    // When valid, a plot drawn in full first clears its half of the area
    // (titles and labels included) with this colour.
    QColor background;

    // The scales the plot geometry uses: on the printer a quarter of the
    // millimetre scales, so that 30 units are 7.5 mm.
    double gx() const { return printer ? sx * 0.25 : 1.0; }
    double gy() const { return printer ? sy * 0.25 : 1.0; }
};

// A plot's frame with inclusive edges as the plots use them: the vertical
// grid runs from left to right, values from bottom to top.
struct PlotBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PlotBox&) const = default;
};

// Edges of a start rectangle R, right and bottom exclusive as QRect does not have them.
struct StartRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The start rectangle of a plot: the area on screen; on the printer 20..200 mm
// across and from `topMm` to 297 mm down.
StartRect plotStartRect(const PlotTarget& target, double topMm);

// Left and right edges shared by both plots.
int plotLeft(const StartRect& r, double gx);
int plotRight(const StartRect& r, double gx);

// The strip above a plot that holds its title.
QRect titleStrip(int stripTop, const PlotBox& plot);

// x of an angle in degrees (0..360 across the plot).
int xOfAngle(const PlotBox& plot, double degrees);

// x of vertical grid line i (0..8, every 45 degrees).
int xOfGridLine(const PlotBox& plot, int i);

// Two points closer than 90 degrees are joined; a wider step is the wrap from
// 360 to 0 (or a gap) and stays open.
bool joinsAcross(const PlotBox& plot, int x1, int x2);
