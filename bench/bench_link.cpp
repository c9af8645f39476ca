// The reader thread against the simulated box at real 9600-baud pacing:
// position samples per second, and how close the exchange comes to what the
// line itself allows for the bytes that passed (commands out, lines in).
//
// usage: bench_link [seconds]   (default 30)

#include "boxsim/BoxSimulator.h"
#include "device/DeviceEvents.h"
#include "device/PortMap.h"
#include "device/QtLinkNotifier.h"
#include "device/ReadingsReset.h"
#include "support/LinkRecordSet.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// 10 bit times per byte at 9600 baud (8N1).
constexpr double kByteSeconds = 10.0 / 9600.0;

struct Figures {
    int positions = 0;
    int events = 0;
    boxsim::LineStats line;
    Clock::time_point at;
};

} // namespace

int main(int argc, char** argv) {
    double seconds = argc > 1 ? std::atof(argv[1]) : 30.0;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: %s [seconds]\n", argv[0]);
        return 2;
    }
    QCoreApplication app(argc, argv);

    char dir[] = "/tmp/orvatix-bench-XXXXXX";
    if (!::mkdtemp(dir)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string link = std::string(dir) + "/box";
    boxsim::SimulatorOptions options; // two-letter, paced at 9600 baud
    boxsim::BoxSimulator box(options);
    std::string why;
    if (!box.start(link, &why)) {
        std::fprintf(stderr, "simulator: %s\n", why.c_str());
        return 1;
    }
    box.setSpeedRpm(10.0);

    LinkRecordSet r(100, 20000);
    LinkControl& control = r.link;
    control.notificationsSuppressed = false;
    control.noData = true;
    r.config.portName = comPortName(1);
    control.reopenRequest = true;

    Figures now;
    QtLinkNotifier notifier(control);
    QObject::connect(&notifier, &QtLinkNotifier::deviceEventArrived, [&](int code, int) {
        ++now.events;
        if (code == kPositionEvent)
            ++now.positions;
    });
    QObject::connect(&notifier, &QtLinkNotifier::readingsResetRequested, [&] {
        std::lock_guard<std::mutex> lock(r.readingsMutex);
        resetDeviceReadings(r.readings, control);
    });
    PortMap ports(std::vector<std::string>{link});
    CSerialComm comm(notifier, ports, r.records());

    Figures start;
    bool measuring = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // Measure from the first position on: identification is not polling.
        if (!measuring && now.positions > 0) {
            measuring = true;
            start = now;
            start.line = box.stats();
            start.at = Clock::now();
            QTimer::singleShot(int(seconds * 1000), &app, [&] { app.quit(); });
        }
    });
    poll.start(5);
    QTimer::singleShot(int(seconds * 1000) + 20000, &app, [&] { app.quit(); });
    comm.startLinkThread();
    app.exec();

    Figures end = now;
    end.line = box.stats();
    end.at = Clock::now();
    control.stopRequest = true;
    comm.wait();
    box.stop();
    ::rmdir(dir);
    if (!measuring) {
        std::fprintf(stderr, "no position ever arrived\n");
        return 1;
    }

    const double elapsed = std::chrono::duration<double>(end.at - start.at).count();
    const int samples = end.positions - start.positions;
    const uint64_t out = end.line.bytesIn - start.line.bytesIn;  // program -> box
    const uint64_t in = end.line.bytesOut - start.line.bytesOut; // box -> program
    const uint64_t commands = end.line.commands - start.line.commands;
    const double lineSeconds = double(in + out) * kByteSeconds;
    const double ratio = lineSeconds / elapsed;
    const double rate = samples / elapsed;
    std::printf("reader thread against the simulated box, two-letter, 9600 baud, %.1f s\n",
                elapsed);
    std::printf("  position samples           %d\n", samples);
    std::printf("  position samples per s     %.2f\n", rate);
    std::printf("  commands out               %llu (%llu bytes)\n", (unsigned long long)commands,
                (unsigned long long)out);
    std::printf("  lines in                   %llu (%llu bytes)\n",
                (unsigned long long)(end.line.lines - start.line.lines), (unsigned long long)in);
    std::printf("  device events              %d\n", end.events - start.events);
    std::printf("  line time for these bytes  %.2f s\n", lineSeconds);
    std::printf("  samples per s the line allows for this traffic  %.2f\n", rate / ratio);
    std::printf("  ratio to the line's limit  %.3f\n", ratio);
    std::printf("  time per command beyond the line  %.3f ms\n",
                commands ? (elapsed - lineSeconds) * 1000.0 / double(commands) : 0.0);
    return 0;
}
