#pragma once
// One run of the teach-in wizard: the step logic and its window working
// together. Every 250 ms the session reads the inputs through its hooks, runs
// a tick of the logic, shows the picture and carries out the actions in order:
// box requests, statusRestart and the reset of the readings through the hooks,
// beeps, messages (modal message boxes owned by the wizard window; the repeat
// warning as the program's own non-blocking CMessagebox2), and at the end
// finished(result) once the result message was confirmed.
//
// The owner (the main window, or the acquisition core) fills the hooks,
// forwards its amplitude bar updates and position texts while the session
// exists, and destroys the session after finished():
//
//     TeachInHooks hooks;
//     hooks.readInputs = [&] { return wizardInputs(snapshot, link, ...); };
//     hooks.placeRequest = [&](BoxRequest r) { core.requests().submit(r); };
//     hooks.setStatusRestart = [&] { link.statusRestart = true; };
//     hooks.resetReadings = [&] { resetReadings(); };
//     auto* session = new TeachInSession(std::move(hooks), flow.warnOptimum(), owner);
//     connect(session, &TeachInSession::finished, owner, ...);
//     session->show();
//     session->amplitudeUpdate('Y', amplitudeYE);   // every drawAmplitude call
//     session->positionTexts(position, speed);      // every new position text
//
// User-interface thread only. None of its calls waits for the reader thread,
// so they may run inside a device-event handler.

#include "teachin/TeachInWizard.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CMessagebox2;
class CTeachInDlg;
class QMessageBox;
class QWidget;

struct TeachInHooks {
    // The readings, link flags and status decoding of the moment.
    std::function<WizardInputs()> readInputs;
    // Leaves a one-shot request for the command scheduler.
    std::function<void(BoxRequest)> placeRequest;
    std::function<void()> setStatusRestart;
    // The main window's resetReadings.
    std::function<void()> resetReadings;
};

class TeachInSession : public QObject {
    Q_OBJECT
public:
    // warnOptimum: the flow's flag (tests pass their own). The
    // window is created here, without a parent: a maximised window of its own.
    TeachInSession(TeachInHooks hooks, bool& warnOptimum, QObject* parent = nullptr);
    ~TeachInSession() override;

    // Shows the window maximised and on top and starts the ticks.
    void show();

    // The main window's bar updates: 'Y' or 'W' with an amplitude, 'R' or 'P'
    // with 'Y' or 'W' to redraw a bar with its stored value.
    void amplitudeUpdate(char command, double value);
    // The main window's position and speed texts as it shows them.
    void positionTexts(const std::string& position, const std::string& speed);

    CTeachInDlg* window() const { return window_; }
    const TeachInWizard& wizard() const { return wizard_; }

    // The message open now, and every message shown so far, in order.
    std::optional<WizardMessage> openMessage() const { return open_; }
    const std::vector<WizardMessageKind>& messagesShown() const { return shown_; }
    // Answers the open message as its buttons would (accepted: OK or Yes).
    // False when none is open.
    bool answerMessage(bool accepted);

signals:
    // The result message was confirmed. Queued: the owner may destroy the
    // session in its slot.
    void finished(WizardResult result);

private:
    void tick();
    void next();
    void back();
    void cancel();
    void help();
    void apply(WizardUpdate update);
    void redrawBar(Head head);
    void showPicture(const WizardRedraw& redraw);
    void showMessage(const WizardMessage& message);
    void messageAnswered(bool accepted);
    void closeMessage();
    void raiseMessage();

    TeachInHooks hooks_;
    TeachInWizard wizard_;
    QPointer<CTeachInDlg> window_;
    WizardInputs inputs_;
    // The latest amplitudes for the shim advice; -1 while none arrived.
    double latestYE_ = -1.0;
    double latestWH_ = -1.0;
    bool ended_ = false;

    std::optional<WizardMessage> open_;
    QPointer<QMessageBox> messageBox_;
    QPointer<CMessagebox2> warning_;
    std::vector<WizardMessageKind> shown_;
};
