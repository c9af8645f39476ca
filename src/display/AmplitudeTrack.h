#pragma once
// What one amplitude bar remembers: the current value, the lowest and highest
// value since the last reset, and what was last drawn, so that a bar is redrawn
// only when one of the three changed (amplitudes arrive several times a second).

#include "device/Head.h"

// A new amplitude as the bar keeps it: negative (or not a number) gives 0,
// anything else is rounded down to a multiple of 0.5.
double quantiseAmplitude(double amplitude);

struct AmplitudeTrack {
    double value = 0.0;
    double minimum = 1000.0;
    double maximum = 0.0;
    // Initially -1 so that the first amplitude always draws.
    double drawnValue = 0.0;
    double drawnMinimum = -1.0;
    double drawnMaximum = -1.0;

    // Forgets the range; the bar then shows grey with the line at 0 until the
    // next amplitude arrives.
    void reset();

    // Takes a new amplitude; true when the bar must be redrawn.
    bool newAmplitude(double amplitude);

    // A range exists once the lowest value lies below the highest.
    bool hasRange() const;
};
