#include "app/ProgramFlow.h"

#include "acquisition/AcquisitionCore.h"
#include "app/CORVATIXDlg.h"
#include "app/TerminationSignals.h"
#include "config/ConfigFile.h"
#include "config/MainWindowRows.h"
#include "config/Texts.h"
#include "device/LinkControl.h"
#include "ui/SettingsSaveNotice.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

ProgramFlow::ProgramFlow(CORVATIXDlg& window, AcquisitionCore& core)
    : window_(window), core_(core), link_(core_.records().link),
      loadConfiguration_([] { loadConfig(); }),
      // A failure at the end is shown before the program ends; after a
      // termination signal nobody waits for an answer (stderr and the log).
      saveConfiguration_([] { saveSettings(nullptr, !terminationRequested()); }) {
    window_.setFlow(this);
}

ProgramFlow::~ProgramFlow() {
    // The wizard goes with the flow; the window must not draw into it after.
    window_.setTeachIn(nullptr);
    window_.setFlow(nullptr);
}

int ProgramFlow::run() {
    startSession(true);
    if (!finished_) {
        QEventLoop loop;
        connect(&window_, &QDialog::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::DialogExec);
    }
    return window_.result();
}

void ProgramFlow::startSession(bool firstStart) {
    sessionRestartQueued_ = false;
    window_.hideCentred();
    // The parser keeps the readings current, but no window hears of them
    // while the setup dialog or the start menu shows.
    link_.notificationsSuppressed = true;

    if (firstStart) {
        core_.applyStartUpValues();
        // The settings of the last run, over the start-up values.
        loadConfiguration_();
        core_.sensors().clearOffsetsSeen();
        if (!window_.sessionDialogs().runSetup(&window_)) {
            closing_ = true;
            finishClosing();
            return;
        }
    }

    // Each start menu asks the optimum-range question of the wizard again.
    warnOptimum_ = true;
    const int choice = window_.sessionDialogs().runStartMenu(&window_);
    if (choice == SessionDialogs::kTeachIn || choice == SessionDialogs::kDiagnosis) {
        closing_ = false;
        window_.setTeachInMode(choice == SessionDialogs::kTeachIn);
        window_.refresh();
        core_.resetReadings();
        // The not-connected state, and the interface search starts.
        window_.events().noSerialData();
        if (!window_.events().position().refBlink())
            window_.events().position().toggleRefBlink();
        if (firstStart) {
            core_.startLinkThread();
            core_.startTimers();
        }
        window_.show();
        // Without a wizard the diagnosis window serves.
        if (choice == SessionDialogs::kTeachIn && teachInFactory_) {
            teachIn_ = teachInFactory_(window_);
            window_.setTeachIn(teachIn_.get());
            if (teachIn_ != nullptr)
                window_.hide();
        }
        link_.notificationsSuppressed = false;
        return;
    }

    closing_ = true;
    // With a reader thread the end follows its LinkEnded; it must not be left
    // running behind a window that is gone.
    stopLink();
    if (linkDone())
        finishClosing();
}

void ProgramFlow::finishClosing() {
    // One save on every way out: setup cancelled, start menu cancelled (now
    // or after LinkEnded), a termination request.
    if (finished_)
        return;
    finished_ = true;
    closing_ = true;
    link_.recordingActive = false;
    core_.stopTimers();
    window_.clearMarkerField();
    window_.events().position().clearMarkerField();
    window_.showState(text(TextTable::MainWindow, mainwindowrow::kSaving), "");
    saveConfiguration_();
    window_.showState(text(TextTable::MainWindow, mainwindowrow::kDone), "");
    window_.closeRecordFiles();
    core_.joinLinkThread();
    window_.endWindow();
}

void ProgramFlow::endOnRequest() {
    if (finished_)
        return;
    closing_ = true;
    stopLink();
    // A dialog with a loop of its own (setup, start menu, a message) closes
    // first, as with Cancel; the code that opened it goes on from there.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != &window_ && endAttempts_++ < 100) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        QTimer::singleShot(0, this, &ProgramFlow::endOnRequest);
        return;
    }
    // With a reader thread the end follows its LinkEnded.
    if (linkDone())
        finishClosing();
}

void ProgramFlow::stopLink() {
    core_.stopLink();
    core_.stopStartTimer();
}

bool ProgramFlow::linkDone() const {
    return core_.linkEnded() || link_.threadEnded.load();
}

void ProgramFlow::closeRequested() {
    if (closing_ || sessionRestartQueued_)
        return;
    sessionRestartQueued_ = true;
    // Not from inside the close event: the start menu runs a loop of its own.
    QTimer::singleShot(0, this, [this] {
        if (!closing_)
            startSession(false);
        sessionRestartQueued_ = false;
    });
}

void ProgramFlow::linkEnded() {
    finishClosing();
}

void ProgramFlow::teachInEnded() {
    // Not from inside the wizard's own handlers: the start menu runs a loop
    // of its own.
    QTimer::singleShot(0, this, &ProgramFlow::onTeachInEnded);
}

void ProgramFlow::onTeachInEnded() {
    if (teachIn_ == nullptr)
        return;
    window_.setTeachIn(nullptr);
    teachIn_.reset();
    startSession(false);
}
