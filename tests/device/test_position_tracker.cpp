// The position tracker's reference marks, counted as positions are, and the
// heads' state the status decoding keeps. The positions themselves are
// checked with their texts (tests/display) and end to end over the simulated
// box (tests/acquisition).

#include "config/ConfigData.h"
#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "device/PositionTracker.h"
#include "device/SensorState.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

struct Rig {
    Rig() {
        link.newProtocol = true;
        link.boxStarting = false;
    }
    DeviceReadings readings;
    LinkControl link;
    ConfigData config;
    PositionTracker tracker{config, link};
};

TEST(PositionTracker, ReferenceMarksCountAsPositionsDo) {
    const struct {
        const char* what;
        int32_t raw;
        int32_t expected;
        std::function<void(Rig&)> setUp;
    } cases[] = {
        {"as reported", 12345, 12345, {}},
        {"reversed direction", 100, 100,
         [](Rig& g) {
             g.tracker.zero(200);
             g.config.directionReversed = 1;
         }},
        {"any non-zero direction setting reverses", 100, 100,
         [](Rig& g) {
             g.tracker.zero(200);
             g.config.directionReversed = 2;
         }},
        {"a pulse rate out of range wraps at the nearest usable one", 100, 2 * 5000 - 100,
         [](Rig& g) {
             g.tracker.zero(200);
             g.config.pulseRate = 0;
         }},
        {"before the zero point it wraps", 100, 1728 * 5000 - 100,
         [](Rig& g) { g.tracker.zero(200); }},
        {"absolute mode", 100, 100 - 20000, [](Rig& g) { g.readings.absolutePositionMode = true; }},
        {"overflowing sums", kMax, static_cast<int32_t>((int64_t{kMax} + 1000) % 8640000),
         [](Rig& g) { g.tracker.zero(-1000); }},
        {"the older box's line has no count: where the shaft was shown", 999, 4321,
         [](Rig& g) {
             g.link.newProtocol = false;
             g.readings.rawPosition = 4321;
             g.tracker.positionEvent(g.readings);
         }},
    };
    for (const auto& c : cases) {
        Rig g;
        if (c.setUp)
            c.setUp(g);
        g.readings.refRawPosition = c.raw;
        g.tracker.referenceMarkEvent(g.readings);
        EXPECT_EQ(g.tracker.referencePosition(), c.expected) << c.what;
    }
}

TEST(PositionTracker, ZeroDirectionAndResetStartTheCountingAgain) {
    Rig g;
    g.readings.firmwareVersion = 2.1;
    g.readings.speed = 1728 * 5000 / 60.0 / 1e6; // one turn a minute
    g.readings.rawPosition = 5000;
    g.tracker.positionEvent(g.readings);
    EXPECT_EQ(g.tracker.displayPosition(), 5000);
    EXPECT_EQ(g.tracker.marker(), PositionMarker::Turns);
    EXPECT_DOUBLE_EQ(g.tracker.speedRpm(), 1.0);
    g.tracker.zero(5000);
    g.readings.rawPosition = 5100;
    g.tracker.positionEvent(g.readings);
    EXPECT_EQ(g.tracker.displayPosition(), 100);
    EXPECT_DOUBLE_EQ(g.tracker.displayAngle(), 100 * 360.0 / (1728 * 5000));
    // Reversed: counts down from one turn less one count, the speed turns too.
    g.config.directionReversed = 1;
    g.tracker.directionChanged();
    g.tracker.positionEvent(g.readings);
    EXPECT_EQ(g.tracker.displayPosition(), 1728 * 5000 - 100);
    EXPECT_DOUBLE_EQ(g.tracker.speedRpm(), -1.0);
    g.tracker.reset();
    EXPECT_EQ(g.tracker.zeroPosition(), 0);
    EXPECT_EQ(g.tracker.displayPosition(), 0);
    EXPECT_EQ(g.tracker.marker(), PositionMarker::None);
}

TEST(SensorState, OffsetsSeenOnceAndTheConnectionOfEachStatus) {
    DeviceReadings readings;
    SensorState sensors;
    EXPECT_EQ(sensors.sensorConnection(), SensorState::kNoValidStatus);

    // Two-letter box: 0 white, 2 yellow; the one-letter box names channels.
    const struct {
        int param;
        std::optional<Head> first;
    } reports[] = {{1, std::nullopt}, {0, Head::WH}, {0, std::nullopt},
                   {4, std::nullopt}, {2, Head::YE}, {2, std::nullopt}};
    for (const auto& r : reports) {
        sensors.deviceEvent(kDacOffsetsEvent, r.param, readings, true);
        EXPECT_EQ(sensors.offsetsFirstSeen(), r.first) << r.param;
    }
    EXPECT_TRUE(sensors.offsetSeen(Head::WH) && sensors.offsetSeen(Head::YE));
    sensors.deviceEvent(kPositionEvent, 0, readings, true);
    EXPECT_EQ(sensors.offsetsFirstSeen(), std::nullopt);
    sensors.clearOffsetsSeen();
    EXPECT_FALSE(sensors.offsetSeenWH() || sensors.offsetSeenYE());

    const struct {
        int param;
        double firmware;
        int32_t flags;
        double channel;
        bool newProtocol;
        int connection;
    } statuses[] = {
        {kStatusValidTwoLetter, 2.1, 0x0000, 0.0, true, SensorState::kConnected},
        {kStatusValidTwoLetter, 2.1, 0x0011, 0.0, true, SensorState::kNotConnected},
        {kStatusValidTwoLetter, 2.1, 0x0011, 5.0, true, SensorState::kConnected},
        {kStatusValidTwoLetter, 2.1, 0x0001, 0.0, true, SensorState::kConnected},
        {kStatusValidOneLetter, 1.4, 0x0011, 0.0, false, SensorState::kConnected},
        {0, 2.1, 0x0011, 0.0, true, SensorState::kNoValidStatus},
        {kStatusValidTwoLetter, 0.0, 0x0000, 0.0, true, SensorState::kNoValidStatus},
    };
    for (const auto& s : statuses) {
        readings.firmwareVersion = s.firmware;
        readings.errorFlags = s.flags;
        readings.channelValues[0] = readings.channelValues[2] = s.channel;
        sensors.deviceEvent(kStatusEvent, s.param, readings, s.newProtocol);
        EXPECT_EQ(sensors.sensorConnection(), s.connection) << s.flags << " " << s.firmware;
    }
}

} // namespace
