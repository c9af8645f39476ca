#pragma once
// Waiting for a condition with a deadline, never for a fixed time. Deadlines
// are generous: the machine may be loaded. The waits that run Qt's events need
// a QCoreApplication (or QApplication) on the calling thread.

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <functional>
#include <thread>

// Runs the calling thread's event loop for a while: queued notices, timers,
// deferred deletes.
inline void runEvents(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits until condition() holds or the deadline passes, sleeping meanwhile
// (another thread makes it hold). False when the deadline passed.
inline bool waitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// The same, handling the thread's pending events meanwhile (queued notices or
// windows make it hold). processEvents() rather than an event loop of its own:
// a window that a test closed is deleted only outside such a loop.
inline bool waitWithEvents(const std::function<bool()>& condition,
                           std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
