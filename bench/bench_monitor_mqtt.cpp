// orvatix-monitor as a plant's probe: its share of one core with MQTT on
// (health every second, positions at 10 Hz) against the simulated box at
// 9600-baud pacing, beside the same monitor without MQTT; and the delay from
// a status change on the line to its message at a subscriber of the same
// broker (Debian's mosquitto on a loopback port). The status changes come from
// the box's yellow head, unplugged and plugged in again.
//
// usage: bench_monitor_mqtt [seconds] [changes]   (default 30 s, 20 changes)

#include "monitor/MqttRig.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// User and system CPU seconds of a process so far.
double cpuSeconds(qint64 pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(in, line);
    const size_t close = line.rfind(')');
    if (close == std::string::npos)
        return 0.0;
    std::istringstream fields(line.substr(close + 2));
    std::string skip;
    for (int i = 0; i < 11; ++i) // state .. cmajflt
        fields >> skip;
    long utime = 0, stime = 0;
    fields >> utime >> stime;
    return double(utime + stime) / double(::sysconf(_SC_CLK_TCK));
}

struct Share {
    double percent = 0.0;
    bool ok = false;
};

// The monitor's CPU share over `seconds` once `ready` holds; `during` runs
// meanwhile, every 1.5 s.
Share measure(QProcess& monitor, double seconds, const std::function<bool()>& ready,
              const std::function<void()>& during) {
    Share share;
    if (!waitUntil(ready, 60s))
        return share;
    const qint64 pid = monitor.processId();
    const double cpu0 = cpuSeconds(pid);
    const auto t0 = Clock::now();
    auto next = t0;
    while (Clock::now() - t0 < std::chrono::duration<double>(seconds)) {
        if (Clock::now() >= next) {
            during();
            next += 1500ms;
        }
        monitor.waitForReadyRead(50);
        monitor.readAllStandardOutput();
    }
    const double cpu = cpuSeconds(pid) - cpu0;
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    share.percent = 100.0 * cpu / wall;
    share.ok = true;
    return share;
}

void end(QProcess& p) {
    p.terminate();
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 30.0;
    const int changes = argc > 2 ? std::atoi(argv[2]) : 20;
    QTemporaryDir dir;
    mqttrig::Broker broker(dir.path());
    if (!dir.isValid() || !broker.start()) {
        std::fprintf(stderr, "bench_monitor_mqtt: mosquitto did not start\n");
        return 1;
    }
    mqttrig::BoxProcess box(QStringLiteral(ORVATIX_BOX_SIM), dir.filePath(QStringLiteral("box")),
                            {QStringLiteral("--speed"), QStringLiteral("10")});
    if (!box.started()) {
        std::fprintf(stderr, "bench_monitor_mqtt: the simulated box did not start\n");
        return 1;
    }

    // Without MQTT: the monitor's own share, quiet as a service runs it,
    // measured from the time the box answers with MQTT (a few seconds).
    QProcess plain;
    plain.start(QStringLiteral(ORVATIX_MONITOR),
                {QStringLiteral("--port"), box.link(), QStringLiteral("--quiet")});
    const auto plainStart = Clock::now();
    const Share without = measure(
        plain, seconds, [&] { return Clock::now() - plainStart >= 5s; }, [] {});
    end(plain);

    // With MQTT, and a subscriber that times the status messages.
    mqttrig::Subscriber subscriber(broker.port(), "orvatix/bench/#");
    subscriber.waitSubscribed();
    QProcess monitor;
    monitor.start(QStringLiteral(ORVATIX_MONITOR),
                  {QStringLiteral("--port"), box.link(), QStringLiteral("--quiet"),
                   QStringLiteral("--mqtt"), broker.url(), QStringLiteral("--topic"),
                   QStringLiteral("orvatix/bench"), QStringLiteral("--spool"),
                   dir.filePath(QStringLiteral("spool")), QStringLiteral("--health-interval"),
                   QStringLiteral("1"), QStringLiteral("--position-rate"), QStringLiteral("10")});
    int toggles = 0;
    const Share with = measure(
        monitor, seconds, [&] { return !subscriber.on("orvatix/bench/position").empty(); },
        [&] {
            if (toggles < changes)
                box.command(toggles++ % 2 == 0 ? QStringLiteral("unplug ye")
                                               : QStringLiteral("plug ye"));
        });
    waitUntil([&] { return subscriber.on("orvatix/bench/status").size() >= size_t(toggles); }, 10s);
    end(monitor);

    std::vector<double> delays;
    for (const mqttrig::Message& m : subscriber.on("orvatix/bench/status")) {
        const QJsonObject o =
            QJsonDocument::fromJson(QByteArray::fromStdString(m.payload)).object();
        const QDateTime at =
            QDateTime::fromString(o.value(QLatin1String("time")).toString(), Qt::ISODateWithMs);
        const qint64 receivedMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(m.received.time_since_epoch())
                .count();
        if (at.isValid())
            delays.push_back(double(receivedMs - at.toMSecsSinceEpoch()));
    }
    std::sort(delays.begin(), delays.end());
    const size_t positions = subscriber.on("orvatix/bench/position").size();
    const size_t healths = subscriber.on("orvatix/bench/health").size();

    std::printf("monitor without MQTT: %.2f %% of one core over %.0f s\n", without.percent,
                seconds);
    std::printf("monitor with MQTT (health 1 s, positions 10 Hz): %.2f %% of one core; "
                "%zu position and %zu health messages\n",
                with.percent, positions, healths);
    if (!delays.empty())
        std::printf("status change on the line to the subscriber: median %.0f ms, max %.0f ms "
                    "(%zu changes)\n",
                    delays[delays.size() / 2], delays.back(), delays.size());
    return without.ok && with.ok && !delays.empty() ? 0 : 1;
}
