// The reader thread's line framing over a real pseudo-terminal, with the bytes
// and their timing written by the test.

#include "LinkTestSupport.h"

#include "device/PortMap.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace linktest;

namespace {

// "PA <id> 0 0 0 0": a position line whose position names it. Ids lie more
// than 5 counts apart, so that the parser's smoothing keeps them as they are.
std::string positionLine(int id) {
    return "PA " + std::to_string(id) + " 0 0 0 0";
}

// The line padded with blanks to exactly `length` characters.
std::string padded(const std::string& line, size_t length) {
    std::string s = line;
    s.resize(length, ' ');
    return s;
}

class ReaderFraming : public ::testing::Test {
protected:
    void SetUp() override {
        notifier.onReset = [this] {
            // Every open restarts the identification; here the box counts
            // as identified at once, so position lines are parsed.
            r.link.newProtocol = true;
            r.link.awaitingIdentification = false;
        };
        r.config.portName = "COM1";
    }
    void TearDown() override {
        r.link.stopRequest = true;
        comm.wait();
    }

    void start() {
        r.link.reopenRequest = true;
        comm.startLinkThread();
        ASSERT_TRUE(waitUntil([&] { return notifier.resetCount() > 0; }, 10s));
    }

    // Sends a marker line and waits until it was parsed; returns every
    // position parsed since `from` (the marker excluded).
    std::vector<int32_t> positionsUpToMarker(int marker, size_t from) {
        line.write(positionLine(marker) + "\r");
        EXPECT_TRUE(waitUntil(
            [&] {
                auto p = notifier.positions();
                return std::find(p.begin() + long(std::min(from, p.size())), p.end(), marker) !=
                       p.end();
            },
            10s))
            << "marker " << marker << " never arrived";
        auto p = notifier.positions();
        std::vector<int32_t> seen(p.begin() + long(std::min(from, p.size())), p.end());
        seen.erase(std::find(seen.begin(), seen.end(), marker), seen.end());
        return seen;
    }

    PtyLine line;
    Records r;
    PortMap ports{std::vector<std::string>{line.path()}};
    PositionRecorder notifier{r.readings};
    CSerialComm comm{notifier, ports, r.records()};
};

TEST_F(ReaderFraming, LinesAreCutByTheirCapitalStartAndTheirLineEnd) {
    // Garbage that sits in the input before the port is opened is purged.
    line.write(positionLine(999) + "\r");
    start();

    struct Case {
        const char* what;
        std::string bytes;
        std::vector<int32_t> expected;
    };
    const Case cases[] = {
        {"noise before a line is skipped",
         std::string("abc 123\n\x01\x7f\xe4xyz") + positionLine(1000) + "\r",
         {1000}},
        {"CR LF gives one line",
         positionLine(2000) + "\r\n" + positionLine(2100) + "\n",
         {2000, 2100}},
        {"253 characters are delivered", padded(positionLine(3000), 253) + "\r", {3000}},
        {"254 characters are discarded", padded(positionLine(4000), 254) + "\r", {}},
        {"a long line is discarded and its tail is noise",
         padded(positionLine(4500), 400) + "\r",
         {}},
        {"bytes after a line end are noise", "\r\r\n\n  " + positionLine(5000) + "\r", {5000}},
    };
    int marker = 100000;
    for (const Case& c : cases) {
        size_t from = notifier.positions().size();
        line.write(c.bytes);
        marker += 1000;
        EXPECT_EQ(positionsUpToMarker(marker, from), c.expected) << c.what;
    }
    auto all = notifier.positions();
    EXPECT_EQ(std::count(all.begin(), all.end(), 999), 0) << "input before the open was parsed";
}

TEST_F(ReaderFraming, AGapInsideALineOrASlowLineDiscardsIt) {
    start();
    size_t from = notifier.positions().size();

    // A 50 ms pause between two bytes of one line (a read waits 40 ms).
    std::string l = positionLine(6000) + "\r";
    line.write(l.substr(0, 4));
    std::this_thread::sleep_for(50ms);
    line.write(l.substr(4));
    EXPECT_EQ(positionsUpToMarker(60000, from), std::vector<int32_t>{});

    // Every gap short, but the whole line takes about 1.5 s. After the
    // discard its tail is half a second of noise, and the marker line comes
    // just as the reader's 500 ms without a line start run out: the line
    // start must win, or the marker is lost.
    from = notifier.positions().size();
    line.writeSlowly(padded(positionLine(7000), 60) + "\r", 25ms);
    EXPECT_EQ(positionsUpToMarker(70000, from), std::vector<int32_t>{});

    // Short gaps in a line that is complete well within a second.
    from = notifier.positions().size();
    line.writeSlowly(positionLine(8000) + "\r", 3ms);
    EXPECT_EQ(positionsUpToMarker(80000, from), std::vector<int32_t>{8000});
}

TEST_F(ReaderFraming, CommandsGoOutOnTheLine) {
    start();
    // The poll cycle of an identified two-letter box.
    ASSERT_TRUE(waitUntil([&] { return line.received().find("M2\r") != std::string::npos; }, 10s));
    EXPECT_EQ(line.received().rfind("M*\r", 0), 0u) << line.received();
}

} // namespace
