#pragma once
// The simulated ORVA Box on a pseudo-terminal.
//
// start() creates a pseudo-terminal, puts a symbolic link to its slave side at
// the given path and runs a thread that answers the program's commands with
// the lines of BoxModel, paced like a 9600-baud line (about 1.04 ms per byte
// in both directions) unless pacing is off. Every public function is
// thread-safe; tests and the demo's control panel call them while it runs.
//
// The simulator keeps a descriptor of the slave side open itself, so the line
// does not hang up when the program closes its port; hangUp() does that on
// purpose.

#include "boxsim/BoxModel.h"
#include "boxsim/TraceReplay.h"
#include "device/SerialTrace.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace boxsim {

struct SimulatorOptions {
    BoxIdentity identity;
    BoxTiming timing;
    bool paced = true; // 9600-baud timing; false: answers as fast as possible
    // Answers from a recorded trace instead of the model (TraceReplay.h).
    std::optional<SerialTrace> replay;
    // Where the replay says that it had to skip, or that the trace has ended.
    // Called on the simulator's thread with the box locked: it must not call
    // the simulator.
    std::function<void(const std::string&)> onReplayNote;
};

// How far a replay has come.
struct ReplayProgress {
    bool active = false;
    size_t next = 0;  // commands of the trace answered or skipped
    size_t total = 0; // commands in the trace
    size_t resyncs = 0;
};

// What passed over the line since start().
struct LineStats {
    uint64_t bytesIn = 0;       // bytes the program sent
    uint64_t bytesOut = 0;      // bytes the box sent (answers, faults, raw)
    uint64_t commands = 0;      // commands recognised
    uint64_t lines = 0;         // answer lines sent
    uint64_t positionLines = 0; // "PA", "RM" and one-letter "P " lines
    uint64_t droppedBytes = 0;  // nobody read the line and its buffer was full
};

class BoxSimulator {
public:
    explicit BoxSimulator(SimulatorOptions options = {});
    ~BoxSimulator();
    BoxSimulator(const BoxSimulator&) = delete;
    BoxSimulator& operator=(const BoxSimulator&) = delete;

    // Creates the pseudo-terminal and the link and starts answering. False
    // with a reason in *error when the terminal or the link cannot be made.
    bool start(const std::string& linkPath, std::string* error = nullptr);
    // Stops answering, closes the terminal and removes the link.
    void stop();
    bool running() const;
    std::string linkPath() const;
    std::string slavePath() const;

    // --- the shaft and the heads --------------------------------------------
    void setSpeedRpm(double rpm);
    double speedRpm() const;
    void setShims(Sensor s, int shims);
    int shims(Sensor s) const;
    void setPlugged(Sensor s, bool plugged);
    void setEccentricity(double e);
    double eccentricity() const;
    // Interference at standstill in hundredths (BoxModel::setInterference).
    void setInterference(int a, int b);
    std::pair<int, int> interference() const;
    double amplitude(Sensor s) const; // percent, at the shaft's position now
    void setSignalErrors(Sensor s, const SignalErrors& e);
    SignalErrors signalErrors(Sensor s) const;

    // --- the box -------------------------------------------------------------
    void setDialect(Dialect d);
    Dialect dialect() const;
    void setKind(BoxKind k);
    BoxKind kind() const;
    void setPulseRate(int32_t pulseRate);
    int32_t pulseRate() const;
    TeachPhase teachPhase() const;
    // Forgets the teach-in, as the program's erase request does: the box
    // restarts blank.
    void eraseTeachIn();
    void setPaced(bool paced);
    void setPower(bool on); // on again runs the restart sequence
    bool powered() const;

    // --- faults --------------------------------------------------------------
    // The box answers nothing for this long.
    void silence(std::chrono::milliseconds duration);
    // Random bytes on the line now.
    void sendGarbage(size_t count);
    // A line of `length` characters (plus carriage return) on the line now.
    void sendOverlongLine(size_t length);
    // The next answer stops for this long in its middle.
    void pauseInNextLine(std::chrono::milliseconds pause);
    // Bytes on the line now, paced like the box's own, whatever the box does.
    void sendRaw(const std::string& bytes);
    // Hangs up the line: the terminal is closed, the link is left dangling.
    void hangUp();
    // A new terminal behind the same link path after a hang-up.
    bool reconnect(std::string* error = nullptr);

    // Records both directions of the line, as the box sees them (the
    // program's commands as "W", the box's bytes as "R"). nullptr stops; the
    // writer must outlive its use.
    void setTrace(SerialTraceWriter* writer);
    ReplayProgress replayProgress() const;

    LineStats stats() const;
    // The commands that change the box ("ME" reset, "MR" erase, "MW" write),
    // in the order received since start(); the last 256 are kept.
    std::vector<std::string> changeCommands() const;
    // A few lines on the state of the box, for the program's "status" command.
    std::string describe() const;

    // Runs f(model, now) with the box locked, for tests that look inside.
    template <typename F> auto withModel(F&& f) {
        std::lock_guard<std::mutex> lock(mutex_);
        return f(model_, modelTime(Clock::now()));
    }

private:
    struct OutByte {
        unsigned char byte;
        Clock::time_point notBefore;
        Clock::duration gapBefore;
    };

    void run();
    bool openTerminal(std::string* error);                                     // under mutex_
    void closeTerminal();                                                      // under mutex_
    void receive(const unsigned char* data, size_t n, Clock::time_point now);  // under mutex_
    void replayCommands(unsigned char byte, Clock::time_point at);             // under mutex_
    void answer(const std::optional<std::string>& line, Clock::time_point at); // under mutex_
    void enqueue(const std::string& bytes, Clock::time_point notBefore);       // under mutex_
    Clock::time_point flushDue(Clock::time_point now);                         // under mutex_
    Clock::duration byteTime() const;
    Clock::time_point modelTime(Clock::time_point t) const; // under mutex_
    void wake();

    SimulatorOptions options_;
    mutable std::mutex mutex_;
    // Reading the model advances its shaft, so even the const controls
    // change it (under the lock).
    mutable BoxModel model_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    int wakeFd_ = -1;
    int master_ = -1;
    int ownSlave_ = -1;
    std::string link_;
    std::string slave_;
    bool paced_ = true;

    mutable Clock::time_point lastModelTime_{};
    Clock::time_point rxFree_{}; // the program's bytes arrive no faster than the line
    Clock::time_point txFree_{}; // the box's bytes leave no faster than the line
    Clock::time_point silentUntil_{};
    std::deque<OutByte> out_;
    std::string command_; // two-letter command being received
    Clock::duration nextPause_{0};
    LineStats stats_;
    std::deque<std::string> changeCommands_;
    std::minstd_rand garbageRng_{12345};
    std::optional<TraceReplay> replay_;
    CommandSplitter replaySplitter_;
    SerialTraceWriter* trace_ = nullptr;
};

} // namespace boxsim
