// How soon the box is back after its cable: the acquisition core on the
// simulated box at real 9600-baud pacing, the only port there is (COM1). The
// line is hung up until the no-data notice comes, left out for `out` seconds,
// then plugged back; the figure is the time from then to the first position.
// Once with the automatic search, once with COM1 chosen as the Serial port
// menu (or --port) chooses it.
//
// usage: bench_reconnect [runs] [out]   (default 2 runs, 1 s out)

#include "acquisition/AcquisitionCore.h"
#include "boxsim/BoxSimulator.h"
#include "device/DeviceEvents.h"
#include "device/PortMap.h"
#include "support/LinkRecordSet.h"
#include "support/Waiting.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The diagnosis window's part in the search: no data starts it, a position
// ends it.
class SearchingWindow : public DeviceReceiver {
public:
    explicit SearchingWindow(InterfaceSearch& search) : search_(search) {}
    void deviceEvent(int code, int, const DeviceReadings&) override {
        if (code != kPositionEvent)
            return;
        ++positions;
        lastPosition = Clock::now();
        search_.setActive(false);
    }
    void noSerialData() override {
        ++noData;
        search_.setActive(true);
    }
    int positions = 0;
    int noData = 0;
    Clock::time_point lastPosition;

private:
    InterfaceSearch& search_;
};

struct Reconnect {
    double handedOver = -1; // seconds from the cable back to the hand-over
    double position = -1;   // ... to the first position; negative: none in time
};

Reconnect reconnect(const std::string& link, bool chosen, double outSeconds) {
    Reconnect result;
    boxsim::BoxSimulator box; // two-letter, paced at 9600 baud
    std::string why;
    if (!box.start(link, &why)) {
        std::fprintf(stderr, "simulator: %s\n", why.c_str());
        return result;
    }
    box.setSpeedRpm(10.0);
    LinkRecordSet r(100, 20000);
    r.link.notificationsSuppressed = false;
    r.link.noData = true;
    r.link.stopRequest = false;
    qputenv("ORVATIX_PORTS", QByteArray::fromStdString(link));
    auto core = std::make_unique<AcquisitionCore>(r.records(), InterfaceSearchHooks{});
    qunsetenv("ORVATIX_PORTS");
    SearchingWindow window(core->search());
    core->subscribe(&window);
    if (chosen)
        core->search().choosePort(comPortName(1));
    else
        core->search().setActive(true); // as the start menu's confirmation does
    core->startLinkThread();
    core->startTimers();

    // The cable is pulled as soon as positions flow (inside the pause after
    // the first hand-over).
    if (waitWithEvents([&] { return window.positions > 3; }, 30s)) {
        box.hangUp();
        const int before = window.noData;
        waitWithEvents([&] { return window.noData > before; }, 30s);
        runEvents(std::chrono::milliseconds(static_cast<int>(outSeconds * 1000)));
        const int seen = window.positions;
        std::string error;
        if (box.reconnect(&error)) {
            const Clock::time_point back = Clock::now();
            const auto since = [back](Clock::time_point t) {
                return std::chrono::duration<double>(t - back).count();
            };
            r.link.reopenRequest = false;
            const bool found = waitWithEvents(
                [&] {
                    if (result.handedOver < 0 && r.link.reopenRequest)
                        result.handedOver = since(Clock::now());
                    return window.positions > seen;
                },
                60s);
            if (found)
                result.position = since(window.lastPosition);
        } else {
            std::fprintf(stderr, "reconnect: %s\n", error.c_str());
        }
    }
    core->stopLink();
    waitWithEvents([&] { return core->linkEnded(); }, 10s);
    core->joinLinkThread();
    core.reset();
    box.stop();
    return result;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 2;
    const double out = argc > 2 ? std::atof(argv[2]) : 1.0;
    if (runs < 1 || out < 0) {
        std::fprintf(stderr, "usage: %s [runs] [seconds the cable is out]\n", argv[0]);
        return 2;
    }
    QCoreApplication app(argc, argv);
    char dir[] = "/tmp/orvatix-bench-XXXXXX";
    if (!::mkdtemp(dir)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string link = std::string(dir) + "/box";
    int failures = 0;
    for (const bool chosen : {false, true}) {
        for (int run = 1; run <= runs; ++run) {
            const Reconnect r = reconnect(link, chosen, out);
            if (r.position < 0)
                ++failures;
            std::printf("%-17s run %d: handed over after %.2f s, first position %.2f s after "
                        "the cable came back\n",
                        chosen ? "COM1 chosen" : "automatic search", run, r.handedOver, r.position);
            std::fflush(stdout);
        }
    }
    ::unlink(link.c_str());
    ::rmdir(dir);
    return failures == 0 ? 0 : 1;
}
