#include "config/ConfigData.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/PositionDisplay.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

constexpr int32_t kPulseRate = 1024;
constexpr int32_t kN = kPulseRate * 5000; // one revolution

class PositionDisplayTest : public testing::Test {
protected:
    PositionDisplayTest() {
        config.pulseRate = kPulseRate;
        config.displayFormat = 0;
        link.boxStarting = false;
        readings.firmwareVersion = 1.6;
    }

    // One position notification with the given raw count.
    PositionView show(int32_t raw) {
        readings.rawPosition = raw;
        return display.showPosition();
    }
    int32_t position(int32_t raw) { return show(raw).displayPosition; }

    DeviceReadings readings;
    LinkControl link;
    ConfigData config;
    std::mutex lock;
    PositionDisplay display{readings, link, config, lock};
};

TEST_F(PositionDisplayTest, ShowsTheCountWithinOneRevolution) {
    const PositionView view = show(kN / 2);
    EXPECT_EQ(view.displayPosition, kN / 2);
    EXPECT_EQ(readings.displayPosition, kN / 2);
    EXPECT_DOUBLE_EQ(view.displayAngle, 180.0);
    EXPECT_EQ(view.positionText, "180.0000\xC2\xB0 ");
    EXPECT_EQ(view.speedText, "0.00 rpm ");
    EXPECT_EQ(view.markerText, "0 T ");
    EXPECT_EQ(position(kN + 7), 7);
    EXPECT_EQ(position(-3), kN - 3);
}

TEST_F(PositionDisplayTest, ZeroPointAndReversedDirection) {
    show(1000);
    readings.rawPosition = 1000;
    display.zeroCommand();
    EXPECT_EQ(readings.zeroPosition, 1000);
    EXPECT_EQ(position(1000), 0);
    EXPECT_EQ(position(1500), 500);

    display.directionCommand();
    EXPECT_EQ(config.directionReversed, 1);
    EXPECT_EQ(position(1000), 0);
    EXPECT_EQ(position(1001), kN - 1); // counts down from N - 1
    EXPECT_EQ(position(1500), kN - 500);
    readings.speed = 0.5;
    config.pulseRate = 12000;
    EXPECT_EQ(show(1500).speedText, "-0.50 rpm ");
}

TEST_F(PositionDisplayTest, CountsTurnsAcrossZeroBothWays) {
    show(kN - 100);
    EXPECT_EQ(show(kN + 100).markerText, "1 T ");    // forward over zero
    EXPECT_EQ(show(kN + kN / 4).markerText, "1 T "); // within the turn
    EXPECT_EQ(show(kN - 100).markerText, "0 T ");    // back over zero
    EXPECT_EQ(show(kN / 2).markerText, "0 T ");
    EXPECT_EQ(show(100).markerText, "0 T ");
    EXPECT_EQ(show(-100).markerText, "-1 T ");
    EXPECT_EQ(display.turnCount(), -1);
}

TEST_F(PositionDisplayTest, TurnCounterRestartsAtPlusOrMinus100) {
    // One revolution in four steps; the zero is crossed once per revolution.
    int32_t raw = 100;
    show(raw);
    auto turn = [&](int32_t direction) {
        for (int step = 0; step < 4; ++step) {
            show(raw += direction * (kN / 4));
        }
    };
    for (int i = 1; i <= 99; ++i) {
        turn(+1);
    }
    EXPECT_EQ(display.turnCount(), 99);
    EXPECT_EQ(show(raw).markerText, "99 T ");
    turn(+1);
    EXPECT_EQ(show(raw).markerText, "0 T ");

    display.zeroCommand();
    raw = readings.rawPosition + kN / 8;
    show(raw);
    for (int i = 1; i <= 99; ++i) {
        turn(-1);
    }
    EXPECT_EQ(display.turnCount(), -99);
    turn(-1);
    EXPECT_EQ(display.turnCount(), 0);
}

