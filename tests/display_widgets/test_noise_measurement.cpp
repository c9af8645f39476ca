// The noise measurement: colours and texts by the larger value, the automatic
// stop, the one-letter countdown, and the bar geometry.

#include "acquisition/BoxRequests.h"
#include "acquisition/InterferenceDoor.h"
#include "config/ConfigData.h"
#include "device/CommandScheduler.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/NoiseMeasurement.h"
#include "support/RecordingLink.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>

namespace {

class Noise : public ::testing::Test {
protected:
    void SetUp() override {
        configData.language = 0;
        link.noData = false;
        link.boxStarting = false;
        link.newProtocol = true;
    }
    // Presses the button and lets the request go out.
    void start() {
        ASSERT_FALSE(noise.toggleNoise(true));
        ASSERT_EQ(link.pendingCommand.load(), kInterferenceRequest);
        link.pendingCommand = kNoCommand;
    }
    LinkControl link;
    // The measurement asks through the door of its link, as in the program.
    BoxRequests door{link, [] { return int64_t{0}; }};
    NoiseMeasurement noise{link, interferenceRequestsThrough(door)};
};

TEST_F(Noise, ColourIconAndTextFollowTheLargerValue) {
    // Two-letter box values as the notification hands them (hundredths / 10).
    const struct {
        double a, b;
        NoisePaint paint;
        NoiseIcon icon;
        const char* text;
    } cases[] = {
        {15, 15, NoisePaint::LightGreen, NoiseIcon::Green, "1.5 "},
        {4, 20, NoisePaint::LightYellow, NoiseIcon::Yellow, "2.0 "},
        {21, 3, NoisePaint::LightRed, NoiseIcon::Red, "2.1 "},
        {199, 0, NoisePaint::LightRed, NoiseIcon::Red, "19.9 "},
        {1, 0, NoisePaint::LightGreen, NoiseIcon::Green, "0.1 "},
    };
    start();
    for (const auto& c : cases) {
        noise.showNoise(c.a, c.b);
        const NoiseView& v = noise.view();
        EXPECT_EQ(v.paint, c.paint) << c.a << " " << c.b;
        EXPECT_EQ(v.icon, c.icon) << c.a << " " << c.b;
        EXPECT_EQ(v.valueText, c.text);
        EXPECT_DOUBLE_EQ(v.a, c.a / 10);
        EXPECT_TRUE(v.buttonPressed);
    }
    // Zero clears the bars but keeps the icon and the text.
    noise.showNoise(0, 0);
    EXPECT_EQ(noise.view().paint, NoisePaint::Grey);
    EXPECT_EQ(noise.view().icon, NoiseIcon::Green);
    EXPECT_EQ(noise.view().valueText, "0.1 ");
}

TEST_F(Noise, TwoValuesOfTwentyOrMoreInARowStopTheMeasurement) {
    start();
    EXPECT_FALSE(noise.showNoise(200, 0));
    EXPECT_FALSE(noise.showNoise(50, 0)); // a lower value starts the count again
    EXPECT_FALSE(noise.showNoise(250, 250));
    EXPECT_EQ(noise.view().paint, NoisePaint::LightRed);
    EXPECT_EQ(noise.view().icon, NoiseIcon::Red);
    EXPECT_EQ(noise.noiseOverCount(), 1);
    EXPECT_TRUE(noise.showNoise(250, 250)); // stop form to be posted
    EXPECT_FALSE(noise.view().buttonPressed);
    EXPECT_EQ(noise.view().icon, NoiseIcon::Idle);
    EXPECT_EQ(noise.noiseOverCount(), 0);
    noise.stop();
    EXPECT_FALSE(noise.view().areaVisible);
    EXPECT_EQ(noise.view().valueText, "");
}

// The command a poll cycle sends at step 14, with the scheduler on the same
// link records as the measurement.
std::string stepFourteen(LinkControl& link) {
    Transcript transcript;
    RecordingChannel channel(transcript);
    RecordingNotifier notifier(&transcript);
    DeviceReadings readings;
    std::mutex mutex;
    CommandScheduler scheduler(link, readings, mutex, channel, notifier);
    for (int i = 1; i <= 13; ++i)
        scheduler.runCommandScheduler();
    transcript.clear();
    scheduler.runCommandScheduler();
    return transcript.empty() ? std::string() : transcript.back();
}

TEST_F(Noise, EveryKindOfStopEndsTheInterferencePolls) {
    link.notificationsSuppressed = false;
    link.awaitingIdentification = false;
    const struct {
        const char* what;
        std::function<void(NoiseMeasurement&, LinkControl&)> stop;
    } stops[] = {
        {"release by click", [](NoiseMeasurement& n, LinkControl&) { n.toggleNoise(false); }},
        {"two values of 20 or more",
         [](NoiseMeasurement& n, LinkControl&) {
             n.showNoise(250, 0);
             n.showNoise(250, 0);
         }},
        {"no data",
         [](NoiseMeasurement& n, LinkControl& l) {
             l.noData = true;
             n.toggleNoise(false);
         }},
        {"press while the box restarts",
         [](NoiseMeasurement& n, LinkControl& l) {
             l.boxStarting = true;
             n.toggleNoise(true);
         }},
    };
    for (const auto& s : stops) {
        SCOPED_TRACE(s.what);
        link.noData = false;
        link.boxStarting = false;
        start();
        EXPECT_EQ(stepFourteen(link), "send M8\\r");
        s.stop(noise, link);
        EXPECT_FALSE(noise.view().buttonPressed);
        link.pendingCommand = kNoCommand;
        EXPECT_EQ(stepFourteen(link), "send M*\\r");
    }
}

TEST_F(Noise, NoBoxReleasesTheButtonAndAsksNothing) {
    link.noData = true;
    EXPECT_FALSE(noise.toggleNoise(true));
    EXPECT_FALSE(noise.view().buttonPressed);
    EXPECT_EQ(link.pendingCommand.load(), kNoCommand);
    link.noData = false;
    link.boxStarting = true;
    noise.toggleNoise(true);
    EXPECT_FALSE(noise.view().buttonPressed);
    EXPECT_EQ(link.pendingCommand.load(), kNoCommand);
}

TEST_F(Noise, ReleaseAndTimerReturnToIdle) {
    start();
    noise.showNoise(15, 0);
    EXPECT_TRUE(noise.toggleNoise(false));
    EXPECT_EQ(noise.view().icon, NoiseIcon::Idle);
    noise.stop();
    noise.showNoise(30, 30); // a late value while released changes only the bars
    noise.tick();
    EXPECT_FALSE(noise.view().areaVisible);
    EXPECT_EQ(noise.view().icon, NoiseIcon::Idle);
    EXPECT_EQ(noise.view().valueText, "");
}

TEST_F(Noise, OneLetterCountdown) {
    link.newProtocol = false;
    EXPECT_FALSE(noise.toggleNoise(true));
    EXPECT_EQ(noise.view().areaText, "Wait......"); // drawn at noiseCount 0
    EXPECT_EQ(link.pendingCommand.load(), kInterferenceRequest);
    link.pendingCommand = kNoCommand;

    const char* waits[] = {"Wait......", "Wait....", "Wait..", "Wait"};
    for (int count = 0; count < 4; ++count) {
        ASSERT_EQ(noise.noiseCount(), count);
        noise.showNoise(1.0, 1.0);
        EXPECT_EQ(noise.view().areaText, waits[count]);
        EXPECT_FALSE(noise.view().barsDrawn);
        noise.tick();
    }
    // At 4 the value is drawn and the next measurement asked for.
    noise.showNoise(1.0, 1.0);
    EXPECT_EQ(noise.view().areaText, "");
    EXPECT_TRUE(noise.view().barsDrawn);
    EXPECT_EQ(noise.view().valueText, "1.0 ");
    EXPECT_EQ(noise.noiseCount(), 5);
    EXPECT_EQ(link.pendingCommand.load(), kInterferenceRequest);
    link.pendingCommand = kNoCommand;

    // 5 to 8: not drawn.
    for (int i = 0; i < 4; ++i) {
        noise.showNoise(1.8, 0.0);
        EXPECT_EQ(noise.view().valueText, "1.0 ");
        noise.tick();
    }
    ASSERT_EQ(noise.noiseCount(), 9);
    noise.showNoise(1.8, 0.0);
    EXPECT_EQ(noise.view().valueText, "1.8 ");
    EXPECT_EQ(noise.noiseCount(), 5);
    EXPECT_EQ(link.pendingCommand.load(), kInterferenceRequest);
}

TEST_F(Noise, OneLetterWaitsForTheLastRequestToGoOut) {
    link.newProtocol = false;
    noise.toggleNoise(true); // request still pending
    for (int i = 0; i < 4; ++i)
        noise.tick();
    noise.showNoise(1.0, 1.0);
    EXPECT_FALSE(noise.view().barsDrawn);
    EXPECT_EQ(noise.noiseCount(), 4);
}

TEST(NoiseGeometry, BarsTicksAndArea) {
    const QRect area = NoiseMeasurement::barArea(QRect(10, 20, 60, 24));
    EXPECT_EQ(area, QRect(10, 26, 60, 12));
    EXPECT_EQ(NoiseMeasurement::upperHalf(area), QRect(10, 26, 60, 6));
    EXPECT_EQ(NoiseMeasurement::lowerHalf(area), QRect(10, 32, 60, 6));
    EXPECT_EQ(NoiseMeasurement::barLength(60, 0.0), 0);
    EXPECT_EQ(NoiseMeasurement::barLength(60, 1.5), 30);
    EXPECT_EQ(NoiseMeasurement::barLength(60, 2.99), 59);
    EXPECT_EQ(NoiseMeasurement::barLength(60, 3.5), 60);
    EXPECT_EQ(NoiseMeasurement::barLength(60, -1.0), 60);
    EXPECT_EQ(NoiseMeasurement::tickPositions(area), (std::vector<int>{10, 30, 40, 50, 69}));
}

} // namespace
