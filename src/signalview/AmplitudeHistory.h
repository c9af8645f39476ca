#pragma once
// Both heads' amplitudes over the last minute, for the strip chart under the
// figures. Samples older than the span go; the count is bounded as well, so a
// clock that stands still cannot grow it.

#include "device/Head.h"

#include <cstddef>
#include <deque>
#include <vector>

struct AmplitudeEntry {
    double time = 0.0; // seconds, any origin, not decreasing
    double ye = 0.0;   // percent
    double wh = 0.0;
};

// The lowest and highest value of one head that fall into one pixel column.
struct ColumnRange {
    bool empty = true;
    double low = 0.0;
    double high = 0.0;
};

class AmplitudeHistory {
public:
    static constexpr double kSpanSeconds = 60.0;
    static constexpr std::size_t kMaxEntries = 20000;

    void add(const AmplitudeEntry& e);
    void clear() { entries_.clear(); }

    const std::deque<AmplitudeEntry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    // Time of the newest entry (the right edge of the chart); 0 when empty.
    double newestTime() const { return entries_.empty() ? 0.0 : entries_.back().time; }

    // Per column of a chart `columns` wide showing the span up to the newest
    // entry, the range of the head's amplitude; the cost
    // grows with the entries, the drawing with the width only.
    std::vector<ColumnRange> columnRanges(int columns, Head head) const;

private:
    std::deque<AmplitudeEntry> entries_;
};
