// A port chosen by the user, over the simulated box: the box answers there
// and nowhere else is searched; after its cable comes back the box is found
// again on that port; "Automatic search" goes back to probing the numbers,
// and takes a port that went away back first when it returns.
// COM1 is a silent pseudo-terminal, COM2 the box.

#include "acquisition/AcquisitionCore.h"
#include "device/DeviceEvents.h"
#include "device/PortMap.h"
#include "device/PortProbe.h"
#include "link/LinkTestSupport.h"
#include "support/SimulatedBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

using namespace linktest;

namespace {

// What the diagnosis window does with the search: no data starts it, a
// position ends it.
class SearchingWindow : public DeviceReceiver {
public:
    explicit SearchingWindow(AcquisitionCore*& core) : core_(core) {}
    void deviceEvent(int code, int, const DeviceReadings&) override {
        if (code != kPositionEvent)
            return;
        ++positions;
        core_->search().setActive(false);
    }
    void noSerialData() override {
        ++noData;
        core_->search().setActive(true);
    }

    int positions = 0;
    int noData = 0;

private:
    AcquisitionCore*& core_;
};

class PortChoiceOnTheBox : public testing::Test {
protected:
    void SetUp() override {
        qtApp();
        dir = scratchDir();
        boxLink = dir + "/box";
        box = startSimulatedBox(boxLink);
        ports = std::make_unique<PortMap>(std::vector<std::string>{silent.path(), boxLink});
        InterfaceSearchHooks hooks;
        hooks.probePort = [this](int n) {
            probes.push_back(n);
            return probeDevice(ports->device(n));
        };
        hooks.showInterfaceNotFound = [this] { ++notices; };
        qputenv("ORVATIX_PORTS", QByteArray::fromStdString(silent.path() + ":" + boxLink));
        core = std::make_unique<AcquisitionCore>(r.records(), hooks);
        qunsetenv("ORVATIX_PORTS");
        corePtr = core.get();
        core->subscribe(&window);
    }
    void TearDown() override {
        core->stopLink();
        waitWithEvents([this] { return core->linkEnded(); });
        core->joinLinkThread();
        core.reset();
        box->stop();
        ::unlink(boxLink.c_str());
        ::rmdir(dir.c_str());
    }
    void start() {
        r.link.stopRequest = false;
        core->startLinkThread();
        core->startTimers();
    }
    bool waitForPositions(int more) {
        const int target = window.positions + more;
        return waitWithEvents([&] { return window.positions >= target; }, 30s);
    }
    bool waitForSilence() {
        const int before = window.noData;
        return waitWithEvents([&] { return window.noData > before && core->search().active(); },
                              30s);
    }

    Records r;
    PtyLine silent;
    std::string dir;
    std::string boxLink;
    std::unique_ptr<boxsim::BoxSimulator> box;
    std::unique_ptr<PortMap> ports;
    std::unique_ptr<AcquisitionCore> core;
    AcquisitionCore* corePtr = nullptr;
    SearchingWindow window{corePtr};
    std::vector<int> probes;
    int notices = 0;
};

TEST_F(PortChoiceOnTheBox, TheChosenPortIsUsedAloneAndTheBoxComesBackThere) {
    core->search().choosePort(comPortName(2));
    start();
    ASSERT_TRUE(waitForPositions(3)) << "the box answers on the chosen port";
    EXPECT_EQ(r.config.portName, "\\\\.\\COM2");

    // The cable out: the port is gone, the link falls silent.
    box->hangUp();
    ASSERT_TRUE(waitForSilence());
    // A second no-data notice: the search has gone on without the port for
    // a while, and only it was looked for.
    const int seenNoData = window.noData;
    EXPECT_TRUE(waitWithEvents([&] { return window.noData > seenNoData; }, 10s));
    ASSERT_TRUE(box->reconnect());
    ASSERT_TRUE(waitForPositions(3)) << "the box is back on the chosen port";
    EXPECT_EQ(r.config.portName, "\\\\.\\COM2");
    EXPECT_TRUE(probes.empty()) << "no other port was probed";
    EXPECT_EQ(notices, 0);
}

TEST_F(PortChoiceOnTheBox, AutomaticSearchProbesAgainFromThePortAfterTheChosenOne) {
    core->search().choosePort(comPortName(2));
    start();
    ASSERT_TRUE(waitForPositions(3));
    box->hangUp();
    ASSERT_TRUE(waitForSilence());
    EXPECT_TRUE(probes.empty());

    core->search().chooseAutomaticSearch();
    ASSERT_TRUE(waitWithEvents([&] { return probes.size() >= 3; }, 10s));
    EXPECT_EQ(probes[0], 3);
    EXPECT_EQ(probes[1], 4);
    EXPECT_EQ(probes[2], 5);
}

TEST_F(PortChoiceOnTheBox, ChoosingTheBoxsPortLeavesASilentOneAtOnce) {
    // The automatic search found the silent COM1 first.
    start();
    ASSERT_TRUE(waitWithEvents([&] { return r.config.portName == comPortName(1); }, 10s));
    ASSERT_TRUE(waitWithEvents([&] { return !r.link.reopenRequest; }));
    core->search().choosePort(comPortName(2));
    EXPECT_TRUE(waitForPositions(3));
    EXPECT_EQ(probes, std::vector<int>{1});
}

TEST_F(PortChoiceOnTheBox, APortLostWhileRecordingIsReportedAndTakenBackFirstWhenItReturns) {
    // The automatic search finds the box on COM2 after the silent COM1.
    start();
    ASSERT_TRUE(waitForPositions(3));
    ASSERT_EQ(r.config.portName, comPortName(2));
    r.link.recordingActive = true; // as the data recorder sets it

    // A recording rides out silence without a notice, but a port that went
    // away is reported: only the search can open one again.
    box->hangUp();
    ASSERT_TRUE(waitForSilence());
    EXPECT_TRUE(r.link.portLost);
    const size_t probed = probes.size();
    ASSERT_TRUE(box->reconnect());
    ASSERT_TRUE(waitForPositions(3)) << "the lost port is opened again";
    EXPECT_EQ(r.config.portName, comPortName(2));
    EXPECT_FALSE(r.link.portLost);
    // Back before the search went round to the silent COM1 again.
    const std::vector<int> since(probes.begin() + static_cast<long>(probed), probes.end());
    EXPECT_EQ(std::count(since.begin(), since.end(), 1), 0);
    r.link.recordingActive = false;
}

} // namespace
