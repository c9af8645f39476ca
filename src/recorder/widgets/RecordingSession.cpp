#include "recorder/widgets/RecordingSession.h"

#include "config/ConfigData.h"
#include "config/EvaluationRows.h"
#include "config/StatusMessageRows.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "display/TextFormat.h"
#include "recorder/MeasurementResults.h"
#include "recorder/RecentFiles.h"
#include "recorder/RecordFileCollision.h"
#include "recorder/RecordFileReader.h"
#include "recorder/widgets/CErgebnisDlg.h"
#include "recorder/widgets/MeasurementReport.h"
#include "recorder/widgets/RecordingDialogs.h"
#include "ui/UiText.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <utility>

namespace {

namespace rows = evaluationrow;

RecorderMessage evaluationError(int row) {
    return {RecorderMessage::Icon::Error, text(TextTable::Evaluation, rows::kError),
            text(TextTable::Evaluation, row)};
}

RecorderMessage printerInfoMissing() {
    return {RecorderMessage::Icon::Error, "Error", "Printer information missing."};
}

QString qs(const std::string& s) {
    return QString::fromUtf8(s);
}

} // namespace

RecordingSession::RecordingSession(RecordingSessionRecords records, RecordingSessionHooks hooks,
                                   QWidget* owner, std::unique_ptr<RecordingDialogs> dialogs)
    : QObject(owner), records_(records), hooks_(std::move(hooks)), owner_(owner),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtRecordingDialogs>()) {
    // Saving adds to the list: what the file holds must not be overwritten.
    records_.recentFiles.load();
}

RecordingSession::~RecordingSession() {
    delete window_.data();
}

