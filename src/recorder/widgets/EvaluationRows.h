#pragma once
// Rows of the evaluation text table (TextTable::Evaluation) that the
// evaluation window, the remarks dialog and the report use.

namespace evaluation_rows {
constexpr int kInvalidFile = 0;
constexpr int kError = 1;
constexpr int kOpenFilesTitle = 2;
constexpr int kOpenError = 3;
constexpr int kOpenFile = 4;
constexpr int kExit = 5;
constexpr int kShowLastFiles = 6;
constexpr int kCloseWindow = 7;
constexpr int kPrint = 8;
constexpr int kClear = 9;
constexpr int kAmplitude = 10;
constexpr int kReferenceMarks = 11;
constexpr int kMeasurementReport = 12;
constexpr int kMeasurementResults = 13;
constexpr int kBearing = 14;
constexpr int kDate = 15;
constexpr int kFile = 16;
constexpr int kEnterRemarks = 17;
constexpr int kRemarks = 18;
constexpr int kYellowSensor = 19;
constexpr int kWhiteSensor = 20;
constexpr int kMinimum = 21;
constexpr int kMaximum = 22;
constexpr int kMean = 23;
constexpr int kAt = 24;
constexpr int kReferenceMarksCount = 25;
constexpr int kWithinBand = 26;
constexpr int kOutsideBand = 27;
constexpr int kNoPositionSamples = 28;
constexpr int kBoxType = 29;
constexpr int kFirmware = 30;
constexpr int kSerialNumber = 31;
constexpr int kSaveAsPdf = 32;
constexpr int kPdfFilter = 33;
} // namespace evaluation_rows
