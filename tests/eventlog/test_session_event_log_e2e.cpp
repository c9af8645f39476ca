// The event log of a session over the simulated box: the connection with the
// box's identity, status list entries, a request and its result, a silent
// box and its restart all land in the day's file as they happen.

#include "acquisition/AcquisitionCore.h"
#include "device/DeviceEvents.h"
#include "device/PortMap.h"
#include "eventlog/SessionEventLog.h"
#include "link/LinkTestSupport.h"
#include "status/StatusList.h"
#include "support/CoreOnComOne.h"
#include "support/SimulatedBox.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace linktest;

namespace {

// Stands in for the diagnosis window's status update: each status line's
// flag word goes to the status list.
class StatusToList : public DeviceReceiver {
public:
    explicit StatusToList(StatusList& list) : list_(list) {}
    void deviceEvent(int code, int, const DeviceReadings& readings) override {
        if (code == kStatusEvent)
            list_.append({QDateTime::currentDateTime(), 0.0, readings.errorFlags});
    }

private:
    StatusList& list_;
};

class SessionLogOnTheBox : public testing::Test {
protected:
    void SetUp() override {
        qtApp();
        ASSERT_TRUE(logDir.isValid());
        dir = scratchDir();
        boxLink = dir + "/box";
        box = startSimulatedBox(boxLink);
        core = coreOnComOne(r.records(), boxLink);
        EventLogOptions logOptions;
        logOptions.folder = logDir.path();
        log = std::make_unique<EventLog>(logOptions);
        session = std::make_unique<SessionEventLog>(*log, *core, list);
        core->subscribe(&toList);
        openComOne(*core);
    }
    void TearDown() override {
        endLink(*core);
        session.reset();
        core.reset();
        box->stop();
        ::rmdir(dir.c_str());
    }
    std::string logText() const {
        QFile file(log->currentFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll().toStdString();
    }
    bool waitForLog(const std::string& text) {
        return waitWithEvents([&] { return logText().find(text) != std::string::npos; });
    }

    QTemporaryDir logDir;
    Records r;
    std::string dir;
    std::string boxLink;
    StatusList list;
    StatusToList toList{list};
    std::unique_ptr<boxsim::BoxSimulator> box;
    std::unique_ptr<AcquisitionCore> core;
    std::unique_ptr<EventLog> log;
    std::unique_ptr<SessionEventLog> session;
};

TEST_F(SessionLogOnTheBox, ConnectionStatusRequestsSilenceAndRestartAreLogged) {
    ASSERT_TRUE(waitForLog("connected")) << logText();
    EXPECT_NE(logText().find("COM1 (" + boxLink + ")"), std::string::npos) << logText();
    EXPECT_NE(logText().find("firmware 2.10"), std::string::npos) << logText();
    // The entry waits for the serial numbers, which come after the first
    // position, and gives them in the window's order.
    EXPECT_NE(logText().find("serial number ORVA-2041-0042 0815"), std::string::npos) << logText();
    ASSERT_TRUE(waitForLog("status")) << logText();

    // A sensor unplugged: its flags are a new status list entry.
    box->setPlugged(boxsim::Sensor::Yellow, false);
    ASSERT_TRUE(waitForLog("Y-NoS")) << logText();
    box->setPlugged(boxsim::Sensor::Yellow, true);

    core->resetReadings();
    core->requests().submit(BoxRequest::Reset);
    ASSERT_TRUE(waitWithEvents([&] {
        core->requests().poll();
        return isFinal(core->requests().answer());
    }));
    ASSERT_TRUE(waitForLog("reset: done")) << logText();
    EXPECT_NE(logText().find("request      reset"), std::string::npos) << logText();
    EXPECT_NE(logText().find("restart"), std::string::npos) << logText();

    // Silence: once, however long it lasts.
    box->setPower(false);
    ASSERT_TRUE(waitForLog("no data")) << logText();
    box->setPower(true);
    ASSERT_TRUE(waitWithEvents([&] {
        const std::string text = logText();
        return text.find("connected") != text.rfind("connected");
    })) << logText();
    const std::string text = logText();
    EXPECT_EQ(text.find("no data"), text.rfind("no data")) << text;

    session->teachInResult(true, "reference found");
    session->recordingSaved("/tmp/a.amp", "/tmp/a.ref");
    EXPECT_NE(logText().find("teach-in"), std::string::npos);
    EXPECT_NE(logText().find("/tmp/a.amp"), std::string::npos);
}

} // namespace
