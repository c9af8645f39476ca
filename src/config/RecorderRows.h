#pragma once
// Rows of the data recorder's table (TextTable::Recorder).

namespace recorderrow {
enum Row : int {
    kRefAndAmp = 0,         // "Ref + Amp", the title of the recording file dialog
    kPrint = 1,             // "Print"
    kStopRecording = 2,     // "Stop recording "
    kReportTitle = 3,       // "ORVATIX Measurement report"
    kBearing = 4,           // "Bearing:"
    kDate = 5,              // "Date:"
    kFile = 6,              // "File:"
    kSampleLimit = 7,       // "Recording stopped: the recorder holds at most %d samples..."
    kChooseAnotherName = 8, // "The recording has not been saved ... Choose another file name?..."
    kReplaceQuestion = 9,   // "A recording of this name exists already:\n\n%s\n\nReplace it?"
    kCount = 10,
};
} // namespace recorderrow
