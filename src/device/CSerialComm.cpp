#include "device/CSerialComm.h"

#include "device/PortMap.h"
#include "device/SerialTrace.h"

#include <QSerialPort>
#include <QString>
#include <QThread>

#include <algorithm>
#include <thread>

LinkRecords LinkRecords::global() {
    return {::deviceReadings, ::readingsMutex, ::linkControl,
            ::configData,     ::minPulseRate,  ::maxPulseRate};
}

CSerialComm::CSerialComm(LinkNotifier& owner, PortMap& ports, LinkRecords records)
    : owner_(owner), ports_(ports), rec_(records),
      scheduler_(rec_.link, rec_.readings, rec_.readingsMutex, *this, owner_),
      parser_(rec_.readings, rec_.readingsMutex, rec_.link, rec_.config, rec_.minPulseRate,
              rec_.maxPulseRate, scheduler_.pollStep(), owner_),
      epoch_(std::chrono::steady_clock::now()), lastNoticeMs_(-kNoDataRepeat.count()) {}

CSerialComm::~CSerialComm() {
    if (thread_) {
        rec_.link.stopRequest = true;
        wait();
    }
}

void CSerialComm::startLinkThread() {
    if (thread_)
        return;
    rec_.link.stopRequest = false;
    thread_.reset(QThread::create([this] { run(); }));
    thread_->setObjectName(QStringLiteral("reader"));
    thread_->start(QThread::HighestPriority);
}

void CSerialComm::wait() {
    if (!thread_)
        return;
    {
        // The thread's last step, through a lock that ThreadSanitizer sees
        // (QThread::wait's own is invisible to it).
        std::unique_lock<std::mutex> lock(endMutex_);
        endedCv_.wait(lock, [this] { return ended_; });
    }
    thread_->wait();
}

int64_t CSerialComm::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 epoch_)
        .count();
}

// ---------------------------------------------------------------------------
// The reader loop

void CSerialComm::run() {
    LinkControl& link = rec_.link;
    link.threadEnded = false;
    while (!link.stopRequest) {
        if (link.reopenRequest && !openPort())
            break;
        if (link.portClosed) {
            if (!linkWait(0.1))
                break;
            continue;
        }
        if (link.purgeRequest && !purgeInput())
            break;
        scheduler_.runCommandScheduler();
        if (link.stopRequest)
            break;
        ReadResult r = readLine();
        if (r == ReadResult::Stop)
            break;
        if (r == ReadResult::Line) {
            parser_.parseLine(std::string_view(line_, size_t(lineLength_)),
                              static_cast<int32_t>(lineStartMs_));
            continue;
        }
        if (!linkWait(0.005))
            break;
    }
    endLink();
}

void CSerialComm::endLink() {
    closePort();
    rec_.link.threadEnded = true;
    owner_.linkEnded(); // always, even while notifications are suppressed
    std::lock_guard<std::mutex> lock(endMutex_);
    ended_ = true;
    endedCv_.notify_all();
}

void CSerialComm::closePort() {
    if (port_) {
        port_->close();
        port_.reset();
    }
}

bool CSerialComm::openPort() {
    LinkControl& link = rec_.link;
    // The interface search wrote the name before it raised reopenRequest and
    // leaves it alone for seconds after; take a copy at once.
    const std::string name = rec_.config.portName;
    if (port_) {
        closePort();
        if (!linkWait(0.1))
            return false;
    }
    // Another port, or the same one plugged in again: whatever the last box
    // told about itself may not hold for the one behind it now.
    scheduler_.connectionInterrupted();
    const std::string device = ports_.deviceForName(name);
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(QString::fromStdString(device));
    // QSerialPort opens exclusively (lock file and TIOCEXCL); a port that
    // another program holds fails here, silently.
    if (!device.empty() && port->open(QIODevice::ReadWrite)) {
        port->setBaudRate(QSerialPort::Baud9600);
        port->setDataBits(QSerialPort::Data8);
        port->setParity(QSerialPort::NoParity);
        port->setStopBits(QSerialPort::OneStop);
        port->setFlowControl(QSerialPort::NoFlowControl);
        // Not every line has modem lines (a pseudo-terminal has none); the
        // port works without them.
        port->setDataTerminalReady(false);
        port->setRequestToSend(false);
        port->clearError();
        port_ = std::move(port);
        link.portClosed = false;
        link.portLost = false;
        // Whatever sat in the input before the open is not ours.
        if (!purgeInput())
            return false;
    } else {
        link.portClosed = true;
    }
    link.reopenRequest = false;
    // Every open, good or not, restarts the identification.
    owner_.resetReadings();
    return !link.stopRequest;
}

// ---------------------------------------------------------------------------
// Reading

