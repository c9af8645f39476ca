// Serial traces: the text format both ways, the reader's refusals with their
// line numbers, and the writer's chunks, flushing, bounds and threads.

#include "device/SerialTrace.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

std::string scratchFile(const char* name) {
    return ::testing::TempDir() + "orvatix-trace-" + std::to_string(::getpid()) + "-" + name;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct EscapeCase {
    std::string bytes;
    std::string text;
};

TEST(SerialTraceFormat, EscapesRoundTrip) {
    const EscapeCase cases[] = {
        {"M*\r", "M*\\r"},
        {"PA 100 1 2 3 4\r\n", "PA 100 1 2 3 4\\r\\n"},
        {"\xA0", "\\xA0"},
        {std::string("\x00\x1F\x7F\xFF", 4), "\\x00\\x1F\\x7F\\xFF"},
        {"a\\b", "a\\\\b"},
        {"trailing ", "trailing\\x20"},
        {" inner blank", " inner blank"},
    };
    for (const EscapeCase& c : cases) {
        EXPECT_EQ(escapeTraceBytes(c.bytes), c.text);
        EXPECT_EQ(unescapeTraceBytes(c.text), c.bytes) << c.text;
    }
    std::string every;
    for (int b = 0; b < 256; ++b)
        every += char(b);
    EXPECT_EQ(unescapeTraceBytes(escapeTraceBytes(every)), every);
}

TEST(SerialTraceFormat, BadEscapesAreRefused) {
    for (const char* text : {"\\", "\\q", "\\x", "\\x4", "\\xG0", "tab\there"})
        EXPECT_FALSE(unescapeTraceBytes(text).has_value()) << text;
}

TEST(SerialTraceFormat, WholeTraceRoundTrips) {
    SerialTrace t;
    t.chunks = {{0, TraceDirection::Written, "3"},
                {0, TraceDirection::Written, "M9\r"},
                {12, TraceDirection::Read, "FW 2.10 01000010 4711\r"},
                {90, TraceDirection::Written, std::string("\xAA", 1)}};
    const std::string text = formatSerialTrace(t);
    EXPECT_EQ(text.substr(0, 24), "orvatix-serial-trace 1\r\n");
    TraceParseResult r = parseSerialTrace(text);
    ASSERT_TRUE(r.trace) << r.error;
    ASSERT_EQ(r.trace->chunks.size(), t.chunks.size());
    for (size_t i = 0; i < t.chunks.size(); ++i) {
        EXPECT_EQ(r.trace->chunks[i].timeMs, t.chunks[i].timeMs);
        EXPECT_EQ(r.trace->chunks[i].direction, t.chunks[i].direction);
        EXPECT_EQ(r.trace->chunks[i].bytes, t.chunks[i].bytes);
    }
}

TEST(SerialTraceFormat, CommentsBlankLinesAndBareLineFeedsAreRead) {
    TraceParseResult r =
        parseSerialTrace("orvatix-serial-trace 1\n# taken at the bench\n\n5 W M*\\r\n9 R PA 1\\r");
    ASSERT_TRUE(r.trace) << r.error;
    ASSERT_EQ(r.trace->chunks.size(), 2u);
    EXPECT_EQ(r.trace->chunks[1].bytes, "PA 1\r");
}

struct BadTrace {
    const char* text;
    int line;
    const char* says;
};

TEST(SerialTraceFormat, MalformedTracesAreRejectedWithTheirLine) {
    const BadTrace cases[] = {
        {"", 1, "empty"},
        {"hello\n", 1, "not a serial trace"},
        {"orvatix-serial-trace 2\n", 1, "version 2"},
        {"orvatix-serial-trace x\n", 1, "bad format version"},
        {"orvatix-serial-trace 1\n0 W M*\\r\nW 5 M*\\r\n", 3, "no time"},
        {"orvatix-serial-trace 1\n0 X M*\\r\n", 2, "unknown direction"},
        {"orvatix-serial-trace 1\n0 R\n", 2, "expected"},
        {"orvatix-serial-trace 1\n0  R x\n", 2, "expected"},
        {"orvatix-serial-trace 1\n10 R a\n# ok\n9 R b\n", 4, "backwards"},
        {"orvatix-serial-trace 1\n1 R \\z\n", 2, "bad escape"},
        {"orvatix-serial-trace 1\n-1 R a\n", 2, "no time"},
    };
    for (const BadTrace& c : cases) {
        TraceParseResult r = parseSerialTrace(c.text);
        EXPECT_FALSE(r.trace) << c.text;
        EXPECT_EQ(r.errorLine, c.line) << c.text;
        EXPECT_NE(r.error.find(c.says), std::string::npos) << r.error;
        EXPECT_EQ(r.error.rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << r.error;
    }
}

TEST(SerialTraceFormat, MissingFileNamesThePath) {
    TraceParseResult r = readSerialTraceFile("/nonexistent/trace.txt");
    EXPECT_FALSE(r.trace);
    EXPECT_NE(r.error.find("/nonexistent/trace.txt"), std::string::npos);
}

// A writer on a clock the test moves.
struct ClockedWriter {
    std::atomic<int64_t> ms{1000};
    SerialTraceWriter writer;
    std::string path;
    explicit ClockedWriter(const char* name, SerialTraceWriter::Options o = {})
        : writer([&] {
              o.clockMs = [this] { return ms.load(); };
              return o;
          }()),
          path(scratchFile(name)) {
        std::string why;
        EXPECT_TRUE(writer.open(path, &why)) << why;
    }
    ~ClockedWriter() { std::remove(path.c_str()); }
    SerialTrace readBack() {
        writer.flush();
        TraceParseResult r = readSerialTraceFile(path);
        EXPECT_TRUE(r.trace) << r.error;
        return r.trace.value_or(SerialTrace{});
    }
};

TEST(SerialTraceWriter, BytesJoinChunksUntilAGapALineEndOrATurn) {
    ClockedWriter w("chunks");
    w.writer.recordWritten("M*\r");
    w.ms += 4;
    for (char c : std::string("PA 12 3")) { // one byte per read, a millisecond apart
        w.writer.recordRead(std::string(1, c));
        ++w.ms;
    }
    w.ms += 60; // the box pauses inside its line
    w.writer.recordRead(" 4\r");
    w.writer.recordRead("\n");
    w.writer.recordWritten("3");
    w.writer.recordWritten(std::string("\xA0", 1));
    const SerialTrace t = w.readBack();
    ASSERT_EQ(t.chunks.size(), 5u);
    EXPECT_EQ(t.chunks[0].bytes, "M*\r");
    EXPECT_EQ(t.chunks[0].timeMs, 0);
    EXPECT_EQ(t.chunks[1].bytes, "PA 12 3");
    EXPECT_EQ(t.chunks[1].timeMs, 4);
    EXPECT_EQ(t.chunks[2].bytes, " 4\r");
    EXPECT_EQ(t.chunks[2].timeMs, 71);
    EXPECT_EQ(t.chunks[3].bytes, "\n");
    EXPECT_EQ(t.chunks[4].direction, TraceDirection::Written);
    EXPECT_EQ(t.chunks[4].bytes, "3\xA0");
}

TEST(SerialTraceWriter, LongRunsSplitAtTheChunkLimit) {
    ClockedWriter w("long");
    w.writer.recordRead(std::string(SerialTraceWriter::kMaxChunkBytes * 2 + 5, 'x'));
    const SerialTrace t = w.readBack();
    ASSERT_EQ(t.chunks.size(), 3u);
    EXPECT_EQ(t.chunks[2].bytes.size(), 5u);
}

TEST(SerialTraceWriter, FinishedLinesReachTheFileByTimeAndBySize) {
    ClockedWriter w("flush");
    w.writer.recordRead("ST 0000000000000011\r");
    EXPECT_EQ(fileText(w.path).find("ST 0"), std::string::npos) << "written at once";
    w.ms += 500;
    w.writer.recordRead({}); // the reader's idle tick
    EXPECT_NE(fileText(w.path).find("0 R ST 0000000000000011\\r\r\n"), std::string::npos);

    for (int i = 0; i < 300; ++i) // about 5 KB, beyond flushBytes
        w.writer.recordRead("KW 1 2 3 4 5\r");
    EXPECT_GT(fileText(w.path).size(), 4096u);
}

TEST(SerialTraceWriter, AFullDiskDropsBeyondTheBoundAndSaysSo) {
    SerialTraceWriter::Options o;
    o.maxBufferBytes = 2000;
    o.flushBytes = 100;
    SerialTraceWriter w(o);
    ASSERT_TRUE(w.open("/dev/full"));
    for (int i = 0; i < 1000; ++i)
        w.recordRead("PA 100 1 2 3 4\r");
    EXPECT_GT(w.droppedBytes(), 10000u);
    EXPECT_FALSE(w.lastError().empty());
    EXPECT_FALSE(w.failure().empty());
    const uint64_t before = w.droppedBytes();
    w.close();
    // What still waited is lost with the close, and the failure stays told.
    EXPECT_GT(w.droppedBytes(), before);
    EXPECT_FALSE(w.failure().empty());
}

TEST(SerialTraceWriter, UnwritablePathGivesTheReason) {
    SerialTraceWriter w;
    std::string why;
    EXPECT_FALSE(w.open("/nonexistent/dir/trace.txt", &why));
    EXPECT_NE(why.find("/nonexistent/dir/trace.txt"), std::string::npos);
    w.recordRead("ignored"); // harmless while closed
    EXPECT_FALSE(w.isOpen());
}

TEST(SerialTraceWriter, TwoThreadsKeepEveryByteAndTheOrderOfEach) {
    const std::string path = scratchFile("threads");
    {
        SerialTraceWriter w;
        ASSERT_TRUE(w.open(path));
        auto feed = [&](TraceDirection d, char tag) {
            for (int i = 0; i < 2000; ++i)
                w.record(d, std::string(1, char(tag + i % 10)) + "\r");
        };
        std::thread a(feed, TraceDirection::Read, 'A');
        std::thread b(feed, TraceDirection::Written, 'a');
        std::thread flusher([&] {
            for (int i = 0; i < 100; ++i)
                w.flush();
        });
        a.join();
        b.join();
        flusher.join();
    }
    TraceParseResult r = readSerialTraceFile(path);
    ASSERT_TRUE(r.trace) << r.error;
    std::string read, written;
    for (const TraceChunk& c : r.trace->chunks)
        (c.direction == TraceDirection::Read ? read : written) += c.bytes;
    std::string expectRead, expectWritten;
    for (int i = 0; i < 2000; ++i) {
        expectRead += std::string(1, char('A' + i % 10)) + "\r";
        expectWritten += std::string(1, char('a' + i % 10)) + "\r";
    }
    EXPECT_EQ(read, expectRead);
    EXPECT_EQ(written, expectWritten);
    std::remove(path.c_str());
}

} // namespace
