#include "recorder/AmplitudeEnvelope.h"

#include <algorithm>
#include <cmath>

AmplitudeEnvelope::AmplitudeEnvelope(int left, int right)
    : AmplitudeEnvelope(left, right,
                        kRunsPerColumn * static_cast<std::size_t>(std::max(0, right - left) + 1)) {}

AmplitudeEnvelope::AmplitudeEnvelope(int left, int right, std::size_t runBudget)
    : left_(left), right_(std::max(left, right)), runBudget_(runBudget),
      columns_(static_cast<std::size_t>(right_ - left_ + 1)) {}

// The same arithmetic as the plot's own angle axis, so that a sample lands on
// the column the plot draws it on.
int AmplitudeEnvelope::columnOf(double degrees) const {
    return static_cast<int>(left_ + degrees * (right_ - left_) / 360.0);
}

bool AmplitudeEnvelope::joins(int x1, int x2) const {
    return std::abs(x1 - x2) < 90.0 * (right_ - left_) / 360.0;
}

void AmplitudeEnvelope::widen(int x, double wh, double ye) {
    EnvelopeColumn& c = columns_[static_cast<std::size_t>(x - left_)];
    if (!c.used) {
        c = {true, wh, wh, ye, ye};
        return;
    }
    c.lowWH = std::min(c.lowWH, wh);
    c.highWH = std::max(c.highWH, wh);
    c.lowYE = std::min(c.lowYE, ye);
    c.highYE = std::max(c.highYE, ye);
}

void AmplitudeEnvelope::startRun(std::size_t index, int x, double wh, double ye) {
    if (haveRun_ && joins(current_.x, x)) {
        // The joining line passes every column between the two runs with
        // heights between its ends.
        const int from = std::min(current_.x, x);
        const int to = std::max(current_.x, x);
        for (int column = from; column <= to; ++column) {
            widen(column, current_.lastWH, current_.lastYE);
            widen(column, wh, ye);
        }
    }
    if (keepRuns_ && haveRun_) {
        runs_.back() = current_;
    }
    current_ = {index, index + 1, x, 1, wh, wh, wh, wh, ye, ye, ye, ye};
    haveRun_ = true;
    widen(x, wh, ye);
    if (!keepRuns_) {
        return;
    }
    if (runs_.size() >= runBudget_) {
        keepRuns_ = false;
        std::vector<EnvelopeRun>().swap(runs_);
        return;
    }
    runs_.push_back(current_);
}

void AmplitudeEnvelope::extend(const std::vector<RecordSample>& samples) {
    for (std::size_t i = covered_; i < samples.size(); ++i) {
        const RecordSample& s = samples[i];
        const int x = columnOf(s.position);
        if (x < left_ || x > right_) {
            continue; // off the plot: drawn nowhere and breaks no run
        }
        const double wh = s.amplitudeWH;
        const double ye = s.amplitudeYE;
        if (haveRun_ && x == current_.x) {
            current_.end = i + 1;
            ++current_.count;
            current_.lastWH = wh;
            current_.lowWH = std::min(current_.lowWH, wh);
            current_.highWH = std::max(current_.highWH, wh);
            current_.lastYE = ye;
            current_.lowYE = std::min(current_.lowYE, ye);
            current_.highYE = std::max(current_.highYE, ye);
            widen(x, wh, ye);
            continue;
        }
        startRun(i, x, wh, ye);
    }
    covered_ = samples.size();
    if (keepRuns_ && haveRun_) {
        runs_.back() = current_;
    }
}
