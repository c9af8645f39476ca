// Which part of the main window, or of the extended display, each device
// event reaches, and what a running recording (through the core's rule for
// display receivers) or a busy display holds back.

#include "acquisition/DeviceReceiver.h"
#include "app/DeviceEventDispatcher.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "status/ExtendedDisplayEvents.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Records what the dispatcher asks the window to do.
class RecordingTarget : public DeviceEventTarget {
public:
    std::vector<std::string> calls;
    bool amplitudesBusy = false;
    bool statusBusy = false;
    bool noisePressed = false;
    bool offsetSeenWH = false;
    bool offsetSeenYE = false;
    double angle = 0.0;

    void showPosition() override { calls.push_back("position"); }
    double displayAngle() const override { return angle; }
    bool markOffsetSeen(Head head) override {
        bool& seen = head == Head::WH ? offsetSeenWH : offsetSeenYE;
        const bool wasClear = !seen;
        seen = true;
        return wasClear;
    }
    bool amplitudeBusy() const override { return amplitudesBusy; }
    void drawAmplitude(char command, double value) override {
        calls.push_back(std::string("amplitude ") + command + " " + std::to_string(int(value)));
    }
    bool statusDisplayBusy() const override { return statusBusy; }
    void updateStatusDisplay(bool valid) override {
        calls.push_back(valid ? "status valid" : "status not ready");
    }
    bool noiseButtonPressed() const override { return noisePressed; }
    void showNoise(double a, double b) override {
        calls.push_back("noise " + std::to_string(a) + " " + std::to_string(b));
    }
    void stopNoiseDisplay() override { calls.push_back("noise stop"); }
    void setVersionLine(const std::string& text) override { calls.push_back("version " + text); }
    void setSerialLine(const std::string& text) override { calls.push_back("serial " + text); }
    void showBoxResetResult(bool error) override {
        calls.push_back(error ? "reset error" : "flash erased");
    }
    void selectBearingByPulseRate() override { calls.push_back("bearing"); }
    void setReferenceImage(ReferenceIndicator::Image image) override {
        lastImage = image;
        ++imageCalls;
    }
    ReferenceIndicator::Image lastImage = ReferenceIndicator::Image::Idle;
    int imageCalls = 0;
};

class Dispatch : public testing::Test {
protected:
    DeviceReadings readings;
    LinkControl link;
    int64_t now = 1000;
    ReferenceIndicator indicator{[this] { return now; }};
    RecordingTarget target;
    DeviceEventDispatcher dispatcher{readings, link, indicator, target};

    void SetUp() override {
        readings.amplitudeWH = 61.0;
        readings.amplitudeYE = 72.0;
        readings.interferenceA = 15.0;
        readings.interferenceB = 25.0;
        std::strcpy(readings.boxTypeText, "QTBX01");
    }
    // As the core delivers it to the window and then to the extended
    // display, both display receivers.
    std::vector<std::string> run(int code, int param) {
        target.calls.clear();
        if (!(link.recordingActive && mutedWhileRecording(code))) {
            dispatcher.dispatch(code, param);
            if (const int view = extendedDisplayRefresh(code, param, link.recordingActive))
                target.calls.push_back("extended " + std::to_string(view));
        }
        return target.calls;
    }
};

using Calls = std::vector<std::string>;

TEST_F(Dispatch, AmplitudesMoveTheBarsWhenNotRecording) {
    EXPECT_EQ(run(6, 0), Calls{"amplitude W 61"});
    EXPECT_EQ(run(7, 0), Calls{"amplitude Y 72"});
    target.amplitudesBusy = true;
    EXPECT_EQ(run(6, 0), Calls{});
    EXPECT_EQ(run(7, 0), Calls{});
}

TEST_F(Dispatch, WhileRecordingAmplitudeAndReferenceEventsLeaveTheWindowAlone) {
    // The recorder, a receiver of its own, takes them as samples.
    link.recordingActive = true;
    EXPECT_EQ(run(6, 0), Calls{});
    EXPECT_EQ(run(7, 0), Calls{});
    EXPECT_EQ(run(20, 0), Calls{});
    // Everything a recording suppresses.
    EXPECT_EQ(run(3, 0), Calls{});
    EXPECT_EQ(run(5, 19), Calls{});
    EXPECT_EQ(run(8, 1), Calls{});
    EXPECT_EQ(run(16, 0), Calls{});
    // And what it does not.
    EXPECT_EQ(run(0, 0), Calls{"position"});
    EXPECT_EQ(run(4, 0), Calls{"extended 4"});
    EXPECT_EQ(run(12, 0), Calls{"extended 12"});
    EXPECT_EQ(run(19, 0), Calls{"extended 19"});
}

