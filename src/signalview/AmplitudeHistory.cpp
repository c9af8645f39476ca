#include "signalview/AmplitudeHistory.h"

#include <algorithm>
#include <cmath>

void AmplitudeHistory::add(const AmplitudeEntry& e) {
    // A clock that went back (a new session) starts the chart afresh.
    if (!entries_.empty() && e.time < entries_.back().time) {
        entries_.clear();
    }
    entries_.push_back(e);
    while (!entries_.empty() &&
           (entries_.front().time < e.time - kSpanSeconds || entries_.size() > kMaxEntries)) {
        entries_.pop_front();
    }
}

std::vector<ColumnRange> AmplitudeHistory::columnRanges(int columns, Head head) const {
    std::vector<ColumnRange> out(static_cast<std::size_t>(std::max(columns, 0)));
    if (columns <= 0) {
        return out;
    }
    const double end = newestTime();
    const double start = end - kSpanSeconds;
    for (const AmplitudeEntry& e : entries_) {
        const double v = head == Head::YE ? e.ye : e.wh;
        if (!std::isfinite(v)) {
            continue;
        }
        int c = static_cast<int>((e.time - start) / kSpanSeconds * columns);
        c = std::clamp(c, 0, columns - 1);
        ColumnRange& r = out[static_cast<std::size_t>(c)];
        if (r.empty) {
            r = {false, v, v};
        } else {
            r.low = std::min(r.low, v);
            r.high = std::max(r.high, v);
        }
    }
    return out;
}
