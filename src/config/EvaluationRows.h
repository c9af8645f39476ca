#pragma once
// Rows of the evaluation table (TextTable::Evaluation): the evaluation
// window, the remarks dialog and the report.

namespace evaluationrow {
enum Row : int {
    kInvalidFile = 0,          // "Invalid file format !\n\nFile could not be opened."
    kError = 1,                // "Error"
    kOpenFilesTitle = 2,       // "Open ORVATIX Files"
    kOpenError = 3,            // "Error while opening file !"
    kOpenFile = 4,             // "Open File"
    kExit = 5,                 // "Exit"
    kShowLastFiles = 6,        // "Show last files"
    kCloseWindow = 7,          // "Close window"
    kPrint = 8,                // "Print"
    kClear = 9,                // "Clear"
    kAmplitude = 10,           // "Amplitude"
    kReferenceMarks = 11,      // "Reference marks"
    kMeasurementReport = 12,   // "Measurement report"
    kMeasurementResults = 13,  // "Measurement results"
    kBearing = 14,             // "Bearing:"
    kDate = 15,                // "Date:"
    kFile = 16,                // "File:"
    kEnterRemarks = 17,        // "Enter remarks (optional)"
    kRemarks = 18,             // "Remarks: "
    kYellowSensor = 19,        // "Yellow sensor YE"
    kWhiteSensor = 20,         // "White sensor WH"
    kMinimum = 21,             // "min."
    kMaximum = 22,             // "max."
    kMean = 23,                // "mean"
    kAt = 24,                  // "at"
    kReferenceMarksCount = 25, // "Reference marks:"
    kWithinBand = 26,          // "OK (30..90 %)"
    kOutsideBand = 27,         // "not OK (outside 30..90 %)"
    kNoPositionSamples = 28,   // "No position samples recorded."
    kBoxType = 29,             // "Box type:"
    kFirmware = 30,            // "Firmware:"
    kSerialNumber = 31,        // "Serial number:"
    kSaveAsPdf = 32,           // "Save as PDF"
    kPdfFilter = 33,           // "PDF files (*.pdf)"
    kClearQuestion = 34,       // "Clear the recording?\n\nIts %d samples have not been saved..."
    kTooManySamples = 35, // "This file holds more than the %d samples that a recording can have..."
    kCount = 36,
};
} // namespace evaluationrow
