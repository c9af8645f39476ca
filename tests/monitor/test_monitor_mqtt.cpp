// The pieces of the monitor's MQTT publisher that decide on their own: the
// broker's URL, the credentials file, the settings file, the spool on disk
// (order, bound, restart, one monitor per folder) and the payloads' shape.

#include "MessageSpool.h"
#include "MonitorOptions.h"
#include "MqttUrl.h"
#include "PlantMessages.h"
#include "PlantPublisher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

std::string scratch(const std::string& name) {
    const std::string path = ::testing::TempDir() + "/orvatix-mqtt-" + name;
    std::filesystem::remove_all(path);
    return path;
}

TEST(MqttUrl, TheFormsABrokerIsGivenIn) {
    struct Case {
        const char* text;
        const char* host; // nullptr: refused
        int port;
        bool tls;
    };
    const Case cases[] = {
        {"mqtt://localhost", "localhost", 1883, false},
        {"mqtt://broker.plant:1884", "broker.plant", 1884, false},
        {"mqtts://broker.plant", "broker.plant", 8883, true},
        {"mqtts://10.0.0.5:18883/", "10.0.0.5", 18883, true},
        {"mqtt://[::1]:1883", "::1", 1883, false},
        {"mqtt://[fe80::1]", "fe80::1", 1883, false},
        {"tcp://localhost", nullptr, 0, false},
        {"localhost:1883", nullptr, 0, false},
        {"mqtt://", nullptr, 0, false},
        {"mqtt://host:", nullptr, 0, false},
        {"mqtt://host:0", nullptr, 0, false},
        {"mqtt://host:65536", nullptr, 0, false},
        {"mqtt://host:12a", nullptr, 0, false},
        {"mqtt://user:pw@host", nullptr, 0, false},
        {"mqtt://host/topic", nullptr, 0, false},
        {"mqtt://[::1", nullptr, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string why;
        const std::optional<MqttUrl> url = parseMqttUrl(c.text, &why);
        if (c.host == nullptr) {
            EXPECT_FALSE(url);
            EXPECT_FALSE(why.empty());
            continue;
        }
        ASSERT_TRUE(url) << why;
        EXPECT_EQ(url->host, c.host);
        EXPECT_EQ(url->port, c.port);
        EXPECT_EQ(url->tls, c.tls);
    }
}

TEST(MqttCredentials, AFileOfUserAndPasswordAndWhatItRefuses) {
    const std::string path = scratch("credentials");
    const auto write = [&](const std::string& text, mode_t mode) {
        std::ofstream(path, std::ios::trunc) << text;
        ::chmod(path.c_str(), mode);
    };
    std::string why, warning;
    write("# plant\nusername=axis1\npassword=a=b c\n", 0600);
    std::optional<MqttCredentials> c = readMqttCredentials(path, &why, &warning);
    ASSERT_TRUE(c) << why;
    EXPECT_EQ(c->username, "axis1");
    EXPECT_EQ(c->password, "a=b c");
    EXPECT_TRUE(warning.empty());

    write("username=axis1\r\npassword=x\r\n", 0644);
    c = readMqttCredentials(path, &why, &warning);
    ASSERT_TRUE(c) << why;
    EXPECT_EQ(c->password, "x");
    EXPECT_NE(warning.find("chmod 600"), std::string::npos);

    for (const char* bad : {"password=x\n", "user=axis1\n", ""}) {
        SCOPED_TRACE(bad);
        write(bad, 0600);
        EXPECT_FALSE(readMqttCredentials(path, &why, &warning));
        EXPECT_NE(why.find(path), std::string::npos);
    }
    EXPECT_FALSE(readMqttCredentials(path + ".none", &why, &warning));
}

TEST(MonitorOptions, MqttOptionsAndTheSettingsFile) {
    const std::string conf = scratch("monitor.conf");
    std::ofstream(conf) << "# axis 1\nport /dev/ttyUSB0\nmqtt = mqtts://broker:8883\n"
                           "ca-file /etc/orvatix/ca.pem\ntopic orvatix/line1/axis1\n"
                           "health-interval 30\nposition-rate 10\nspool-max 2M\nquiet\n";
    const MonitorOptions o = parseMonitorOptions({"--config", conf, "--client-id", "axis1"});
    ASSERT_EQ(o.action, MonitorOptions::Action::Run) << o.error;
    EXPECT_EQ(o.port, "/dev/ttyUSB0");
    EXPECT_EQ(o.mqtt.url, "mqtts://broker:8883");
    EXPECT_EQ(o.mqtt.caFile, "/etc/orvatix/ca.pem");
    EXPECT_EQ(o.mqtt.topic, "orvatix/line1/axis1");
    EXPECT_EQ(o.mqtt.clientId, "axis1");
    EXPECT_DOUBLE_EQ(o.mqtt.healthIntervalS, 30.0);
    EXPECT_DOUBLE_EQ(o.mqtt.positionRateHz, 10.0);
    EXPECT_EQ(o.mqtt.spoolMaxBytes, 2u * 1024 * 1024);
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(parseMonitorOptions({"--demo", "--mqtt", "mqtt://h"}).mqtt.spoolMaxBytes,
              50u * 1024 * 1024);

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--demo", "--topic", "x"},
             {"--demo", "--mqtt", "mqtt://h", "--health-interval", "0"},
             {"--demo", "--mqtt", "mqtt://h", "--position-rate", "1000"},
             {"--demo", "--mqtt", "mqtt://h", "--spool-max", "1K"},
             {"--demo", "--mqtt", "mqtt://h", "--spool-max", "5X"},
             {"--demo", "--mqtt", "mqtt://h", "--password", "secret"},
             {"--demo", "--mqtt", "mqtt://h", "--username", "me"},
             {"--config", conf + ".none"},
             {"--config", conf, "--config", conf},
         }) {
        SCOPED_TRACE(args.back());
        const MonitorOptions bad = parseMonitorOptions(args);
        EXPECT_EQ(bad.action, MonitorOptions::Action::Error);
        EXPECT_FALSE(bad.error.empty());
    }
    EXPECT_NE(parseMonitorOptions({"--demo", "--mqtt", "mqtt://h", "--password", "x"})
                  .error.find("--mqtt-credentials"),
              std::string::npos);
}

