#pragma once
// Rows of the status message table (TextTable::StatusMessages) that the status
// decoding uses; the English text in each comment.

namespace statusrow {
constexpr int kEmpty = 0;
constexpr int kError = 1;               // "Error.  "
constexpr int kNoError = 2;             // "No error.  "
constexpr int kSignalError = 3;         // "Signal error.  "
constexpr int kHighAmplitude = 4;       // "High amplitude.  "
constexpr int kNoOffsetFound = 5;       // "No Offset found.  "
constexpr int kNoSensor = 6;            // "No Sensor present.  "
constexpr int kUnexpectedReference = 7; // "Unexpected reference.  "
constexpr int kSpeedError = 8;          // "Speed error !  "
constexpr int kNoOffsetCalculation = 9; // "No Offset calculation.  "
constexpr int kAdcTimeout = 10;         // "A/D conversion timeout.  "
constexpr int kOutputCalFailed = 11;    // "Output cal. failed.  "
constexpr int kHardwareError = 12;      // "Hardware error.  "
constexpr int kNoReference = 13;        // "No reference found.  "
constexpr int kDoTeachIn = 14;          // "Do teach-in !  "
constexpr int kReady = 15;              // "Ready.  "
constexpr int kWaiting = 16;            // "...  "
constexpr int kBoxReset = 17;           // "Box reset "
constexpr int kNoOffsetSuffix = 18;     // ": No Offset.  "
constexpr int kNoRefSuffix = 19;        // ": No Ref.  "
constexpr int kNoAbsPosSuffix = 20;     // ": No Abs.Pos.  "
constexpr int kRestartTeachIn = 21;     // ": Restart Teach-In !  "
constexpr int kPositionOverrun = 22;    // "Position Overrun.  "
constexpr int kRs232Stopped = 23;       // "RS232 transmission stopped.  "
constexpr int kSensorDistance = 24;     // "Warning: Sensor distance !  "
constexpr int kSensorTooClose = 25;     // "Sensor too close !  "
constexpr int kSensorTooFar = 26;       // "Sensor too far !  "
constexpr int kNotConnected = 27;       // "Sensor not connected ! "
} // namespace statusrow
