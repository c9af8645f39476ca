#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/ErrorFlags.h"
#include "display/StatusDisplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr Lamp G = Lamp::Green;
constexpr Lamp Y = Lamp::Yellow;
constexpr Lamp R = Lamp::Red;
using Lamps = std::array<Lamp, kLampCount>; // SPD WH, SPD YE, SEN WH, SEN YE, SIG WH, SIG YE

// Records what the status list would receive.
class RecordingHook : public StatusListHook {
public:
    bool statusListBusy() const override { return busy; }
    void appendStatusEntry(int32_t displayPosition, int32_t errorFlags) override {
        entries.emplace_back(displayPosition, errorFlags);
        if (onAppend) {
            onAppend();
        }
    }
    bool busy = false;
    std::vector<std::pair<int32_t, int32_t>> entries;
    std::function<void()> onAppend;
};

// A healthy two-letter box that has reported its offsets and a reference.
class StatusDisplayTest : public testing::Test {
protected:
    StatusDisplayTest() {
        readings.firmwareVersion = 1.6;
        readings.amplitudeWH = 60.0;
        readings.amplitudeYE = 60.0;
        readings.channelValues[0] = 100.0;
        readings.channelValues[2] = 100.0;
        std::strcpy(readings.refPhaseText, "123");
        std::strcpy(readings.boxTypeText, "QTBX01");
        std::strcpy(readings.boxInfoText, "123");
        link.newProtocol = true;
        status.noteOffsetsReported(0);
        status.noteOffsetsReported(2);
    }

    StatusView update(int32_t flags, bool valid = true) {
        readings.errorFlags = flags;
        std::optional<StatusUpdate> result = status.updateStatusDisplay(valid);
        EXPECT_TRUE(result.has_value());
        return result ? result->view : StatusView{};
    }
    std::string detail(int selection, int32_t flags) {
        status.selectDetail(selection);
        return update(flags).text;
    }

    DeviceReadings readings;
    LinkControl link;
    RecordingHook hook;
    int64_t now = 1'000'000;
    StatusDisplay status{readings, link, &hook, [this] { return now; }};
};

TEST_F(StatusDisplayTest, NoValidStatusGreysEverything) {
    status.selectDetail(kDetailSignalWH);
    for (auto [valid, firmware] : {std::pair{false, 1.6}, std::pair{true, 0.0}}) {
        readings.firmwareVersion = firmware;
        const StatusView view = update(0x0001, valid);
        EXPECT_EQ(view.lamps,
                  (Lamps{Lamp::Grey, Lamp::Grey, Lamp::Grey, Lamp::Grey, Lamp::Grey, Lamp::Grey}));
        EXPECT_EQ(view.picture, BoxPicture::Wait);
        EXPECT_EQ(view.text, "...  ");
        EXPECT_FALSE(view.startButtonsEnabled);
        EXPECT_EQ(status.sensorConnection(), -1);
        EXPECT_EQ(status.detailSelection(), kDetailNone);
    }
    EXPECT_EQ(hook.entries.size(), 2u); // logged even without a valid status
}

TEST_F(StatusDisplayTest, HealthyBoxIsReady) {
    const StatusView view = update(0);
    EXPECT_EQ(view.lamps, (Lamps{G, G, G, G, G, G}));
    EXPECT_EQ(view.picture, BoxPicture::SignalWithRef);
    EXPECT_EQ(view.text, "Ready.  ");
    EXPECT_TRUE(view.startButtonsEnabled);
    EXPECT_EQ(status.sensorConnection(), 0);
}

struct FlagCase {
    const char* what;
    int32_t flags;
    double firmware;
    Lamps lamps;
    BoxPicture picture;
    const char* text;
};

class StatusFlags : public StatusDisplayTest, public testing::WithParamInterface<FlagCase> {};

TEST_P(StatusFlags, LampsPictureAndStatusLine) {
    const FlagCase& c = GetParam();
    readings.firmwareVersion = c.firmware;
    const StatusView view = update(c.flags);
    EXPECT_EQ(view.lamps, c.lamps) << c.what;
    EXPECT_EQ(view.picture, c.picture) << c.what;
    EXPECT_EQ(view.text, c.text) << c.what;
}

