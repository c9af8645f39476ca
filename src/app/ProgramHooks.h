#pragma once
// Where the teach-in wizard and the data recorder join the program's flow.
// They are features beside the diagnosis window, not code inside it: each
// subscribes to the AcquisitionCore for its events, asks the box through the
// core's request door, and is called by the main window or the program's flow
// at the few points of the session that belong to it. The application hands
// them the core; the main window offers them ProgramServices.

#include "display/BarUpdate.h"
#include "ui/ProgramServices.h"

#include <functional>
#include <memory>
#include <string>

// One open teach-in wizard, from the start menu's choice until it calls
// ProgramServices::teachInEnded; the program's flow destroys it then.
class TeachInFeature {
public:
    virtual ~TeachInFeature() = default;
    // The position and speed texts changed.
    virtual void positionTexts(const std::string& position, const std::string& speed) = 0;
    // An update of the main window's amplitude bars.
    virtual void barUpdate(const BarUpdate& update) = 0;
};

// Opens the wizard (maximised, on top) when the start menu chose the
// teach-in. Empty, or a null session, keeps the diagnosis window.
using TeachInFactory = std::function<std::unique_ptr<TeachInFeature>(ProgramServices&)>;

// The data recorder's hooks.
class RecorderFlow {
public:
    virtual ~RecorderFlow() = default;
    // The record button was clicked; the button is already toggled. Without
    // a recorder it is released again.
    virtual void recordButtonClicked() = 0;
    // The program ends: open record files are written and closed.
    virtual void closeRecordFiles() = 0;
    // The context menu's "Open ORVATIX Files".
    virtual void openRecordingFile() = 0;
};