TEST_F(PositionDisplayTest, ZeroAndDirectionCommandsRestartTheTurnCounter) {
    show(kN - 100);
    show(kN + 100);
    ASSERT_EQ(display.turnCount(), 1);
    readings.rawPosition = kN + 100;
    display.zeroCommand();
    EXPECT_EQ(display.turnCount(), 0);
    EXPECT_EQ(display.previousDisplayPosition(), 0.0);
    EXPECT_EQ(display.previousRawPosition(), kN + 100);
    EXPECT_EQ(readings.wrapCorrection, 0);

    show(kN - 100);
    show(kN + 100);
    show(kN + 300);
    display.directionCommand();
    EXPECT_EQ(display.turnCount(), 0);
    EXPECT_EQ(display.previousDisplayPosition(), 0.0);
}

struct WrapCase {
    const char* what;
    bool newProtocol;
    int32_t before;
    int32_t after;
    int32_t movement; // counts the shaft really moved
};

class CounterWrap : public PositionDisplayTest, public testing::WithParamInterface<WrapCase> {};

TEST_P(CounterWrap, DisplayedPositionContinues) {
    const WrapCase& c = GetParam();
    link.newProtocol = c.newProtocol;
    // Walk to the count before the wrap in steps the box would deliver.
    for (int64_t raw = 0; raw != c.before;) {
        const int64_t step = c.before > raw ? 50'000'000 : -50'000'000;
        raw = (c.before - raw) / step == 0 ? c.before : raw + step;
        show(static_cast<int32_t>(raw));
    }
    const int32_t p0 = position(c.before);
    const int32_t p1 = position(c.after);
    EXPECT_EQ(p1, ((int64_t{p0} + c.movement) % kN + kN) % kN) << c.what;
    // And it keeps following the shaft afterwards.
    EXPECT_EQ(position(c.after + 500), ((int64_t{p1} + 500) % kN + kN) % kN) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    BothDialects, CounterWrap,
    testing::Values(
        WrapCase{"two-letter, single step forward", true, 159'999'000, 1000, 2000},
        WrapCase{"two-letter, single step backward", true, 1000, 159'999'000, -2000},
        WrapCase{"two-letter, double step forward", true, 159'999'000, -159'999'000, 2000},
        WrapCase{"two-letter, double step backward", true, -159'999'000, 159'999'000, -2000},
        WrapCase{"one-letter, single step forward", false, 179'999'000, 1000, 2000},
        WrapCase{"one-letter, single step backward", false, 1000, 179'999'000, -2000},
        WrapCase{"one-letter, double step forward", false, 179'999'000, -179'999'000, 2000},
        WrapCase{"one-letter, double step backward", false, -179'999'000, 179'999'000, -2000}),
    [](const testing::TestParamInfo<WrapCase>& info) {
        return "case" + std::to_string(info.index);
    });

