#include "LineCases.h"

#include <cmath>
#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
const EventList kPositionEvents = {{0, 0}, {7, 0}, {6, 0}};
const EventList kMarkEvents = {{20, 0}, {11, 0}, {10, 0}};

void absolute(ParserRig& g) {
    g.readings.absolutePositionMode = true;
}
void phaseBit(ParserRig& g) {
    g.readings.statusWord = 0x10;
}

TEST(TwoLetterLines, AcceptedLines) {
    const std::vector<LineCase> cases = {
        {"position", "PA 1000 160 320 480 640", kPositionEvents,
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.rawPosition, 1000);
             EXPECT_DOUBLE_EQ(r.channelValues[0], 10.0);
             EXPECT_DOUBLE_EQ(r.channelValues[3], 40.0);
             EXPECT_DOUBLE_EQ(r.amplitudeYE, 50.0 / 5.12);
             EXPECT_DOUBLE_EQ(r.amplitudeWH, std::sqrt(500.0) / 5.12);
         }},
        {"absolute mode shifts by 20000", "PA 21000 0 0 0 0", kPositionEvents,
         [](const DeviceReadings& r) { EXPECT_EQ(r.rawPosition, 1000); }, absolute},
        {"trailing garbage ignored", "PA 1000 16 32 48 64xyz", kPositionEvents,
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.channelValues[3], 4.0); }},
        {"over-long first token", "PA" + std::string(240, 'Z') + " 1000 0 0 0 0", kPositionEvents,
         [](const DeviceReadings& r) { EXPECT_EQ(r.rawPosition, 1000); }},
        {"position overflows", "PA 99999999999 99999999999 0 0 0", kPositionEvents,
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.rawPosition, kMax);
             EXPECT_DOUBLE_EQ(r.channelValues[0], kMax * 0.0625);
         }},
        {"position underflows in absolute mode", "PA -99999999999 0 0 0 0", kPositionEvents,
         [](const DeviceReadings& r) { EXPECT_EQ(r.rawPosition, kMin); }, absolute},

        // The mark's raw count is kept as the box sent it; the position
        // tracker counts it (zero point, direction, turn).
        {"reference mark after a position poll",
         "RM 12345 5000 160 -160",
         {{0, 0}, {20, 0}, {11, 0}, {10, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.rawPosition, 12345);
             EXPECT_EQ(r.refDistance, 5000);
             EXPECT_EQ(r.refRawPosition, 12345);
             EXPECT_DOUBLE_EQ(r.refValues[4], 10.0);
             EXPECT_DOUBLE_EQ(r.refValues[5], -10.0);
         },
         [](ParserRig& g) { g.pollStep = 1; }},
        {"reference mark after another poll", "RM 12345 5000 160 -160", kMarkEvents,
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.rawPosition, 0);
             EXPECT_EQ(r.refRawPosition, 12345);
         },
         [](ParserRig& g) { g.pollStep = 2; }},
        {"reference mark, reversed direction: the raw count as sent", "RM 100 0 0 0", kMarkEvents,
         [](const DeviceReadings& r) { EXPECT_EQ(r.refRawPosition, 100); },
         [](ParserRig& g) { g.config.directionReversed = 1; }},
        {"reference mark, absolute mode: the raw count unshifted", "RM 100 0 0 0", kMarkEvents,
         [](const DeviceReadings& r) { EXPECT_EQ(r.refRawPosition, 100); }, absolute},
        {"reference mark as position poll, absolute mode",
         "RM 21000 0 0 0",
         {{0, 0}, {20, 0}, {11, 0}, {10, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.rawPosition, 1000);
             EXPECT_EQ(r.refRawPosition, 21000);
         },
         [](ParserRig& g) {
             g.readings.absolutePositionMode = true;
             g.pollStep = 1;
         }},
        {"reference mark, overflowing numbers",
         "RM 99999999999 99999999999 0 0",
         {{0, 0}, {20, 0}, {11, 0}, {10, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.rawPosition, kMax);
             EXPECT_EQ(r.refDistance, kMax);
             EXPECT_EQ(r.refRawPosition, kMax);
         },
         [](ParserRig& g) { g.pollStep = 1; }},
        // A line that breaks off after its third field still sets the distance.
        {"reference mark, three fields",
         "RM 1 5000",
         {},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.refDistance, 5000);
             EXPECT_EQ(r.rawPosition, 0);
         }},
        {"reference mark, four fields",
         "RM 1 5000 1.5",
         {},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.refDistance, 5000);
             EXPECT_DOUBLE_EQ(r.refValues[4], 0.0);
         }},
        {"reference mark, NaN",
         "RM 1 5000 nan 0",
         {},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.refDistance, 5000);
             EXPECT_EQ(r.refRawPosition, 0);
         }},

        {"channel values",
         "KW 16 32 48 64 80",
         {{3, 0}},
         [](const DeviceReadings& r) {
             for (int i = 0; i < 5; ++i) {
                 EXPECT_DOUBLE_EQ(r.channelValues[i], i + 1.0);
             }
         }},
        {"offsets, both status bits",
         "OS 16 -32 0 0 160",
         {{2, 2}, {2, 0}},
         [](const DeviceReadings& r) {
             EXPECT_DOUBLE_EQ(r.dacOffsets[0], 1.0);
             EXPECT_DOUBLE_EQ(r.dacOffsets[1], -2.0);
             EXPECT_DOUBLE_EQ(r.dacOffsets[4], 10.0);
         },
         [](ParserRig& g) { g.readings.statusWord = 0x03; }},
        {"offsets, status bit 0",
         "OS 16 0 0 0 0",
         {{2, 0}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.dacOffsets[0], 1.0); },
         [](ParserRig& g) { g.readings.statusWord = 0x01; }},
        {"offsets stored without a status bit",
         "OS 16 0 0 0 0",
         {},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.dacOffsets[0], 1.0); }},
        {"factors",
         "KF 8192 4096 0 0 -8192",
         {{4, 0}},
         [](const DeviceReadings& r) {
             EXPECT_DOUBLE_EQ(r.channelFactors[0], 1.0);
             EXPECT_DOUBLE_EQ(r.channelFactors[1], 0.5);
             EXPECT_DOUBLE_EQ(r.channelFactors[4], -1.0);
         }},

        {"status, both lowest bits",
         "ST 0000000000000011",
         {{5, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.errorFlags, 0);
             EXPECT_EQ(r.statusWord, 3);
         }},
        {"status, lowest bit only",
         "ST 0000000000000001",
         {{5, 0}},
         [](const DeviceReadings& r) { EXPECT_EQ(r.errorFlags, 0x1000); }},
        {"status, mixed bits",
         "ST 1000000100000011",
         {{5, 0}},
         [](const DeviceReadings& r) { EXPECT_EQ(r.errorFlags, 0x2401); }},
        {"status, every bit, separator not checked",
         "STX1111111111111111",
         {{9, 0}, {5, 0}},
         [](const DeviceReadings& r) { EXPECT_EQ(r.errorFlags, 0x65DF); }},

        {"reference analysis with phase",
         "RA 1234.5 160 -160",
         {{12, 0}, {19, 0}},
         [](const DeviceReadings& r) {
             EXPECT_STREQ(r.refPhaseText, "1234.5");
             EXPECT_DOUBLE_EQ(r.refValues[0], 1234.5);
             EXPECT_DOUBLE_EQ(r.refValues[1], 10.0);
             EXPECT_DOUBLE_EQ(r.refValues[2], -10.0);
         },
         phaseBit},
        {"reference analysis without phase",
         "RA 1234 160 -160",
         {{19, 0}},
         [](const DeviceReadings& r) {
             EXPECT_STREQ(r.refPhaseText, "");
             EXPECT_DOUBLE_EQ(r.refValues[0], 7.0);
             EXPECT_DOUBLE_EQ(r.refValues[1], 10.0);
         },
         [](ParserRig& g) {
             std::strcpy(g.readings.refPhaseText, "99");
             g.readings.refValues[0] = 7.0;
         }},
        {"reference analysis, over-long phase is cut",
         "RA 123456789012345 0 0",
         {{12, 0}, {19, 0}},
         [](const DeviceReadings& r) {
             EXPECT_STREQ(r.refPhaseText, "12345678901");
             EXPECT_DOUBLE_EQ(r.refValues[0], 12345678901.0);
         },
         phaseBit},
        {"reference analysis, infinite phase value",
         "RA inf 0 0",
         {{12, 0}, {19, 0}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.refValues[0], 0.0); },
         phaseBit},

        {"pulse rate",
         "SZ 1728",
         {{18, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.detectedPulseRate, 1728);
             EXPECT_FALSE(r.absolutePositionMode);
         }},
        {"pulse rate with absolute bit",
         "SZ 4096 junk",
         {{18, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.detectedPulseRate, 4096);
             EXPECT_TRUE(r.absolutePositionMode);
         },
         [](ParserRig& g) { g.readings.statusWord = 0x80; }},
        {"pulse rate out of range",
         "SZ 5000",
         {},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.detectedPulseRate, 0);
             EXPECT_FALSE(r.absolutePositionMode);
         },
         absolute},
        {"pulse rate without a number",
         "SZ",
         {},
         [](const DeviceReadings& r) { EXPECT_FALSE(r.absolutePositionMode); },
         absolute},

        {"interference",
         "DU 12 -34",
         {{8, 1}},
         [](const DeviceReadings& r) {
             EXPECT_DOUBLE_EQ(r.interferenceA, 12.0);
             EXPECT_DOUBLE_EQ(r.interferenceB, -34.0);
         }},
        {"firmware line",
         "FW 1.60 01000010 123",
         {{14, 0}, {13, 0}},
         [](const DeviceReadings& r) { EXPECT_STREQ(r.boxTypeText, "QTBX02 (1Ref)"); }},
        {"hardware",
         "HW SN-0001 BOX-XYZ",
         {{21, 0}},
         [](const DeviceReadings& r) {
             EXPECT_STREQ(r.serialTextA, "SN-0001");
             EXPECT_STREQ(r.serialTextB, "BOX-XYZ");
         }},
        {"hardware, letters blanked",
         "HWSN1 SN2",
         {{21, 0}},
         [](const DeviceReadings& r) { EXPECT_STREQ(r.serialTextA, "SN1"); }},
        {"hardware, over-long tokens are cut",
         "HW " + std::string(30, 'A') + " " + std::string(40, 'B'),
         {{21, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(std::string(r.serialTextA), std::string(19, 'A'));
             EXPECT_EQ(std::string(r.serialTextB), std::string(31, 'B'));
         }},
    };
    runLineCases(cases, Dialect::TwoLetter);
}

