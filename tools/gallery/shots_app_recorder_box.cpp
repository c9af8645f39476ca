// Gallery shots of a real recording: the simulated box on a pseudo-terminal,
// the reader thread, and a recording session that records while the shaft
// turns three times, then stops. The evaluation window and the report show
// what the box sent. Recorded once, shown in every language.

#include "Gallery.h"

#include "boxsim/BoxSimulator.h"
#include "config/ConfigData.h"
#include "device/CSerialComm.h"
#include "device/DeviceEvents.h"
#include "device/PortMap.h"
#include "device/PositionTracker.h"
#include "device/QtLinkNotifier.h"
#include "device/ReadingsReset.h"
#include "display/TextFormat.h"
#include "recorder/DataRecorder.h"
#include "recorder/MeasurementResults.h"
#include "recorder/RecentFiles.h"
#include "recorder/widgets/CErgebnisDlg.h"
#include "recorder/widgets/MeasurementReport.h"
#include "recorder/widgets/RecordingDialogs.h"
#include "recorder/widgets/RecordingSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace {

struct BoxRecording {
    std::vector<RecordSample> samples;
    QString title;
    QString baseName;
    BoxIdentityTexts box;
};

// The user's answers: the file name, nothing else.
class Answers : public RecordingDialogs {
public:
    explicit Answers(QString path) : path_(std::move(path)) {}
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return path_;
    }
    QString recordingToOpen(QWidget*, const QStringList&) override { return {}; }
    void message(QWidget*, const RecorderMessage&) override {}
    bool question(QWidget*, const RecorderMessage&) override { return false; }
    bool editRemarks(QWidget*, ReportRemarks&) override { return true; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }

private:
    QString path_;
};

bool waitWithEvents(const std::function<bool()>& condition, std::chrono::seconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

BoxRecording recordFromTheBox() {
    BoxRecording result;
    QTemporaryDir dir;
    boxsim::BoxSimulator box;
    const std::string boxLink = dir.filePath(QStringLiteral("box")).toStdString();
    if (!dir.isValid() || !box.start(boxLink)) {
        return result;
    }
    box.setEccentricity(0.12);

    DeviceReadings readings;
    std::mutex readingsMutex;
    LinkControl link;
    ConfigData config;
    const RelaxedAtomic<int32_t> minRate{100};
    const RelaxedAtomic<int32_t> maxRate{20000};
    link.notificationsSuppressed = false;
    link.noData = true;

    PositionTracker position(config, link);
    DataRecorder recorder(link, config);
    RecentFiles recent(dir.filePath(QStringLiteral("recent.txt")));
    RecordingSession session({recorder, link, config, recent}, {}, nullptr,
                             std::make_unique<Answers>(dir.filePath(QStringLiteral("axis4.txt"))));

    QtLinkNotifier notifier(link);
    int positions = 0;
    auto reset = [&] {
        {
            std::lock_guard<std::mutex> lock(readingsMutex);
            resetDeviceReadings(readings, link);
        }
        position.reset();
        link.boxStarting = true;
        link.statusRestart = true;
    };
    QObject::connect(&notifier, &QtLinkNotifier::readingsResetRequested, reset);
    QObject::connect(&notifier, &QtLinkNotifier::noSerialDataArrived, reset);
    // As the main window passes the events, the reader thread waiting.
    QObject::connect(&notifier, &QtLinkNotifier::deviceEventArrived, [&](int code, int) {
        if (code == kPositionEvent) {
            position.positionEvent(readings);
            ++positions;
        } else if (code == kAmplitudeWhiteEvent && link.recordingActive) {
            session.positionEvent(RecordEvent::position(readings, position.displayPosition()));
        } else if (code == kReferenceMarkEvent) {
            position.referenceMarkEvent(readings);
            if (link.recordingActive)
                session.referenceEvent(
                    RecordEvent::reference(readings, position.referencePosition()));
        }
    });
    PortMap ports(std::vector<std::string>{boxLink});
    CSerialComm comm(notifier, ports,
                     LinkRecords{readings, readingsMutex, link, config, minRate, maxRate});
    config.portName = comPortName(1);
    link.reopenRequest = true;
    comm.startLinkThread();

    const auto marks = [&] {
        int n = 0;
        for (const RecordSample& s : recorder.samples()) {
            n += s.isReference ? 1 : 0;
        }
        return n;
    };
    if (waitWithEvents([&] { return positions > 5 && !link.noData && !link.boxStarting; },
                       std::chrono::seconds(20))) {
        session.toggleRecording();
        box.setSpeedRpm(40.0);
        // Three marks: a little more than two turns between the first and the last.
        waitWithEvents([&] { return marks() >= 3; }, std::chrono::seconds(30));
        box.setSpeedRpm(0.0);
        session.toggleRecording();
        result.samples = recorder.samples();
        if (session.window() != nullptr) {
            result.title = session.window()->windowTitle();
        }
        result.baseName = QDir::toNativeSeparators(recorder.baseName());
        const DeviceReadings s = snapshotReadings(readings, readingsMutex);
        result.box = {QString::fromLatin1(fieldText(s.boxTypeText)),
                      QString::fromLatin1(fieldText(s.versionText)),
                      QString::fromStdString(formatText("%s %s", s.serialTextB, s.serialTextA))};
    }
    link.stopRequest = true;
    comm.wait();
    recorder.clearRecording(); // nothing of it written to the temporary folder
    session.closeWindow();
    box.stop();
    return result;
}

const BoxRecording& boxRecording() {
    static const BoxRecording recording = recordFromTheBox();
    return recording;
}

ReportInfo boxReportInfo() {
    const BoxRecording& r = boxRecording();
    ReportInfo info;
    info.date = QDateTime(QDate(2026, 3, 14), QTime(9, 26));
    // The temporary folder of the recording would change from run to run.
    info.fileName = QStringLiteral("C:\\Recordings\\") + QFileInfo(r.baseName).fileName();
    info.boxType = r.box.boxType;
    info.firmwareVersion = r.box.firmwareVersion;
    info.serialNumber = r.box.serialNumber;
    info.remarks.bearing = QStringLiteral("KAVO 300");
    info.remarks.lines[0] = QStringLiteral("Recorded from the simulated box");
    return info;
}

// The page as the PDF file has it (pdftoppm), else drawn directly.
QImage boxReportPage() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    int refScale = 0;
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (dir.isValid() && !pdftoppm.isEmpty() &&
        writeReportPdf(pdf, boxReportInfo(), boxRecording().samples, refScale) ==
            ReportOutcome::Printed) {
        const QString stem = dir.filePath(QStringLiteral("page"));
        QProcess::execute(pdftoppm,
                          {QStringLiteral("-r"), QStringLiteral("90"), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), pdf, stem});
        QImage page(stem + QStringLiteral(".png"));
        if (!page.isNull()) {
            return page;
        }
    }
    QImage page(744, 1052, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    paintReport(painter, page.rect(), boxReportInfo(), boxRecording().samples, refScale);
    return page;
}

} // namespace

ORVATIX_GALLERY_SHOT(app_evaluation_box_recording) {
    const BoxRecording& r = boxRecording();
    auto* window = new CErgebnisDlg(nullptr, r.samples);
    window->resize(1280, 800);
    window->setWindowTitle(r.title);
    window->setResults(computeMeasurementResults(r.samples));
    return window;
}

ORVATIX_GALLERY_SHOT(app_report_page_box_recording) {
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(boxReportPage()));
    label->setWindowTitle(QStringLiteral("ORVATIX report of a box recording (PDF)"));
    label->setFixedSize(label->pixmap().size());
    return label;
}
