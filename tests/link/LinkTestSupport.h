#pragma once
// Shared pieces of the serial link tests: a bare pseudo-terminal line that the
// test writes to byte by byte, a notifier that records the positions the
// reader thread reports, and fresh link records per test.

#include "device/DeviceEvents.h"
#include "support/LinkRecordSet.h"
#include "support/Waiting.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <poll.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace linktest {

using namespace std::chrono_literals;

// One QCoreApplication for the whole test program (queued notices need it).
inline QCoreApplication& qtApp() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return *app;
}

// A directory of its own under /tmp for links and lock-free paths.
inline std::string scratchDir() {
    char tmpl[] = "/tmp/orvatix-link-XXXXXX";
    const char* dir = ::mkdtemp(tmpl);
    return dir ? dir : "/tmp";
}

// A pseudo-terminal without a box: the test writes what the "box" sends, with
// the timing it wants, and a drain thread takes what the program sends.
class PtyLine {
public:
    PtyLine() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ::grantpt(master_);
        ::unlockpt(master_);
        char name[128] = {};
        ::ptsname_r(master_, name, sizeof name);
        slave_ = name;
        // Keep the slave open ourselves (no hang-up when the program closes
        // it) and raw (no echo of the program's commands).
        ownSlave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios t{};
        ::tcgetattr(ownSlave_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(ownSlave_, TCSANOW, &t);
        drain_ = std::thread([this] {
            char buf[256];
            while (!stop_) {
                pollfd p{master_, POLLIN, 0};
                if (::poll(&p, 1, 20) > 0 && (p.revents & POLLIN)) {
                    ssize_t n = ::read(master_, buf, sizeof buf);
                    if (n > 0) {
                        std::lock_guard<std::mutex> lock(mutex_);
                        received_.append(buf, size_t(n));
                    }
                }
            }
        });
    }
    ~PtyLine() {
        stop_ = true;
        drain_.join();
        ::close(ownSlave_);
        ::close(master_);
    }
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    const std::string& path() const { return slave_; }

    void write(const std::string& bytes) {
        [[maybe_unused]] ssize_t n = ::write(master_, bytes.data(), bytes.size());
    }
    // Byte by byte with a gap after each: the test's own line timing.
    void writeSlowly(const std::string& bytes, std::chrono::milliseconds gap) {
        for (char c : bytes) {
            write(std::string(1, c));
            std::this_thread::sleep_for(gap);
        }
    }
    std::string received() {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }

private:
    int master_ = -1;
    int ownSlave_ = -1;
    std::string slave_;
    std::thread drain_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::string received_;
};

// Fresh records for one test, set up as the main window's start-up leaves
// them, with a bearing range that accepts the box's pulse rate.
struct Records : LinkRecordSet {
    Records() : LinkRecordSet(100, 20000) {
        link.notificationsSuppressed = false;
        link.noData = true;
    }
};

// Records the positions the reader thread reports, with the raw position at
// the moment of each event, and counts the resets of the readings.
class PositionRecorder : public QuietNotifier {
public:
    explicit PositionRecorder(DeviceReadings& readings) : readings_(readings) {}

    // What resetting the readings does to the link mode (the main window
    // restarts the identification; a test may count the box as identified).
    std::function<void()> onReset;

    void deviceEvent(int code, int) override {
        if (code != kPositionEvent)
            return;
        std::lock_guard<std::mutex> lock(mutex_);
        positions_.push_back(readings_.rawPosition);
    }
    void resetReadings() override {
        ++resets_;
        if (onReset)
            onReset();
    }

    std::vector<int32_t> positions() {
        std::lock_guard<std::mutex> lock(mutex_);
        return positions_;
    }
    int resetCount() const { return resets_; }

private:
    DeviceReadings& readings_;
    std::mutex mutex_;
    std::vector<int32_t> positions_;
    std::atomic<int> resets_{0};
};

} // namespace linktest
