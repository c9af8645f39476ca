#pragma once
// The colours of the amplitude bars and the noise bars, and the rule that
// replaces a light shade by the pure colour on a display that cannot show the
// shade exactly.

#include "display/Rgb.h"

namespace barcolour {
constexpr Rgb kLightRed{255, 128, 128};
constexpr Rgb kPureRed{255, 0, 0};
constexpr Rgb kLightGreen{128, 255, 128};
constexpr Rgb kPureGreen{0, 255, 0};
constexpr Rgb kLightYellow{255, 255, 128};
constexpr Rgb kPureYellow{255, 255, 0};
constexpr Rgb kPaleGreen{192, 255, 192};
constexpr Rgb kGrey{128, 128, 128};      // bar background and stripe gaps
constexpr Rgb kDarkEdge{64, 64, 64};     // 3-D frame, top and left
constexpr Rgb kLightEdge{220, 220, 220}; // 3-D frame, bottom and right
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kLightBlue{128, 128, 255};
// Ground of the "WH" and "YE" labels above the bars: dark, so that the white
// and the light yellow lettering and its change to bold can be read.
constexpr Rgb kLabelGround{64, 64, 64};
} // namespace barcolour

// Contrast of two colours as 1..21 (the relative luminance of sRGB, lighter
// plus 0.05 over darker plus 0.05); text wants 4.5 or more.
double contrastRatio(Rgb a, Rgb b);

// The colour nearest to `colour` that a display of `depth` bits per pixel
// shows: exact from 24 bits on; 16 bits keep 5, 6 and 5 bits of red, green and
// blue; 15 bits 5 each; fewer bits give the nearest of the 16 standard colours.
Rgb nearestShownColour(Rgb colour, int depth);

// The light shade when the display shows it exactly, else the display's
// nearest colour to the pure colour.
Rgb chooseShade(Rgb shade, Rgb pure, int depth);

// The three light shades as they are used on a display of `depth` bits.
struct BarShades {
    Rgb red;
    Rgb green;
    Rgb yellow;
};
BarShades barShades(int depth);
