#include "boxsim/BoxSimulator.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace boxsim {

namespace {

// 9600 baud, 8N1: ten bit times per byte.
constexpr auto kByteTime = std::chrono::nanoseconds(1'000'000'000LL * 10 / 9600);
// Longest two-letter command the box collects before it gives up on it.
constexpr size_t kMaxCommand = 16;
constexpr size_t kChangeCommandsKept = 256;

std::string errnoText(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

bool isPositionLine(const std::string& line) {
    return line.rfind("PA", 0) == 0 || line.rfind("RM", 0) == 0 || line.rfind("P ", 0) == 0;
}

} // namespace

BoxSimulator::BoxSimulator(SimulatorOptions options)
    : options_(options), model_(options.identity, options.timing), paced_(options.paced) {}

BoxSimulator::~BoxSimulator() {
    stop();
}

bool BoxSimulator::start(const std::string& linkPath, std::string* error) {
    stop();
    std::lock_guard<std::mutex> lock(mutex_);
    link_ = linkPath;
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd_ < 0) {
        if (error)
            *error = errnoText("eventfd");
        return false;
    }
    if (!openTerminal(error)) {
        ::close(wakeFd_);
        wakeFd_ = -1;
        return false;
    }
    stats_ = {};
    changeCommands_.clear();
    if (options_.replay) {
        replay_.emplace(*options_.replay);
        replaySplitter_ = {};
        const Clock::time_point now = Clock::now();
        for (const ReplayChunk& c : replay_->prologue())
            enqueue(c.bytes, now + c.delay);
    }
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void BoxSimulator::stop() {
    if (thread_.joinable()) {
        stopping_ = true;
        wake();
        thread_.join();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    closeTerminal();
    if (!link_.empty()) {
        // Remove the link only while it is still ours.
        char target[512];
        ssize_t n = ::readlink(link_.c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, size_t(n)) == slave_)
            ::unlink(link_.c_str());
    }
    if (wakeFd_ >= 0) {
        ::close(wakeFd_);
        wakeFd_ = -1;
    }
}

bool BoxSimulator::running() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return thread_.joinable() && master_ >= 0;
}

std::string BoxSimulator::linkPath() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return link_;
}

std::string BoxSimulator::slavePath() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return slave_;
}

bool BoxSimulator::openTerminal(std::string* error) {
    auto fail = [&](const char* what) {
        if (error)
            *error = errnoText(what);
        closeTerminal();
        return false;
    };
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        return fail("posix_openpt");
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return fail("grantpt");
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0)
        return fail("ptsname");
    slave_ = name;
    ownSlave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (ownSlave_ < 0)
        return fail("open slave");
    // Raw from the start: no echo, no line editing, no CR/LF translation,
    // whatever the program does with the settings later.
    termios t{};
    if (::tcgetattr(ownSlave_, &t) == 0) {
        ::cfmakeraw(&t);
        ::cfsetispeed(&t, B9600);
        ::cfsetospeed(&t, B9600);
        ::tcsetattr(ownSlave_, TCSANOW, &t);
    }
    // Replace the link in one step, so that a reader never sees it missing.
    std::string tmp = link_ + ".tmp" + std::to_string(::getpid());
    ::unlink(tmp.c_str());
    if (::symlink(name, tmp.c_str()) != 0)
        return fail("symlink");
    if (::rename(tmp.c_str(), link_.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return fail("rename link");
    }
    rxFree_ = txFree_ = Clock::time_point{};
    command_.clear();
    out_.clear();
    return true;
}

void BoxSimulator::closeTerminal() {
    if (master_ >= 0)
        ::close(master_);
    if (ownSlave_ >= 0)
        ::close(ownSlave_);
    master_ = ownSlave_ = -1;
    out_.clear();
    command_.clear();
}

