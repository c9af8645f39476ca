#pragma once
// Pens and fonts of the plots and the report, made for the screen or for a
// printer: a size on screen is in pixels, on the printer in millimetres times
// the device units per millimetre.

#include <QFont>
#include <QPen>
#include <QRgb>

// A font described as the plots describe it: "Arial", a cell height and an
// average character width in device units, and a weight (300 light .. 700 bold).
// The width is met by stretching the font.
QFont plotFont(double height, double width, int weight, bool fixedPitch = false);

// A solid pen of `width` device units (at least one) with square ends.
QPen plotPen(QRgb colour, double width);
