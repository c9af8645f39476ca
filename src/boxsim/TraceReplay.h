#pragma once
// A recorded serial trace as a box: each command the program sends is answered
// with what the box answered to it in the trace, at the recorded delays
// (docs/serial-trace.md). Plain logic; BoxSimulator puts it on the line.

#include "device/SerialTrace.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace boxsim {

// Cuts the bytes the program writes into the box's commands: a run ended by a
// carriage return ("M*\r"), or, with no run open, one of the single-byte
// commands of older boxes ("3", 0xA0, 0xAA). A run grows no longer than a box
// collects; a line feed drops it.
class CommandSplitter {
public:
    static constexpr size_t kMaxRun = 16;
    std::vector<std::string> feed(std::string_view bytes);

private:
    std::string run_;
};

struct ReplayChunk {
    std::chrono::milliseconds delay{0}; // after the command (or the start)
    std::string bytes;
};

struct ReplayExchange {
    std::string command;
    std::vector<ReplayChunk> answer;
};

class TraceReplay {
public:
    explicit TraceReplay(const SerialTrace& trace);

    // What the box sent before the program's first command, with its times
    // since the start of the trace.
    const std::vector<ReplayChunk>& prologue() const { return prologue_; }
    const std::vector<ReplayExchange>& exchanges() const { return exchanges_; }

    // The answer to one command. When the trace has another command next, it
    // skips ahead to the next identical one; a command that does not come
    // again gets no answer. Either way, and once at the end of the trace, a
    // sentence for the operator goes to *note (else it is left empty).
    std::vector<ReplayChunk> answer(const std::string& command, std::string* note);

    size_t next() const { return next_; } // index of the command expected next
    bool finished() const { return next_ >= exchanges_.size(); }
    size_t resyncs() const { return resyncs_; }

private:
    std::vector<ReplayChunk> prologue_;
    std::vector<ReplayExchange> exchanges_;
    size_t next_ = 0;
    size_t resyncs_ = 0;
    bool endNoted_ = false;
};

// Reads a trace to replay. A trace whose writer was cut off (a full disk, a
// kill) ends in a line without its line end: that line is dropped and
// *warning says so; the lines before it replay. Any other fault rejects the
// file as readSerialTraceFile does.
TraceParseResult readReplayTraceFile(const std::string& path, std::string* warning);

// Bytes as the trace writes them, for the operator's notes.
std::string commandText(std::string_view bytes);

} // namespace boxsim
