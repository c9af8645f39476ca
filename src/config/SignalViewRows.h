#pragma once
// Rows of the signal view's table (TextTable::SignalView).

namespace signalviewrow {
enum Row : int {
    kTitle = 0,      // "Signal view"
    kClear = 1,      // "Clear"
    kYellowHead = 2, // "Yellow sensor (YE)"
    kWhiteHead = 3,  // "White sensor (WH)"
    kOffset = 4,     // "Offset A / B"
    kRatio = 5,      // "Ratio B/A"
    kPhase = 6,      // "Phase error"
    kRadius = 7,     // "Radius min / max"
    kTrend = 8,      // "Amplitude over the last 60 s"
    kNoFit = 9,      // "Turn the shaft: too few points for a fit"
    kClose = 10,     // "Close"
    kCount = 11,
};
} // namespace signalviewrow
