#include "device/SerialTrace.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string lineError(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

TraceParseResult failure(int line, const std::string& what) {
    TraceParseResult r;
    r.errorLine = line;
    r.error = lineError(line, what);
    return r;
}

} // namespace

std::string escapeTraceBytes(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + 8);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r') {
            out += "\\r";
        } else if (b == '\n') {
            out += "\\n";
        } else if (b == '\\') {
            out += "\\\\";
        } else if (b < 0x20 || b > 0x7E || (b == ' ' && i + 1 == bytes.size())) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        } else {
            out += char(b);
        }
    }
    return out;
}

std::optional<std::string> unescapeTraceBytes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b > 0x7E)
            return std::nullopt; // only escapes carry such bytes
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= text.size())
            return std::nullopt;
        switch (text[i]) {
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case '\\':
            out += '\\';
            break;
        case 'x': {
            if (i + 2 >= text.size())
                return std::nullopt;
            const int hi = hexDigit(text[i + 1]);
            const int lo = hexDigit(text[i + 2]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            out += char(hi * 16 + lo);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::string formatTraceLine(const TraceChunk& chunk) {
    return std::to_string(chunk.timeMs) +
           (chunk.direction == TraceDirection::Read ? " R " : " W ") +
           escapeTraceBytes(chunk.bytes);
}

std::string formatSerialTrace(const SerialTrace& trace) {
    std::string out =
        std::string(kSerialTraceMagic) + " " + std::to_string(kSerialTraceVersion) + "\r\n";
    for (const TraceChunk& c : trace.chunks)
        out += formatTraceLine(c) + "\r\n";
    return out;
}

TraceParseResult parseSerialTrace(std::string_view text) {
    SerialTrace trace;
    int lineNo = 0;
    int64_t lastTime = 0;
    size_t pos = 0;
    bool header = false;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        const bool lastLine = end == std::string_view::npos;
        std::string_view line = text.substr(pos, lastLine ? std::string_view::npos : end - pos);
        pos = lastLine ? text.size() : end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!header) {
            const std::string magic = std::string(kSerialTraceMagic) + " ";
            if (line.substr(0, magic.size()) != magic)
                return failure(lineNo, "not a serial trace (no \"" +
                                           std::string(kSerialTraceMagic) + "\" header)");
            int version = 0;
            const std::string_view v = line.substr(magic.size());
            auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), version);
            if (ec != std::errc() || p != v.data() + v.size())
                return failure(lineNo, "bad format version");
            if (version != kSerialTraceVersion)
                return failure(lineNo, "format version " + std::to_string(version) +
                                           " is not supported (only " +
                                           std::to_string(kSerialTraceVersion) + ")");
            header = true;
            continue;
        }
        if (line.empty() || line.front() == '#')
            continue;
        TraceChunk chunk;
        auto [p, ec] = std::from_chars(line.data(), line.data() + line.size(), chunk.timeMs);
        if (ec != std::errc() || chunk.timeMs < 0)
            return failure(lineNo, "no time at the start");
        std::string_view rest = line.substr(size_t(p - line.data()));
        if (rest.size() < 4 || rest[0] != ' ' || rest[2] != ' ')
            return failure(lineNo, "expected \"<ms> <R|W> <bytes>\"");
        if (rest[1] == 'R')
            chunk.direction = TraceDirection::Read;
        else if (rest[1] == 'W')
            chunk.direction = TraceDirection::Written;
        else
            return failure(lineNo, std::string("unknown direction '") + rest[1] + "'");
        if (chunk.timeMs < lastTime)
            return failure(lineNo, "time runs backwards");
        std::optional<std::string> bytes = unescapeTraceBytes(rest.substr(3));
        if (!bytes)
            return failure(lineNo, "bad escape in the bytes");
        chunk.bytes = std::move(*bytes);
        lastTime = chunk.timeMs;
        trace.chunks.push_back(std::move(chunk));
    }
    if (!header)
        return failure(1, "empty file, not a serial trace");
    TraceParseResult r;
    r.trace = std::move(trace);
    return r;
}

TraceParseResult readSerialTraceFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        TraceParseResult r;
        r.error = path + ": " + std::strerror(errno);
        return r;
    }
    std::string text;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    std::fclose(f);
    TraceParseResult r = parseSerialTrace(text);
    if (!r.trace)
        r.error = path + ": " + r.error;
    return r;
}