constexpr BoxPicture kSig = BoxPicture::SignalWithRef;

INSTANTIATE_TEST_SUITE_P(
    EveryBit, StatusFlags,
    testing::Values(
        FlagCase{"W-Sig", 0x0001, 1.6, {G, G, G, G, R, G}, kSig, "Error.  "},
        FlagCase{"W-Lo before 2.0 is no error", 0x0002, 1.9, {G, G, G, G, G, G}, kSig, "Ready.  "},
        FlagCase{"MX-Spd from 2.0", 0x0002, 2.0, {R, R, G, G, G, G}, kSig, "Speed error !  "},
        FlagCase{"W-Hi alone", 0x0004, 1.6, {G, G, G, G, G, G}, kSig, "Error.  "},
        FlagCase{"W-OSpd", 0x0008, 1.6, {Y, G, G, G, G, G}, kSig, "Ready.  "},
        FlagCase{"Y-Sig", 0x0010, 1.6, {G, G, G, G, G, R}, kSig, "Error.  "},
        FlagCase{"Y-Lo", 0x0020, 1.6, {G, G, G, G, G, G}, kSig, "Ready.  "},
        FlagCase{"Y-OSpd", 0x0080, 1.6, {G, Y, G, G, G, G}, kSig, "Ready.  "},
        FlagCase{"Spd232", 0x0100, 1.6, {Y, Y, G, G, G, G}, kSig, "Ready.  "},
        FlagCase{"Ref before 1.47 is a speed fault",
                 0x0200,
                 1.46,
                 {R, R, G, G, G, G},
                 BoxPicture::Hardware,
                 "Ready.  "},
        FlagCase{"Ref at 1.47 changes nothing", 0x0200, 1.47, {G, G, G, G, G, G}, kSig, "Ready.  "},
        FlagCase{"Ref at 1.50 changes nothing", 0x0200, 1.50, {G, G, G, G, G, G}, kSig, "Ready.  "},
        FlagCase{
            "Ref from 1.52 is a signal error", 0x0200, 1.52, {G, G, G, G, G, R}, kSig, "Error.  "},
        FlagCase{"RollO", 0x0400, 1.6, {G, G, G, G, G, G}, kSig, "Ready.  "},
        FlagCase{"ADC", 0x0800, 1.6, {G, G, G, G, G, G}, BoxPicture::Adc, "Error.  "},
        FlagCase{"NoOff with offsets known",
                 0x1000,
                 1.6,
                 {G, G, G, G, G, G},
                 BoxPicture::Learn,
                 "Box reset : No Offset.  "},
        FlagCase{"W-NoS", 0x2000, 1.6, {G, G, R, G, G, G}, BoxPicture::Hardware, "Error.  "},
        FlagCase{"Y-NoS", 0x4000, 1.6, {G, G, G, R, G, G}, BoxPicture::Hardware, "Error.  "},
        FlagCase{"DACo", 0x8000, 1.6, {G, G, G, G, G, G}, BoxPicture::Dac, "Error.  "},
        FlagCase{"MX-Spd outranks other errors",
                 0x0803,
                 2.0,
                 {R, R, G, G, R, G},
                 BoxPicture::Adc,
                 "Speed error !  "},
        FlagCase{"high bits are ignored", 0x7FFF0000, 1.6, {G, G, G, G, G, G}, kSig, "Ready.  "}),
    [](const testing::TestParamInfo<FlagCase>& info) {
        return "case" + std::to_string(info.index);
    });

TEST_F(StatusDisplayTest, StatusLineNamesWhatTheBoxStillMisses) {
    readings.refPhaseText[0] = '\0';
    EXPECT_EQ(update(0).text, "Box reset : No Ref.  ");
    EXPECT_EQ(status.shown().picture, BoxPicture::LearnWithoutRef);
    std::strcpy(readings.boxTypeText, "ORVA NoRef");
    EXPECT_EQ(update(0).text, "Ready.  ");
    EXPECT_EQ(status.shown().picture, BoxPicture::SignalWithoutRef);
    EXPECT_EQ(update(0x1000).text, "Box reset : No Offset.  ");
}

