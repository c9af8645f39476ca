#include "display/ErrorFlags.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct ShortCase {
    int32_t flags;
    double firmware;
    const char* expected;
};

TEST(ShortFlagList, EveryBitHasItsName) {
    const ShortCase cases[] = {
        {0x0000, 1.6, " -"},
        {0x0001, 1.6, " W-Sig "},
        {0x0002, 1.99, " W-Lo "},
        {0x0002, 2.0, " MX-Spd "},
        {0x0004, 1.6, " W-Hi "},
        {0x0008, 1.6, " W-OSpd "},
        {0x0010, 1.6, " Y-Sig "},
        {0x0020, 1.6, " Y-Lo "},
        {0x0040, 1.6, " Y-Hi "},
        {0x0080, 1.6, " Y-OSpd "},
        {0x0100, 1.6, " Spd232 "},
        {0x0200, 1.6, " Ref "},
        {0x0400, 1.6, " RollO "},
        {0x0800, 1.6, " ADC "},
        {0x1000, 1.6, " NoOff "},
        {0x2000, 1.6, " W-NoS "},
        {0x4000, 1.6, " Y-NoS "},
        {0x8000, 1.6, " DACo "},
        {0x0005, 1.6, " W-Sig ,W-Hi "},
        {0x1100, 1.6, " Spd232 ,NoOff "},
        {0x0104, 1.6, " W-Hi ,Spd232 "},
        {0x0003, 2.5, " W-Sig ,MX-Spd "},
        {0x10000, 1.6, " -"},  // only the low 16 bits count
        {-0x10000, 1.6, " -"}, // high half all ones
        {0x7FFF0001, 1.6, " W-Sig "},
        {0x0002, std::nan(""), " W-Lo "},
    };
    for (const ShortCase& c : cases) {
        EXPECT_EQ(describeFlags(c.flags, false, c.firmware), c.expected)
            << std::hex << c.flags << " @" << c.firmware;
    }
}

TEST(ShortFlagList, AllBitsInOrder) {
    EXPECT_EQ(describeFlags(-1, false, 2.0),
              " W-Sig ,MX-Spd ,W-Hi ,W-OSpd ,Y-Sig ,Y-Lo ,Y-Hi ,Y-OSpd ,Spd232 ,Ref ,RollO ,ADC "
              ",NoOff ,W-NoS ,Y-NoS ,DACo ");
}

struct LongCase {
    int32_t flags;
    const char* expected;
};

TEST(LongFlagDescription, EveryBitAndTheChannelRules) {
    const LongCase cases[] = {
        {0x0000, "ok"},
        {0x0001, "CH-W: Signal error.  \n "},
        {0x0002, "Speed error !  "},
        {0x0004, "CH-W: \n "},
        {0x0005, "CH-W: High amplitude.  \n "},
        {0x0008, "CH-W: No Offset calculation.  \n "},
        {0x0009, "CH-W: Signal error.  No Offset calculation.  \n "},
        {0x0010, "CH-Y: Signal error.  \n "},
        {0x0011, "CH-W: Signal error.  \n CH-Y: Signal error.  \n "},
        {0x0020, ""}, // Y-Lo has no long text
        {0x0040, "CH-Y: \n "},
        {0x0050, "CH-Y: High amplitude.  \n "},
        {0x0080, "CH-Y: No Offset calculation.  \n "},
        {0x0100, "RS232 transmission stopped.  "},
        {0x0104, "CH-W: \n RS232 transmission stopped.  "},
        {0x0108, "RS232 transmission stopped.  "}, // offset speed hidden while RS232 stops
        {0x010C, "CH-W: \n RS232 transmission stopped.  "},
        {0x0102, "Speed error !  "},
        {0x0200, "Unexpected reference.  "},
        {0x0400, "Position Overrun.  "},
        {0x0800, "A/D conversion timeout.  "},
        {0x1000, "No Offset found.  "},
        {0x2000, "No Sensor present.  "},
        {0x4000, "No Sensor present.  "},
        {0x6000, "No Sensor present.  No Sensor present.  "},
        {0x8000, "Output cal. failed.  "},
        {0x10000, "ok"},
        {0xFFFF, "CH-W: High amplitude.  \n CH-Y: High amplitude.  \n Speed error !  Unexpected "
                 "reference.  Position Overrun.  A/D conversion timeout.  No Offset found.  No "
                 "Sensor present.  No Sensor present.  Output cal. failed.  "},
    };
    for (const LongCase& c : cases) {
        EXPECT_EQ(describeFlags(c.flags, true, 1.6), c.expected) << std::hex << c.flags;
    }
}

TEST(FlagDescription, EveryWordHasBothForms) {
    for (int32_t flags = 0; flags <= 0xFFFF; ++flags) {
        const std::string shortList = describeFlags(flags, false, 2.0);
        ASSERT_FALSE(shortList.empty());
        ASSERT_EQ(shortList[0], ' ');
        // The long form is bounded: two channel lines and eight common texts.
        ASSERT_LT(describeFlags(flags, true, 2.0).size(), 400u);
    }
}

} // namespace
