#pragma once
// The program's sequence: the setup dialog at the first start, the start
// menu, the diagnosis window or the teach-in wizard, back to the start menu
// on every close request and at the end of the wizard, and the end with the
// one save of the settings.
//
//   run() -> startSession(first) -> setup -> start menu -> diagnosis (or the
//   wizard) -> close request -> start menu again -> ... cancelled start menu
//   -> the reader thread stops -> LinkEnded -> finishClosing (settings saved
//   once) -> run() returns.
//
// The diagnosis window draws and forwards; this class decides. User-interface
// thread only.

#include "app/ProgramHooks.h"

#include <QObject>

#include <functional>
#include <memory>

class AcquisitionCore;
class CORVATIXDlg;
struct LinkControl;

class ProgramFlow : public QObject {
    Q_OBJECT
public:
    // The flow answers the window's close requests, its LinkEnded and the
    // end of the wizard from here on; it starts and ends `core`'s link.
    ProgramFlow(CORVATIXDlg& window, AcquisitionCore& core);
    ~ProgramFlow() override;

    // The first session start, then the window's loop until finishClosing.
    // Returns the window's result.
    int run();

    // What the first start does to read the configuration file, once, before
    // the first setup dialog (loadConfig into the process-wide records by
    // default), and what finishClosing does to save it (saveSettings by
    // default); tests count the calls.
    void setConfigurationLoader(std::function<void()> loader) {
        loadConfiguration_ = std::move(loader);
    }
    void setConfigurationSaver(std::function<void()> saver) {
        saveConfiguration_ = std::move(saver);
    }
    // Opens the wizard when the start menu chooses the teach-in; empty keeps
    // the diagnosis window in its place. It must outlive the session.
    void setTeachInFactory(TeachInFactory factory) { teachInFactory_ = std::move(factory); }
    // The wizard's "warn outside the optimum range" flag: the wizard clears
    // it when the user declines the warning, each start menu sets it again.
    bool& warnOptimum() { return warnOptimum_; }

    // The end asked for from outside (a termination signal): open dialogs
    // close as with Cancel, then the program ends as when the start menu is
    // cancelled, with the settings saved.
    void endOnRequest();

    // From the window: Exit, Escape or the close box (back to the start menu
    // unless the program is ending); the reader thread has ended; the wizard
    // has closed (queued: it may call from its own handlers).
    void closeRequested();
    void linkEnded();
    void teachInEnded();

    bool closing() const { return closing_; }
    bool finished() const { return finished_; }
    bool teachInOpen() const { return teachIn_ != nullptr; }

private:
    void startSession(bool firstStart);
    void finishClosing();
    void onTeachInEnded();
    // Asks the reader thread to stop; linkDone once it has ended (or never ran).
    void stopLink();
    bool linkDone() const;

    CORVATIXDlg& window_;
    AcquisitionCore& core_;
    LinkControl& link_;
    TeachInFactory teachInFactory_;
    std::unique_ptr<TeachInFeature> teachIn_;
    std::function<void()> loadConfiguration_;
    std::function<void()> saveConfiguration_;
    bool closing_ = false;
    bool finished_ = false;
    bool sessionRestartQueued_ = false;
    bool warnOptimum_ = true;
    int endAttempts_ = 0;
};
