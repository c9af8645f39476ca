#include "config/ConfigData.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "device/PositionTracker.h"
#include "display/PositionDisplay.h"
#include "display/PositionFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// Counts of an angle on a 3600-line bearing (50000 counts per degree).
double at(double degrees, double minutes, double seconds) {
    return (degrees + minutes / 60.0 + seconds / 3600.0) * 50000.0;
}

TEST(PositionText, AllFormatsAndTheirCarries) {
    const struct {
        double p;
        int format;
        int32_t pulseRate;
        const char* expected;
    } cases[] = {
        {2560000, 0, 1024, "180.0000\xC2\xB0 "},
        {2560000, 1, 1024, "180\xC2\xB0 00' 00\""},
        {2560000, 2, 1024, "180\xC2\xB0 00' 00.0\""},
        {2560000, 3, 1024, "256000.0 \xC2\xB5 "},
        {359.99996 * 5120000 / 360, 0, 1024, "0.0000\xC2\xB0 "},
        {359.99994 * 5120000 / 360, 0, 1024, "359.9999\xC2\xB0 "},
        {at(10, 20, 59.6), 1, 3600, " 10\xC2\xB0 21' 00\""}, // 59.5 s and more carry
        {at(10, 20, 59.6), 2, 3600, " 10\xC2\xB0 20' 59.6\""},
        {at(10, 20, 59.96), 2, 3600, " 10\xC2\xB0 21' 00.0\""}, // 59.95 s with tenths
        {at(359, 59, 59.7), 1, 3600, "  0\xC2\xB0 00' 00\""},
        {at(1, 2, 9.4), 1, 3600, "  1\xC2\xB0 02' 09\""},
        {at(1, 2, 9.6), 1, 3600, "  1\xC2\xB0 02' 10\""},
        {at(1, 12, 9.96), 2, 3600, "  1\xC2\xB0 12' 10.0\""},
        {2560000, 7, 1024, "180.0000\xC2\xB0 "}, // unknown format: degrees
        {std::nan(""), 1, 1024, "  0\xC2\xB0 00' 00\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatPosition(c.p, c.format, c.pulseRate), c.expected) << c.p;
    }
}

TEST(SpeedText, TruncatedValueAndRangeLimits) {
    // With 12000 lines one unit (10^6 counts/s) is exactly 1 rpm.
    const struct {
        double speed;
        int format;
        int32_t pulseRate;
        bool reversed;
        const char* expected;
    } cases[] = {
        {0.00009, 1, 1024, false, "0.00 rpm "}, {0.00009, 1, 2, false, "0.00 rpm "},
        {0.00019, 1, 2, false, "0.60 rpm "},    {0.0, 1, 1024, true, "0.00 rpm "},
        {0.5, 0, 12000, false, "0.50 rpm "},    {1.0, 0, 12000, false, "1.0 rpm "},
        {10.0, 1, 12000, false, " 10 rpm "},    {123.4567, 1, 12000, false, "123 rpm "},
        {0.5, 1, 12000, true, "-0.50 rpm "},    {-10.0, 1, 12000, false, "-10 rpm "},
        {0.5, 3, 1024, false, "0.050 m/s "},    {1.0, 3, 1024, false, "0.10 m/s "},
        {5.0, 3, 1024, false, "0.50 m/s "},     {10.0, 3, 1024, false, "1.0 m/s "},
        {0.5, 3, 1024, true, "-0.050 m/s "},    {std::nan(""), 1, 1024, false, "0.00 rpm "},
        {kInf, 3, 1024, false, "0.000 m/s "},   {-kInf, 1, 1024, true, "0.00 rpm "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatSpeed(c.speed, c.format, c.pulseRate, c.reversed), c.expected) << c.speed;
    }
}

TEST(PositionAndSpeedText, ExtremeInputsGiveWholeTexts) {
    const double values[] = {std::numeric_limits<double>::max(), -1e300, kMin, kMax, kInf};
    for (double v : values) {
        for (int32_t pulseRate : {-1, 0, 2, 20000, 1 << 30}) {
            for (int format : {0, 1, 2, 3, 99}) {
                const std::string speed = formatSpeed(v, format, pulseRate, true);
                EXPECT_EQ(speed.substr(speed.size() - 5), format == 3 ? " m/s " : " rpm ");
                EXPECT_FALSE(formatPosition(v, format, pulseRate).empty());
            }
        }
    }
}

constexpr int32_t kN = 1024 * 5000; // one revolution of the test bearing

class PositionDisplayTest : public testing::Test {
protected:
    PositionDisplayTest() {
        config.pulseRate = 1024;
        config.displayFormat = 0;
        link.boxStarting = false;
        readings.firmwareVersion = 1.6;
    }
    // As the core does: the tracker counts the event, then the window shows it.
    PositionView show(int32_t raw) {
        readings.rawPosition = raw;
        tracker.positionEvent(readings);
        return display.showPosition();
    }
    int32_t position(int32_t raw) { return show(raw).displayPosition; }
    int32_t wrapped(int64_t p) { return static_cast<int32_t>((p % kN + kN) % kN); }

    DeviceReadings readings;
    LinkControl link;
    ConfigData config;
    std::mutex lock;
    PositionTracker tracker{config, link};
    PositionDisplay display{tracker, readings, config, lock};
};

TEST_F(PositionDisplayTest, ZeroPointAndDirection) {
    const PositionView view = show(kN / 2 + 1000);
    EXPECT_EQ(tracker.displayPosition(), kN / 2 + 1000);
    EXPECT_EQ(view.markerText, "0 T ");
    display.zeroCommand();
    EXPECT_EQ(position(kN / 2 + 1500), 500);
    display.directionCommand();
    EXPECT_EQ(config.directionReversed, 1);
    EXPECT_EQ(position(kN / 2 + 1001), kN - 1); // counts down from N - 1
    EXPECT_DOUBLE_EQ(show(kN + 1000).displayAngle, 180.0);
}

TEST_F(PositionDisplayTest, CountsTurnsBothWaysAndRestartsAt100) {
    int32_t raw = 100;
    show(raw);
    auto turn = [&](int32_t direction) { // four steps, zero crossed once
        for (int step = 0; step < 4; ++step) {
            show(raw += direction * (kN / 4));
        }
    };
    turn(+1);
    EXPECT_EQ(show(raw).markerText, "1 T ");
    turn(-1);
    turn(-1);
    EXPECT_EQ(show(raw).markerText, "-1 T ");
    for (int i = 0; i < 100; ++i) {
        turn(+1);
    }
    EXPECT_EQ(tracker.turnCount(), 99);
    turn(+1);
    EXPECT_EQ(tracker.turnCount(), 0);
    turn(-1);
    EXPECT_EQ(tracker.turnCount(), -1);
    display.zeroCommand();
    EXPECT_EQ(tracker.turnCount(), 0);
    turn(+1);
    display.directionCommand();
    EXPECT_EQ(tracker.turnCount(), 0);
    EXPECT_EQ(tracker.previousDisplayPosition(), 0.0);
}

TEST_F(PositionDisplayTest, CounterWrapOfBothDialectsIsAbsorbed) {
    const struct {
        bool newProtocol;
        int32_t before, after, moved;
    } cases[] = {
        {true, 159'999'000, 1000, 2000},          {true, 1000, 159'999'000, -2000},
        {true, 159'999'000, -159'999'000, 2000},  {true, -159'999'000, 159'999'000, -2000},
        {false, 179'999'000, 1000, 2000},         {false, 1000, 179'999'000, -2000},
        {false, 179'999'000, -179'999'000, 2000}, {false, -179'999'000, 179'999'000, -2000},
    };
    for (const auto& c : cases) {
        link.newProtocol = c.newProtocol;
        for (int32_t raw = 0; raw / 50'000'000 != c.before / 50'000'000;) {
            show(raw += c.before > 0 ? 50'000'000 : -50'000'000); // no wrap on the way
        }
        const int32_t p0 = position(c.before);
        const int32_t p1 = position(c.after);
        EXPECT_EQ(p1, wrapped(int64_t{p0} + c.moved)) << c.before << " -> " << c.after;
        EXPECT_EQ(position(c.after + 500), wrapped(int64_t{p1} + 500));
        tracker.reset(); // as resetReadings does
    }
}

TEST_F(PositionDisplayTest, AnyRawCountGivesAPositionWithinTheRevolution) {
    for (int32_t pulseRate : {2, 1024, 20000}) {
        config.pulseRate = pulseRate;
        for (int reversed : {0, 1}) {
            config.directionReversed = reversed;
            for (int32_t raw : {kMin, kMax, 0, kMin + 1, -1, kMax - 1, kMin}) {
                link.newProtocol = !link.newProtocol;
                tracker.zero(raw >= 0 ? kMin : kMax);
                const int32_t p = position(raw);
                EXPECT_GE(p, 0);
                EXPECT_LT(p, int64_t{pulseRate} * 5000);
            }
        }
    }
    // Far below the zero point (more than 20 revolutions) it still wraps.
    config.pulseRate = 2;
    config.directionReversed = 0;
    tracker.reset();
    for (int32_t raw = 0; raw > -250'000; raw -= 25'000) {
        show(raw);
    }
    EXPECT_EQ(position(-250'001), 9999);
}

TEST_F(PositionDisplayTest, AbsoluteModeShowsTheBoxValue) {
    tracker.zero(77);
    show(kN - 100);
    show(kN + 100);
    EXPECT_EQ(tracker.turnCount(), 1);
    readings.absolutePositionMode = true;
    const PositionView view = show(-1);
    EXPECT_EQ(view.displayPosition, kN - 1);
    EXPECT_EQ(view.markerText, " Abs ");
    EXPECT_EQ(tracker.zeroPosition(), 0);
    EXPECT_EQ(tracker.wrapCorrection(), 0);
    EXPECT_EQ(tracker.turnCount(), 1);
    EXPECT_EQ(position(12345), 12345);
    config.directionReversed = 1;
    EXPECT_EQ(position(5), kN - 6);
    const int32_t p = position(kMin);
    EXPECT_TRUE(p >= 0 && p < kN);
}

TEST_F(PositionDisplayTest, MarkerFollowsTheBoxState) {
    readings.firmwareVersion = 0.0; // not identified: no counter
    show(kN - 100);
    EXPECT_EQ(show(kN + 100).markerText, "");
    EXPECT_EQ(tracker.turnCount(), 0);
    readings.firmwareVersion = 2.1;
    link.boxStarting = true;
    EXPECT_EQ(show(kN + 300).markerText, "");
    link.boxStarting = false;
    std::strcpy(readings.boxTypeText, "QTBX02 (1Ref)");
    EXPECT_EQ(show(kN + 400).markerText, "0 T ");
    readings.boxInfoMarked = true;
    EXPECT_EQ(show(kN + 500).markerText, "");
    display.toggleRefBlink();
    EXPECT_EQ(show(kN + 600).markerText, " Ref ");
    EXPECT_TRUE(show(kN + 600).dimmed);
    readings.firmwareVersion = 1.6; // older firmware: only with the two-letter protocol
    readings.boxInfoMarked = false;
    readings.detectedPulseRate = 1024;
    EXPECT_EQ(show(kN + 700).markerText, "0 T ");
    link.newProtocol = true;
    EXPECT_EQ(show(kN + 800).markerText, " Ref ");
}

TEST_F(PositionDisplayTest, FieldsAreRewrittenOnlyWhenTheirTextChanges) {
    PositionView view = show(1000);
    EXPECT_TRUE(view.writeMarker && view.writeSpeed && view.writePosition);
    view = show(1000);
    EXPECT_FALSE(view.writeMarker || view.textsChanged);
    EXPECT_TRUE(view.stopInterfaceSearch);
    display.forgetPositionText();
    EXPECT_TRUE(show(1000).writePosition);
    EXPECT_TRUE(display.showState("No data.  ", "").changed());
    EXPECT_FALSE(display.showState("No data.  ", "").changed());
    view = show(1000);
    EXPECT_TRUE(view.writePosition && view.writeSpeed);
}

} // namespace

namespace {

TEST_F(PositionDisplayTest, SpeedBeyondTheResolvableLimitShowsTheLimitInWarningColour) {
    // pulseRate 1024: one unit of speed is 12000 / 1024 rpm.
    readings.speed = -10.0; // an aliased estimate
    readings.speedLimit = 400.0 * 1024 / 12000 + 0.5;
    readings.speedOverLimit = true;
    PositionView view = show(0);
    EXPECT_EQ(view.speedText, "> 400 rpm ");
    EXPECT_TRUE(view.speedWarning);
    config.displayFormat = 3;
    EXPECT_EQ(show(0).speedText, "> 3.4 m/s ");

    readings.speedOverLimit = false;
    config.displayFormat = 0;
    view = show(0);
    EXPECT_EQ(view.speedText, "-117 rpm ");
    EXPECT_FALSE(view.speedWarning);
}

} // namespace
