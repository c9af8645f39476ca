#pragma once
// What a head's Lissajous figure says about its signals, from a least-squares
// ellipse fit. The two channels of a sound head are
//     A = ampA cos(t) + offA,   B = ampB sin(t - phase) + offB
// (B lags A by 90 degrees plus the phase error); the fit of the general conic
// through the points gives back all five.

#include "signalview/SignalAmplitude.h"

#include <cstddef>
#include <optional>
#include <vector>

struct HeadFit {
    double centreX = 0.0;    // offset of channel A, percent of full amplitude
    double centreY = 0.0;    // offset of channel B
    double amplitudeA = 0.0; // percent
    double amplitudeB = 0.0;
    double offsetA = 0.0; // centre of A in percent of A's amplitude
    double offsetB = 0.0; // centre of B in percent of B's amplitude
    double ratio = 1.0;   // amplitude of B over A
    double phase = 0.0;   // degrees that B lags beyond 90 (negative: less)
};

// The fewest points a fit is tried with.
constexpr std::size_t kMinFitPoints = 12;

// The fit over `points`; nothing when there are too few of them or they do not
// lie on an ellipse (a standing shaft gives a cluster, a dead head a line).
std::optional<HeadFit> fitHead(const std::vector<SignalPoint>& points);

// The conic P x^2 + Q xy + R y^2 + D x + E y = 1 of a fit, for tests and for
// drawing the fitted figure.
struct Conic {
    double p = 0.0, q = 0.0, r = 0.0, d = 0.0, e = 0.0;
};

// The signal parameters of a conic; nothing when it is no ellipse around a
// point of its own.
std::optional<HeadFit> headFitFromConic(const Conic& c);

// The point of the fitted figure at signal angle t (radians).
SignalPoint fittedPoint(const HeadFit& fit, double t);
