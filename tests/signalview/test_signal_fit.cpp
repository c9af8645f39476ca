// The ellipse fit gives back the signal errors a head was made with, and the
// view's amplitude rule is the one the line parser applies.

#include "signalview/EllipseFit.h"
#include "signalview/SignalAmplitude.h"
#include "signalview/SignalSample.h"
#include "support/ParserRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

struct Figure {
    const char* name;
    double ampA;
    double offsetA; // percent of A
    double offsetB; // percent of B
    double ratio;
    double phase; // degrees
    double noise; // percent, uniform +-
    double arc;   // turns of the signal angle covered (1: full figure)
};

// Points as a head with those errors gives them, at evenly spread angles.
std::vector<SignalPoint> figurePoints(const Figure& f, int count) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> noise(-f.noise, f.noise);
    const double ampB = f.ampA * f.ratio;
    const double lag = f.phase * std::numbers::pi / 180.0;
    std::vector<SignalPoint> out;
    for (int i = 0; i < count; ++i) {
        const double t = 2.0 * std::numbers::pi * f.arc * i / count;
        out.push_back({f.ampA * (std::cos(t) + f.offsetA / 100.0) + noise(gen),
                       ampB * (std::sin(t - lag) + f.offsetB / 100.0) + noise(gen)});
    }
    return out;
}

class FitRecovers : public testing::TestWithParam<Figure> {};

TEST_P(FitRecovers, TheErrorsTheFigureWasMadeWith) {
    const Figure& f = GetParam();
    const std::optional<HeadFit> fit = fitHead(figurePoints(f, 600));
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->offsetA, f.offsetA, 0.3);
    EXPECT_NEAR(fit->offsetB, f.offsetB, 0.3);
    EXPECT_NEAR(fit->ratio, f.ratio, 0.005);
    EXPECT_NEAR(fit->phase, f.phase, 0.3);
    EXPECT_NEAR(fit->amplitudeA, f.ampA, 0.5);
    // The fitted figure passes through the points it was made from.
    const SignalPoint onFigure = fittedPoint(*fit, 0.0);
    EXPECT_NEAR(onFigure.x, f.ampA * (1.0 + f.offsetA / 100.0), 0.6);
}

INSTANTIATE_TEST_SUITE_P(Heads, FitRecovers,
                         testing::Values(Figure{"sound", 62, 0, 0, 1.0, 0, 0, 1},
                                         Figure{"shifted", 70, 12, -8, 1.0, 0, 0, 1},
                                         Figure{"squashed", 55, 0, 0, 0.6, 0, 0, 1},
                                         Figure{"stretched", 40, 0, 0, 1.8, 0, 0, 1},
                                         Figure{"tilted", 80, 0, 0, 1.0, 25, 0, 1},
                                         Figure{"tilted_back", 80, 0, 0, 1.0, -30, 0, 1},
                                         Figure{"all_at_once", 65, -5, 9, 1.3, -12, 0, 1},
                                         Figure{"noisy", 62, 3, -2, 1.1, 5, 1.0, 1},
                                         Figure{"half_a_figure", 62, 4, 4, 0.9, 8, 0, 0.5},
                                         Figure{"small_weak_head", 8, 10, 0, 1.0, 0, 0, 1}),
                         [](const testing::TestParamInfo<Figure>& info) {
                             return std::string(info.param.name);
                         });

TEST(FitRefuses, WhatIsNoFigure) {
    // Too few points.
    Figure sound{"", 62, 0, 0, 1, 0, 0, 1};
    EXPECT_FALSE(fitHead(figurePoints(sound, int(kMinFitPoints) - 1)));
    // A standing shaft: the same point over and over.
    EXPECT_FALSE(fitHead(std::vector<SignalPoint>(100, SignalPoint{40, 20})));
    // A head whose channel B is dead: a line.
    std::vector<SignalPoint> line;
    for (int i = 0; i < 100; ++i)
        line.push_back({60 * std::cos(i * 0.1), 0});
    EXPECT_FALSE(fitHead(line));
    // A hyperbola is no ellipse.
    EXPECT_FALSE(headFitFromConic({1, 0, -1, 0, 0}));
    // Nor is a conic that holds no point (x^2 + y^2 = -1 after moving).
    EXPECT_FALSE(headFitFromConic({-1, 0, -1, 0, 0}));
}

// ---- the amplitude rule ----------------------------------------------------

TEST(AmplitudeRule, HasNoMeaningFromAnOffsetOf505On) {
    EXPECT_TRUE(channelPercentFactor(504.9, 0));
    EXPECT_FALSE(channelPercentFactor(505, 0));
    EXPECT_FALSE(channelPercentFactor(0, -600));
    EXPECT_FALSE(channelPercentFactor(NAN, 0));
    EXPECT_FALSE(signalPoint(INFINITY, 0, 0, 0));
    // Without offsets a channel value of 512 is 100 %.
    EXPECT_DOUBLE_EQ(signalRadius(*signalPoint(512, 0, 0, 0)), 100.0);
}

struct PositionLine {
    const char* offsets;  // "OS" line
    const char* position; // "PA" line
};

class RadiusIsTheParsersAmplitude : public testing::TestWithParam<PositionLine> {};

TEST_P(RadiusIsTheParsersAmplitude, ForBothHeads) {
    ParserRig rig;
    rig.twoLetter();
    rig.parse(GetParam().offsets);
    rig.parse(GetParam().position);
    const SignalSample s = signalSampleFrom(rig.readings, 1.0);
    const auto ye =
        signalPoint(s.channelValues[2], s.channelValues[3], s.dacOffsets[2], s.dacOffsets[3]);
    const auto wh =
        signalPoint(s.channelValues[0], s.channelValues[1], s.dacOffsets[0], s.dacOffsets[1]);
    ASSERT_TRUE(ye && wh);
    EXPECT_NEAR(signalRadius(*ye), rig.readings.amplitudeYE, 1e-9);
    EXPECT_NEAR(signalRadius(*wh), rig.readings.amplitudeWH, 1e-9);
    EXPECT_EQ(s.amplitudeYE, rig.readings.amplitudeYE);
    EXPECT_DOUBLE_EQ(s.time, 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RadiusIsTheParsersAmplitude,
    testing::Values(PositionLine{"OS 0 0 0 0 0", "PA 1000 5000 -2000 300 4100"},
                    PositionLine{"OS 1600 -800 -3200 40 0", "PA 1000 -4000 1000 2500 -2500"},
                    PositionLine{"OS -7000 7000 100 -100 0", "PA 5 1 -1 16 16"}));

} // namespace