// ---------------------------------------------------------------------------
// Writer

SerialTraceWriter::SerialTraceWriter() : SerialTraceWriter(Options{}) {}

SerialTraceWriter::SerialTraceWriter(Options options) : options_(std::move(options)) {
    if (!options_.clockMs) {
        options_.clockMs = [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
        };
    }
}

SerialTraceWriter::~SerialTraceWriter() {
    close();
}

int64_t SerialTraceWriter::now() const {
    return options_.clockMs() - startMs_;
}

bool SerialTraceWriter::open(const std::string& path, std::string* error) {
    close();
    std::lock_guard<std::mutex> lock(mutex_);
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        if (error)
            *error = path + ": " + std::strerror(errno);
        return false;
    }
    // Our own queue is the buffer: a write reaches the system at once or
    // reports how much did not.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    startMs_ = options_.clockMs();
    lastWriteMs_ = 0;
    dropped_ = droppedSinceNote_ = 0;
    lastError_.clear();
    failure_.clear();
    chunk_.reset();
    pending_ = std::string(kSerialTraceMagic) + " " + std::to_string(kSerialTraceVersion) + "\r\n";
    if (!options_.comment.empty())
        pending_ += "# " + options_.comment + "\r\n";
    writeOut();
    return true;
}

bool SerialTraceWriter::isOpen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return file_ != nullptr;
}

void SerialTraceWriter::record(TraceDirection direction, std::string_view bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_ == nullptr)
        return;
    const int64_t t = now();
    for (const char c : bytes) {
        if (chunk_ && (chunk_->direction != direction || t - chunkLastMs_ > kJoinGapMs))
            endChunk();
        if (!chunk_)
            chunk_ = TraceChunk{t, direction, {}};
        chunk_->bytes += c;
        chunkLastMs_ = t;
        if (c == '\r' || c == '\n' || chunk_->bytes.size() >= kMaxChunkBytes)
            endChunk();
    }
    if (pending_.size() >= options_.flushBytes ||
        (!pending_.empty() && t - lastWriteMs_ >= options_.flushIntervalMs))
        writeOut();
}

void SerialTraceWriter::endChunk() {
    if (!chunk_)
        return;
    queue(formatTraceLine(*chunk_) + "\r\n");
    chunk_.reset();
}

void SerialTraceWriter::queue(const std::string& s) {
    if (pending_.size() + s.size() > options_.maxBufferBytes) {
        // The file takes nothing; keep what waits, count what is lost.
        dropped_ += s.size();
        droppedSinceNote_ += s.size();
        return;
    }
    if (droppedSinceNote_ > 0) {
        pending_ +=
            "# " + std::to_string(droppedSinceNote_) + " bytes of trace text dropped here\r\n";
        droppedSinceNote_ = 0;
    }
    pending_ += s;
}

void SerialTraceWriter::writeOut() {
    lastWriteMs_ = now();
    if (file_ == nullptr || pending_.empty())
        return;
    const size_t n = std::fwrite(pending_.data(), 1, pending_.size(), file_);
    const bool flushed = std::fflush(file_) == 0;
    if (n == pending_.size() && flushed) {
        pending_.clear();
        lastError_.clear();
        return;
    }
    lastError_ = std::strerror(errno);
    if (failure_.empty())
        failure_ = lastError_;
    // A short write: what reached the file leaves the queue.
    pending_.erase(0, n);
    std::clearerr(file_);
}

void SerialTraceWriter::flush() {
    std::lock_guard<std::mutex> lock(mutex_);
    endChunk();
    writeOut();
}

void SerialTraceWriter::close() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_ == nullptr)
        return;
    endChunk();
    writeOut();
    if (!pending_.empty()) {
        // What the file would not take is lost with the close.
        dropped_ += pending_.size();
        pending_.clear();
    }
    if (std::fclose(file_) != 0 && failure_.empty())
        failure_ = std::strerror(errno);
    file_ = nullptr;
}

uint64_t SerialTraceWriter::droppedBytes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return dropped_;
}

std::string SerialTraceWriter::lastError() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastError_;
}

std::string SerialTraceWriter::failure() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return failure_;
}
