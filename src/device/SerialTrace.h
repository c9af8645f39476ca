#pragma once
// Serial traces: every byte that passed the line, in both directions, with its
// time, as a line-based text file (docs/serial-trace.md). A trace taken at a
// customer's machine replays through the simulated box (orvatix-box-sim
// --replay), so a fault seen once can be looked at again and kept as a test.
//
// Plain C++ without Qt: the simulated box reads traces too.
//
//     orvatix-serial-trace 1
//     # taken 2026-12-07 12:48:03
//     0 W M9\r
//     7 R FW 2.10 01000010 4711\r

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TraceDirection {
    Read,   // "R": the box sent it, the program read it
    Written // "W": the program wrote it to the box
};

struct TraceChunk {
    int64_t timeMs = 0; // since the trace began
    TraceDirection direction = TraceDirection::Read;
    std::string bytes; // never empty
};

struct SerialTrace {
    std::vector<TraceChunk> chunks;
};

// The first line of every trace; the number is the format's version.
inline constexpr std::string_view kSerialTraceMagic = "orvatix-serial-trace";
inline constexpr int kSerialTraceVersion = 1;

// Bytes as trace text: "\r", "\n", "\\" and "\xNN" for every byte outside
// printable ASCII; a blank at the end is written "\x20" so that an editor that
// trims lines cannot change the trace.
std::string escapeTraceBytes(std::string_view bytes);
// The reverse; nullopt for a bad escape.
std::optional<std::string> unescapeTraceBytes(std::string_view text);

// One chunk as one trace line, without the line end.
std::string formatTraceLine(const TraceChunk& chunk);

// The whole trace as text (header and chunks, CR LF line ends).
std::string formatSerialTrace(const SerialTrace& trace);

struct TraceParseResult {
    std::optional<SerialTrace> trace;
    int errorLine = 0; // 1-based line of the first fault
    std::string error; // "line 7: unknown direction 'X'"
};

// Parses trace text (LF or CR LF line ends). A malformed file is rejected as a
// whole, naming the first bad line.
TraceParseResult parseSerialTrace(std::string_view text);
TraceParseResult readSerialTraceFile(const std::string& path);

// Records the bytes of one line to a trace file. Thread-safe: the reader
// thread records both directions, a user-interface action may flush or close.
//
// Bytes of one direction that follow each other within kJoinGapMs join one
// chunk (the reader takes one byte at a time; a line of the box becomes one
// trace line). A chunk ends at a gap, at a change of direction, after a line
// end and at kMaxChunkBytes. Finished chunks wait in memory until
// flushBytes have gathered or flushIntervalMs has passed since the last write,
// then go to the file in one write and are flushed to the system, so a crash of
// the program loses at most that much. While the file cannot take them, at
// most maxBufferBytes wait; what comes beyond is dropped, counted, and noted in
// the trace as a comment where the gap is.
class SerialTraceWriter {
public:
    static constexpr int64_t kJoinGapMs = 10;
    static constexpr size_t kMaxChunkBytes = 256;

    struct Options {
        size_t flushBytes = 4096;
        int64_t flushIntervalMs = 500;
        size_t maxBufferBytes = 1 << 20;
        // Milliseconds on a steady clock; the trace's times count from the
        // value at open(). Tests inject their own.
        std::function<int64_t()> clockMs;
        // Written as "# ..." under the header: where and when the trace was
        // taken.
        std::string comment;
    };

    SerialTraceWriter();
    explicit SerialTraceWriter(Options options);
    ~SerialTraceWriter(); // closes
    SerialTraceWriter(const SerialTraceWriter&) = delete;
    SerialTraceWriter& operator=(const SerialTraceWriter&) = delete;

    // Creates (truncates) the file and writes the header. False with the
    // system's reason in *error.
    bool open(const std::string& path, std::string* error = nullptr);
    bool isOpen() const;

    // No bytes: only the time-driven write (the reader calls this while idle).
    void record(TraceDirection direction, std::string_view bytes);
    void recordRead(std::string_view bytes) { record(TraceDirection::Read, bytes); }
    void recordWritten(std::string_view bytes) { record(TraceDirection::Written, bytes); }

    // Writes what waits, the open chunk included.
    void flush();
    void close();

    uint64_t droppedBytes() const;
    // The last write error, empty while all is well.
    std::string lastError() const;
    // The first write error since open(), kept after later writes succeed:
    // the trace has a gap or lost its end even when the disk recovered. Empty
    // while every byte reached the file.
    std::string failure() const;

private:
    int64_t now() const;
    void endChunk();                  // under mutex_
    void writeOut();                  // under mutex_
    void queue(const std::string& s); // under mutex_

    Options options_;
    mutable std::mutex mutex_;
    std::FILE* file_ = nullptr;
    int64_t startMs_ = 0;
    int64_t lastWriteMs_ = 0;
    std::string pending_; // finished trace lines, ready for the file
    std::optional<TraceChunk> chunk_;
    int64_t chunkLastMs_ = 0;
    uint64_t dropped_ = 0;
    uint64_t droppedSinceNote_ = 0;
    std::string lastError_;
    std::string failure_;
};
