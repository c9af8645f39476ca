// The monitor's command line and the forms of its records.

#include "MonitorOptions.h"
#include "MonitorRecord.h"

#include "WallClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace {

MonitorOptions parse(std::vector<std::string> args) {
    return parseMonitorOptions(args);
}

TEST(MonitorOptions, GoodCommandLines) {
    const MonitorOptions a =
        parse({"--port", "/dev/ttyUSB0", "--csv", "--seconds", "2.5", "--trace", "t.trace"});
    EXPECT_EQ(a.action, MonitorOptions::Action::Run);
    EXPECT_EQ(a.port, "/dev/ttyUSB0");
    EXPECT_EQ(a.format, MonitorFormat::Csv);
    EXPECT_DOUBLE_EQ(a.seconds, 2.5);
    EXPECT_EQ(a.tracePath, "t.trace");

    const MonitorOptions b = parse({"--demo", "--json", "--seconds=3"});
    EXPECT_EQ(b.action, MonitorOptions::Action::Run);
    EXPECT_TRUE(b.demo);
    EXPECT_EQ(b.format, MonitorFormat::Json);
    EXPECT_DOUBLE_EQ(b.seconds, 3.0);

    EXPECT_EQ(parse({"--port=/dev/x"}).format, MonitorFormat::Text);
    EXPECT_EQ(parse({"--port", "/dev/x", "--help"}).action, MonitorOptions::Action::Help);
    EXPECT_EQ(parse({"--version"}).action, MonitorOptions::Action::Version);
    EXPECT_DOUBLE_EQ(parse({"--demo", "--seconds", "2000000"}).seconds, kMaxSeconds);
}

TEST(MonitorOptions, BadCommandLinesSayWhy) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"--port"},
             {"--port", ""},
             {"--bogus"},
             {"--port", "/dev/x", "--json", "--csv"},
             {"--port", "/dev/x", "--demo"},
             {"--demo", "--seconds", "abc"},
             {"--demo", "--seconds", "0"},
             {"--demo", "--seconds", "-1"},
             {"--demo", "--seconds", "nan"},
             {"--demo", "--seconds", "1e300"},
             {"--demo", "--seconds", "2000001"},
             {"--demo", "--seconds", "1e-300"},
             {"--demo", "--trace"},
             {"--json=1", "--demo"},
         }) {
        std::string joined;
        for (const std::string& a : args)
            joined += a + " ";
        SCOPED_TRACE(joined);
        const MonitorOptions o = parse(args);
        EXPECT_EQ(o.action, MonitorOptions::Action::Error);
        EXPECT_FALSE(o.error.empty());
    }
}

TEST(MonitorRecord, TextsThatNeedQuotingAreQuoted) {
    MonitorRecord r;
    r.kind = MonitorRecord::Kind::Box;
    r.info = "type \"A\", firmware 2.10";
    r.flags = compactFlags(" W-Sig ,W-Hi ");
    EXPECT_EQ(r.flags, "W-Sig,W-Hi");
    const std::string csv = formatRecord(r, MonitorFormat::Csv);
    EXPECT_NE(csv.find(",\"W-Sig,W-Hi\",\"type \"\"A\"\", firmware 2.10\""), std::string::npos)
        << csv;
    const std::string json = formatRecord(r, MonitorFormat::Json);
    EXPECT_NE(json.find("\"info\":\"type \\\"A\\\", firmware 2.10\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"kind\":\"box\""), std::string::npos);
}

TEST(MonitorRecord, AnUnknownSpeedIsNoNumberAndTheStatusWordIsAlsoHex) {
    MonitorRecord r;
    r.kind = MonitorRecord::Kind::Position;
    r.wallTime = "2026-12-07T21:05:03.123+01:00";
    r.speedRpm = 48.0;
    r.statusWord = 179;
    EXPECT_EQ(statusHex(179), "0x00B3");
    EXPECT_EQ(statusHex(-1), "0xFFFFFFFF");

    struct Case {
        MonitorFormat format;
        bool known;
        const char* expected;
    };
    for (const Case& c : {
             Case{MonitorFormat::Json, false, "\"speed\":null,"},
             Case{MonitorFormat::Json, true, "\"speed\":48.000,"},
             Case{MonitorFormat::Json, false, "\"statusHex\":\"0x00B3\""},
             Case{MonitorFormat::Json, false, "\"wallTime\":\"2026-12-07T21:05:03.123+01:00\""},
             Case{MonitorFormat::Csv, false, ",position,0.0000,,0.000,"},
             Case{MonitorFormat::Csv, true, ",position,0.0000,48.000,0.000,"},
             Case{MonitorFormat::Csv, false, ",2026-12-07T21:05:03.123+01:00,0x00B3"},
             Case{MonitorFormat::Text, false, " - rpm"},
             Case{MonitorFormat::Text, false, "status 179 (0x00B3)"},
         }) {
        r.speedKnown = c.known;
        const std::string line = formatRecord(r, c.format);
        EXPECT_NE(line.find(c.expected), std::string::npos) << line;
        EXPECT_EQ(line.find("48.000") != std::string::npos, c.known) << line;
    }
    // The CSV header names as many columns as a record has.
    r.speedKnown = true;
    const auto commas = [](const std::string& s) { return std::count(s.begin(), s.end(), ','); };
    EXPECT_EQ(commas(csvHeader()), commas(formatRecord(r, MonitorFormat::Csv)));
}

TEST(WallClock, IsIso8601WithTheZoneOffset) {
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    ::tzset();
    // 2026-12-07 20:05:03.123 UTC is 21:05 in Central European winter time.
    const auto winter =
        std::chrono::system_clock::time_point(std::chrono::milliseconds(1796673903123));
    EXPECT_EQ(isoWallClock(winter), "2026-12-07T21:05:03.123+01:00");
    const auto summer = winter - std::chrono::hours(24 * 150);
    EXPECT_EQ(isoWallClock(summer).substr(10), "T22:05:03.123+02:00");
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    EXPECT_EQ(isoWallClock(winter), "2026-12-07T20:05:03.123+00:00");
}

} // namespace
