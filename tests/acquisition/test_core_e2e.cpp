// The acquisition core against the simulated box: every receiver hears the
// reader thread's notices, a recording mutes the display receivers only, and
// box requests are answered when the box is back.

#include "acquisition/AcquisitionCore.h"
#include "acquisition/RecordedEvent.h"
#include "boxsim/BoxSimulator.h"
#include "device/DeviceEvents.h"
#include "device/PortMap.h"
#include "link/LinkTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace linktest;

namespace {

class CountingReceiver : public DeviceReceiver {
public:
    explicit CountingReceiver(bool display) : display_(display) {}
    void deviceEvent(int code, int, const DeviceReadings& readings) override {
        codes.push_back(code);
        if (auto sample = recordedEvent(code, readings))
            samples.push_back(*sample);
    }
    void noSerialData() override { ++noData; }
    void linkEnded() override { ++ended; }
    bool displayReceiver() const override { return display_; }

    int count(int code) const {
        return static_cast<int>(std::count(codes.begin(), codes.end(), code));
    }
    void clear() {
        codes.clear();
        samples.clear();
    }

    std::vector<int> codes;
    std::vector<RecordedEvent> samples;
    int noData = 0;
    int ended = 0;

private:
    bool display_;
};

class CoreOnTheBox : public testing::Test {
protected:
    void SetUp() override {
        qtApp();
        dir = scratchDir();
        boxLink = dir + "/box";
        boxsim::SimulatorOptions options;
        options.paced = false;
        box = std::make_unique<boxsim::BoxSimulator>(options);
        std::string why;
        if (!box->start(boxLink, &why))
            throw std::runtime_error("simulator: " + why);
        box->setSpeedRpm(2.0);
        // COM1 is the box.
        qputenv("ORVATIX_PORTS", QByteArray::fromStdString(boxLink));
        core = std::make_unique<AcquisitionCore>(r.records(), InterfaceSearchHooks{});
        qunsetenv("ORVATIX_PORTS");
        core->subscribe(&display);
        core->subscribe(&recorder);
        r.config.portName = comPortName(1);
        r.link.reopenRequest = true;
        core->startLinkThread();
    }
    void TearDown() override {
        core->stopLink();
        waitWithEvents([this] { return core->linkEnded(); });
        core->joinLinkThread();
        core.reset();
        box->stop();
        ::rmdir(dir.c_str());
    }
    bool waitForCode(CountingReceiver& receiver, int code, int count = 1) {
        return waitWithEvents([&] { return receiver.count(code) >= count; });
    }

    Records r;
    std::string dir;
    std::string boxLink;
    std::unique_ptr<boxsim::BoxSimulator> box;
    std::unique_ptr<AcquisitionCore> core;
    CountingReceiver display{true};
    CountingReceiver recorder{false};
};

TEST_F(CoreOnTheBox, EveryReceiverHearsTheBoxAndARecordingMutesTheDisplaysOnly) {
    ASSERT_TRUE(waitForCode(display, kAmplitudeWhiteEvent, 3));
    EXPECT_GE(recorder.count(kAmplitudeWhiteEvent), 3);
    EXPECT_GE(display.count(kPositionEvent), 3);

    r.link.recordingActive = true;
    // The core decides as it delivers: from the next notice on the display
    // hears no muted event.
    ASSERT_TRUE(waitForCode(recorder, kPositionEvent, recorder.count(kPositionEvent) + 1));
    display.clear();
    recorder.clear();
    ASSERT_TRUE(waitForCode(recorder, kAmplitudeWhiteEvent, 5));
    r.link.recordingActive = false;
    for (int code : display.codes)
        EXPECT_FALSE(mutedWhileRecording(code)) << code;
    EXPECT_GE(display.count(kPositionEvent), 4);
    EXPECT_EQ(display.count(kAmplitudeWhiteEvent), 0);
    EXPECT_GE(recorder.samples.size(), 5u);
    for (const RecordedEvent& sample : recorder.samples)
        EXPECT_GT(sample.amplitudeWH, 0.0);

    ASSERT_TRUE(waitForCode(display, kAmplitudeWhiteEvent));
}

TEST_F(CoreOnTheBox, ResetAndEraseAreAnsweredWhenTheBoxIsBack) {
    ASSERT_TRUE(waitForCode(display, kPositionEvent, 2));
    for (BoxRequest request : {BoxRequest::Reset, BoxRequest::Erase, BoxRequest::Write}) {
        std::vector<RequestAnswer> told;
        // As the windows do: the readings first, so the request waits for
        // the new identification.
        core->resetReadings();
        core->requests().submit(request, [&](RequestAnswer a) { told.push_back(a); });
        ASSERT_TRUE(waitWithEvents([&] {
            core->requests().poll(); // the core's tick
            return isFinal(core->requests().answer());
        }));
        const RequestAnswer done =
            request == BoxRequest::Write ? RequestAnswer::Done : RequestAnswer::Back;
        EXPECT_EQ(told, (std::vector<RequestAnswer>{RequestAnswer::Sent, done}))
            << static_cast<int>(request);
    }
}

TEST_F(CoreOnTheBox, TheEndOfTheLinkReachesEveryReceiverAndEndsAWaitingRequest) {
    ASSERT_TRUE(waitForCode(display, kPositionEvent));
    std::vector<RequestAnswer> told;
    box->setPower(false);
    core->requests().submit(BoxRequest::Reset, [&](RequestAnswer a) { told.push_back(a); });
    core->resetReadings(); // the reset now waits for an identification that never comes
    core->stopLink();
    ASSERT_TRUE(waitWithEvents([this] { return core->linkEnded(); }));
    EXPECT_EQ(display.ended, 1);
    EXPECT_EQ(recorder.ended, 1);
    EXPECT_EQ(told.back(), RequestAnswer::Failed);
}

} // namespace