bool CSerialComm::readByte(unsigned char& byte) {
    const auto start = std::chrono::steady_clock::now();
    if (port_) {
        char c;
        if (port_->bytesAvailable() == 0)
            port_->waitForReadyRead(int(kReadTimeout.count()));
        if (port_->read(&c, 1) == 1) {
            byte = static_cast<unsigned char>(c);
            if (trace_)
                trace_->recordRead(std::string_view(&c, 1));
            return true;
        }
        checkPortLost();
    }
    // Idle: a trace that waits for its interval is written now.
    if (trace_)
        trace_->record(TraceDirection::Read, {});
    // Nothing came: the read takes its full time all the same. Without a
    // port, and after a hang-up (Qt's wait then returns at once), the loop
    // would otherwise spin.
    const auto left = kReadTimeout - (std::chrono::steady_clock::now() - start);
    if (left > std::chrono::steady_clock::duration::zero())
        std::this_thread::sleep_for(left);
    return false;
}

void CSerialComm::checkPortLost() {
    // A device that vanished (a USB converter pulled, a line hung up) fails
    // every read and write at once. Its handle is given up, so that the
    // device can come back under its old name and be opened again.
    if (!port_ || port_->error() != QSerialPort::ResourceError)
        return;
    closePort();
    rec_.link.portLost = true;
}

void CSerialComm::notifyNoData() {
    if (!rec_.link.notificationsSuppressed)
        owner_.noSerialData();
}

CSerialComm::ReadResult CSerialComm::readLine() {
    LinkControl& link = rec_.link;
    lineLength_ = 0;
    const int64_t t0 = nowMs();
    unsigned char byte = 0;

    // Waiting for a line start: a capital letter.
    while (true) {
        const bool got = readByte(byte);
        if (link.stopRequest)
            return ReadResult::Stop;
        if (link.purgeRequest)
            return ReadResult::NoLine;
        const int64_t now = nowMs();
        // A recording rides out a silent box on its open port; a port that
        // went away is reported all the same, for only the search opens one.
        const bool holdNotice = link.recordingActive && !link.portLost;
        if (!got && link.portLost && !link.noData) {
            lineLength_ = 0;
            lastNoticeMs_ = now;
            link.noData = true;
            notifyNoData();
            return ReadResult::NoLine;
        }
        if (link.noData && !got) {
            if (now - lastNoticeMs_ < kNoDataRepeat.count())
                return ReadResult::NoLine;
            lastNoticeMs_ = now;
            if (!holdNotice)
                notifyNoData();
            return ReadResult::NoLine;
        }
        // A line start is taken even when it comes just as the 500 ms run
        // out: testing the time first would swallow its letter and lose the
        // line (after half a second of noise, the first good line).
        if (got && byte >= 'A' && byte <= 'Z')
            break;
        if (now - t0 > kNoLineStart.count()) {
            lineLength_ = 0;
            lastNoticeMs_ = now;
            scheduler_.connectionInterrupted();
            if (holdNotice)
                return ReadResult::NoLine;
            link.noData = true;
            notifyNoData();
            return ReadResult::NoLine;
        }
        // Anything else is skipped, the CR/LF of the previous line included.
    }

    // Reading the line.
    lineStartMs_ = nowMs();
    int bytesRead = 1; // the letter
    while (true) {
        line_[lineLength_++] = static_cast<char>(byte);
        const bool got = readByte(byte);
        if (link.stopRequest)
            return ReadResult::Stop;
        ++bytesRead;
        if (!got || nowMs() - lineStartMs_ > kMaxLineTime.count()) {
            lineLength_ = 0; // a gap inside the line, or too slow: broken
            return ReadResult::NoLine;
        }
        if (bytesRead == kMaxLineBytes) {
            lineLength_ = 0; // longer than 253 characters
            return ReadResult::NoLine;
        }
        if (byte == '\n' || byte == '\r') {
            link.noData = false;
            return ReadResult::Line;
        }
    }
}

bool CSerialComm::purgeInput() {
    LinkControl& link = rec_.link;
    if (link.portClosed || !port_) {
        link.purgeRequest = false;
        return linkWait(0.1);
    }
    const int64_t start = nowMs();
    unsigned char byte;
    while (readByte(byte)) {
        if (link.stopRequest)
            return false;
        if (nowMs() - start > kMaxPurgeTime.count())
            break;
    }
    if (port_) // not when it went away meanwhile
        port_->clear(QSerialPort::Input);
    link.purgeRequest = false;
    return !link.stopRequest;
}

// ---------------------------------------------------------------------------
// CommandChannel

void CSerialComm::sendCommand(std::string_view bytes) {
    if (rec_.link.portClosed) {
        linkWait(0.1);
        return;
    }
    if (!port_)
        return;
    port_->write(bytes.data(), qint64(bytes.size()));
    if (trace_)
        trace_->recordWritten(bytes);
    // No event loop runs on this thread: hand the bytes to the driver now.
    port_->flush();
    if (port_->bytesToWrite() > kOutputBufferSize)
        port_->clear(QSerialPort::Output);
    checkPortLost();
}

bool CSerialComm::linkWait(double seconds) {
    using namespace std::chrono;
    const auto end = steady_clock::now() + milliseconds(int64_t(seconds * 1000.0));
    while (true) {
        if (rec_.link.stopRequest)
            return false;
        const auto now = steady_clock::now();
        if (now >= end)
            return true;
        std::this_thread::sleep_for(std::min<steady_clock::duration>(milliseconds(2), end - now));
    }
}
