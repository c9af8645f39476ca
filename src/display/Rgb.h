#pragma once
// A colour as plain red, green and blue (0..255), so that the logic that picks
// colours needs no screen; the widgets turn it into a QColor
// (display/widgets/QtColour.h).

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};
