// orvatix-monitor: the ORVA Box's positions and status on the command line,
// polled in the program's own cycle, without a window.

#include "MonitorOptions.h"
#include "MonitorSession.h"
#include "PlantPublisher.h"

#include "app/ProgramVersion.h"

#include "boxsim/BoxSimulator.h"
#include "config/ConfigData.h"
#include "config/ConfigFile.h"
#include "device/CSerialComm.h"
#include "device/SerialTrace.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace {

// Ctrl+C and a termination end the run in order (the trace is closed whole).
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &c, 1);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const MonitorOptions options = parseMonitorOptions(args);
    if (options.action == MonitorOptions::Action::Help) {
        std::cout << monitorHelpText();
        return kExitDone;
    }
    if (options.action == MonitorOptions::Action::Version) {
        std::cout << monitorVersionText() << "\n";
        return kExitDone;
    }
    if (options.action == MonitorOptions::Action::Error) {
        std::cerr << "orvatix-monitor: " << options.error << "\nTry 'orvatix-monitor --help'.\n";
        return kExitUsage;
    }

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvatix-monitor"));

    // --demo: the simulated box on a pseudo-terminal of this process.
    std::unique_ptr<QTemporaryDir> demoDir;
    std::unique_ptr<boxsim::BoxSimulator> demoBox;
    std::string device = options.port;
    if (options.demo) {
        demoDir = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                  QStringLiteral("/orvatix-monitor-XXXXXX"));
        demoBox = std::make_unique<boxsim::BoxSimulator>();
        std::string error = "no temporary folder";
        device = demoDir->isValid() ? demoDir->filePath(QStringLiteral("orva-box")).toStdString()
                                    : std::string();
        if (device.empty() || !demoBox->start(device, &error)) {
            std::cerr << "orvatix-monitor: the simulated box could not be started: " << error
                      << "\n";
            return kExitPort;
        }
        demoBox->setSpeedRpm(10);
    }
    // COM1 is the one port.
    qputenv("ORVATIX_PORTS", QByteArray::fromStdString(device));
    // The bearing's pulse rate of the working directory's configuration, as
    // the program uses it.
    loadConfig();

    SerialTraceWriter::Options traceOptions;
    traceOptions.comment =
        "taken " +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() +
        " by orvatix-monitor on " + device;
    SerialTraceWriter trace(traceOptions);
    if (!options.tracePath.empty()) {
        std::string error;
        if (!trace.open(options.tracePath, &error)) {
            std::cerr << "orvatix-monitor: the serial trace cannot be written: " << error << "\n";
            return kExitTrace;
        }
    }

    const bool quiet = options.quiet;
    MonitorSession session(
        device, options, LinkRecords::global(),
        [quiet](const std::string& line) {
            if (quiet)
                return;
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
        },
        [](const std::string& text) { std::cerr << "orvatix-monitor: " << text << "\n"; });
    if (trace.isOpen())
        session.setTraceWriter(&trace);

    // --mqtt: the plant's broker hears what the records say.
    std::unique_ptr<PlantPublisher> plant;
    if (!options.mqtt.url.empty()) {
        plant = std::make_unique<PlantPublisher>(
            options.mqtt, options.demo ? std::string("demo") : device, kProgramVersion);
        plant->log = [](const std::string& text) {
            std::cerr << "orvatix-monitor: mqtt: " + text + "\n";
        };
        plant->failed = [&session](int code, const std::string& why) {
            std::cerr << "orvatix-monitor: mqtt: " + why + "\n";
            QMetaObject::invokeMethod(
                &session, [&session, code] { session.finish(code); }, Qt::QueuedConnection);
        };
        std::string why;
        int code = kExitUsage;
        if (!plant->start(&why, &code)) {
            std::cerr << "orvatix-monitor: " << why << "\n";
            return code;
        }
        session.setPlantPublisher(plant.get());
    }
    int exitCode = kExitDone;
    session.finished = [&exitCode](int code) {
        exitCode = code;
        QCoreApplication::exit(code);
    };

    std::unique_ptr<QSocketNotifier> signalNotifier;
    if (::pipe(signalPipe) == 0) {
        signalNotifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, &session,
                         [&session] { session.finish(kExitDone); });
        std::signal(SIGINT, onSignal);
        std::signal(SIGTERM, onSignal);
        std::signal(SIGHUP, onSignal);
    }

    // A trace that loses bytes is said at once (a service runs for days), and
    // again with its own exit code at the end.
    QTimer traceWatch;
    bool traceFailureShown = false;
    const auto reportTraceFailure = [&] {
        const std::string failure = trace.failure();
        if (failure.empty() || traceFailureShown)
            return;
        traceFailureShown = true;
        std::cerr << "orvatix-monitor: the serial trace " << options.tracePath
                  << " could not be written: " << failure << "; it is incomplete.\n";
    };
    if (trace.isOpen()) {
        QObject::connect(&traceWatch, &QTimer::timeout, &session, reportTraceFailure);
        traceWatch.start(1000);
    }

    session.start();
    app.exec();
    traceWatch.stop();
    if (plant)
        plant->stop();
    const bool tracing = trace.isOpen();
    trace.close();
    if (tracing && !trace.failure().empty()) {
        reportTraceFailure();
        if (trace.droppedBytes() > 0)
            std::cerr << "orvatix-monitor: " << trace.droppedBytes()
                      << " bytes of the serial trace were lost.\n";
        if (exitCode == kExitDone)
            exitCode = kExitTrace;
    }
    if (demoBox)
        demoBox->stop();
    return exitCode;
}
