#pragma once
// The last points of one head, oldest first, in a ring of fixed size: the
// figure the signal view draws and fits. Bounded, so a box that runs for days
// costs no more memory than one that ran for a minute.

#include "signalview/SignalAmplitude.h"

#include <cstddef>
#include <vector>

class SignalTrace {
public:
    explicit SignalTrace(std::size_t capacity);

    // Appends a point; the oldest goes when the ring is full.
    void add(SignalPoint p);
    void clear();

    std::size_t size() const { return count_; }
    std::size_t capacity() const { return ring_.size(); }
    bool empty() const { return count_ == 0; }
    // Point i, 0 the oldest kept.
    SignalPoint at(std::size_t i) const;
    SignalPoint newest() const { return at(count_ - 1); }
    // The kept points, oldest first.
    std::vector<SignalPoint> points() const;
    // Calls f(i, point) for each kept point, oldest first, without copying.
    template <typename F> void forEach(F&& f) const {
        const std::size_t first = (next_ + ring_.size() - count_) % ring_.size();
        std::size_t at = first;
        for (std::size_t i = 0; i < count_; ++i) {
            f(i, ring_[at]);
            if (++at == ring_.size()) {
                at = 0;
            }
        }
    }

    // Smallest and largest distance from the origin (the amplitude in
    // percent) over the kept points; 0 when empty.
    double smallestRadius() const;
    double largestRadius() const;

private:
    std::vector<SignalPoint> ring_;
    std::size_t next_ = 0;
    std::size_t count_ = 0;
};
