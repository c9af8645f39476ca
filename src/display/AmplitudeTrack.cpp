#include "display/AmplitudeTrack.h"

#include "display/AmplitudeScale.h"

#include <cmath>

double quantiseAmplitude(double amplitude) {
    if (!(amplitude > 0.0))
        return 0.0;
    if (amplitude > 1.0e6) // far beyond the scale; keeps the rounding below in range
        amplitude = 1.0e6;
    return std::trunc(amplitude * 2.0) / 2.0;
}

void AmplitudeTrack::reset() {
    // The value goes back to 0 as well, so that a repaint after a box reset
    // shows the line at 0 and not at the old amplitude.
    value = 0.0;
    minimum = drawnMinimum = 1000.0;
    maximum = drawnMaximum = 0.0;
    drawnValue = 0.0;
}

bool AmplitudeTrack::newAmplitude(double amplitude) {
    value = quantiseAmplitude(amplitude);
    if (value < minimum)
        minimum = value;
    if (value > maximum)
        maximum = value;
    if (value == drawnValue && minimum == drawnMinimum && maximum == drawnMaximum)
        return false;
    drawnValue = value;
    drawnMinimum = minimum;
    drawnMaximum = maximum;
    return true;
}

bool AmplitudeTrack::hasRange() const {
    return AmplitudeScale(minimum) < AmplitudeScale(maximum);
}
