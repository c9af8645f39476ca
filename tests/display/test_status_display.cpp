#include "config/ConfigData.h"
#include "device/DeviceEvents.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "device/PositionTracker.h"
#include "device/SensorState.h"
#include "display/ErrorFlags.h"
#include "display/StatusDisplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

TEST(FlagDescription, EveryBitInShortAndLongForm) {
    const struct {
        int32_t flags;
        double firmware;
        const char* shortList;
        const char* longText;
    } cases[] = {
        {0x0000, 1.6, " -", "ok"},
        {0x0001, 1.6, " W-Sig ", "CH-W: Signal error.  \n "},
        {0x0002, 1.99, " W-Lo ", "Speed error !  "},
        {0x0002, 2.0, " MX-Spd ", "Speed error !  "},
        {0x0005, 1.6, " W-Sig ,W-Hi ", "CH-W: High amplitude.  \n "},
        {0x0008, 1.6, " W-OSpd ", "CH-W: No Offset calculation.  \n "},
        {0x0011, 1.6, " W-Sig ,Y-Sig ", "CH-W: Signal error.  \n CH-Y: Signal error.  \n "},
        {0x0020, 1.6, " Y-Lo ", ""},
        {0x0040, 1.6, " Y-Hi ", "CH-Y: \n "},
        {0x0080, 1.6, " Y-OSpd ", "CH-Y: No Offset calculation.  \n "},
        {0x0104, 1.6, " W-Hi ,Spd232 ", "CH-W: \n RS232 transmission stopped.  "},
        {0x0108, 1.6, " W-OSpd ,Spd232 ", "RS232 transmission stopped.  "},
        {0x0102, 2.0, " MX-Spd ,Spd232 ", "Speed error !  "},
        {0x0200, 1.6, " Ref ", "Unexpected reference.  "},
        {0x0400, 1.6, " RollO ", "Position Overrun.  "},
        {0x0800, 1.6, " ADC ", "A/D conversion timeout.  "},
        {0x1100, 1.6, " Spd232 ,NoOff ", "RS232 transmission stopped.  No Offset found.  "},
        {0x6000, 1.6, " W-NoS ,Y-NoS ", "No Sensor present.  No Sensor present.  "},
        {0x8000, 1.6, " DACo ", "Output cal. failed.  "},
        {0x7FFF0000, 1.6, " -", "ok"}, // only the low 16 bits count
        {-1, 2.0,
         " W-Sig ,MX-Spd ,W-Hi ,W-OSpd ,Y-Sig ,Y-Lo ,Y-Hi ,Y-OSpd ,Spd232 ,Ref ,RollO ,ADC ,NoOff "
         ",W-NoS ,Y-NoS ,DACo ",
         "CH-W: High amplitude.  \n CH-Y: High amplitude.  \n Speed error !  Unexpected reference. "
         " Position Overrun.  A/D conversion timeout.  No Offset found.  No Sensor present.  No "
         "Sensor present.  Output cal. failed.  "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(describeFlags(c.flags, false, c.firmware), c.shortList) << std::hex << c.flags;
        EXPECT_EQ(describeFlags(c.flags, true, c.firmware), c.longText) << std::hex << c.flags;
    }
}

constexpr Lamp G = Lamp::Green, Y = Lamp::Yellow, R = Lamp::Red, O = Lamp::Grey;
using Lamps = std::array<Lamp, kLampCount>; // SPD WH, SPD YE, SEN WH, SEN YE, SIG WH, SIG YE
constexpr BoxPicture kSig = BoxPicture::SignalWithRef;

class RecordingHook : public StatusListHook {
public:
    bool statusListBusy() const override { return busy; }
    void appendStatusEntry(int32_t position, int32_t flags) override {
        entries.push_back({position, flags});
        if (onAppend) {
            onAppend();
        }
    }
    bool busy = false;
    std::vector<std::array<int32_t, 2>> entries;
    std::function<void()> onAppend;
};

// A healthy two-letter box that has reported its offsets and a reference.
class StatusDisplayTest : public testing::Test {
protected:
    StatusDisplayTest() {
        readings.firmwareVersion = 1.6;
        readings.amplitudeWH = readings.amplitudeYE = 60.0;
        readings.channelValues[0] = readings.channelValues[2] = 100.0;
        std::strcpy(readings.refPhaseText, "123");
        std::strcpy(readings.boxTypeText, "QTBX01");
        link.newProtocol = true;
        sensors.deviceEvent(kDacOffsetsEvent, 0, readings, true);
        sensors.deviceEvent(kDacOffsetsEvent, 2, readings, true);
    }
    StatusView update(int32_t flags, int detail = kDetailNone, bool valid = true) {
        readings.errorFlags = flags;
        status.selectDetail(detail);
        // As the core does before the window hears of the status line.
        sensors.deviceEvent(kStatusEvent, valid ? kStatusValidTwoLetter : 0, readings,
                            link.newProtocol);
        const std::optional<StatusUpdate> result = status.updateStatusDisplay(valid);
        EXPECT_TRUE(result.has_value());
        return result ? result->view : StatusView{};
    }

    DeviceReadings readings;
    LinkControl link;
    ConfigData config;
    RecordingHook hook;
    int64_t now = 1'000'000;
    SensorState sensors;
    PositionTracker positions{config, link};
    StatusDisplay status{readings, link, sensors, positions, &hook, [this] { return now; }};
};

TEST_F(StatusDisplayTest, LampsPictureStatusLineAndDetailOfEachFlag) {
    const struct {
        int32_t flags;
        double firmware;
        Lamps lamps;
        BoxPicture picture;
        const char* line;
        int detail;
        const char* detailText;
    } cases[] = {
        {0x0000, 1.6, {G, G, G, G, G, G}, kSig, "Ready.  ", kDetailPicture, "Pict.: No error.  "},
        {0x0001, 1.6, {G, G, G, G, R, G}, kSig, "Error.  ", 1, "SIG.WH: Signal error.  "},
        {0x0002, 1.9, {G, G, G, G, G, G}, kSig, "Ready.  ", 3, "SPD.WH: No error.  "},
        {0x0002, 2.0, {R, R, G, G, G, G}, kSig, "Speed error !  ", 6, "SPD.YE: Speed error !  "},
        {0x0004, 1.6, {G, G, G, G, G, G}, kSig, "Error.  ", 1, "SIG.WH: No error.  "},
        {0x0008, 1.6, {Y, G, G, G, G, G}, kSig, "Ready.  ", 3, "SPD.WH: No Offset calculation.  "},
        {0x0050, 1.6, {G, G, G, G, G, R}, kSig, "Error.  ", 4, "SIG.YE: High amplitude.  "},
        {0x0020, 1.6, {G, G, G, G, G, G}, kSig, "Ready.  ", 4, "SIG.YE: No error.  "},
        {0x0080, 1.6, {G, Y, G, G, G, G}, kSig, "Ready.  ", 6, "SPD.YE: No Offset calculation.  "},
        {0x0100, 1.6, {Y, Y, G, G, G, G}, kSig, "Ready.  ", 6, "SPD.YE: No Offset calculation.  "},
        {0x0200,
         1.46,
         {R, R, G, G, G, G},
         BoxPicture::Hardware,
         "Ready.  ",
         3,
         "SPD.WH: Speed error !  "},
        {0x0200, 1.47, {G, G, G, G, G, G}, kSig, "Ready.  ", 4, "SIG.YE: No error.  "},
        {0x0200, 1.50, {G, G, G, G, G, G}, kSig, "Ready.  ", 3, "SPD.WH: No error.  "},
        {0x0200, 1.52, {G, G, G, G, G, R}, kSig, "Error.  ", 4, "SIG.YE: Unexpected reference.  "},
        {0x0400, 1.6, {G, G, G, G, G, G}, kSig, "Ready.  ", 7, "Pict.: No error.  "},
        {0x0800,
         1.6,
         {G, G, G, G, G, G},
         BoxPicture::Adc,
         "Error.  ",
         7,
         "Pict.: A/D conversion timeout.  "},
        {0x1000,
         1.6,
         {G, G, G, G, G, G},
         BoxPicture::Learn,
         "Box reset : No Offset.  ",
         7,
         "Pict.: Do teach-in !  "},
        {0x2000,
         1.6,
         {G, G, R, G, G, G},
         BoxPicture::Hardware,
         "Error.  ",
         2,
         "SEN.WH: No Sensor present.  "},
        {0x4000,
         1.6,
         {G, G, G, R, G, G},
         BoxPicture::Hardware,
         "Error.  ",
         7,
         "Pict.: Hardware error.  "},
        {0x8000,
         1.6,
         {G, G, G, G, G, G},
         BoxPicture::Dac,
         "Error.  ",
         7,
         "Pict.: Output cal. failed.  "},
        {0x0803,
         2.0,
         {R, R, G, G, R, G},
         BoxPicture::Adc,
         "Speed error !  ",
         5,
         "SEN.YE: No error.  "},
    };
    for (const auto& c : cases) {
        readings.firmwareVersion = c.firmware;
        const StatusView line = update(c.flags);
        EXPECT_EQ(line.lamps, c.lamps) << std::hex << c.flags << " @" << c.firmware;
        EXPECT_EQ(line.picture, c.picture) << std::hex << c.flags;
        EXPECT_EQ(line.text, c.line) << std::hex << c.flags;
        EXPECT_TRUE(line.startButtonsEnabled);
        EXPECT_EQ(update(c.flags, c.detail).text, c.detailText) << std::hex << c.flags;
    }
}

TEST_F(StatusDisplayTest, NoValidStatusGreysEverything) {
    for (auto [valid, firmware] : {std::pair{false, 1.6}, std::pair{true, 0.0}}) {
        readings.firmwareVersion = firmware;
        const StatusView view = update(0x0001, kDetailSignalWH, valid);
        EXPECT_EQ(view.lamps, (Lamps{O, O, O, O, O, O}));
        EXPECT_EQ(view.picture, BoxPicture::Wait);
        EXPECT_EQ(view.text, "...  ");
        EXPECT_FALSE(view.startButtonsEnabled);
        EXPECT_EQ(sensors.sensorConnection(), -1);
        EXPECT_EQ(status.detailSelection(), kDetailNone);
    }
}

TEST_F(StatusDisplayTest, WhatTheBoxStillMisses) {
    std::strcpy(readings.boxTypeText, "QTBX02 (1Ref)");
    const struct {
        const char* refPhase;
        const char* info;
        int32_t pulseRate;
        bool absolute;
        BoxPicture picture;
        const char* pictureDetail;
        const char* line;
    } cases[] = {
        {"", "", 0, false, BoxPicture::LearnWithoutRef, "Pict.: No reference found.  ",
         "Box reset : No Ref.  "},
        {"1", "12^", 0, false, BoxPicture::LearnWithRef, "Pict.: : No Abs.Pos.  ",
         "Box reset : No Abs.Pos.  "},
        // The picture treats "*" like "^"; the status line does not.
        {"1", "12*", 0, false, BoxPicture::LearnWithRef, "Pict.: : No Abs.Pos.  ",
         "Box reset : Restart Teach-In !  "},
        {"1", "12", 0, false, BoxPicture::Restart, "Pict.: : Restart Teach-In !  ",
         "Box reset : Restart Teach-In !  "},
        {"1", "12", 1024, false, kSig, "Pict.: : No Abs.Pos.  ",
         "Box reset : Restart Teach-In !  "},
        {"1", "12", 1024, true, kSig, "Pict.: No error.  ", "Ready.  "},
        {"", "NoRef", 0, false, BoxPicture::SignalWithoutRef, "Pict.: No error.  ", "Ready.  "},
    };
    for (const auto& c : cases) {
        std::strcpy(readings.refPhaseText, c.refPhase);
        std::strcpy(readings.boxInfoText, c.info);
        readings.detectedPulseRate = c.pulseRate;
        readings.absolutePositionMode = c.absolute;
        const StatusView line = update(0);
        EXPECT_EQ(line.picture, c.picture) << c.info;
        EXPECT_EQ(line.text, c.line) << c.info;
        EXPECT_EQ(update(0, kDetailPicture).text, c.pictureDetail) << c.info;
    }
    // Without offsets the picture keeps its state while a reference is known.
    sensors.clearOffsetsSeen();
    std::strcpy(readings.refPhaseText, "1");
    update(0x0800);
    EXPECT_EQ(update(0).picture, BoxPicture::Adc);
    EXPECT_EQ(update(0x1000).lamps, (Lamps{G, G, G, G, Y, Y}));
    EXPECT_EQ(update(0x1000, kDetailSignalYE).text, "SIG.YE: No Offset found.  ");
}

TEST_F(StatusDisplayTest, AmplitudeLimitsAndUnpluggedSensors) {
    const struct {
        double amplitude;
        Lamp lamp;
        const char* line;
        const char* detail;
    } cases[] = {
        {30.0, G, "Ready.  ", "SIG.WH: No error.  "},
        {95.0, G, "Ready.  ", "SIG.WH: No error.  "},
        {29.9, Y, "Warning: Sensor distance !  ", "SIG.WH: Sensor too far !  "},
        {95.1, Y, "Warning: Sensor distance !  ", "SIG.WH: Sensor too close !  "},
        {std::nan(""), G, "Ready.  ", "SIG.WH: No error.  "},
    };
    for (const auto& c : cases) {
        readings.amplitudeWH = c.amplitude;
        EXPECT_EQ(update(0).lamps[kSignalWH], c.lamp) << c.amplitude;
        EXPECT_EQ(status.shown().text, c.line) << c.amplitude;
        EXPECT_EQ(update(0, kDetailSignalWH).text, c.detail) << c.amplitude;
    }

    readings.channelValues[0] = readings.channelValues[2] = 0.0;
    EXPECT_EQ(update(0x0011).lamps, (Lamps{G, G, G, G, R, R}));
    EXPECT_EQ(status.shown().picture, BoxPicture::Sensor);
    EXPECT_EQ(sensors.sensorConnection(), 1);
    EXPECT_EQ(update(0x0011, kDetailSignalWH).text, "SIG.WH: Sensor not connected ! ");
    EXPECT_EQ(update(0x0011, kDetailSignalYE).text, "SIG.YE: Sensor not connected ! ");
    link.newProtocol = false; // the one-letter box cannot tell: a signal error
    EXPECT_EQ(update(0x0011, kDetailSignalWH).text, "SIG.WH: Signal error.  ");
    EXPECT_EQ(sensors.sensorConnection(), 0);
}

TEST_F(StatusDisplayTest, DetailWithoutFaultReturnsAfterSixteenSeconds) {
    EXPECT_EQ(update(0, kDetailSignalWH).text, "SIG.WH: No error.  ");
    now += 15'999;
    EXPECT_EQ(update(0, kDetailSignalWH).text, "SIG.WH: No error.  ");
    now += 1;
    EXPECT_EQ(update(0, kDetailSignalWH).text, "No error.  ");
    EXPECT_EQ(status.detailSelection(), kDetailNone);
    EXPECT_EQ(update(0, status.detailSelection()).text, "Ready.  ");

    // A fault keeps the detail; the 16 s count from its last report.
    for (int i = 0; i < 5; ++i) {
        now += 60'000;
        EXPECT_EQ(update(0x0001, kDetailSignalWH).text, "SIG.WH: Signal error.  ");
    }
    now += 15'000;
    EXPECT_EQ(update(0, kDetailSignalWH).text, "SIG.WH: No error.  ");
    now += 61'000;
    status.selectDetail(kDetailSensorWH); // another click restarts the time
    EXPECT_EQ(update(0, kDetailSensorWH).text, "SEN.WH: No error.  ");
}

TEST_F(StatusDisplayTest, StatusListGetsEachLineUnlessRestartingBusyOrRecording) {
    readings.rawPosition = 4321; // shown there, as the core's tracker counts it
    positions.positionEvent(readings);
    update(0x0001, kDetailNone, false);
    link.statusRestart = true;
    update(0x0002);
    link.statusRestart = false;
    hook.busy = true;
    update(0x0004);
    hook.busy = false;
    link.recordingActive = true;
    EXPECT_FALSE(status.updateStatusDisplay(true).has_value());
    link.recordingActive = false;
    std::optional<StatusUpdate> nested{StatusUpdate{}};
    hook.onAppend = [&] { nested = status.updateStatusDisplay(true); };
    update(0x0008);
    EXPECT_FALSE(nested.has_value()); // re-entry refused
    EXPECT_EQ(hook.entries, (std::vector<std::array<int32_t, 2>>{{4321, 1}, {4321, 8}}));
}

TEST_F(StatusDisplayTest, WindowRewritesOnlyWhatChanged) {
    std::optional<StatusUpdate> u = status.updateStatusDisplay(true);
    EXPECT_EQ(u->changes, (StatusChanges{true, true, false, true})); // lamps were green
    u = status.updateStatusDisplay(true);
    EXPECT_FALSE(u->changes.any());
    readings.errorFlags = 0x0001;
    u = status.updateStatusDisplay(true);
    EXPECT_EQ(u->changes, (StatusChanges{true, false, true, false}));

    const StatusUpdate a = status.showNoData();
    const StatusUpdate b = status.showNoData();
    EXPECT_EQ(a.view.lamps, (Lamps{O, O, O, O, O, O}));
    EXPECT_NE(a.view.picture, b.view.picture); // blinks
    EXPECT_FALSE(b.changes.lamps);
    u = status.updateStatusDisplay(true);
    EXPECT_TRUE(u->changes.lamps && u->changes.picture);
}

TEST_F(StatusDisplayTest, AnyWordAndVersionGivesAStatus) {
    std::strcpy(readings.boxTypeText, "QTBX02 (1Ref)");
    std::memset(readings.boxInfoText, '^', sizeof readings.boxInfoText); // no closing zero
    for (int32_t flags = 0; flags <= 0xFFFF; ++flags) {
        ASSERT_EQ(describeFlags(flags, false, 2.0).at(0), ' ');
        ASSERT_LT(describeFlags(flags, true, 2.0).size(), 400u); // two channels, eight texts
    }
    for (double version : {0.0, -1.0, 1.46, 1.52, 2.0, std::nan(""), 1e308}) {
        readings.firmwareVersion = version;
        for (int32_t flags = 0; flags <= 0xFFFF; flags += 0x0101) {
            for (int detail = kDetailNone; detail <= kDetailPicture; ++detail) {
                ASSERT_FALSE(update(flags | 0x10000 * detail, detail).text.empty());
            }
        }
    }
}

} // namespace