std::vector<uint64_t> drain(MessageSpool& spool) {
    std::vector<uint64_t> out;
    SpooledMessage m;
    uint64_t after = 0;
    while (spool.next(after, &m)) {
        out.push_back(m.seq);
        after = m.seq;
    }
    return out;
}

TEST(MessageSpool, KeepsOrderOverRestartsDropsTheOldestWhenFullAndServesOneMonitor) {
    const std::string folder = scratch("spool") + "/deep/er";
    std::string why;
    uint64_t first = 0;
    {
        MessageSpool spool;
        ASSERT_TRUE(spool.open(folder, 64 * 1024, &why)) << why;
        first = spool.nextSeq();
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(spool.append("p/status", "{\"n\":" + std::to_string(i) + "}", &why));
        SpooledMessage m;
        ASSERT_TRUE(spool.next(0, &m));
        EXPECT_EQ(m.seq, first);
        EXPECT_EQ(m.topic, "p/status");
        EXPECT_EQ(m.payload, "{\"n\":0}");
        spool.remove(first); // the broker has it

        // A second monitor on the same folder is refused.
        MessageSpool other;
        EXPECT_FALSE(other.open(folder, 64 * 1024, &why));
        EXPECT_NE(why.find("another monitor"), std::string::npos);
    }
    // A write a kill cut short is no message.
    std::ofstream(folder + "/0000000000000099.msg.tmp") << "p/sta";
    {
        MessageSpool spool;
        ASSERT_TRUE(spool.open(folder, 64 * 1024, &why)) << why;
        EXPECT_EQ(drain(spool),
                  (std::vector<uint64_t>{first + 1, first + 2, first + 3, first + 4}));
        EXPECT_EQ(spool.nextSeq(), first + 5);
        EXPECT_FALSE(std::filesystem::exists(folder + "/0000000000000099.msg.tmp"));

        // Full: the oldest go, counted once.
        const std::string big(20 * 1024, 'x');
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(spool.append("p/health", big, &why));
        EXPECT_LE(spool.bytes(), 64u * 1024);
        const std::vector<uint64_t> left = drain(spool);
        ASSERT_EQ(left.size(), 3u);
        EXPECT_EQ(left.front(), first + 6);
        EXPECT_EQ(spool.dropped(), 5u);
        EXPECT_EQ(spool.takeNewlyDropped(), 5u);
        EXPECT_EQ(spool.takeNewlyDropped(), 0u);
        for (uint64_t seq : left)
            spool.remove(seq);
        EXPECT_TRUE(spool.empty());
        EXPECT_EQ(spool.bytes(), 0u);
    }
    // Emptied, the spool goes on from the last number it gave.
    MessageSpool again;
    ASSERT_TRUE(again.open(folder, 64 * 1024, &why));
    EXPECT_EQ(again.nextSeq(), first + 9);
}

TEST(PlantMessages, PayloadsAndTopics) {
    EXPECT_EQ(flagArray("W-Sig,W-Hi"), "[\"W-Sig\",\"W-Hi\"]");
    EXPECT_EQ(flagArray("-"), "[]");
    EXPECT_EQ(flagArray(""), "[]");
    EXPECT_EQ(withSequence("{\"time\":\"t\"}", 7), "{\"seq\":7,\"time\":\"t\"}");
    EXPECT_EQ(withSequence("{}", 7), "{\"seq\":7}");

    PlantValues v;
    v.statusWord = 0x93;
    v.flags = "Y-Sig";
    v.statusText = "Sensor \"YE\" not connected";
    EXPECT_EQ(statusPayload(v, "T"), "{\"time\":\"T\",\"status\":147,\"statusHex\":\"0x0093\","
                                     "\"flags\":[\"Y-Sig\"],\"text\":\"Sensor \\\"YE\\\" not "
                                     "connected\"}");
    v.speedKnown = false;
    EXPECT_NE(positionPayload(v, "T").find("\"speed\":null"), std::string::npos);

    EXPECT_EQ(defaultTopicPrefix("bench-7", "/dev/ttyUSB0"), "orvatix/bench-7/ttyUSB0");
    EXPECT_EQ(defaultTopicPrefix("a+b", "demo#1"), "orvatix/a_b/demo_1");
    ::setenv("STATE_DIRECTORY", "/var/lib/orvatix/monitor-axis1:/var/lib/other", 1);
    EXPECT_EQ(defaultSpoolDir("orvatix/h/p"), "/var/lib/orvatix/monitor-axis1");
    ::unsetenv("STATE_DIRECTORY");
    ::setenv("XDG_STATE_HOME", "/home/u/.state", 1);
    EXPECT_EQ(defaultSpoolDir("orvatix/h/p"), "/home/u/.state/orvatix/spool/orvatix_h_p");
}

} // namespace
