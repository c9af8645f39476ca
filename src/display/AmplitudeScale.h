#pragma once
// The compressed amplitude scale of the bar graphs. An amplitude in percent
// (0..200) becomes a bar height in percent of the bar; 100 % sits at about three
// quarters of the bar so that the usual working range gets most of the room.
// The main window's bars and the teach-in wizard's bars share it.

// Height in percent of the bar (0..99.44) for an amplitude in percent. The
// amplitude is clamped to 0..200 first; a negative height becomes 0.
double AmplitudeScale(double amplitude);

// Colour band of a bar level (in percent of the bar).
enum class BarBand { LightRed, LightYellow, LightGreen };

// The bar levels of the band borders 30, 50, 85 and 95 % amplitude.
struct AmplitudeBands {
    double h30;
    double h50;
    double h85;
    double h95;
};

// Computed once with AmplitudeScale.
const AmplitudeBands& amplitudeBands();

// Below h(30) and from h(95) on red, h(30)..h(50) and h(85)..h(95) yellow,
// h(50)..h(85) green; each border belongs to the band above it.
BarBand amplitudeBand(double level);
