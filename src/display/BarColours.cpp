#include "display/BarColours.h"

#include <climits>

namespace {

// A channel kept with `bits` bits and expanded back to 8 bits, as a display
// with that many bits per channel shows it.
int quantiseChannel(int value, int bits) {
    const int levels = (1 << bits) - 1;
    const int stored = (value * levels + 127) / 255;
    return (stored * 255 + levels / 2) / levels;
}

// The 16 colours of a 4-bit display.
constexpr Rgb kStandardColours[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

} // namespace

Rgb nearestShownColour(Rgb colour, int depth) {
    if (depth >= 24)
        return colour;
    if (depth >= 15) {
        const int greenBits = depth >= 16 ? 6 : 5;
        return {quantiseChannel(colour.r, 5), quantiseChannel(colour.g, greenBits),
                quantiseChannel(colour.b, 5)};
    }
    Rgb best = kStandardColours[0];
    int bestDistance = INT_MAX;
    for (const Rgb& c : kStandardColours) {
        const int dr = c.r - colour.r;
        const int dg = c.g - colour.g;
        const int db = c.b - colour.b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = c;
        }
    }
    return best;
}

Rgb chooseShade(Rgb shade, Rgb pure, int depth) {
    if (nearestShownColour(shade, depth) == shade)
        return shade;
    return nearestShownColour(pure, depth);
}

BarShades barShades(int depth) {
    using namespace barcolour;
    return {chooseShade(kLightRed, kPureRed, depth), chooseShade(kLightGreen, kPureGreen, depth),
            chooseShade(kLightYellow, kPureYellow, depth)};
}