TEST(TwoLetterLines, DroppedLines) {
    expectDropped(Dialect::TwoLetter,
                  {
                      "PA 1000 16 32 48",                     // five fields
                      "PA 1000 16 3x2 48 64",                 // garbled number
                      "PA 1000.5 16 32 48 64",                // decimal point in an integer
                      "RM 1",                                 // before the distance
                      "KW 16 32 48 64",                       // wrong field count
                      "KW 16 32 48 64 --80",                  // garbled
                      "KF 1 2 3",                             // wrong field count
                      "ST 0000000000000012",                  // bad bit character
                      "ST 000000000000001",                   // fifteen bits
                      "ST 00000000 0000011",                  // blank among the bits
                      "RA 1234 160",                          // three fields
                      "SZ 99999999999999",                    // saturates out of range
                      "DU 12",                                // one value
                      "FW 1.60 01000010",                     // three tokens
                      "HW SN-0001",                           // one token
                      "XY 1 2 3",                             // unknown pair
                      "P",                                    // too short
                      "",                                     //
                      "P 1000",                               // one-letter line
                      std::string("KW 16 32\0 48 64 80", 18), // NUL ends the line
                      "KW 16 32 48 64" + std::string(300, ' ') + "80", // cut at 255
                  });
}

} // namespace
