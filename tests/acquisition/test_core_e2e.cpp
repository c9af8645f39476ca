// The acquisition core against the simulated box: every receiver hears the
// reader thread's notices, a recording mutes the display receivers only, and
// box requests are answered when the box is back.

#include "acquisition/AcquisitionCore.h"
#include "acquisition/InterferenceDoor.h"
#include "acquisition/RecordedEvent.h"
#include "config/ShaftGeometry.h"
#include "device/DeviceEvents.h"
#include "device/PortMap.h"
#include "device/SerialTrace.h"
#include "display/NoiseMeasurement.h"
#include "link/LinkTestSupport.h"
#include "support/CoreOnComOne.h"
#include "support/SimulatedBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace linktest;

namespace {

class CountingReceiver : public DeviceReceiver {
public:
    explicit CountingReceiver(bool display) : display_(display) {}
    void deviceEvent(int code, int, const DeviceReadings& readings) override {
        codes.push_back(code);
        if (positions == nullptr)
            return;
        if (auto sample = recordedEvent(code, readings, *positions))
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

    const PositionTracker* positions = nullptr; // the core's
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
        box = startSimulatedBox(boxLink);
        box->setSpeedRpm(2.0);
        core = coreOnComOne(r.records(), boxLink);
        display.positions = recorder.positions = &core->positions();
        core->subscribe(&display);
        core->subscribe(&recorder);
        openComOne(*core);
    }
    void TearDown() override {
        endLink(*core);
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

// The noise measurement as the main window runs it: button 1034, the
// interference notification and the 200 ms tick; its requests go through the
// core's door.
class NoiseOnTheCore : public DeviceReceiver {
public:
    NoiseOnTheCore(LinkControl& link, BoxRequests& door)
        : noise(link, interferenceRequestsThrough(door)) {}
    void deviceEvent(int code, int, const DeviceReadings& readings) override {
        if (code != kInterferenceEvent)
            return;
        ++values;
        if (noise.view().buttonPressed)
            noise.showNoise(readings.interferenceA / 10.0, readings.interferenceB / 10.0);
    }
    NoiseMeasurement noise;
    int values = 0;
};

// The program's bytes as the box received them, from `start` on.
class LineTrace {
public:
    LineTrace(boxsim::BoxSimulator& box, const std::string& path) : box_(box), path_(path) {
        if (!writer_->open(path_))
            throw std::runtime_error("trace: " + path_);
        box_.setTrace(writer_.get());
    }
    ~LineTrace() { stop(); }
    // Stops recording once the box has read every byte written so far (the
    // program polls on), and returns what the program wrote.
    std::string written() {
        const uint64_t before = box_.stats().bytesIn;
        EXPECT_TRUE(waitWithEvents([&] { return box_.stats().bytesIn > before; }));
        stop();
        std::string bytes;
        const TraceParseResult parsed = readSerialTraceFile(path_);
        EXPECT_TRUE(parsed.trace) << parsed.error;
        if (parsed.trace)
            for (const TraceChunk& chunk : parsed.trace->chunks)
                if (chunk.direction == TraceDirection::Written)
                    bytes += chunk.bytes;

        return bytes;
    }

private:
    void stop() {
        if (!writer_)
            return;
        box_.setTrace(nullptr);
        writer_.reset();
    }
    boxsim::BoxSimulator& box_;
    std::string path_;
    std::unique_ptr<SerialTraceWriter> writer_ = std::make_unique<SerialTraceWriter>();
};

std::vector<std::string> commands(const std::string& bytes) {
    std::vector<std::string> out;
    std::string command;
    for (char c : bytes) {
        if (c == '\r') {
            out.push_back(command);
            command.clear();
        } else {
            command += c;
        }
    }
    return out;
}

TEST_F(CoreOnTheBox, TheInterferenceRequestGoesOutThroughTheDoorAsBefore) {
    ASSERT_TRUE(waitForCode(display, kPositionEvent, 2));
    ASSERT_TRUE(waitWithEvents([this] { return !r.link.boxStarting.load(); }));
    box->setInterference(150, 120);
    NoiseOnTheCore measurement(r.link, core->requests());
    core->subscribe(&measurement);
    const std::string tracePath = dir + "/line.trace";

    // Two-letter box, the door alone (the poll cycle's step 14 stays "M*"):
    // one "M8\r" among the position polls, answered with its values.
    {
        LineTrace trace(*box, tracePath);
        std::vector<RequestAnswer> told;
        core->requests().submit(BoxRequest::Interference,
                                [&](RequestAnswer a) { told.push_back(a); });
        ASSERT_TRUE(waitWithEvents([&] { return measurement.values >= 1; }));
        EXPECT_EQ(told, (std::vector<RequestAnswer>{RequestAnswer::Sent, RequestAnswer::Done}));
        const std::vector<std::string> sent = commands(trace.written());
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "M8"), 1);
        for (const std::string& c : sent)
            EXPECT_TRUE(c.size() == 2 && c[0] == 'M') << c;
    }

    // Button 1034: the measurement asks once and the values arrive.
    ASSERT_FALSE(measurement.noise.toggleNoise(true));
    ASSERT_TRUE(waitWithEvents([&] { return !measurement.noise.view().valueText.empty(); }));
    EXPECT_FALSE(core->requests().slotTaken());
    EXPECT_TRUE(measurement.noise.toggleNoise(false));

