// The port map and the port probe.

#include "device/PortMap.h"
#include "device/PortProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

TEST(PortMap, PortNamesMapToTheirNumber) {
    struct Case {
        const char* name;
        int number;
    } cases[] = {
        {"COM1", 1},    {"\\\\.\\COM1", 1}, {"\\\\.\\COM65", 65}, {"com7", 7},
        {"COM", 0},     {"COM1x", 0},       {"/dev/ttyUSB0", 0},  {"", 0},
        {"\\\\.\\", 0}, {"XCOM1", 0},       {"COM 1", 0},         {"COM1234", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(comPortNumber(c.name), c.number) << c.name;
    EXPECT_EQ(comPortName(12), "\\\\.\\COM12");
    EXPECT_EQ(comPortNumber(comPortName(65)), 65);
}

TEST(PortMap, AColonListGivesEachEntryItsNumber) {
    EXPECT_EQ(parsePortList("/a:/b"), (std::vector<std::string>{"/a", "/b"}));
    EXPECT_EQ(parsePortList("/a::/c:"), (std::vector<std::string>{"/a", "", "/c", ""}));
    EXPECT_EQ(parsePortList(""), (std::vector<std::string>{""}));

    PortMap map(parsePortList("/dev/x::/dev/z"));
    EXPECT_EQ(map.device(1), "/dev/x");
    EXPECT_EQ(map.device(2), "") << "an empty entry is a missing port";
    EXPECT_EQ(map.device(3), "/dev/z");
    EXPECT_EQ(map.device(4), "") << "beyond the list";
    EXPECT_EQ(map.device(0), "");
    EXPECT_EQ(map.deviceForName("\\\\.\\COM3"), "/dev/z");
    EXPECT_EQ(map.deviceForName("COM1"), "/dev/x");
    EXPECT_EQ(map.deviceForName("/dev/ttyS3"), "/dev/ttyS3") << "a path is used as it is";
    map.refresh();
    EXPECT_EQ(map.device(3), "/dev/z") << "a fixed list stays";
}

TEST(PortMap, TheEnvironmentListWinsOverTheSystem) {
    ::setenv("ORVATIX_PORTS", ":/dev/only-com2", 1);
    PortMap map;
    ::unsetenv("ORVATIX_PORTS");
    EXPECT_EQ(map.device(1), "");
    EXPECT_EQ(map.device(2), "/dev/only-com2");
    EXPECT_EQ(map.size(), 2);
}

TEST(PortMap, SystemPortsComeInAStableOrder) {
    std::vector<std::string> d = {"/dev/ttyS1",   "/dev/ttyACM0", "/dev/ttyUSB10",
                                  "/dev/ttyS0",   "/dev/ttyUSB2", "/dev/rfcomm0",
                                  "/dev/ttyUSB0", "/dev/ttyS10",  "/dev/ttyS2"};
    sortSerialDevices(d);
    EXPECT_EQ(d, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyUSB2", "/dev/ttyUSB10",
                                           "/dev/ttyACM0", "/dev/rfcomm0", "/dev/ttyS0",
                                           "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS10"}));
}

TEST(PortProbe, TellsMissingFromExisting) {
    char dir[] = "/tmp/orvatix-probe-XXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    std::string file = std::string(dir) + "/port";
    std::ofstream(file) << "x";
    std::string dangling = std::string(dir) + "/dangling";
    ASSERT_EQ(::symlink((std::string(dir) + "/nothing").c_str(), dangling.c_str()), 0);

    EXPECT_TRUE(probeDevice(file));
    EXPECT_TRUE(probeDevice("/dev/null"));
    EXPECT_FALSE(probeDevice(std::string(dir) + "/nothing"));
    EXPECT_FALSE(probeDevice(dangling)) << "a link to a vanished device";
    EXPECT_FALSE(probeDevice(file + "/below-a-file"));
    EXPECT_FALSE(probeDevice(""));

    PortMap map({file, "", dangling});
    EXPECT_TRUE(probePort(map, 1));
    EXPECT_FALSE(probePort(map, 2));
    EXPECT_FALSE(probePort(map, 3));
    EXPECT_FALSE(probePort(map, 4));

    ::unlink(dangling.c_str());
    ::unlink(file.c_str());
    ::rmdir(dir);
}

} // namespace
