#pragma once
// Rows of the channel labels (TextTable::ChannelLabels), the detail prefixes
// of the status line; one list for all languages.

namespace channellabelrow {
enum Row : int {
    kNone = 0,         // ""
    kSignalWhite = 1,  // "SIG.WH: "
    kSensorWhite = 2,  // "SEN.WH: "
    kSpeedWhite = 3,   // "SPD.WH: "
    kSignalYellow = 4, // "SIG.YE: "
    kSensorYellow = 5, // "SEN.YE: "
    kSpeedYellow = 6,  // "SPD.YE: "
    kPicture = 7,      // "Pict.: "
    kCount = 8,
};
} // namespace channellabelrow
