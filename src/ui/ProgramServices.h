#pragma once
// What the program does for its windows and features: the one interface the
// extended display, the teach-in wizard and the data recorder ask through. The
// diagnosis window implements it; the acquisition core is not part of it (the
// application hands the core to whoever needs it).
//
// User-interface thread only.

class QPoint;
class QWidget;

// The diagnosis window's status decoding, as the wizard and the extended
// display read it.
struct StatusDecoding {
    bool offsetSeenYE = false; // the box has reported that sensor's DAC offsets since its reset
    bool offsetSeenWH = false;
    int sensorConnection = -1; // -1 no valid status, 1 sensors not connected, 0 otherwise
    int comPort = 0;           // the COM port being tried or used
};

class ProgramServices {
public:
    virtual ~ProgramServices() = default;

    // The owner of the windows of a feature.
    virtual QWidget* mainWindow() = 0;
    // The main window's context menu, centred on `globalPos`.
    virtual void openContextMenu(const QPoint& globalPos) = 0;

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
