// The reader thread against the simulated box over a real pseudo-terminal:
// identification and polling in both dialects, silence, restart, stop,
// hang-up, a busy port and the interface search.

#include "LinkRig.h"

#include "device/InterfaceSearch.h"
#include "device/PortProbe.h"

#include <QSerialPort>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <time.h>

using namespace linktest;
using boxsim::Dialect;
using boxsim::Sensor;

namespace {

boxsim::SimulatorOptions options(Dialect dialect, bool paced = true) {
    boxsim::SimulatorOptions o;
    o.identity.dialect = dialect;
    o.paced = paced;
    return o;
}

// CPU time in seconds of the thread named `name` in this process, or of the
// whole process when no thread has that name.
double cpuSeconds(const char* name) {
    if (DIR* d = ::opendir("/proc/self/task")) {
        while (dirent* e = ::readdir(d)) {
            std::string task = std::string("/proc/self/task/") + e->d_name;
            std::ifstream comm(task + "/comm");
            std::string comm_name;
            if (!std::getline(comm, comm_name) || comm_name != name)
                continue;
            std::ifstream stat(task + "/stat");
            std::string s((std::istreambuf_iterator<char>(stat)), {});
            std::istringstream fields(s.substr(s.rfind(')') + 2));
            std::string f;
            long utime = 0, stime = 0;
            for (int i = 3; i <= 15 && fields >> f; ++i) {
                if (i == 14)
                    utime = std::stol(f);
                if (i == 15)
                    stime = std::stol(f);
            }
            ::closedir(d);
            return double(utime + stime) / double(::sysconf(_SC_CLK_TCK));
        }
        ::closedir(d);
    }
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double ms(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

TEST(LinkE2E, TwoLetterBoxIsIdentifiedAndPolled) {
    LinkRig rig(options(Dialect::TwoLetter));
    rig.start();
    ASSERT_TRUE(rig.waitForPositions(40));
    // A full poll cycle has passed: every line type has been parsed.
    ASSERT_TRUE(rig.waitFor([&] { return rig.snapshot().serialTextB[0] != 0; }));
    ASSERT_TRUE(rig.waitFor([&] { return rig.snapshot().detectedPulseRate != 0; }));

    DeviceReadings d = rig.snapshot();
    EXPECT_TRUE(rig.r.link.newProtocol);
    EXPECT_FALSE(rig.r.link.awaitingIdentification);
    EXPECT_STREQ(d.boxTypeText, "QTBX02 (1Ref)");
    EXPECT_STREQ(d.versionText, "2.10");
    EXPECT_STREQ(d.boxInfoText, "4711");
    EXPECT_STREQ(d.serialTextA, "0815");
    EXPECT_STREQ(d.serialTextB, "ORVA-2041-0042");
    EXPECT_EQ(d.detectedPulseRate, 1728);
    // The program's amplitudes match the box's heads (eccentricity +-4 %).
    EXPECT_NEAR(d.amplitudeYE,
                rig.box.withModel([](auto& m, auto) { return m.nominalAmplitude(Sensor::Yellow); }),
                4.0);
    EXPECT_NEAR(d.amplitudeWH,
                rig.box.withModel([](auto& m, auto) { return m.nominalAmplitude(Sensor::White); }),
                4.0);
    // Status lines: the start-up phase ends and the status becomes valid.
    ASSERT_TRUE(rig.waitFor([&] {
        for (auto [code, param] : rig.events)
            if (code == 5 && param == 19)
                return true;
        return false;
    }));
    EXPECT_EQ(rig.snapshot().errorFlags, 0);
    EXPECT_TRUE(rig.noDataTimes.empty()) << "a talking box caused a no-data notice";
}

TEST(LinkE2E, OneLetterBoxIsIdentifiedAndPolled) {
    LinkRig rig(options(Dialect::OneLetter, /*paced=*/false));
    rig.start();
    ASSERT_TRUE(rig.waitForPositions(20));
    EXPECT_FALSE(rig.r.link.newProtocol);
    EXPECT_FALSE(rig.r.link.awaitingIdentification);
    // The rotating part of the cycle brings the version line.
    ASSERT_TRUE(rig.waitFor([&] { return rig.snapshot().versionText[0] != 0; }));
    DeviceReadings d = rig.snapshot();
    EXPECT_STREQ(d.versionText, "1.45");
    EXPECT_STREQ(d.boxTypeText, "ORVA");
    EXPECT_NEAR(d.amplitudeYE,
                rig.box.withModel([](auto& m, auto) { return m.nominalAmplitude(Sensor::Yellow); }),
                4.0);
    EXPECT_EQ(d.detectedPulseRate, 1728);
}

TEST(LinkE2E, SilenceBringsNoDataNoticesButNotWhileRecording) {
    LinkRig rig(options(Dialect::TwoLetter));
    rig.resetOnNoData = false; // keep polling the identified box
    rig.start();
    ASSERT_TRUE(rig.waitForPositions(10));
    ASSERT_TRUE(rig.noDataTimes.empty());

    rig.box.setPower(false);
    ASSERT_TRUE(rig.waitFor([&] { return rig.noDataTimes.size() >= 3; }));
    // The thread cannot be early; a loaded machine only makes it late.
    EXPECT_GE(ms(rig.noDataTimes[0] - rig.lastPositionTime), 400.0);
    EXPECT_LE(ms(rig.noDataTimes[0] - rig.lastPositionTime), 5000.0);
    for (size_t i = 1; i < rig.noDataTimes.size(); ++i)
        EXPECT_GE(ms(rig.noDataTimes[i] - rig.noDataTimes[i - 1]), 800.0) << "notice " << i;
    EXPECT_TRUE(rig.r.link.noData);

    // While recording, the thread keeps polling but posts no notice.
    rig.r.link.recordingActive = true;
    size_t before = rig.noDataTimes.size();
    uint64_t commands = rig.box.stats().commands;
    ASSERT_TRUE(rig.waitFor([&] { return rig.box.stats().commands >= commands + 40; }));
    EXPECT_EQ(rig.noDataTimes.size(), before);

    rig.r.link.recordingActive = false;
    ASSERT_TRUE(rig.waitFor([&] { return rig.noDataTimes.size() > before; }));

    // Power on: the box restarts and lines come again, noData clears.
    rig.box.setPower(true);
    ASSERT_TRUE(rig.waitForPositions(5));
    EXPECT_FALSE(rig.r.link.noData);
}

TEST(LinkE2E, ResetAndEraseRequestsRunTheBoxRestart) {
    {
        LinkRig rig(options(Dialect::TwoLetter));
        rig.start();
        ASSERT_TRUE(rig.waitForPositions(5));
        rig.r.link.pendingCommand = kResetRequest;
        ASSERT_TRUE(rig.waitFor([&] { return rig.boxRestarts == 1; }));
        // The box restarts silently, then reports missing offsets until it
        // has them back from its flash.
        ASSERT_TRUE(rig.waitFor([&] { return rig.snapshot().errorFlags & 0x1000; }));
        ASSERT_TRUE(rig.waitFor([&] { return rig.snapshot().errorFlags == 0; }));
        EXPECT_TRUE(rig.waitForPositions(5));
    }
    {
        LinkRig rig(options(Dialect::OneLetter, /*paced=*/false));
        rig.start();
        ASSERT_TRUE(rig.waitForPositions(5));
        rig.r.link.pendingCommand = kEraseRequest;
        // An old box answers an erase with "RS 2": flash erased.
        ASSERT_TRUE(rig.waitFor([&] {
            for (auto [code, param] : rig.events)
                if (code == 17)
                    return true;
            return false;
        }));
        for (auto [code, param] : rig.events) {
            if (code == 17) {
                EXPECT_EQ(param, 50);
            }
        }
        EXPECT_EQ(rig.boxRestarts, 1);
        EXPECT_TRUE(rig.waitForPositions(5));
    }
}

TEST(LinkE2E, ARequestMadeWithAResetWaitsForTheNewIdentification) {
    // As the clear button does it: reset the readings, then leave the
    // request. Replies already on their way must not identify the box.
    LinkRig rig(options(Dialect::TwoLetter));
    std::vector<std::string> versions;
    rig.onEvent = [&](int code, int) {
        if (code == 14)
            versions.push_back(rig.r.readings.versionText);
    };
    rig.start();
    ASSERT_TRUE(rig.waitForPositions(5));
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(rig.waitForPositions(3));
        rig.resetReadings();
        rig.r.link.pendingCommand = kResetRequest;
        ASSERT_TRUE(rig.waitFor([&] { return rig.boxRestarts == i; }));
        ASSERT_TRUE(rig.waitFor([&] { return rig.snapshot().versionText[0] != 0; }));
    }
    for (const std::string& v : versions)
        EXPECT_EQ(v, "2.10");
}

TEST(LinkE2E, StopEndsTheThreadWithLinkEndedAndClosesThePort) {
    LinkRig rig(options(Dialect::TwoLetter));
    rig.start();
    ASSERT_TRUE(rig.waitForPositions(5));

    // Stopped while idling (box off): LinkEnded arrives, the port is free.
    rig.box.setPower(false);
    ASSERT_TRUE(rig.waitFor([&] { return !rig.noDataTimes.empty(); }));
    rig.r.link.stopRequest = true;
    ASSERT_TRUE(rig.waitFor([&] { return rig.linkEnded == 1; }));
    EXPECT_TRUE(rig.r.link.threadEnded);
    rig.comm->wait();
    QSerialPort port(QString::fromStdString(rig.boxLink));
    EXPECT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
}

TEST(LinkE2E, StopWithANotificationPendingDoesNotDeadlock) {
    LinkRig rig(options(Dialect::TwoLetter));
    rig.start();
    ASSERT_TRUE(rig.waitForPositions(5));
    // The owner stops handling events (as while it closes) and waits for
    // the thread, which is blocked in a synchronous notification by now.
    rig.r.link.stopRequest = true;
    rig.comm->wait();
    EXPECT_TRUE(rig.r.link.threadEnded);
    // The dropped notification never reaches the owner; LinkEnded does.
    int before = rig.positions;
    ASSERT_TRUE(rig.waitFor([&] { return rig.linkEnded == 1; }));
    EXPECT_EQ(rig.positions, before);
}

TEST(LinkE2E, HangUpNeitherCrashesNorSpinsAndTheLinkComesBack) {
    LinkRig rig(options(Dialect::TwoLetter));
    rig.start();
    ASSERT_TRUE(rig.waitForPositions(5));

    rig.box.hangUp();
    ASSERT_TRUE(rig.waitFor([&] { return !rig.noDataTimes.empty(); }));
    double cpu0 = cpuSeconds("reader");
    auto t0 = std::chrono::steady_clock::now();
    size_t notices = rig.noDataTimes.size();
    // At least a second of hang-up, measured by the notices it brings.
    ASSERT_TRUE(rig.waitFor([&] { return rig.noDataTimes.size() >= notices + 2; }));
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    double cpu = cpuSeconds("reader") - cpu0;
    EXPECT_LT(cpu, 0.3 * wall) << "reader thread used " << cpu << " s of CPU in " << wall << " s";

    // A new line behind the same name; the search would ask for a reopen.
    ASSERT_TRUE(rig.box.reconnect());
    rig.r.link.reopenRequest = true;
    EXPECT_TRUE(rig.waitForPositions(5));
    rig.r.link.stopRequest = true;
    EXPECT_TRUE(rig.waitFor([&] { return rig.linkEnded == 1; }));
}

TEST(LinkE2E, BadInputOnTheLineIsSurvived) {
    LinkRig rig(options(Dialect::TwoLetter));
    rig.start();
    ASSERT_TRUE(rig.waitForPositions(5));
    rig.box.sendGarbage(3000);
    rig.box.sendOverlongLine(1000);
    rig.box.pauseInNextLine(std::chrono::milliseconds(120));
    rig.box.silence(std::chrono::milliseconds(300));
    EXPECT_TRUE(rig.waitForPositions(10));
    DeviceReadings d = rig.snapshot();
    EXPECT_TRUE(rig.r.link.newProtocol);
    EXPECT_GT(d.amplitudeYE, 30.0);
}

TEST(LinkE2E, BusyPortCountsAsExistingAndTheThreadIdles) {
    LinkRig rig(options(Dialect::TwoLetter));
    QSerialPort other(QString::fromStdString(rig.boxLink));
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    EXPECT_TRUE(probeDevice(rig.boxLink));
    EXPECT_FALSE(probeDevice(rig.dir + "/no-such-port"));

    rig.start();
    ASSERT_TRUE(rig.waitFor([&] { return rig.resets == 1; }));
    EXPECT_TRUE(rig.r.link.portClosed);
    EXPECT_FALSE(rig.r.link.reopenRequest);
    // While the open has failed the thread only waits: nothing is sent and
    // no notice is posted.
    runEvents(300ms);
    EXPECT_EQ(rig.box.stats().bytesIn, 0u);
    EXPECT_TRUE(rig.noDataTimes.empty());

    other.close();
    rig.r.link.reopenRequest = true;
    EXPECT_TRUE(rig.waitForPositions(5));
    EXPECT_FALSE(rig.r.link.portClosed);
}

TEST(LinkE2E, InterfaceSearchFindsTheBoxOnCom4) {
    LinkRig rig(options(Dialect::TwoLetter));
    PtyLine com1; // a port without a box
    std::string ports = com1.path() + ":" + rig.dir + "/gone::" + rig.boxLink;
    ::setenv("ORVATIX_PORTS", ports.c_str(), 1);
    auto map = std::make_unique<PortMap>();
    ::unsetenv("ORVATIX_PORTS");
    PortMap& portMap = *map;

    std::vector<std::string> log; // "probe n", "hand over n"
    InterfaceSearch* searchPtr = nullptr;
    InterfaceSearchHooks hooks;
    hooks.probePort = [&](int n) {
        log.push_back("probe " + std::to_string(n));
        return probePort(portMap, n);
    };
    hooks.discardStatusList = [&] {
        // Called at the hand-over, before the port number moves on.
        log.push_back("hand over " + std::to_string(searchPtr->searchPortNumber()));
    };
    InterfaceSearch search(rig.r.link, rig.r.config, hooks);
    searchPtr = &search;
    QObject::connect(rig.notifier.get(), &QtLinkNotifier::noSerialDataArrived,
                     [&] { search.setActive(true); });
    rig.onEvent = [&](int code, int) {
        if (code == 0)
            search.setActive(false);
    };
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { search.searchTick(); });

    search.setActive(true); // the start-up's no-data handling
    rig.start(std::move(map));
    tick.start(200);
    ASSERT_TRUE(rig.waitForPositions(3, 60s));
    tick.stop();

    std::vector<std::string> expected = {"probe 1", "hand over 1", "probe 2",
                                         "probe 3", "probe 4",     "hand over 4"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(rig.r.config.portName, "\\\\.\\COM4");
    EXPECT_FALSE(search.active());
    EXPECT_EQ(search.searchPortNumber(), 5);
}

} // namespace

// The speed shown is never a wrong number: either an estimate close to the
// true speed with its sign, or a limit the shaft really turns faster than.
TEST(LinkE2E, SpeedBeyondWhatTheSamplesResolveIsShownAsTheLimit) {
    LinkRig rig(options(Dialect::TwoLetter));
    rig.start();
    ASSERT_TRUE(rig.waitForPositions(20));
    const double rpmPerUnit = 12000.0 / rig.r.config.pulseRate.load();
    const struct {
        double rpm;
        bool mustBeLimit;
    } cases[] = {{300, false}, {-300, false}, {600, true},
                 {-600, true}, {1200, true},  {-1200, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rpm);
        rig.box.setSpeedRpm(c.rpm);
        ASSERT_TRUE(rig.waitForPositions(40)); // two windows to settle
        // And two fresh estimates, however irregularly a loaded machine
        // delivers the samples (the estimate waits for ten accepted ones).
        int estimates = 0;
        double lastSpeed = std::nan("");
        rig.onEvent = [&](int code, int) {
            if (code == 0 && rig.r.readings.speed != lastSpeed) {
                lastSpeed = rig.r.readings.speed;
                ++estimates;
            }
        };
        ASSERT_TRUE(rig.waitFor([&] { return estimates >= 3; }));
        rig.onEvent = nullptr;
        int checked = 0;
        rig.onEvent = [&](int code, int) {
            if (code != 0)
                return;
            const DeviceReadings& d = rig.r.readings; // the reader thread waits
            ++checked;
            if (d.speedOverLimit) {
                EXPECT_GT(d.speedLimit, 0.0);
                EXPECT_LE(d.speedLimit * rpmPerUnit, std::fabs(c.rpm));
            } else {
                EXPECT_FALSE(c.mustBeLimit) << d.speed * rpmPerUnit << " rpm shown";
                EXPECT_NEAR(d.speed * rpmPerUnit, c.rpm, std::fabs(c.rpm) * 0.1);
            }
        };
        ASSERT_TRUE(rig.waitFor([&] { return checked >= 40; }));
        rig.onEvent = nullptr;
    }
}
