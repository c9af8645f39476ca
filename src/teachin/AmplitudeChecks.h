#pragma once
// The teach-in wizard's numerical rules for the sensor amplitudes (percent of
// the rated amplitude): the acceptance band of the distance steps, the shim
// advice, the extremes of the travel phase and the tests made on them.

#include "teachin/WizardOutputs.h"

#include <string>

// STEP 1 / STEP 2 allow "Next >" at 45 <= amplitude <= 80.
bool distanceAcceptable(double amplitude);

enum class ShimAdvice { RemoveShims, AddShims, DistanceOk };

// Remove below 55, add above 75, ok in between.
ShimAdvice shimAdvice(double amplitude);

// Millimetres of shim to add or remove: 0.025 per started 20 points away
// from 65 percent.
double shimThickness(double amplitude);

// The advice text in the current language: "Approx. 0.050mm\nRemove shims",
// "Reduce sensor distance!" below 10 percent, or "Sensor distance ok.".
std::string shimAdviceText(double amplitude);

// An amplitude as a whole percentage, truncated towards zero (clamped to a
// range an int holds; not a number gives 0).
int truncatedPercent(double amplitude);

// Widens [min, max] by a new value, truncated.
void widenExtremes(int& min, int& max, double amplitude);

// A sensor failed the travel phase: minimum below 28 or maximum above 95.
bool travelFailed(int min, int max);

// Outside the optimum range asked about once per run: below 30 or above 90.
bool outsideOptimum(double amplitude);

// The closing amplitude test after a failed travel phase: the message text and
// the step to return to (0 STEP 1, 1 STEP 2).
struct ClosingFinding {
    std::string text;
    int step = 0;
};
ClosingFinding closingAmplitudeTest(const AmplitudeExtremes& extremes, bool yeOk, bool whOk);
