#pragma once
// The program's amplitude rule for one head (device/HeadAmplitude.h, the one
// the line parser applies to every position line), split so that each channel
// value a, b (box units / 16) becomes a coordinate in percent whose distance
// from the origin is the amplitude
//     sqrt(a^2 + b^2) / 5.12 * 505 / (505 - max(|oa|, |ob|))
// for the DAC offsets oa, ob of the same channels.

#include <optional>

// One head's signal as a point: channel A across, channel B up, in percent of
// the full amplitude.
struct SignalPoint {
    double x = 0.0;
    double y = 0.0;
};

// The factor 505 / (505 - max(|oa|, |ob|)) / 5.12 that turns a channel value
// into percent; nothing where the rule has no meaning (an offset of 505 or
// more, or not a number).
std::optional<double> channelPercentFactor(double oa, double ob);

// The head's point for channel values a, b and offsets oa, ob; nothing where
// the rule has no meaning.
std::optional<SignalPoint> signalPoint(double a, double b, double oa, double ob);

// Distance of a point from the origin: the amplitude in percent.
double signalRadius(SignalPoint p);
