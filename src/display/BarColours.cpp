#include "display/BarColours.h"

#include <algorithm>
#include <climits>
#include <cmath>

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

namespace {

double luminance(Rgb c) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

} // namespace

double contrastRatio(Rgb a, Rgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
