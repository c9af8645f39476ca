// Requests to a one-letter box over the simulated box: the erase sends as many
// bytes as the firmware version asks for only when that version was reported
// on this connection with no silence since, and a write, which such a box
// does not know, is neither sent nor logged as done.

#include "acquisition/AcquisitionCore.h"
#include "device/DeviceEvents.h"
#include "device/SerialTrace.h"
#include "eventlog/EventLog.h"
#include "eventlog/SessionEventLog.h"
#include "link/LinkTestSupport.h"
#include "status/StatusList.h"
#include "support/CoreOnComOne.h"
#include "support/SimulatedBox.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

using namespace linktest;

namespace {

// What the diagnosis window does with the search: no data starts it, a
// position ends it.
class SearchingWindow : public DeviceReceiver {
public:
    explicit SearchingWindow(AcquisitionCore& core) : core_(core) {}
    void deviceEvent(int code, int, const DeviceReadings&) override {
        if (code == kPositionEvent) {
            ++positions;
            core_.search().setActive(false);
        }
    }
    void noSerialData() override {
        ++noData;
        core_.search().setActive(true);
    }
    int noData = 0;
    int positions = 0;

private:
    AcquisitionCore& core_;
};

// A one-letter box whose firmware needs only two erase bytes.
boxsim::SimulatorOptions oneLetterBox() {
    boxsim::SimulatorOptions options = unpacedBox();
    options.identity.dialect = boxsim::Dialect::OneLetter;
    options.identity.version = "1.60";
    return options;
}

class OneLetterBoxOnComOne : public testing::Test {
protected:
    void SetUp() override {
        qtApp();
        dir = scratchDir();
        boxLink = dir + "/box";
        tracePath = dir + "/trace";
        box = startSimulatedBox(boxLink, oneLetterBox());
        core = coreOnComOne(r.records(), boxLink);
        std::string error;
        ASSERT_TRUE(trace.open(tracePath, &error)) << error;
        core->setTraceWriter(&trace);
        window = std::make_unique<SearchingWindow>(*core);
        core->subscribe(window.get());
        openComOne(*core);
        core->startTimers();
    }
    void TearDown() override {
        endLink(*core);
        core->unsubscribe(window.get());
        core.reset();
        trace.close();
        box->stop();
        ::unlink(tracePath.c_str());
        ::unlink(boxLink.c_str());
        ::rmdir(dir.c_str());
    }

    double firmwareVersion() {
        std::lock_guard<std::mutex> lock(r.readingsMutex);
        return r.readings.firmwareVersion;
    }
    // The box has told its version on this connection, and the link has
    // gone on past that line.
    bool waitForVersion() {
        if (!waitWithEvents([this] { return firmwareVersion() > 1.5; }, 60s))
            return false;
        const int seen = window->positions;
        return waitWithEvents([&] { return window->positions >= seen + 2; }, 60s);
    }
    bool waitForSilence() {
        const int before = window->noData;
        return waitWithEvents([&] { return window->noData > before; }, 30s);
    }
    // As the windows ask: the readings first, then the request.
    void submit(BoxRequest request, std::vector<RequestAnswer>* told = nullptr) {
        if (request != BoxRequest::Write)
            core->resetReadings();
        core->requests().submit(request, [told](RequestAnswer a) {
            if (told != nullptr)
                told->push_back(a);
        });
    }
    bool waitForAnswer() {
        return waitWithEvents(
            [this] {
                core->requests().poll();
                return isFinal(core->requests().answer());
            },
            60s);
    }
    // Bytes the program wrote to the box, as its serial trace holds them.
    int writtenCount(char byte) {
        trace.flush();
        const TraceParseResult parsed = readSerialTraceFile(tracePath);
        EXPECT_TRUE(parsed.trace.has_value()) << parsed.error;
        if (!parsed.trace)
            return -1;
        int n = 0;
        for (const TraceChunk& chunk : parsed.trace->chunks)
            if (chunk.direction == TraceDirection::Written)
                n += static_cast<int>(std::count(chunk.bytes.begin(), chunk.bytes.end(), byte));
        return n;
    }

    Records r;
    std::string dir;
    std::string boxLink;
    std::string tracePath;
    SerialTraceWriter trace;
    std::unique_ptr<boxsim::BoxSimulator> box;
    std::unique_ptr<AcquisitionCore> core;
    std::unique_ptr<SearchingWindow> window;
};

enum class BeforeErase { Nothing, LineReopened, BoxSilent };

struct EraseCase {
    const char* what;
    BeforeErase before;
    int eraseBytes;
};

class EraseBytes : public OneLetterBoxOnComOne, public testing::WithParamInterface<EraseCase> {};

TEST_P(EraseBytes, FollowTheVersionOnlyWhileItIsThisConnections) {
    const EraseCase& c = GetParam();
    ASSERT_TRUE(waitForVersion());
    switch (c.before) {
    case BeforeErase::Nothing:
        submit(BoxRequest::Erase);
        break;
    case BeforeErase::LineReopened:
        // The cable out and in again: whoever answers now has not told its
        // version yet. The erase waits for the box's identification.
        box->hangUp();
        ASSERT_TRUE(waitForSilence());
        submit(BoxRequest::Erase);
        ASSERT_TRUE(box->reconnect());
        break;
    case BeforeErase::BoxSilent:
        box->silence(std::chrono::milliseconds(1500));
        ASSERT_TRUE(waitForSilence());
        submit(BoxRequest::Erase);
        break;
    }
    ASSERT_TRUE(waitForAnswer());
    EXPECT_EQ(core->requests().answer(), RequestAnswer::Back);
    EXPECT_EQ(writtenCount('\xAA'), c.eraseBytes);
}

INSTANTIATE_TEST_SUITE_P(
    OneLetterBox, EraseBytes,
    testing::Values(EraseCase{"version seen on this connection", BeforeErase::Nothing, 2},
                    EraseCase{"line reopened since", BeforeErase::LineReopened, 5},
                    EraseCase{"box silent since", BeforeErase::BoxSilent, 5}),
    [](const testing::TestParamInfo<EraseCase>& info) {
        switch (info.param.before) {
        case BeforeErase::Nothing:
            return std::string("SeenOnThisConnection");
        case BeforeErase::LineReopened:
            return std::string("LineReopened");
        case BeforeErase::BoxSilent:
            return std::string("BoxSilent");
        }
        return std::string("Unknown");
    });

TEST_F(OneLetterBoxOnComOne, AWriteIsNotSentAndTheLogSaysSo) {
    QTemporaryDir logDir;
    ASSERT_TRUE(logDir.isValid());
    EventLogOptions options;
    options.folder = logDir.path();
    EventLog log(options);
    StatusList list;
    SessionEventLog session(log, *core, list);

    ASSERT_TRUE(waitForVersion());
    std::vector<RequestAnswer> told;
    submit(BoxRequest::Write, &told);
    ASSERT_TRUE(waitForAnswer());
    EXPECT_EQ(told, (std::vector<RequestAnswer>{RequestAnswer::Sent, RequestAnswer::NotSent}));
    EXPECT_EQ(writtenCount('W'), 0) << "no write request went out";

    QFile file(log.currentFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string text = file.readAll().toStdString();
    EXPECT_NE(text.find("request      write"), std::string::npos) << text;
    EXPECT_NE(text.find("result       write: not sent, a one-letter box has no such request"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("write: done"), std::string::npos) << text;
}

} // namespace
