#pragma once
// Rows of the signal view's text table (TextTable::SignalView).

namespace signalview_rows {
constexpr int kTitle = 0;
constexpr int kClear = 1;
constexpr int kYellowHead = 2;
constexpr int kWhiteHead = 3;
constexpr int kOffset = 4;
constexpr int kRatio = 5;
constexpr int kPhase = 6;
constexpr int kRadius = 7;
constexpr int kTrend = 8;
constexpr int kNoFit = 9;
constexpr int kClose = 10;
constexpr int kRows = 11;
} // namespace signalview_rows
