#include "signalview/SignalTrace.h"

#include <algorithm>
#include <cmath>
#include <limits>

SignalTrace::SignalTrace(std::size_t capacity) : ring_(std::max<std::size_t>(capacity, 1)) {}

void SignalTrace::add(SignalPoint p) {
    ring_[next_] = p;
    next_ = (next_ + 1) % ring_.size();
    count_ = std::min(count_ + 1, ring_.size());
}

void SignalTrace::clear() {
    next_ = 0;
    count_ = 0;
}

SignalPoint SignalTrace::at(std::size_t i) const {
    const std::size_t first = (next_ + ring_.size() - count_) % ring_.size();
    return ring_[(first + i) % ring_.size()];
}

std::vector<SignalPoint> SignalTrace::points() const {
    std::vector<SignalPoint> out;
    out.reserve(count_);
    for (std::size_t i = 0; i < count_; ++i) {
        out.push_back(at(i));
    }
    return out;
}

double SignalTrace::smallestRadius() const {
    if (count_ == 0) {
        return 0.0;
    }
    // Compared squared; one root at the end.
    double r2 = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < count_; ++i) {
        const SignalPoint& p = ring_[i];
        r2 = std::min(r2, p.x * p.x + p.y * p.y);
    }
    return std::sqrt(r2);
}

double SignalTrace::largestRadius() const {
    double r2 = 0.0;
    for (std::size_t i = 0; i < count_; ++i) {
        const SignalPoint& p = ring_[i];
        r2 = std::max(r2, p.x * p.x + p.y * p.y);
    }
    return std::sqrt(r2);
}