void BoxSimulator::wake() {
    if (wakeFd_ >= 0) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

Clock::duration BoxSimulator::byteTime() const {
    return paced_ ? Clock::duration(kByteTime) : Clock::duration(0);
}

Clock::time_point BoxSimulator::modelTime(Clock::time_point t) const {
    // The model's clock never runs backwards, although the answer to a command
    // is computed for the moment its last byte arrives, a little ahead of now.
    if (t > lastModelTime_)
        lastModelTime_ = t;
    return lastModelTime_;
}

void BoxSimulator::run() {
    unsigned char buf[256];
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        Clock::time_point now = Clock::now();
        if (master_ >= 0 && !replay_) {
            if (auto line = model_.takeAnnouncement(modelTime(now)))
                answer(line, now);
        }
        Clock::time_point next = flushDue(now);
        if (auto due = model_.announcementDue(); due && master_ >= 0 && !replay_)
            next = std::min(next, std::max(*due, now));
        int master = master_;
        int wakeFd = wakeFd_;
        lock.unlock();

        timespec timeout{0, 100'000'000}; // idle: look again every 100 ms
        if (next != Clock::time_point::max()) {
            auto wait = std::max(Clock::duration(0), next - Clock::now());
            auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
            timeout = {time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
        }
        pollfd fds[2] = {{wakeFd, POLLIN, 0}, {master, POLLIN, 0}};
        int n = ::ppoll(fds, master >= 0 ? 2 : 1, &timeout, nullptr);

        lock.lock();
        if (n > 0 && (fds[0].revents & POLLIN)) {
            uint64_t v;
            [[maybe_unused]] ssize_t r = ::read(wakeFd_, &v, sizeof v);
        }
        if (n > 0 && master >= 0 && master == master_ && (fds[1].revents & POLLIN)) {
            ssize_t got = ::read(master_, buf, sizeof buf);
            if (got > 0)
                receive(buf, size_t(got), Clock::now());
        }
    }
}

void BoxSimulator::receive(const unsigned char* data, size_t n, Clock::time_point now) {
    stats_.bytesIn += n;
    if (trace_ != nullptr)
        trace_->recordWritten(std::string_view(reinterpret_cast<const char*>(data), n));
    for (size_t i = 0; i < n; ++i) {
        // A byte has arrived once its ten bits have passed the line.
        rxFree_ = std::max(rxFree_, now) + byteTime();
        Clock::time_point at = rxFree_;
        unsigned char b = data[i];
        if (replay_) {
            replayCommands(b, at);
            continue;
        }
        bool silent = at < silentUntil_;
        if (model_.dialect() == Dialect::OneLetter) {
            if (b == '3' || b == 0xA0 || b == 0xAA) {
                ++stats_.commands;
                auto line = model_.commandByte(b, modelTime(at));
                if (!silent)
                    answer(line, at);
            }
            continue;
        }
        if (b == '\r') {
            if (command_.size() >= 2) {
                ++stats_.commands;
                const std::string cmd = command_.substr(command_.size() - 2);
                if (cmd == "ME" || cmd == "MR" || cmd == "MW") {
                    changeCommands_.push_back(cmd);
                    if (changeCommands_.size() > kChangeCommandsKept)
                        changeCommands_.pop_front();
                }
                auto line = model_.command(cmd, modelTime(at));
                if (!silent)
                    answer(line, at);
            }
            command_.clear();
        } else if (b == '\n' || command_.size() >= kMaxCommand) {
            command_.clear();
        } else {
            command_.push_back(char(b));
        }
    }
}

void BoxSimulator::replayCommands(unsigned char byte, Clock::time_point at) {
    const char c = static_cast<char>(byte);
    for (const std::string& command : replaySplitter_.feed(std::string_view(&c, 1))) {
        ++stats_.commands;
        std::string note;
        const std::vector<ReplayChunk> answer = replay_->answer(command, &note);
        if (!note.empty() && options_.onReplayNote)
            options_.onReplayNote(note);
        if (at < silentUntil_)
            continue;
        for (const ReplayChunk& chunk : answer) {
            enqueue(chunk.bytes, at + chunk.delay);
            if (chunk.bytes.find('\r') != std::string::npos)
                ++stats_.lines;
        }
    }
}

void BoxSimulator::answer(const std::optional<std::string>& line, Clock::time_point at) {
    if (!line)
        return;
    ++stats_.lines;
    if (isPositionLine(*line))
        ++stats_.positionLines;
    size_t first = out_.size();
    enqueue(*line + "\r", at);
    if (nextPause_ > Clock::duration(0) && line->size() >= 2) {
        out_[first + line->size() / 2].gapBefore = nextPause_;
        nextPause_ = Clock::duration(0);
    }
}

void BoxSimulator::enqueue(const std::string& bytes, Clock::time_point notBefore) {
    if (master_ < 0)
        return;
    for (char c : bytes)
        out_.push_back({static_cast<unsigned char>(c), notBefore, Clock::duration(0)});
}

Clock::time_point BoxSimulator::flushDue(Clock::time_point now) {
    unsigned char buf[512];
    size_t len = 0;
    Clock::time_point next = Clock::time_point::max();
    while (!out_.empty() && len < sizeof buf) {
        const OutByte& b = out_.front();
        // A byte is on the program's side once its ten bits have passed.
        Clock::time_point due = std::max(txFree_, b.notBefore) + b.gapBefore + byteTime();
        if (due > now) {
            next = due;
            break;
        }
        txFree_ = due;
        buf[len++] = b.byte;
        out_.pop_front();
    }
    if (!out_.empty() && next == Clock::time_point::max())
        next = now; // more than one buffer full is due
    if (len > 0 && master_ >= 0) {
        ssize_t w = ::write(master_, buf, len);
        size_t written = w > 0 ? size_t(w) : 0;
        stats_.bytesOut += written;
        if (trace_ != nullptr && written > 0)
            trace_->recordRead(std::string_view(reinterpret_cast<const char*>(buf), written));
        // Nobody reads the line and its buffer is full: the bytes are lost,
        // as on a real line.
        stats_.droppedBytes += len - written;
    }
    return next;
}

// ---------------------------------------------------------------------------
// Controls

void BoxSimulator::setSpeedRpm(double rpm) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setSpeedRpm(rpm, modelTime(Clock::now()));
}

