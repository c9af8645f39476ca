#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, a kill, Ctrl+C) end the program the
// way the user ends it, with the settings and an unsaved recording saved,
// instead of at once. The signal handler only writes the signal's number into
// a socket pair; a socket notifier reads it on the user-interface thread and
// emits `requested`. A second signal ends the program at once (exit code 128
// + the signal's number): whoever sends it does not wait for the orderly end.

#include <QObject>

class QSocketNotifier;

// A file-size limit (ulimit -f, a service's limit) makes a write fail with
// EFBIG, which every writer reports, instead of killing the program with
// SIGXFSZ. Called first thing at start.
void ignoreFileSizeLimitSignal();

// True once a termination signal has arrived in this run.
bool terminationRequested();

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
