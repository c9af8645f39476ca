#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifndef _WIN32
constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// The write end of the instance's socket pair, for the handler.
volatile std::sig_atomic_t signalWriteFd = -1;

// Termination signals received so far.
volatile std::sig_atomic_t signalsReceived = 0;

extern "C" void onTerminationSignal(int signalNumber) {
    const std::sig_atomic_t before = signalsReceived;
    signalsReceived = before + 1;
    if (before > 0)
        ::_exit(128 + signalNumber);
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Async-signal-safe; a full socket means a request is pending already.
    [[maybe_unused]] const ssize_t written = ::write(signalWriteFd, &byte, 1);
    errno = savedErrno;
}
#endif

} // namespace

void ignoreFileSizeLimitSignal() {
#ifndef _WIN32
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

bool terminationRequested() {
#ifndef _WIN32
    return signalsReceived > 0;
#else
    return false;
#endif
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
#ifndef _WIN32
    signalsReceived = 0;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds_) != 0)
        return;
    ::fcntl(fds_[0], F_SETFL, O_NONBLOCK);
    ::fcntl(fds_[1], F_SETFL, O_NONBLOCK);
    signalWriteFd = fds_[1];
    notifier_ = new QSocketNotifier(fds_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : kSignals)
        ::sigaction(s, &action, nullptr);
#endif
}

TerminationSignals::~TerminationSignals() {
#ifndef _WIN32
    if (notifier_ == nullptr)
        return;
    for (int s : kSignals)
        std::signal(s, SIG_DFL);
    signalWriteFd = -1;
    ::close(fds_[0]);
    ::close(fds_[1]);
#endif
}

void TerminationSignals::readSignal() {
#ifndef _WIN32
    unsigned char byte = 0;
    while (::read(fds_[0], &byte, 1) == 1)
        emit requested(byte);
#endif
}