TEST_F(StatusDisplayTest, OneRefBoxPictureAndStatusLine) {
    std::strcpy(readings.boxTypeText, "QTBX02 (1Ref)");
    struct Case {
        const char* info;
        int32_t detectedPulseRate;
        bool absolute;
        BoxPicture picture;
        const char* pictureDetail;
        const char* statusLine;
    } cases[] = {
        {"12^", 0, false, BoxPicture::LearnWithRef, "Pict.: : No Abs.Pos.  ",
         "Box reset : No Abs.Pos.  "},
        // The picture treats "*" like "^"; the status line does not.
        {"12*", 0, false, BoxPicture::LearnWithRef, "Pict.: : No Abs.Pos.  ",
         "Box reset : Restart Teach-In !  "},
        {"12", 0, false, BoxPicture::Restart, "Pict.: : Restart Teach-In !  ",
         "Box reset : Restart Teach-In !  "},
        {"12", 1024, false, kSig, "Pict.: : No Abs.Pos.  ", "Box reset : Restart Teach-In !  "},
        {"12", 1024, true, kSig, "Pict.: No error.  ", "Ready.  "},
    };
    for (const Case& c : cases) {
        std::strcpy(readings.boxInfoText, c.info);
        readings.detectedPulseRate = c.detectedPulseRate;
        readings.absolutePositionMode = c.absolute;
        status.selectDetail(kDetailNone);
        const StatusView line = update(0);
        EXPECT_EQ(line.picture, c.picture) << c.info;
        EXPECT_EQ(line.text, c.statusLine) << c.info;
        EXPECT_EQ(detail(kDetailPicture, 0), c.pictureDetail) << c.info;
    }
}

TEST_F(StatusDisplayTest, PictureWithoutOffsets) {
    status.clearOffsetsSeen();
    update(0x0800);
    // Reference known, no offset fault: the picture stays as it was.
    EXPECT_EQ(update(0).picture, BoxPicture::Adc);
    readings.refPhaseText[0] = '\0';
    EXPECT_EQ(update(0).picture, BoxPicture::Learn);
    EXPECT_EQ(detail(kDetailPicture, 0), "Pict.: Do teach-in !  ");
    // A missing offset that the box has not reported turns the signal lamps yellow.
    EXPECT_EQ(update(0x1000).lamps, (Lamps{G, G, G, G, Y, Y}));
    EXPECT_EQ(detail(kDetailSignalWH, 0x1000), "SIG.WH: No Offset found.  ");
}

TEST_F(StatusDisplayTest, AmplitudeLimits) {
    struct Case {
        double amplitude;
        Lamp lamp;
        const char* detail;
        const char* line;
    } cases[] = {
        {30.0, G, "SIG.WH: No error.  ", "Ready.  "},
        {95.0, G, "SIG.WH: No error.  ", "Ready.  "},
        {29.9, Y, "SIG.WH: Sensor too far !  ", "Warning: Sensor distance !  "},
        {95.1, Y, "SIG.WH: Sensor too close !  ", "Warning: Sensor distance !  "},
        {std::nan(""), G, "SIG.WH: No error.  ", "Ready.  "},
    };
    for (const Case& c : cases) {
        readings.amplitudeWH = c.amplitude;
        status.selectDetail(kDetailNone);
        const StatusView line = update(0);
        EXPECT_EQ(line.lamps[kSignalWH], c.lamp) << c.amplitude;
        EXPECT_EQ(line.text, c.line) << c.amplitude;
        EXPECT_EQ(detail(kDetailSignalWH, 0), c.detail) << c.amplitude;
    }
    readings.amplitudeWH = 60.0;
    readings.amplitudeYE = 96.0;
    EXPECT_EQ(detail(kDetailSignalYE, 0), "SIG.YE: Sensor too close !  ");
    EXPECT_EQ(status.shown().lamps[kSignalYE], Y);
}

