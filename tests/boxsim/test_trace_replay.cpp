// Replaying a serial trace: how the program's bytes are cut into commands, how
// answers and their delays are taken from the trace, and how the replay finds
// its way back when the program sends something the trace does not have next.

#include "boxsim/TraceReplay.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using boxsim::CommandSplitter;
using boxsim::TraceReplay;
using std::chrono::milliseconds;

struct SplitCase {
    std::vector<std::string> feeds;
    std::vector<std::string> commands;
};

TEST(CommandSplitter, CutsBothDialectsAndPiecesAcrossWrites) {
    const SplitCase cases[] = {
        {{"3M9\r3"}, {"3", "M9\r", "3"}},             // an identification turn
        {{"M3\r"}, {"M3\r"}},                         // a "3" inside a run is no command
        {{"\xA0\xAA\xAA"}, {"\xA0", "\xAA", "\xAA"}}, // older boxes' single bytes
        {{"M", "*", "\r"}, {"M*\r"}},                 // a run over three writes
        {{"M*\nM2\r"}, {"M2\r"}},                     // a line feed drops the run
        {{"\r"}, {"\r"}},
    };
    for (const SplitCase& c : cases) {
        CommandSplitter s;
        std::vector<std::string> got;
        for (const std::string& f : c.feeds)
            for (std::string& cmd : s.feed(f))
                got.push_back(cmd);
        EXPECT_EQ(got, c.commands) << c.feeds.front();
    }
    // Noise without a carriage return does not grow a run without end.
    CommandSplitter s;
    s.feed(std::string(100000, 'X'));
    const std::vector<std::string> last = s.feed("\r");
    ASSERT_EQ(last.size(), 1u);
    EXPECT_LE(last[0].size(), CommandSplitter::kMaxRun + 1);
}

SerialTrace trace(std::vector<TraceChunk> chunks) {
    return SerialTrace{std::move(chunks)};
}

constexpr auto R = TraceDirection::Read;
constexpr auto W = TraceDirection::Written;

TEST(TraceReplay, AnswersFollowTheirCommandsWithTheRecordedDelays) {
    TraceReplay replay(trace({{0, R, "noise before\r"},
                              {10, W, "3M9\r"},
                              {35, R, "FW 2.10 01000010 4711\r"},
                              {90, W, "3"},
                              {100, W, "M*\r"},
                              {112, R, "PA 1 2"},
                              {190, R, " 3 4 5\r"}}));
    ASSERT_EQ(replay.prologue().size(), 1u);
    EXPECT_EQ(replay.prologue()[0].delay, milliseconds(0));
    ASSERT_EQ(replay.exchanges().size(), 4u);
    EXPECT_TRUE(replay.exchanges()[0].answer.empty()); // "3" and "M9\r" came in one write

    std::string note;
    EXPECT_TRUE(replay.answer("3", &note).empty());
    auto fw = replay.answer("M9\r", &note);
    ASSERT_EQ(fw.size(), 1u);
    EXPECT_EQ(fw[0].delay, milliseconds(25));
    EXPECT_TRUE(replay.answer("3", &note).empty());
    auto pa = replay.answer("M*\r", &note);
    ASSERT_EQ(pa.size(), 2u);
    EXPECT_EQ(pa[0].delay, milliseconds(12));
    EXPECT_EQ(pa[1].delay, milliseconds(90)); // the pause inside the line stays
    EXPECT_EQ(pa[1].bytes, " 3 4 5\r");
    EXPECT_TRUE(note.empty());
    EXPECT_EQ(replay.resyncs(), 0u);
}

TEST(TraceReplay, SkipsAheadToTheNextIdenticalCommandAndSaysSo) {
    TraceReplay replay(trace({{0, W, "M*\r"},
                              {5, R, "PA 1\r"},
                              {10, W, "M2\r"},
                              {15, R, "KW 2\r"},
                              {20, W, "M*\r"},
                              {25, R, "PA 3\r"},
                              {30, W, "M3\r"},
                              {35, R, "OS 4\r"}}));
    std::string note;
    EXPECT_EQ(replay.answer("M*\r", &note)[0].bytes, "PA 1\r");
    // The program skipped "M2": the trace follows it to the next "M*".
    auto a = replay.answer("M*\r", &note);
    EXPECT_EQ(a[0].bytes, "PA 3\r");
    EXPECT_NE(note.find("command 2 of the trace is \"M2\\r\""), std::string::npos) << note;
    EXPECT_NE(note.find("resynchronised at command 3"), std::string::npos) << note;
    EXPECT_EQ(replay.resyncs(), 1u);

    // A command the rest of the trace lacks: no answer, the trace stays.
    EXPECT_TRUE(replay.answer("M9\r", &note).empty());
    EXPECT_NE(note.find("does not have"), std::string::npos) << note;
    EXPECT_EQ(replay.next(), 3u);
    EXPECT_EQ(replay.answer("M3\r", &note)[0].bytes, "OS 4\r");
    EXPECT_TRUE(note.empty());

    // The end is said once; then the box is silent.
    EXPECT_TRUE(replay.finished());
    EXPECT_TRUE(replay.answer("M*\r", &note).empty());
    EXPECT_NE(note.find("end of the trace after 4 commands"), std::string::npos) << note;
    replay.answer("M*\r", &note);
    EXPECT_TRUE(note.empty());
}

TEST(ReplayTraceFile, ACutLastLineIsLeftOutWithAWarningAndOtherFaultsStillRefuse) {
    struct Case {
        const char* name;
        std::string text;
        size_t chunks;       // 0: refused
        const char* warning; // part of the warning, "" for none
    };
    const std::string head = "orvatix-serial-trace 1\r\n0 W M9\\r\r\n7 R FW 2.10\\r\r\n";
    const Case cases[] = {
        {"whole", head, 2, ""},
        {"cut in the bytes", head + "9 R PA 12", 2, "line 4 has no line end"},
        {"cut in an escape", head + "9 R PA\\x", 2, "line 4"},
        {"cut after the time", head + "12", 2, "line 4"},
        {"cut in the header", "orvatix-ser", 0, "line 1"},
        {"bad line before the cut", head + "x R A\r\n9 R P", 0, "line 5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = ::testing::TempDir() + "/replay-cut.trace";
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << c.text;
        }
        std::string warning = "stale";
        const TraceParseResult r = boxsim::readReplayTraceFile(path, &warning);
        EXPECT_NE(warning.find(c.warning), std::string::npos) << warning;
        if (*c.warning == '\0') {
            EXPECT_TRUE(warning.empty()) << warning;
        }
        if (c.chunks == 0) {
            EXPECT_FALSE(r.trace.has_value());
            EXPECT_NE(r.error.find(path), std::string::npos) << r.error;
            continue;
        }
        ASSERT_TRUE(r.trace.has_value()) << r.error;
        EXPECT_EQ(r.trace->chunks.size(), c.chunks);
        EXPECT_EQ(r.trace->chunks.back().bytes, "FW 2.10\r");
    }
    std::string warning;
    EXPECT_FALSE(boxsim::readReplayTraceFile("/nonexistent/x.trace", &warning).trace);
}

} // namespace
