#pragma once
// Rows of the main window table (TextTable::MainWindow): its captions and
// messages; the English text in each comment.

namespace mainwindowrow {
enum Row : int {
    kRepeatTeachInWarning = 0,  // "WARNING:\n\nRepeated Teach-In of KAVO measuring system..."
    kRepeatTeachInQuestion = 1, // "Are you sure you want to restart the teach-in procedure ?"
    kBlank = 2,                 // " "
    kResetInterruptsOutput = 3, // "WARNING: The output signals will be interrupted during reset"
    kNewSensorAborted = 4,    // "New Sensor command aborted.\n\nSystem data has not been modified."
    kNoSerialData = 5,        // "No serial data."
    kPosition = 6,            // "Position"
    kSystemState = 7,         // "System state"
    kResetError = 8,          // "Error during reset!"
    kFlashErased = 9,         // "FLASH erased."
    kDeleting = 10,           // "Deleting... "
    kSaving = 11,             // "Saving..."
    kDone = 12,               // "done."
    kTime = 13,               // "Time"
    kPlugInBothSensors = 14,  // "Please plug in both sensors\nthen press OK."
    kSetup = 15,              // "Setup"
    kExit = 16,               // "Exit"
    kHelp = 17,               // "Help"
    kRecordData = 18,         // "Record Data\ndata evaluation"
    kMeasureNoise = 19,       // "Measure Noise\n(stationary shaft)"
    kRefSignal = 20,          // "Ref. Signal"
    kChannelValue = 21,       // "Channel Value"
    kWait = 22,               // "Wait"
    kAmplitude = 23,          // "Amplitude"
    kSignal = 24,             // "Signal"
    kSensor = 25,             // "Sensor"
    kSpeed = 26,              // "Speed"
    kChannel = 27,            // "Channel"
    kNewSensor = 28,          // "New Sensor"
    kFactor = 29,             // "Factor"
    kSave = 30,               // "Save"
    kDelete = 31,             // "Delete"
    kFixDisplay = 32,         // "Fix Display"
    kDacOffset = 33,          // "DAC-Offset"
    kSettingsNotSaved = 34,   // "The settings cannot be saved in\n%s\n\n%s"
    kNotARegularFile = 35,    // "not a regular file"
    kOpenLogFolder = 36,      // "Open log folder"
    kEventLogNotWritten = 37, // "The event log cannot be written in\n%s\n\n%s\n\nEvents are not..."
    kCount = 38,
};
} // namespace mainwindowrow