TEST_F(StatusDisplayTest, SensorsNotConnected) {
    readings.channelValues[0] = 0.0;
    readings.channelValues[2] = 0.0;
    const StatusView view = update(0x0011);
    EXPECT_EQ(view.lamps, (Lamps{G, G, G, G, R, R}));
    EXPECT_EQ(view.picture, BoxPicture::Sensor);
    EXPECT_EQ(status.sensorConnection(), 1);
    EXPECT_EQ(detail(kDetailSignalWH, 0x0011), "SIG.WH: Sensor not connected ! ");
    EXPECT_EQ(detail(kDetailSignalYE, 0x0011), "SIG.YE: Sensor not connected ! ");
    EXPECT_EQ(detail(kDetailPicture, 0x0011), "Pict.: Sensor not connected ! ");

    // The one-letter protocol cannot tell: an ordinary signal error.
    link.newProtocol = false;
    EXPECT_EQ(detail(kDetailSignalWH, 0x0011), "SIG.WH: Signal error.  ");
    EXPECT_EQ(detail(kDetailSignalWH, 0x0015), "SIG.WH: High amplitude.  ");
    EXPECT_EQ(status.sensorConnection(), 0);
    EXPECT_EQ(status.shown().picture, kSig);
}

TEST_F(StatusDisplayTest, LampDetails) {
    struct Case {
        int selection;
        int32_t flags;
        double firmware;
        const char* text;
    } cases[] = {
        {kDetailSensorWH, 0x2000, 1.6, "SEN.WH: No Sensor present.  "},
        {kDetailSensorYE, 0x4000, 1.6, "SEN.YE: No Sensor present.  "},
        {kDetailSpeedWH, 0x0008, 1.6, "SPD.WH: No Offset calculation.  "},
        {kDetailSpeedYE, 0x0100, 1.6, "SPD.YE: No Offset calculation.  "},
        {kDetailSpeedYE, 0x0002, 2.0, "SPD.YE: Speed error !  "},
        {kDetailSpeedWH, 0x0200, 1.46, "SPD.WH: Speed error !  "},
        {kDetailSignalYE, 0x0200, 1.52, "SIG.YE: Unexpected reference.  "},
        {kDetailSignalYE, 0x0050, 1.6, "SIG.YE: High amplitude.  "},
        {kDetailPicture, 0x0800, 1.6, "Pict.: A/D conversion timeout.  "},
        {kDetailPicture, 0x2000, 1.6, "Pict.: Hardware error.  "},
        {kDetailPicture, 0x8000, 1.6, "Pict.: Output cal. failed.  "},
        {kDetailSensorWH, 0x4000, 1.6, "SEN.WH: No error.  "},
    };
    for (const Case& c : cases) {
        readings.firmwareVersion = c.firmware;
        EXPECT_EQ(detail(c.selection, c.flags), c.text) << c.selection << " " << c.flags;
    }
    status.selectDetail(kDetailNone); // a click on the status text
    EXPECT_EQ(update(0).text, "Ready.  ");
}

TEST_F(StatusDisplayTest, DetailWithoutFaultReturnsAfterSixteenSeconds) {
    status.selectDetail(kDetailSignalWH);
    EXPECT_EQ(update(0).text, "SIG.WH: No error.  ");
    now += 15'999;
    EXPECT_EQ(update(0).text, "SIG.WH: No error.  ");
    now += 1;
    EXPECT_EQ(update(0).text, "No error.  ");
    EXPECT_EQ(status.detailSelection(), kDetailNone);
    EXPECT_EQ(update(0).text, "Ready.  ");
}

TEST_F(StatusDisplayTest, DetailWithFaultStaysWhileTheFaultLasts) {
    status.selectDetail(kDetailSignalWH);
    for (int i = 0; i < 10; ++i) {
        now += 60'000;
        EXPECT_EQ(update(0x0001).text, "SIG.WH: Signal error.  ");
    }
    // Once the fault is gone the 16 seconds start from its last report.
    now += 10'000;
    EXPECT_EQ(update(0).text, "SIG.WH: No error.  ");
    now += 6'000;
    EXPECT_EQ(update(0).text, "No error.  ");
}

TEST_F(StatusDisplayTest, AnotherClickRestartsTheDetailTime) {
    status.selectDetail(kDetailSignalWH);
    update(0);
    now += 10'000;
    status.selectDetail(kDetailSensorWH);
    EXPECT_EQ(update(0).text, "SEN.WH: No error.  ");
    now += 10'000;
    EXPECT_EQ(update(0).text, "SEN.WH: No error.  ");
}