TEST_F(Dispatch, WhileRecordingReferenceEventsLeaveTheIndicatorAlone) {
    link.recordingActive = true;
    run(9, 0);
    run(10, 0);
    EXPECT_EQ(target.lastImage, ReferenceIndicator::Image::Idle);
    link.recordingActive = false;
    run(9, 0);
    EXPECT_EQ(target.lastImage, ReferenceIndicator::Image::Found);
}

TEST_F(Dispatch, OffsetsResetEachBarOnceUntilTheNextBoxReset) {
    EXPECT_EQ(run(2, 0), (Calls{"amplitude R 87", "extended 2"}));
    EXPECT_EQ(run(2, 0), Calls{"extended 2"});
    EXPECT_EQ(run(2, 2), Calls{"amplitude R 89"});
    EXPECT_EQ(run(2, 2), Calls{});
    EXPECT_EQ(run(2, 1), Calls{});
    // While recording the flag is still set, but no bar is touched.
    target.offsetSeenWH = false;
    link.recordingActive = true;
    EXPECT_EQ(run(2, 0), Calls{});
    EXPECT_TRUE(target.offsetSeenWH);
}

TEST_F(Dispatch, StatusEventsUnlessBusyAndTheirValidity) {
    EXPECT_EQ(run(5, 0), Calls{"status not ready"});
    EXPECT_EQ(run(5, 19), Calls{"status valid"});
    EXPECT_EQ(run(5, 18), Calls{"status valid"});
    target.statusBusy = true;
    EXPECT_EQ(run(5, 19), Calls{});
}

TEST_F(Dispatch, NoiseValuesOnlyWhileTheButtonIsPressed) {
    EXPECT_EQ(run(8, 1), Calls{});
    target.noisePressed = true;
    EXPECT_EQ(run(8, 1), Calls{"noise 1.500000 2.500000"});
    EXPECT_EQ(run(8, 0), Calls{"noise stop"});
}

TEST_F(Dispatch, ChannelEventsReachTheExtendedDisplayOnlyForTheirParameter) {
    EXPECT_EQ(run(3, 0), Calls{"extended 3"});
    EXPECT_EQ(run(3, 2), Calls{});
    EXPECT_EQ(run(4, 1), Calls{});
    EXPECT_EQ(run(20, 0), Calls{"extended 20"});
    for (int code : {1, 11, 13, 15, 22, -1})
        EXPECT_EQ(run(code, 0), Calls{}) << code;
}

TEST_F(Dispatch, VersionAndSerialLines) {
    std::strcpy(readings.boxTypeText, "QTBX01");
    std::strcpy(readings.versionText, "1.60");
    std::strcpy(readings.boxInfoText, "123");
    EXPECT_EQ(run(14, 0), Calls{"version QTBX01 Version 1.60 [123]"});
    std::strcpy(readings.serialTextA, "0815");
    std::strcpy(readings.serialTextB, "ORVA-2041");
    EXPECT_EQ(run(21, 0), Calls{"serial SN ORVA-2041 0815"});
}

TEST_F(Dispatch, TextFieldsWithoutTheirClosingZeroAreReadOnlyToTheirCapacity) {
    std::memset(readings.boxTypeText, 'A', sizeof readings.boxTypeText);
    std::memset(readings.versionText, 'V', sizeof readings.versionText);
    std::memset(readings.boxInfoText, 'I', sizeof readings.boxInfoText);
    const std::string line = DeviceEventDispatcher::versionLine(readings);
    EXPECT_EQ(line, std::string(32, 'A') + " Version " + std::string(16, 'V') + " [" +
                        std::string(20, 'I') + "]");
}

TEST_F(Dispatch, ResetResultAndPulseRate) {
    EXPECT_EQ(run(17, 49), Calls{"reset error"});
    EXPECT_EQ(run(17, 50), Calls{"flash erased"});
    EXPECT_EQ(run(17, 51), Calls{});
    EXPECT_EQ(run(18, 0), Calls{"bearing"});
}

TEST_F(Dispatch, EveryEventEndsWithTheIndicatorStep) {
    run(9, 0);
    EXPECT_EQ(target.lastImage, ReferenceIndicator::Image::Found);
    now += 501;
    const int before = target.imageCalls;
    run(13, 0);
    EXPECT_EQ(target.imageCalls, before + 1);
    EXPECT_EQ(target.lastImage, ReferenceIndicator::Image::Idle);
}

} // namespace
