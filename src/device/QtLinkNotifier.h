#pragma once
// The reader thread's notifications as Qt signals on the thread that owns this
// object (the user-interface thread).
//
// The main window (or a test, or the benchmark) creates it on its own thread,
// passes it to CSerialComm as the LinkNotifier and connects to the signals
// directly; they are always emitted on the owner's thread:
//   deviceEventArrived     synchronous: the reader thread waits until every
//                          slot has returned, so the slots read deviceReadings
//                          while the parser stands still;
//   deletingTextRequested, readingsResetRequested   synchronous as well;
//   linkEndedArrived, noSerialDataArrived, boxRestartArrived   queued notices.
//
// The synchronous hand-off is a std::mutex and std::condition_variable rather
// than Qt::BlockingQueuedConnection: the reader thread's writes before the
// notification and the slot's writes before it returns are then ordered for
// ThreadSanitizer too. The wait ends early when stopRequest is set and the
// slot has not started yet; the notification is then dropped, so the
// user-interface thread may set stopRequest and wait for the thread to end
// without deadlocking, even with a notification pending.

#include "device/LinkControl.h"
#include "device/LinkInterfaces.h"

#include <QObject>

#include <condition_variable>
#include <functional>
#include <mutex>

class QtLinkNotifier : public QObject, public LinkNotifier {
    Q_OBJECT
public:
    explicit QtLinkNotifier(const LinkControl& link, QObject* parent = nullptr);

    // LinkNotifier: called on the reader thread.
    void deviceEvent(int code, int param) override;
    void linkEnded() override;
    void noSerialData() override;
    void boxRestart() override;
    void showDeletingText() override;
    void resetReadings() override;

signals:
    void deviceEventArrived(int code, int param);
    void linkEndedArrived();
    void noSerialDataArrived();
    void boxRestartArrived();
    void deletingTextRequested();
    void readingsResetRequested();

private:
    struct Call {
        std::function<void()> emitSignal;
        bool started = false;
        bool done = false;
    };

    // Runs emitSignal on the owner's thread and waits until it has returned.
    void runSynchronously(std::function<void()> emitSignal);
    void deliverPending();
    void post(void (QtLinkNotifier::*signal)());

    const LinkControl& link_;
    std::mutex mutex_;
    std::condition_variable handled_;
    Call* pending_ = nullptr; // guarded by mutex_
};
