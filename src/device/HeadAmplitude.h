#pragma once
// The amplitude of one head, by the box's rule: the head's signal magnitude m
// (in percent, before the offset correction) and the DAC offsets oa, ob of its
// two channels give
//     m * 505 / (505 - max(|oa|, |ob|))  percent.
// For a position line m is sqrt(a^2 + b^2) / 5.12 of the head's channel values
// a, b (box units / 16); the one-letter box sends m squared. The line parser
// and the signal view both count with it.

#include <optional>

// Channel value (box units / 16) of one percent of the full amplitude.
inline constexpr double kChannelPercentScale = 5.12;

// The amplitude in percent; nothing where the rule has no meaning: an offset
// of 505 or more (or not a number), or a result that is not finite or is
// negative.
std::optional<double> headAmplitude(double magnitude, double oa, double ob);
