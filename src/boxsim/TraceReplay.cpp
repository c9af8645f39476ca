#include "boxsim/TraceReplay.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace boxsim {

namespace {

bool singleByteCommand(unsigned char b) {
    return b == '3' || b == 0xA0 || b == 0xAA;
}

} // namespace

std::vector<std::string> CommandSplitter::feed(std::string_view bytes) {
    std::vector<std::string> commands;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (run_.empty() && singleByteCommand(b)) {
            commands.emplace_back(1, c);
        } else if (b == '\r') {
            run_ += c;
            commands.push_back(std::move(run_));
            run_.clear();
        } else if (b == '\n' || run_.size() >= kMaxRun) {
            run_.clear();
        } else {
            run_ += c;
        }
    }
    return commands;
}

TraceParseResult readReplayTraceFile(const std::string& path, std::string* warning) {
    warning->clear();
    TraceParseResult r;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        r.error = path + ": " + std::strerror(errno);
        return r;
    }
    std::string text;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    const bool readFailed = std::ferror(f) != 0;
    std::fclose(f);
    if (readFailed) {
        r.error = path + ": the file could not be read to its end";
        return r;
    }
    if (!text.empty() && text.back() != '\n') {
        const size_t lastEnd = text.rfind('\n');
        const size_t keep = lastEnd == std::string::npos ? 0 : lastEnd + 1;
        int lineNo = 1;
        for (size_t i = 0; i < keep; ++i)
            lineNo += text[i] == '\n' ? 1 : 0;
        *warning = path + ": line " + std::to_string(lineNo) +
                   " has no line end (the trace was cut off); it is left out";
        text.resize(keep);
    }
    r = parseSerialTrace(text);
    if (!r.trace)
        r.error = path + ": " + r.error;
    return r;
}

std::string commandText(std::string_view bytes) {
    return "\"" + escapeTraceBytes(bytes) + "\"";
}

TraceReplay::TraceReplay(const SerialTrace& trace) {
    CommandSplitter splitter;
    int64_t commandTime = 0;
    for (const TraceChunk& chunk : trace.chunks) {
        if (chunk.direction == TraceDirection::Written) {
            for (std::string& c : splitter.feed(chunk.bytes))
                exchanges_.push_back({std::move(c), {}});
            commandTime = chunk.timeMs;
            continue;
        }
        const ReplayChunk answer{std::chrono::milliseconds(exchanges_.empty()
                                                               ? chunk.timeMs
                                                               : chunk.timeMs - commandTime),
                                 chunk.bytes};
        (exchanges_.empty() ? prologue_ : exchanges_.back().answer).push_back(answer);
    }
}

std::vector<ReplayChunk> TraceReplay::answer(const std::string& command, std::string* note) {
    note->clear();
    if (finished()) {
        if (!endNoted_)
            *note = "replay: end of the trace after " + std::to_string(exchanges_.size()) +
                    " commands; the box is silent from now on";
        endNoted_ = true;
        return {};
    }
    if (exchanges_[next_].command != command) {
        size_t j = next_ + 1;
        while (j < exchanges_.size() && exchanges_[j].command != command)
            ++j;
        if (j == exchanges_.size()) {
            *note = "replay: command " + std::to_string(next_ + 1) + " of the trace is " +
                    commandText(exchanges_[next_].command) + ", the program sent " +
                    commandText(command) + ", which the rest of the trace does not have; no answer";
            return {};
        }
        *note = "replay: command " + std::to_string(next_ + 1) + " of the trace is " +
                commandText(exchanges_[next_].command) + ", the program sent " +
                commandText(command) + "; resynchronised at command " + std::to_string(j + 1);
        ++resyncs_;
        next_ = j;
    }
    return exchanges_[next_++].answer;
}

} // namespace boxsim