double BoxSimulator::speedRpm() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.speedRpm();
}

void BoxSimulator::setShims(Sensor s, int shims) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setShims(s, shims);
}

int BoxSimulator::shims(Sensor s) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.shims(s);
}

void BoxSimulator::setPlugged(Sensor s, bool plugged) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setPlugged(s, plugged);
}

void BoxSimulator::setEccentricity(double e) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setEccentricity(e);
}

double BoxSimulator::eccentricity() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.eccentricity();
}

void BoxSimulator::setInterference(int a, int b) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setInterference(a, b);
}

std::pair<int, int> BoxSimulator::interference() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.interferenceSetting();
}

double BoxSimulator::amplitude(Sensor s) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.amplitude(s, modelTime(Clock::now()));
}

void BoxSimulator::setSignalErrors(Sensor s, const SignalErrors& e) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setSignalErrors(s, e);
}

SignalErrors BoxSimulator::signalErrors(Sensor s) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.signalErrors(s);
}

void BoxSimulator::setKind(BoxKind k) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setKind(k);
}

void BoxSimulator::setPulseRate(int32_t pulseRate) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setPulseRate(pulseRate);
}

int32_t BoxSimulator::pulseRate() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.pulseRate();
}

BoxKind BoxSimulator::kind() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.kind();
}

TeachPhase BoxSimulator::teachPhase() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.teachPhase(modelTime(Clock::now()));
}

void BoxSimulator::eraseTeachIn() {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.restart(modelTime(Clock::now()), true);
    out_.clear();
    wake();
}

void BoxSimulator::setDialect(Dialect d) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setDialect(d);
    command_.clear();
}

Dialect BoxSimulator::dialect() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.dialect();
}

void BoxSimulator::setPaced(bool paced) {
    std::lock_guard<std::mutex> lock(mutex_);
    paced_ = paced;
}

void BoxSimulator::setPower(bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setPower(on, modelTime(Clock::now()));
    if (!on)
        out_.clear(); // a box switched off stops in the middle of its line
}

bool BoxSimulator::powered() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.powered();
}

void BoxSimulator::silence(std::chrono::milliseconds duration) {
    std::lock_guard<std::mutex> lock(mutex_);
    silentUntil_ = Clock::now() + duration;
}

void BoxSimulator::sendGarbage(size_t count) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string bytes;
    bytes.reserve(count);
    for (size_t i = 0; i < count; ++i)
        bytes.push_back(char(garbageRng_() & 0xFF));
    enqueue(bytes, Clock::now());
    wake();
}

