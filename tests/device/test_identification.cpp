#include "support/ParserRig.h"

#include <string>

namespace {

struct IdentificationCase {
    const char* what;
    std::string line;
    int32_t statusWord;
    bool accepted;
    const char* version;
    double firmware;
    const char* type;
    const char* info;
    bool marked;
};

TEST(Identification, BuildsVersionBoxTypeAndInfo) {
    const IdentificationCase cases[] = {
        {"two references", "FW 1.60 01000010 123", 0, true, "1.60", 1.6, "QTBX02 (1Ref)", "123",
         false},
        {"universal with reference, info zero", "FW 1.60 00000010 0", 0, true, "1.60", 1.6,
         "ORVA-U 1Ref", "0*", true},
        {"direction and slow suffixes", "FW 2.1 01011000 7", 0, true, "2.1", 2.1,
         "QTBX01 dir- slow", "7", false},
        {"no reference", "FW 1.0 00001100 5", 0, true, "1.0", 1.0, "ORVA NoRef", "5", false},
        {"any first token", "XX 1.52 00000000 9", 0, true, "1.52", 1.52, "ORVA-U", "9", false},
        {"info marked by status bit 6", "FW 1.60 01000010 123", 0x40, true, "1.60", 1.6,
         "QTBX02 (1Ref)", "123^", true},
        {"non-numeric info counts as zero", "FW 1.60 01000010 abc", 0x40, true, "1.60", 1.6,
         "QTBX02 (1Ref)", "abc*", true},
        {"configuration token of seven characters keeps the type", "FW 1.60 0100001 1", 0, true,
         "1.60", 1.6, "old", "1", false},
        {"configuration token starting with 1 keeps the type", "FW 1.60 11000010 1", 0, true,
         "1.60", 1.6, "old", "1", false},
        {"over-long version is cut", "FW 1.23456789012345678 01000010 1", 0, true,
         "1.2345678901234", 1.2345678901234, "QTBX02 (1Ref)", "1", false},
        {"over-long info leaves the marker out", "FW 1.60 01000010 " + std::string(25, '0'), 0,
         true, "1.60", 1.6, "QTBX02 (1Ref)", "0000000000000000000", true},
        {"info one short of full takes the marker", "FW 1.60 01000010 " + std::string(18, '0'), 0,
         true, "1.60", 1.6, "QTBX02 (1Ref)", "000000000000000000*", true},
        {"infinite version gives 0", "FW inf 01000010 1", 0, true, "inf", 0.0, "QTBX02 (1Ref)", "1",
         false},
        {"three tokens", "FW 1.60 01000010", 0, false, "", 0.0, "old", "", false},
    };
    for (const IdentificationCase& c : cases) {
        SCOPED_TRACE(c.what);
        ParserRig rig;
        rig.identification();
        rig.readings.statusWord = c.statusWord;
        std::strcpy(rig.readings.boxTypeText, "old");
        rig.parse(c.line);
        EXPECT_EQ(rig.link.newProtocol.load(), c.accepted);
        EXPECT_EQ(rig.link.awaitingIdentification.load(), !c.accepted);
        const EventList expected = c.accepted ? EventList{{14, 0}, {13, 0}} : EventList{};
        EXPECT_EQ(rig.takeEvents(), expected);
        EXPECT_STREQ(rig.readings.versionText, c.version);
        EXPECT_DOUBLE_EQ(rig.readings.firmwareVersion, c.firmware);
        EXPECT_STREQ(rig.readings.boxTypeText, c.type);
        EXPECT_STREQ(rig.readings.boxInfoText, c.info);
        EXPECT_EQ(rig.readings.boxInfoMarked, c.marked);
    }
}

TEST(Identification, BarePositionLineSelectsTheOneLetterProtocol) {
    ParserRig rig;
    rig.identification();
    rig.parse("P 1000 2000"); // two numbers: not the answer of a one-letter box
    EXPECT_TRUE(rig.link.awaitingIdentification);
    rig.parse("PA 5"); // no blank after the P
    EXPECT_TRUE(rig.link.awaitingIdentification);
    rig.parse("P 1000");
    EXPECT_FALSE(rig.link.awaitingIdentification);
    EXPECT_FALSE(rig.link.newProtocol);
    EXPECT_EQ(rig.readings.rawPosition, 0);
    EXPECT_TRUE(rig.takeEvents().empty());
}

TEST(Identification, OtherLinesAreDroppedWhileWaiting) {
    ParserRig rig;
    rig.identification();
    const DeviceReadings before = rig.copy();
    for (const char* line : {"KW 1 2", "ST 0000000000000011", "A1 400", "E 0000000000000000"}) {
        rig.parse(line); // fewer than four tokens: no identification
    }
    EXPECT_TRUE(rig.unchangedSince(before));
    EXPECT_TRUE(rig.link.awaitingIdentification);
    EXPECT_TRUE(rig.takeEvents().empty());
}

TEST(Identification, ValuesAreStoredWhileNotificationsAreSuppressed) {
    ParserRig rig;
    rig.identification();
    rig.link.notificationsSuppressed = true;
    EXPECT_TRUE(rig.parser.parseIdentification("FW 1.60 01000010 123"));
    EXPECT_STREQ(rig.readings.boxTypeText, "QTBX02 (1Ref)");
    EXPECT_TRUE(rig.link.newProtocol);
    EXPECT_TRUE(rig.takeEvents().empty());
}

} // namespace