    // The older box: the byte 0xA0 at the start, and again once the
    // countdown has run and a value came.
    box->setDialect(boxsim::Dialect::OneLetter);
    core->resetReadings();
    ASSERT_TRUE(waitWithEvents([this] {
        return !r.link.awaitingIdentification.load() && !r.link.newProtocol.load() &&
               !r.link.boxStarting.load();
    }));
    LineTrace trace(*box, tracePath);
    ASSERT_FALSE(measurement.noise.toggleNoise(true));
    ASSERT_TRUE(waitWithEvents([this] { return !core->requests().slotTaken(); }));
    for (int tick = 0; tick < 4; ++tick)
        measurement.noise.tick();
    measurement.noise.showNoise(1.0, 1.0); // a value at the end of the countdown
    EXPECT_EQ(measurement.noise.noiseCount(), 5);
    ASSERT_TRUE(waitWithEvents([this] { return !core->requests().slotTaken(); }));
    measurement.noise.toggleNoise(false);
    const std::string written = trace.written();
    EXPECT_EQ(std::count(written.begin(), written.end(), '\xA0'), 2) << escapeTraceBytes(written);
    for (char c : written)
        EXPECT_TRUE(c == '3' || c == '\xA0') << escapeTraceBytes(std::string(1, c));
    core->unsubscribe(&measurement);
}

// What the program makes of the box's values, checked by a receiver as each
// event reaches it: the core has counted the event's position and reference
// mark and noted the heads' state before any receiver hears of it.
class TrackingChecker : public DeviceReceiver {
public:
    explicit TrackingChecker(const AcquisitionCore& core) : core_(core) {}

    void deviceEvent(int code, int param, const DeviceReadings& readings) override {
        const PositionTracker& positions = core_.positions();
        const SensorState& sensors = core_.sensors();
        const int32_t pulseRate = core_.records().config.pulseRate.load();
        // The box's counter may run over during the run: the tracker's wrap
        // correction counts then.
        const auto counted = [&](int64_t raw) {
            return shaft::wrapToTurn(raw + positions.wrapCorrection() - zero, pulseRate);
        };
        switch (code) {
        case kPositionEvent:
            ++positionsSeen;
            wrong += positions.displayPosition() != counted(readings.rawPosition);
            break;
        case kReferenceMarkEvent:
            ++marksSeen;
            wrong += positions.referencePosition() != counted(readings.refRawPosition);
            break;
        case kAmplitudeWhiteEvent:
            // The recorder's sample is at the position shown.
            wrong +=
                recordedEvent(code, readings, positions)->counts != positions.displayPosition();
            break;
        case kDacOffsetsEvent:
            if (param == 0 || param == 2)
                wrong += !sensors.offsetSeen(param == 0 ? Head::WH : Head::YE);
            break;
        case kStatusEvent:
            if (param != 0)
                connections.push_back(sensors.sensorConnection());
            break;
        default:
            break;
        }
    }

    int64_t zero = 0; // the zero point the test set
    int positionsSeen = 0;
    int marksSeen = 0;
    int wrong = 0;
    std::vector<int> connections;

private:
    const AcquisitionCore& core_;
};

TEST(CoreTracking, PositionsMarksAndHeadsAreSettledBeforeTheReceiversHearOfThem) {
    qtApp();
    Records r;
    const std::string dir = scratchDir();
    const std::string boxLink = dir + "/box";
    auto box = startSimulatedBox(boxLink);
    // A box with one reference mark: positions are counts, not absolute.
    box->setKind(boxsim::BoxKind::Reference);
    box->setSpeedRpm(30.0);
    auto core = coreOnComOne(r.records(), boxLink);
    TrackingChecker checker(*core);
    core->subscribe(&checker);
    openComOne(*core);

    ASSERT_TRUE(waitWithEvents([&] { return checker.marksSeen >= 2 && checker.positionsSeen > 20; },
                               std::chrono::seconds(60)));
    EXPECT_TRUE(core->sensors().offsetSeenWH() && core->sensors().offsetSeenYE());

    // The zero button: the shaft's raw count becomes 0, for every receiver.
    {
        std::lock_guard<std::mutex> lock(r.readingsMutex);
        checker.zero = r.readings.rawPosition;
    }
    core->positions().zero(static_cast<int32_t>(checker.zero));
    const int marks = checker.marksSeen;
    ASSERT_TRUE(
        waitWithEvents([&] { return checker.marksSeen >= marks + 2; }, std::chrono::seconds(60)));
    EXPECT_EQ(checker.wrong, 0);

    // Both heads unplugged: the status decoding sees no sensor connected.
    checker.connections.clear();
    box->setPlugged(boxsim::Sensor::Yellow, false);
    box->setPlugged(boxsim::Sensor::White, false);
    ASSERT_TRUE(waitWithEvents([&] {
        return !checker.connections.empty() &&
               checker.connections.back() == SensorState::kNotConnected;
    }));
    box->setPlugged(boxsim::Sensor::Yellow, true);
    box->setPlugged(boxsim::Sensor::White, true);
    ASSERT_TRUE(
        waitWithEvents([&] { return checker.connections.back() == SensorState::kConnected; }));

    // A reset of the readings starts the counting again.
    core->resetReadings();
    EXPECT_EQ(core->positions().zeroPosition(), 0);
    EXPECT_FALSE(core->sensors().offsetSeenWH() || core->sensors().offsetSeenYE());
    checker.zero = 0;
    const int seen = checker.positionsSeen;
    ASSERT_TRUE(waitWithEvents([&] { return checker.positionsSeen > seen + 5; }));
    EXPECT_EQ(checker.wrong, 0);

    endLink(*core);
    core->unsubscribe(&checker);
    core.reset();
    box->stop();
    ::rmdir(dir.c_str());
}

} // namespace