void BoxSimulator::sendOverlongLine(size_t length) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string line = "KW";
    while (line.size() < length)
        line += (line.size() % 6 == 2) ? ' ' : char('0' + line.size() % 10);
    line.resize(length);
    enqueue(line + "\r", Clock::now());
    wake();
}

void BoxSimulator::pauseInNextLine(std::chrono::milliseconds pause) {
    std::lock_guard<std::mutex> lock(mutex_);
    nextPause_ = pause;
}

void BoxSimulator::sendRaw(const std::string& bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    enqueue(bytes, Clock::now());
    wake();
}

void BoxSimulator::hangUp() {
    std::lock_guard<std::mutex> lock(mutex_);
    closeTerminal();
    wake();
}

bool BoxSimulator::reconnect(std::string* error) {
    std::lock_guard<std::mutex> lock(mutex_);
    closeTerminal();
    bool ok = openTerminal(error);
    wake();
    return ok;
}

void BoxSimulator::setTrace(SerialTraceWriter* writer) {
    std::lock_guard<std::mutex> lock(mutex_);
    trace_ = writer;
}

ReplayProgress BoxSimulator::replayProgress() const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!replay_)
        return {};
    return {true, replay_->next(), replay_->exchanges().size(), replay_->resyncs()};
}

LineStats BoxSimulator::stats() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return stats_;
}

std::vector<std::string> BoxSimulator::changeCommands() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return {changeCommands_.begin(), changeCommands_.end()};
}

std::string BoxSimulator::describe() const {
    std::lock_guard<std::mutex> lock(mutex_);
    BoxModel& m = model_;
    auto now = modelTime(Clock::now());
    std::ostringstream s;
    s << "line        " << link_ << " -> " << (master_ >= 0 ? slave_ : "(hung up)")
      << (paced_ ? ", 9600 baud" : ", unpaced") << "\n";
    s << "box         " << (m.dialect() == Dialect::TwoLetter ? "two-letter" : "one-letter")
      << ", version " << m.version() << (m.powered() ? "" : ", OFF")
      << (m.booting(now) ? ", starting" : "") << "\n";
    s << "shaft       " << m.speedRpm() << " rpm, counter " << m.counter(now) << ", "
      << m.referenceMarksPassed() << " reference marks passed\n";
    for (Sensor sensor : {Sensor::Yellow, Sensor::White}) {
        s << (sensor == Sensor::Yellow ? "yellow head " : "white head  ") << m.shims(sensor)
          << " shims, " << (m.plugged(sensor) ? "" : "unplugged, ") << "amplitude "
          << int(m.amplitude(sensor, now) + 0.5) << " %\n";
    }
    for (Sensor sensor : {Sensor::Yellow, Sensor::White}) {
        const SignalErrors& e = m.signalErrors(sensor);
        s << (sensor == Sensor::Yellow ? "yellow sig. " : "white sig.  ") << "offset A "
          << e.offsetA << " %, offset B " << e.offsetB << " %, ratio B/A " << e.ratio
          << ", phase error " << e.phase << " deg\n";
    }
    s << "washer      eccentricity " << m.eccentricity() << "\n";
    s << "noise       " << m.interferenceSetting().first << " " << m.interferenceSetting().second
      << " (hundredths, at standstill)\n";
    s << "status      " << bitText(m.statusWord(now)) << "\n";
    static constexpr const char* kKinds[] = {"one coded reference mark (1Ref)",
                                             "one reference mark", "no reference (NoRef)"};
    s << "kind        " << kKinds[int(m.kind())] << "\n";
    s << "teach-in    " << teachPhaseName(m.teachPhase(now)) << " (offsets " << m.learned().offsets
      << ", reference " << m.learned().reference << ", absolute " << m.learned().absolute << ")\n";
    if (replay_)
        s << "replay      command " << replay_->next() << " of " << replay_->exchanges().size()
          << ", " << replay_->resyncs() << " resynchronisations\n";
    s << "traffic     " << stats_.bytesIn << " bytes in, " << stats_.bytesOut << " bytes out, "
      << stats_.lines << " lines\n";
    return s.str();
}

} // namespace boxsim