std::int64_t RecordingSession::now() const {
    if (hooks_.clockMs) {
        return hooks_.clockMs();
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void RecordingSession::setRecording(bool active) {
    if (hooks_.setRecordButton) {
        hooks_.setRecordButton(active);
    }
    if (active != reportedActive_) {
        reportedActive_ = active;
        if (hooks_.recordingActiveChanged) {
            hooks_.recordingActiveChanged(active);
        }
    }
}

// ---------------------------------------------------------------------------
// Start and stop

void RecordingSession::toggleRecording() {
    DataRecorder& recorder = records_.recorder;
    const ToggleDecision decision =
        recorder.toggleRecording(records_.link.noData, records_.link.boxStarting);
    switch (decision.action) {
    case ToggleAction::ReleaseButton:
        if (hooks_.setRecordButton) {
            hooks_.setRecordButton(recorder.state() == DataRecorder::State::Recording);
        }
        return;
    case ToggleAction::Stopped:
        stopped();
        return;
    case ToggleAction::SaveFirst:
        // The samples of the last recording are not on disk yet: they are
        // saved (or given up) first, and the user starts again.
        if (hooks_.setRecordButton) {
            hooks_.setRecordButton(false);
        }
        closeWindow();
        return;
    case ToggleAction::AskForFileName:
        break;
    }

    const QString path = chooseRecordingName(owner_, decision.dialog);
    if (path.isEmpty()) {
        recorder.startCancelled();
        setRecording(false);
        return;
    }
    const StartResult start = recorder.startRecording(path);
    if (!start.started) {
        if (!start.message.text.empty()) {
            dialogs_->message(owner_, start.message);
        }
        setRecording(false);
        return;
    }
    if (hooks_.stopNoiseMeasurement) {
        hooks_.stopNoiseMeasurement();
    }
    comparison_.clear();
    openWindow();
    window_->clearResults();
    window_->setComparison(nullptr);
    window_->setWindowTitle(qs(recorder.title()));
    window_->redrawAll();
    window_->present();
    setRecording(true);
}

QString RecordingSession::chooseRecordingName(QWidget* parent, FileDialogRequest dialog) {
    for (;;) {
        const QString path =
            dialogs_->recordingName(parent, qs(dialog.title), dialog.proposedName, dialog.filter);
        if (path.isEmpty()) {
            return {};
        }
        const QStringList taken = recordFilesInTheWay(path);
        if (taken.isEmpty() || dialogs_->question(parent, replaceRecordingQuestion(taken))) {
            return path;
        }
        // Not replaced: the name again, to change it.
        dialog.proposedName = path;
    }
}

void RecordingSession::stopped() {
    setRecording(false);
    if (window_) {
        window_->setResults(computeMeasurementResults(records_.recorder.samples()));
    }
}

void RecordingSession::openWindow() {
    if (window_) {
        return;
    }
    window_ = new CErgebnisDlg(owner_, records_.recorder.samples());
    connect(window_, &CErgebnisDlg::closeRequested, this, &RecordingSession::closeWindow);
    connect(window_, &CErgebnisDlg::clearRequested, this, &RecordingSession::clearPressed);
    connect(window_, &CErgebnisDlg::openFileRequested, this, &RecordingSession::openRecordingFile);
    window_->mayClear = [this] { return mayClear(); };
    // Print and Save as PDF ask their questions through the session's dialogs.
    const struct {
        int id;
        void (CErgebnisDlg::*windowSlot)();
        void (RecordingSession::*sessionSlot)();
    } reports[] = {{CErgebnisDlg::kPrint, &CErgebnisDlg::print, &RecordingSession::printReport},
                   {CErgebnisDlg::kSavePdf, &CErgebnisDlg::saveReportAsPdf,
                    &RecordingSession::saveReportAsPdf}};
    for (const auto& r : reports) {
        auto* button = window_->findChild<QPushButton*>(QString::number(r.id));
        if (button != nullptr) {
            disconnect(button, &QPushButton::clicked, window_, r.windowSlot);
            connect(button, &QPushButton::clicked, this, r.sessionSlot);
        }
    }
    window_->present();
}

// ---------------------------------------------------------------------------
// Samples

void RecordingSession::positionEvent(const RecordEvent& event) {
    addSample(event, SampleKind::Position);
}

void RecordingSession::referenceEvent(const RecordEvent& event) {
    addSample(event, SampleKind::Reference);
}

void RecordingSession::portLost() {
    if (!window_ || records_.recorder.state() != DataRecorder::State::Recording) {
        return;
    }
    window_->setWindowTitle(qs(records_.recorder.title() + "  -  " +
                               text(TextTable::StatusMessages, statusrow::kPortLostRecording)));
}

void RecordingSession::addSample(const RecordEvent& event, SampleKind kind) {
    if (!window_) {
        return; // samples are taken only while the evaluation window is open
    }
    DeviceReadings copy;
    event.copyTo(copy);
    const SampleContext context{copy, records_.config.pulseRate, records_.link.noData, now()};
    DataRecorder& recorder = records_.recorder;
    switch (recorder.addRecordSample(event.counts, event.amplitudeWH, event.amplitudeYE, kind,
                                     context)) {
    case AddOutcome::Added:
        window_->setWindowTitle(qs(recorder.title()));
        window_->addSample();
        break;
    case AddOutcome::OutOfMemory:
        showLater(DataRecorder::outOfMemoryMessage());
        break;
    case AddOutcome::LimitReached:
        stopped();
        showLater(recorder.limitMessage());
        break;
    case AddOutcome::NotRecorded:
    case AddOutcome::Filtered:
        break;
    }
}

void RecordingSession::showLater(const RecorderMessage& message) {
    // Called inside a device-event handler: a modal box there would hold the
    // reader thread for as long as it is open.
    if (messagePending_) {
        return;
    }
    messagePending_ = true;
    QTimer::singleShot(0, this, [this, message] {
        dialogs_->message(window_ ? static_cast<QWidget*>(window_) : owner_, message);
        messagePending_ = false;
    });
}

// ---------------------------------------------------------------------------
// Closing, saving, clearing

SaveResult RecordingSession::writeFiles(const std::function<SaveResult()>& write) {
    const QString ownerTitle = owner_ != nullptr ? owner_->windowTitle() : QString();
    if (owner_ != nullptr) {
        owner_->setWindowTitle(QString::fromUtf8(kSavingTitle));
    }
    SaveResult result = write();
    if (owner_ != nullptr) {
        owner_->setWindowTitle(ownerTitle);
    }
    return result;
}

bool RecordingSession::saveWithDialogs(SaveResult result) {
    DataRecorder& recorder = records_.recorder;
    while (!result.saved) {
        // Which file, why, and whether to try another name; No gives the
        // samples up.
        if (!dialogs_->question(window_ ? static_cast<QWidget*>(window_) : owner_,
                                result.message)) {
            recorder.discardRecording();
            return true;
        }
        const QString path =
            chooseRecordingName(window_ ? static_cast<QWidget*>(window_) : owner_, result.dialog);
        if (path.isEmpty()) {
            return false; // kept: the next close tries again
        }
        result = writeFiles([&] { return recorder.saveRecordingAs(path); });
    }
    if (!result.openPath.isEmpty()) {
        records_.recentFiles.add(result.openPath);
        if (hooks_.recordingSaved) {
            hooks_.recordingSaved(result.ampPath, result.refPath);
        }
    }
    return true;
}

void RecordingSession::closeWindow() {
    DataRecorder& recorder = records_.recorder;
    const bool wasRecording = recorder.state() == DataRecorder::State::Recording;
    const SaveResult result = writeFiles([&] { return recorder.saveRecording(); });
    if (wasRecording) {
        setRecording(false);
    }
    if (!saveWithDialogs(result)) {
        if (window_) {
            window_->setResults(computeMeasurementResults(recorder.samples()));
        }
        return;
    }
    if (window_) {
        CErgebnisDlg* window = window_;
        window_ = nullptr;
        window->hide();
        // Closing may come from the window's own close event.
        window->deleteLater();
    }
    comparison_.clear();
}

bool RecordingSession::mayClear() {
    const DataRecorder& recorder = records_.recorder;
    if (!recorder.hasUnsavedSamples()) {
        return true; // nothing that is not on disk
    }
    RecorderMessage question;
    question.icon = RecorderMessage::Icon::Information;
    question.caption = "Data recorder:";
    question.text = formatText(text(TextTable::Evaluation, rows::kClearQuestion),
                               static_cast<int>(recorder.samples().size()));
    question.defaultYes = false;
    return dialogs_->question(window_ ? static_cast<QWidget*>(window_) : owner_, question);
}

void RecordingSession::clearPressed() {
    records_.recorder.clearRecording();
}

// ---------------------------------------------------------------------------
// Opening a saved recording

void RecordingSession::openRecordingFile() {
    QWidget* parent = window_ ? static_cast<QWidget*>(window_) : owner_;
    RecentFiles& recent = records_.recentFiles;
    recent.load();
    const QString path = dialogs_->recordingToOpen(parent, recent.entries());
    if (path.isEmpty()) {
        return;
    }
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        dialogs_->message(parent, evaluationError(rows::kOpenError));
        return;
    }
    DataRecorder& recorder = records_.recorder;
    LoadedRecording loaded = loadRecording(path, recorder.sampleLimit());
    if (!loaded.ok) {
        RecorderMessage why = evaluationError(rows::kInvalidFile);
        if (loaded.tooManySamples) {
            why.text = formatText(text(TextTable::Evaluation, rows::kTooManySamples),
                                  static_cast<int>(recorder.sampleLimit()));
        }
        dialogs_->message(parent, why);
        return;
    }
    recent.add(path);
    if (recorder.state() == DataRecorder::State::Recording || recorder.hasUnsavedSamples()) {
        // The samples on screen are not on disk yet: the file is laid under
        // them to compare with.
        openWindow();
        comparison_ = std::move(loaded.samples);
        window_->setComparison(&comparison_);
        return;
    }
    if (window_) {
        window_->setComparison(nullptr);
    }
    comparison_.clear();
    if (!recorder.showRecording(std::move(loaded))) {
        return;
    }
    openWindow();
    window_->setWindowTitle(qs(recorder.title()));
    window_->setResults(computeMeasurementResults(recorder.samples()));
    window_->redrawAll();
}

// ---------------------------------------------------------------------------
// The report

void RecordingSession::fillReportSource() {
    const BoxIdentityTexts box = hooks_.boxIdentity ? hooks_.boxIdentity() : BoxIdentityTexts{};
    window_->setReportSource(QDir::toNativeSeparators(records_.recorder.baseName()), box.boxType,
                             box.firmwareVersion, box.serialNumber);
}

void RecordingSession::printReport() {
    if (!window_) {
        return;
    }
    fillReportSource();
    ReportInfo& info = window_->reportInfo();
    if (!dialogs_->editRemarks(window_, remarks_) || !window_) {
        return;
    }
    info.remarks = remarks_;
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(1);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(reportDocumentName());
    if (!dialogs_->choosePrinter(window_, printer) || !window_) {
        return;
    }
    info.date = QDateTime::currentDateTime();
    int refScale = window_->refScale();
    switch (::printReport(printer, info, records_.recorder.samples(), refScale)) {
    case ReportOutcome::PrinterInfoMissing:
        dialogs_->message(window_, printerInfoMissing());
        break;
    case ReportOutcome::NotStarted:
        dialogs_->message(window_, evaluationError(rows::kOpenError));
        break;
    case ReportOutcome::Printed:
        break;
    }
    window_->redrawAll();
}

void RecordingSession::saveReportAsPdf() {
    if (!window_) {
        return;
    }
    fillReportSource();
    ReportInfo& info = window_->reportInfo();
    if (!dialogs_->editRemarks(window_, remarks_) || !window_) {
        return;
    }
    info.remarks = remarks_;
    const QString path =
        dialogs_->saveFileName(window_, uiText(TextTable::Evaluation, rows::kSaveAsPdf),
                               reportDocumentName() + QStringLiteral(".pdf"),
                               uiText(TextTable::Evaluation, rows::kPdfFilter));
    if (path.isEmpty() || !window_) {
        return;
    }
    info.date = QDateTime::currentDateTime();
    int refScale = window_->refScale();
    switch (writeReportPdf(path, info, records_.recorder.samples(), refScale)) {
    case ReportOutcome::PrinterInfoMissing:
        dialogs_->message(window_, printerInfoMissing());
        break;
    case ReportOutcome::NotStarted:
        // The file could not be written (folder missing, no permission).
        dialogs_->message(window_, evaluationError(rows::kOpenError));
        break;
    case ReportOutcome::Printed:
        break;
    }
    window_->redrawAll();
}