TEST_F(StatusDisplayTest, StatusListGetsEveryLineUnlessRestartingOrBusy) {
    readings.displayPosition = 4321;
    update(0x0001);
    link.statusRestart = true;
    update(0x0002);
    link.statusRestart = false;
    hook.busy = true;
    update(0x0004);
    hook.busy = false;
    update(0x0008);
    EXPECT_EQ(hook.entries,
              (std::vector<std::pair<int32_t, int32_t>>{{4321, 0x0001}, {4321, 0x0008}}));
}

TEST_F(StatusDisplayTest, NoUpdateWhileRecordingOrAlreadyUpdating) {
    link.recordingActive = true;
    EXPECT_FALSE(status.updateStatusDisplay(true).has_value());
    EXPECT_TRUE(hook.entries.empty());
    link.recordingActive = false;

    std::optional<StatusUpdate> nested{StatusUpdate{}};
    hook.onAppend = [&] { nested = status.updateStatusDisplay(true); };
    EXPECT_TRUE(status.updateStatusDisplay(true).has_value());
    EXPECT_FALSE(nested.has_value());
    EXPECT_EQ(hook.entries.size(), 1u);
}

TEST_F(StatusDisplayTest, WindowRewritesOnlyWhatChanged) {
    std::optional<StatusUpdate> first = status.updateStatusDisplay(true);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->changes, (StatusChanges{true, true, false, true})); // lamps were green
    std::optional<StatusUpdate> same = status.updateStatusDisplay(true);
    ASSERT_TRUE(same);
    EXPECT_FALSE(same->changes.any());
    EXPECT_EQ(same->view, first->view);

    readings.errorFlags = 0x0001;
    std::optional<StatusUpdate> fault = status.updateStatusDisplay(true);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->changes, (StatusChanges{true, false, true, false}));
}

TEST_F(StatusDisplayTest, NoDataBlinksAndTheNextStatusRestoresTheLamps) {
    status.selectDetail(kDetailSpeedWH);
    update(0);
    const StatusUpdate a = status.showNoData();
    const StatusUpdate b = status.showNoData();
    EXPECT_EQ(a.view.lamps,
              (Lamps{Lamp::Grey, Lamp::Grey, Lamp::Grey, Lamp::Grey, Lamp::Grey, Lamp::Grey}));
    EXPECT_NE(a.view.picture, b.view.picture);
    EXPECT_TRUE(b.changes.picture);
    EXPECT_FALSE(b.changes.lamps);
    EXPECT_EQ(status.detailSelection(), kDetailNone);

    std::optional<StatusUpdate> back = status.updateStatusDisplay(true);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->changes.lamps);
    EXPECT_TRUE(back->changes.picture);
    EXPECT_EQ(back->view.text, "Ready.  ");
}

TEST_F(StatusDisplayTest, OffsetsAreNotedOncePerBoxReset) {
    status.clearOffsetsSeen();
    EXPECT_FALSE(status.offsetSeenWH());
    EXPECT_TRUE(status.noteOffsetsReported(0));
    EXPECT_FALSE(status.noteOffsetsReported(0));
    EXPECT_FALSE(status.noteOffsetsReported(1));
    EXPECT_FALSE(status.offsetSeenYE());
    EXPECT_TRUE(status.noteOffsetsReported(2));
    EXPECT_TRUE(status.offsetSeenYE());
}

TEST_F(StatusDisplayTest, AnyWordAndVersionGivesAStatus) {
    const double versions[] = {0.0, -1.0, 1.46, 1.47, 1.52, 2.0, std::nan(""), 1e308};
    std::strcpy(readings.boxTypeText, "QTBX02 (1Ref)");
    // A text field without its closing zero byte is read to its end only.
    std::memset(readings.boxInfoText, '^', sizeof readings.boxInfoText);
    for (double version : versions) {
        readings.firmwareVersion = version;
        for (int32_t flags = 0; flags <= 0xFFFF; flags += 0x0101) {
            for (int selection = kDetailNone; selection <= kDetailPicture; ++selection) {
                status.selectDetail(selection);
                ASSERT_FALSE(update(flags | 0x10000 * selection).text.empty());
            }
        }
    }
}

} // namespace
