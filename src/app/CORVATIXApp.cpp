#include "app/CORVATIXApp.h"

#include "app/CORVATIXDlg.h"
#include "app/DemoSession.h"
#include "app/EventLogNotice.h"
#include "app/ProgramCore.h"
#include "app/ProgramFeatures.h"
#include "app/ProgramFlow.h"
#include "app/ProgramVersion.h"
#include "app/TerminationSignals.h"
#include "config/ConfigData.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "device/PortMap.h"
#include "device/SerialTrace.h"
#include "display/widgets/NoiseDisplay.h"
#include "eventlog/SessionEventLog.h"
#include "recorder/DataRecorder.h"
#include "recorder/RecentFiles.h"
#include "status/StatusList.h"
#include "ui/Artwork.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>

#include <cstdio>

CORVATIXApp::CORVATIXApp(CommandLineOptions options) : options_(std::move(options)) {}

CORVATIXApp::~CORVATIXApp() = default;

bool CORVATIXApp::startDemoBox() {
    demo_ = std::make_unique<DemoSession>();
    std::string error = "no temporary folder";
    if (!demo_->start(&error)) {
        QMessageBox::critical(nullptr, QStringLiteral("ORVATIX"),
                              QStringLiteral("The simulated box could not be started: %1")
                                  .arg(QString::fromStdString(error)));
        return false;
    }
    // COM1 is the simulated box.
    qputenv("ORVATIX_PORTS", QByteArray::fromStdString(demo_->linkPath()));
    return true;
}

bool CORVATIXApp::InitInstance() {
    // From here on a termination signal waits for the main window to end the
    // program in order.
    TerminationSignals termination;
    QApplication::setWindowIcon(artIcon(Art::ProgramIcon));
    if (options_.demo && !startDemoBox()) {
        exitCode_ = 1;
        return false;
    }
    if (!options_.port.empty())
        qputenv("ORVATIX_PORTS", QByteArray::fromStdString(options_.port));

    // Made before the core and closed after it: the reader thread writes to
    // it until the core has joined the thread.
    std::unique_ptr<SerialTraceWriter> trace;
    if (!options_.trace.empty()) {
        SerialTraceWriter::Options traceOptions;
        traceOptions.comment = "taken " +
                               QDateTime::currentDateTime()
                                   .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                   .toStdString() +
                               " by ORVATIX";
        trace = std::make_unique<SerialTraceWriter>(traceOptions);
        std::string error;
        if (!trace->open(options_.trace, &error)) {
            QMessageBox::critical(
                nullptr, QStringLiteral("ORVATIX"),
                QStringLiteral("The serial trace %1 could not be written: %2")
                    .arg(QString::fromStdString(options_.trace), QString::fromStdString(error)));
            exitCode_ = 1;
            return false;
        }
    }
    // The program's one acquisition core, before every window and feature
    // that is handed it and gone after them.
    ProgramCore program(LinkRecords::global());
    AcquisitionCore& core = program.core();
    if (trace)
        core.setTraceWriter(trace.get());
    CORVATIXDlg dlg(program, demo_ ? &demo_->sessionDialogs() : nullptr);
    // What happened at the machine, for afterwards; gone before the window.
    EventLog eventLog(eventLogOptionsWithNotice());
    if (!eventLog.active())
        std::fprintf(stderr, "ORVATIX: no event log: %s\n",
                     eventLog.inactiveReason().toLocal8Bit().constData());
    eventLog.programStarted(kProgramVersion);
    SessionEventLog sessionLog(eventLog, core, statusList);
    // A noise measurement that ends by itself is noted with why.
    dlg.noiseDisplay().stoppedByItself = [&eventLog](NoiseStop why) {
        eventLog.append(noiseStopLogText(why));
    };
    // After the log, which notes the port chosen on the command line.
    dlg.setOnlyPort(!options_.port.empty());
    // The demo's box is the only port there is: it is chosen as the menu
    // would choose it, so that a pulled cable is back as soon as it is
    // plugged in again ("Automatic search" in the menu searches COM1..COM65).
    if (options_.demo)
        core.search().choosePort(comPortName(1));

    // The program's sequence around the window; it goes first, with the
    // wizard it may have opened.
    ProgramFlow flow(dlg, core);
    // The wizard and the recorder beside the diagnosis window; the recorder
    // goes before the window whose core it is subscribed to.
    flow.setTeachInFactory(teachInWizardFactory(core, flow.warnOptimum(), &sessionLog));
    RecentFiles recentFiles(RecentFiles::defaultStorePath());
    // The recorded samples outlive every evaluation window of the run.
    DataRecorder samples(linkControl, configData);
    RecorderFeature recorder(
        dlg, core, {samples, deviceReadings, readingsMutex, linkControl, configData, recentFiles});
    recorder.setEventLog(&sessionLog);
    dlg.setRecorderFlow(&recorder);
    if (demo_)
        demo_->watch(dlg);
    // Samples not on disk go first, without a question; then the orderly end.
    connect(&termination, &TerminationSignals::requested, &flow,
            [&recorder] { recorder.saveBeforeTermination(); });
    connect(&termination, &TerminationSignals::requested, &flow, &ProgramFlow::endOnRequest);
    flow.run();
    dlg.noiseDisplay().stoppedByItself = nullptr;
    eventLog.programEnded();
    return false;
}
