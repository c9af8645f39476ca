#include "device/QtLinkNotifier.h"

#include <QMetaObject>
#include <QThread>

#include <chrono>

namespace {
// How often a waiting reader thread looks at stopRequest.
constexpr std::chrono::milliseconds kStopPoll{10};
} // namespace

QtLinkNotifier::QtLinkNotifier(const LinkControl& link, QObject* parent)
    : QObject(parent), link_(link) {}

void QtLinkNotifier::deviceEvent(int code, int param) {
    runSynchronously([this, code, param] { emit deviceEventArrived(code, param); });
}

void QtLinkNotifier::showDeletingText() {
    runSynchronously([this] { emit deletingTextRequested(); });
}

void QtLinkNotifier::resetReadings() {
    runSynchronously([this] { emit readingsResetRequested(); });
}

void QtLinkNotifier::linkEnded() {
    post(&QtLinkNotifier::linkEndedArrived);
}

void QtLinkNotifier::noSerialData() {
    post(&QtLinkNotifier::noSerialDataArrived);
}

void QtLinkNotifier::boxRestart() {
    post(&QtLinkNotifier::boxRestartArrived);
}

void QtLinkNotifier::post(void (QtLinkNotifier::*signal)()) {
    QMetaObject::invokeMethod(this, signal, Qt::QueuedConnection);
}

void QtLinkNotifier::runSynchronously(std::function<void()> emitSignal) {
    if (QThread::currentThread() == thread()) {
        emitSignal();
        return;
    }
    Call call{std::move(emitSignal)};
    std::unique_lock<std::mutex> lock(mutex_);
    pending_ = &call;
    lock.unlock();
    QMetaObject::invokeMethod(this, &QtLinkNotifier::deliverPending, Qt::QueuedConnection);
    lock.lock();
    while (!call.done) {
        if (handled_.wait_for(lock, kStopPoll) == std::cv_status::timeout && !call.started &&
            link_.stopRequest) {
            // The thread is asked to end and the owner has not taken the
            // notification yet (it may be waiting for the thread): drop it.
            break;
        }
    }
    if (pending_ == &call)
        pending_ = nullptr;
}

void QtLinkNotifier::deliverPending() {
    std::unique_lock<std::mutex> lock(mutex_);
    Call* call = pending_;
    if (!call || call->started)
        return; // dropped, or already delivered by an earlier wake-up
    call->started = true;
    lock.unlock();
    call->emitSignal();
    lock.lock();
    call->done = true;
    pending_ = nullptr;
    handled_.notify_all();
}
