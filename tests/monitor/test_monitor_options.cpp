// The monitor's command line and the forms of its records.

#include "MonitorOptions.h"
#include "MonitorRecord.h"

#include <gtest/gtest.h>

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

} // namespace
