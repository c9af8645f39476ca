// The numerical rules of the teach-in: shim advice and thickness, extremes,
// the travel and closing tests.

#include "config/TeachInRows.h"
#include "config/Texts.h"
#include "teachin/AmplitudeChecks.h"

#include <gtest/gtest.h>

#include <limits>

TEST(ShimAdvice, TextAndThicknessByAmplitude) {
    setLanguage(0);
    const struct {
        double amplitude;
        ShimAdvice advice;
        const char* text;
    } cases[] = {
        {9.9, ShimAdvice::RemoveShims, "Reduce sensor distance!"},
        {10.0, ShimAdvice::RemoveShims, "Approx. 0.075mm\nRemove shims"},
        {40.0, ShimAdvice::RemoveShims, "Approx. 0.050mm\nRemove shims"},
        {54.9, ShimAdvice::RemoveShims, "Approx. 0.025mm\nRemove shims"},
        {55.0, ShimAdvice::DistanceOk, "Sensor distance ok."},
        {75.0, ShimAdvice::DistanceOk, "Sensor distance ok."},
        {75.1, ShimAdvice::AddShims, "Approx. 0.025mm\nAdd shims"},
        {120.0, ShimAdvice::AddShims, "Approx. 0.075mm\nAdd shims"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shimAdvice(c.amplitude), c.advice) << c.amplitude;
        EXPECT_EQ(shimAdviceText(c.amplitude), c.text) << c.amplitude;
    }
}

TEST(ShimAdvice, TextFollowsTheLanguage) {
    setLanguage(1);
    EXPECT_EQ(shimAdviceText(120.0), "Ca. 0.075mm\nDistanzscheiben einlegen");
    setLanguage(0);
}

TEST(AmplitudeBands, DistanceAcceptanceIncludesItsEdges) {
    EXPECT_FALSE(distanceAcceptable(44.99));
    EXPECT_TRUE(distanceAcceptable(45.0));
    EXPECT_TRUE(distanceAcceptable(80.0));
    EXPECT_FALSE(distanceAcceptable(80.01));
}

TEST(AmplitudeBands, TravelAndOptimumLimits) {
    EXPECT_FALSE(travelFailed(28, 95));
    EXPECT_TRUE(travelFailed(27, 60));
    EXPECT_TRUE(travelFailed(60, 96));
    EXPECT_FALSE(outsideOptimum(30.0));
    EXPECT_FALSE(outsideOptimum(90.0));
    EXPECT_TRUE(outsideOptimum(29.9));
    EXPECT_TRUE(outsideOptimum(90.1));
}

TEST(Extremes, TruncateTowardsZeroAndSurviveWildValues) {
    int min = 50;
    int max = 50;
    widenExtremes(min, max, 70.9);
    widenExtremes(min, max, 29.99);
    EXPECT_EQ(min, 29);
    EXPECT_EQ(max, 70);
    widenExtremes(min, max, std::numeric_limits<double>::quiet_NaN());
    widenExtremes(min, max, 1e300);
    EXPECT_EQ(min, 29);
    EXPECT_EQ(max, 1000000);
    EXPECT_EQ(truncatedPercent(-0.5), 0);
}

TEST(ClosingTest, FindingsAndTheStepToReturnTo) {
    setLanguage(0);
    const std::string readjust = text(TextTable::TeachIn, teachinrow::kReadjust);
    const struct {
        AmplitudeExtremes extremes;
        bool yeOk, whOk;
        std::string text;
        int step;
    } cases[] = {
        {{25, 93, 50, 60}, false, true, text(TextTable::TeachIn, teachinrow::kWasherNotCentred), 0},
        {{50, 60, 29, 91}, true, false, text(TextTable::TeachIn, teachinrow::kWasherNotCentred), 0},
        {{25, 60, 50, 60}, false, true, readjust + text(TextTable::TeachIn, teachinrow::kYeLow), 0},
        {{50, 96, 50, 60},
         false,
         true,
         readjust + text(TextTable::TeachIn, teachinrow::kYeHigh),
         0},
        {{50, 60, 20, 60}, true, false, readjust + text(TextTable::TeachIn, teachinrow::kWhLow), 1},
        {{50, 60, 50, 97},
         true,
         false,
         readjust + text(TextTable::TeachIn, teachinrow::kWhHigh),
         1},
        {{20, 60, 50, 97},
         false,
         false,
         readjust + text(TextTable::TeachIn, teachinrow::kYeLow) +
             text(TextTable::TeachIn, teachinrow::kWhHigh),
         0},
        {{50, 60, 50, 60}, true, true, readjust, 0},
    };
    for (const auto& c : cases) {
        const ClosingFinding f = closingAmplitudeTest(c.extremes, c.yeOk, c.whOk);
        EXPECT_EQ(f.text, c.text);
        EXPECT_EQ(f.step, c.step);
    }
}
