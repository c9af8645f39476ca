#include "app/ProgramFlow.h"

#include "app/CORVATIXDlg.h"
#include "teachin/WarnOptimum.h"
#include "ui/SettingsSaveNotice.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

ProgramFlow::ProgramFlow(CORVATIXDlg& window)
    : window_(window), saveConfiguration_([] { saveSettings(); }) {
    window_.setFlow(this);
}

ProgramFlow::~ProgramFlow() {
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
    window_.hideForStartMenu();

    if (firstStart) {
        window_.setStartUpValues();
        if (!window_.sessionDialogs().runSetup(&window_)) {
            closing_ = true;
            finishClosing();
            return;
        }
    }

    // Each start menu asks the optimum-range question of the wizard again.
    rearmWarnOptimum();
    const int choice = window_.sessionDialogs().runStartMenu(&window_);
    if (choice == SessionDialogs::kTeachIn || choice == SessionDialogs::kDiagnosis) {
        closing_ = false;
        window_.beginSession(choice, firstStart);
        // Without a wizard the diagnosis window serves.
        if (choice == SessionDialogs::kTeachIn && teachInFactory_)
            teachIn_ = teachInFactory_(window_);
        if (teachIn_ != nullptr) {
            window_.setTeachIn(teachIn_.get());
            window_.hide();
        }
        window_.resumeNotifications();
        return;
    }

    closing_ = true;
    // With a reader thread the end follows its LinkEnded; it must not be left
    // running behind a window that is gone.
    window_.stopLink();
    if (window_.linkDone())
        finishClosing();
}

void ProgramFlow::finishClosing() {
    // One save on every way out: setup cancelled, start menu cancelled (now
    // or after LinkEnded), a termination request.
    if (finished_)
        return;
    finished_ = true;
    closing_ = true;
    window_.showClosing();
    saveConfiguration_();
    window_.showClosed();
    window_.closeRecordFiles();
    window_.endWindow();
}

void ProgramFlow::endOnRequest() {
    if (finished_)
        return;
    closing_ = true;
    window_.stopLink();
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
    if (window_.linkDone())
        finishClosing();
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
