#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, a kill, Ctrl+C) end the program the
// way the user ends it, with the settings saved, instead of at once. The
// signal handler only writes the signal's number into a socket pair; a socket
// notifier reads it on the user-interface thread and emits `requested`.

#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; there is one instance per process at a time.
    explicit TerminationSignals(QObject* parent = nullptr);
    // Puts the default actions back.
    ~TerminationSignals() override;

    bool installed() const { return notifier_ != nullptr; }

signals:
    void requested(int signalNumber);

private:
    void readSignal();

    int fds_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};