TEST_F(PositionDisplayTest, FarBelowTheZeroPointStaysWithinTheRevolution) {
    config.pulseRate = 2; // one revolution is 10000 counts
    for (int32_t raw = 0; raw >= -250'001; raw -= 25'000) {
        const int32_t p = position(raw);
        EXPECT_GE(p, 0);
        EXPECT_LT(p, 10000);
    }
    EXPECT_EQ(position(-250'001), 9999);
}

TEST_F(PositionDisplayTest, AnyRawCountGivesAPositionWithinTheRevolution) {
    const int32_t extremes[] = {std::numeric_limits<int32_t>::min(),
                                std::numeric_limits<int32_t>::max(),
                                0,
                                std::numeric_limits<int32_t>::min() + 1,
                                -1,
                                std::numeric_limits<int32_t>::max() - 1,
                                std::numeric_limits<int32_t>::min()};
    for (int32_t pulseRate : {2, 1024, 20000}) {
        for (bool newProtocol : {false, true}) {
            for (int reversed : {0, 1}) {
                config.pulseRate = pulseRate;
                link.newProtocol = newProtocol;
                config.directionReversed = reversed;
                const int64_t n = int64_t{pulseRate} * 5000;
                for (int32_t raw : extremes) {
                    readings.zeroPosition = raw >= 0 ? std::numeric_limits<int32_t>::min()
                                                     : std::numeric_limits<int32_t>::max();
                    const int32_t p = position(raw);
                    EXPECT_GE(p, 0);
                    EXPECT_LT(p, n);
                }
            }
        }
    }
}

TEST_F(PositionDisplayTest, AbsoluteModeShowsTheBoxValue) {
    show(kN - 100);
    show(kN + 100);
    ASSERT_EQ(display.turnCount(), 1);
    readings.absolutePositionMode = true;
    readings.zeroPosition = 77;
    readings.wrapCorrection = 55;

    PositionView view = show(-1);
    EXPECT_EQ(view.displayPosition, kN - 1);
    EXPECT_EQ(view.markerText, " Abs ");
    EXPECT_EQ(readings.zeroPosition, 0);
    EXPECT_EQ(readings.wrapCorrection, 0);
    EXPECT_EQ(display.turnCount(), 1); // untouched
    EXPECT_GE(position(std::numeric_limits<int32_t>::min()), 0);
    EXPECT_EQ(position(12345), 12345);

    config.directionReversed = 1;
    EXPECT_EQ(position(-1), 0);
    EXPECT_EQ(position(5), kN - 6);
    EXPECT_GE(position(std::numeric_limits<int32_t>::min()), 0);
    EXPECT_LT(position(std::numeric_limits<int32_t>::min()), kN);
}

TEST_F(PositionDisplayTest, MarkerFollowsTheBoxState) {
    readings.firmwareVersion = 0.0;
    show(kN - 100);
    show(kN + 100);
    EXPECT_EQ(show(kN + 200).markerText, "");
    EXPECT_EQ(display.turnCount(), 0);

    readings.firmwareVersion = 2.1;
    link.boxStarting = true;
    EXPECT_EQ(show(kN + 300).markerText, "");

    link.boxStarting = false;
    std::strcpy(readings.boxTypeText, "QTBX02 (1Ref)");
    EXPECT_EQ(show(kN + 400).markerText, "0 T "); // position not yet found, nothing known
    readings.boxInfoMarked = true;
    EXPECT_EQ(show(kN + 500).markerText, "");
    display.toggleRefBlink();
    const PositionView blinking = show(kN + 600);
    EXPECT_EQ(blinking.markerText, " Ref ");
    EXPECT_TRUE(blinking.dimmed);

    // An older firmware needs the two-letter protocol for " Ref ".
    readings.firmwareVersion = 1.6;
    readings.boxInfoMarked = false;
    readings.detectedPulseRate = 1024;
    EXPECT_EQ(show(kN + 700).markerText, "0 T ");
    link.newProtocol = true;
    EXPECT_EQ(show(kN + 800).markerText, " Ref ");
}

TEST_F(PositionDisplayTest, FieldsAreRewrittenOnlyWhenTheirTextChanges) {
    PositionView view = show(1000);
    EXPECT_TRUE(view.writeMarker && view.writeSpeed && view.writePosition && view.textsChanged);
    EXPECT_FALSE(view.stopInterfaceSearch);

    view = show(1000);
    EXPECT_FALSE(view.writeMarker || view.writeSpeed || view.writePosition || view.textsChanged);
    EXPECT_TRUE(view.stopInterfaceSearch);

    readings.speed = 1.0;
    view = show(1000);
    EXPECT_TRUE(view.writeSpeed && view.textsChanged);
    EXPECT_FALSE(view.writePosition);

    display.forgetPositionText(); // settings changed: rewrite the position
    EXPECT_TRUE(show(1000).writePosition);

    // A state message takes the fields; the next position takes them back.
    const StateWrites state = display.showState("No data.  ", "");
    EXPECT_TRUE(state.writePosition && state.writeSpeed);
    EXPECT_FALSE(display.showState("No data.  ", "").changed());
    view = show(1000);
    EXPECT_TRUE(view.writePosition && view.writeSpeed);

    display.clearMarkerField();
    EXPECT_TRUE(show(1000).writeMarker);
}

TEST_F(PositionDisplayTest, ResetForgetsTheTracking) {
    show(kN - 100);
    show(kN + 100);
    display.reset();
    EXPECT_EQ(display.turnCount(), 0);
    EXPECT_EQ(display.previousRawPosition(), 0);
    EXPECT_EQ(display.previousDisplayPosition(), 0.0);
}

} // namespace
