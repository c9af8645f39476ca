#pragma once
// A value shared between the user-interface thread and the reader thread that
// needs no ordering beyond "the other side sees it at its next poll".
// Unlike std::atomic it can be copied, so records holding it stay plain values.

#include <atomic>

template <typename T> class RelaxedAtomic {
public:
    constexpr RelaxedAtomic(T v = T{}) noexcept : value_(v) {}
    RelaxedAtomic(const RelaxedAtomic& other) noexcept : value_(other.load()) {}
    RelaxedAtomic& operator=(const RelaxedAtomic& other) noexcept {
        store(other.load());
        return *this;
    }
    RelaxedAtomic& operator=(T v) noexcept {
        store(v);
        return *this;
    }
    operator T() const noexcept { return load(); }
    T load() const noexcept { return value_.load(std::memory_order_relaxed); }
    void store(T v) noexcept { value_.store(v, std::memory_order_relaxed); }

private:
    std::atomic<T> value_;
};
