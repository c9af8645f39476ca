#pragma once
// Rows of the setup dialog's table (TextTable::Setup).

namespace setuprow {
enum Row : int {
    kTitle = 0,           // "ORVATIX Setup"
    kPulseRate = 1,       // "Pulse rate (lines)"
    kOk = 2,              // "OK"
    kYes = 3,             // "Yes"
    kNo = 4,              // "No"
    kCancel = 5,          // "Cancel"
    kBearingType = 6,     // "Bearing type"
    kPositionDisplay = 7, // "Position display"
    kSerialPort = 8,      // "PC serial port"
    kLanguage = 9,        // "Language"
    kDegrees = 10,        // "Degrees"
    kDegMinSec = 11,      // "Deg/Min/Sec"
    kDegMinSecHigh = 12,  // "D/M/S High"
    kMicron = 13,         // "Micron"
    kCount = 14,
    kFirstFormat = kDegrees, // the display formats follow in the order of displayFormat
};
} // namespace setuprow
