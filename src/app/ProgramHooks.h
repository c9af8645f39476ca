#pragma once
// Where the teach-in wizard and the data recorder join the program's flow.
// They are features beside the diagnosis window, not code inside it: each
// subscribes to the AcquisitionCore for its events, asks the box through the
// core's request door, and is called by the main window or the program's flow
// at the few points of the session that belong to it. The main window offers
// them MainWindowServices.

#include <functional>
#include <memory>
#include <string>

class AcquisitionCore;
class QWidget;

// The main window's status decoding, as the wizard reads it.
struct StatusDecoding {
    bool offsetSeenYE = false;
    bool offsetSeenWH = false;
    int sensorConnection = -1; // -1 no valid status, 1 sensors not connected, 0 otherwise
    int comPort = 0;           // the COM port being tried or used
};

// What the main window does for a feature. User-interface thread only.
class MainWindowServices {
public:
    virtual ~MainWindowServices() = default;

    virtual AcquisitionCore& deviceCore() = 0;
    // The owner of a feature's windows.
    virtual QWidget* mainWindow() = 0;

    // The whole reset of the readings, the position tracking and the box
    // reset handling (before a reset or erase request, or when asked).
    virtual void resetReadings() = 0;
    // Sets the link flag statusRestart: the status decoding starts over.
    virtual void setStatusRestart() = 0;
    virtual StatusDecoding statusDecoding() const = 0;

    // The noise measurement stops as with its button (a recording starts).
    virtual void stopNoiseMeasurement() = 0;
    // The record button's state and picture (pressed while recording).
    virtual void showRecordButton(bool pressed) = 0;

    // The wizard has closed: back to the start menu (queued, so the wizard
    // may call it from its own handlers).
    virtual void teachInEnded() = 0;
};

// One open teach-in wizard, from the start menu's choice until it calls
// MainWindowServices::teachInEnded; the program's flow destroys it then.
class TeachInFeature {
public:
    virtual ~TeachInFeature() = default;
    // The position and speed texts changed.
    virtual void positionTexts(const std::string& position, const std::string& speed) = 0;
    // A bar draw command of the main window: 'Y' or 'W' with an amplitude,
    // 'R' or 'P' with the sensor whose bar is redrawn.
    virtual void amplitudeUpdate(char command, double value) = 0;
};

// Opens the wizard (maximised, on top) when the start menu chose the
// teach-in. Empty, or a null session, keeps the diagnosis window.
using TeachInFactory = std::function<std::unique_ptr<TeachInFeature>(MainWindowServices&)>;

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
