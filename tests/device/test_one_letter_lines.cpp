#include "LineCases.h"

#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

void offsets(ParserRig& g, double value) {
    for (double& o : g.readings.dacOffsets) {
        o = value;
    }
}

TEST(OneLetterLines, AcceptedLines) {
    const std::vector<LineCase> cases = {
        // Pulse rate with absolute flag
        {"pulse rate, absolute on",
         "AP1 1728",
         {{18, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.detectedPulseRate, 1728);
             EXPECT_TRUE(r.absolutePositionMode);
         }},
        {"pulse rate in hexadecimal",
         "AP0 0x6C0",
         {{18, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.detectedPulseRate, 1728);
             EXPECT_FALSE(r.absolutePositionMode);
         }},
        {"pulse rate in octal",
         "AP0 03300",
         {{18, 0}},
         [](const DeviceReadings& r) { EXPECT_EQ(r.detectedPulseRate, 1728); }},
        {"pulse rate, other flag",
         "APx 1024",
         {{18, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.detectedPulseRate, 1024);
             EXPECT_FALSE(r.absolutePositionMode);
         }},
        {"absolute mode ends",
         "AP0 1728",
         {},
         [](const DeviceReadings& r) {
             EXPECT_FALSE(r.absolutePositionMode);
             EXPECT_EQ(r.detectedPulseRate, 0);
         },
         [](ParserRig& g) { g.readings.absolutePositionMode = true; }},
        {"absolute mode stays",
         "AP1 1728",
         {},
         [](const DeviceReadings& r) {
             EXPECT_TRUE(r.absolutePositionMode);
             EXPECT_EQ(r.detectedPulseRate, 0);
         },
         [](ParserRig& g) { g.readings.absolutePositionMode = true; }},

        // Amplitudes
        {"white amplitude",
         "A1 400",
         {{6, 0}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.amplitudeWH, 20.0); }},
        {"yellow amplitude with offset",
         "A2 400",
         {{7, 0}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.amplitudeYE, 20.0 * 505 / 405); },
         [](ParserRig& g) { g.readings.dacOffsets[3] = -100.0; }},
        {"amplitude at the limit",
         "A1 40000",
         {{6, 0}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.amplitudeWH, 200.0); }},
        {"amplitude, offset exactly 505",
         "A1 400",
         {},
         {},
         [](ParserRig& g) { offsets(g, 505.0); }},
        {"amplitude, offset beyond 505", "A2 0", {}, {}, [](ParserRig& g) { offsets(g, -600.0); }},

        // Channel values and factors
        {"channel value",
         "CV2 100",
         {{3, 2}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.channelValues[2], 25.0); }},
        {"channel value, garbled",
         "CV4 12abc",
         {{3, 4}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.channelValues[4], 3.0); }},
        {"channel value, no number",
         "CV1 abc",
         {{3, 1}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.channelValues[1], 0.0); }},
        {"channel factor",
         "CF0 4096",
         {{4, 0}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.channelFactors[0], 1.0); }},

        // Box info
        {"box info with marker",
         "FC 123^",
         {{13, 0}},
         [](const DeviceReadings& r) {
             EXPECT_STREQ(r.boxInfoText, "123^");
             EXPECT_TRUE(r.boxInfoMarked);
         }},
        {"box info without marker",
         "FC 456",
         {{13, 0}},
         [](const DeviceReadings& r) {
             EXPECT_STREQ(r.boxInfoText, "456");
             EXPECT_FALSE(r.boxInfoMarked);
         },
         [](ParserRig& g) { g.readings.boxInfoMarked = true; }},
        {"box info over-long",
         "FC " + std::string(25, '7') + "*",
         {{13, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(std::string(r.boxInfoText), std::string(19, '7'));
             EXPECT_TRUE(r.boxInfoMarked);
         }},

        // Offsets
        {"offset",
         "O1 -40",
         {{2, 1}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.dacOffsets[1], -10.0); }},
        {"reference offset",
         "OR 160",
         {{2, 4}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.dacOffsets[4], 10.0); }},

        // Position, interference, phase
        {"position",
         "P 1000",
         {{0, 0}},
         [](const DeviceReadings& r) { EXPECT_EQ(r.rawPosition, 1000); }},
        {"position ignores absolute mode",
         "P 1000",
         {{0, 0}},
         [](const DeviceReadings& r) { EXPECT_EQ(r.rawPosition, 1000); },
         [](ParserRig& g) { g.readings.absolutePositionMode = true; }},
        {"position overflowing",
         "P 99999999999",
         {{0, 0}},
         [](const DeviceReadings& r) { EXPECT_EQ(r.rawPosition, kMax); }},
        {"position without number",
         "P x",
         {{0, 0}},
         [](const DeviceReadings& r) { EXPECT_EQ(r.rawPosition, 0); }},
        {"interference",
         "PD 77",
         {{8, 1}},
         [](const DeviceReadings& r) {
             EXPECT_DOUBLE_EQ(r.interferenceA, 77.0);
             EXPECT_DOUBLE_EQ(r.interferenceB, 77.0);
         }},
        {"reference phase",
         "PH 2500",
         {{12, 0}},
         [](const DeviceReadings& r) {
             EXPECT_STREQ(r.refPhaseText, "2500");
             EXPECT_DOUBLE_EQ(r.refValues[0], 2500.0);
         }},

        // Reference mark lines
        {"reference mark",
         "R -100 -400 400 5000",
         {{20, 0}},
         [](const DeviceReadings& r) {
             EXPECT_DOUBLE_EQ(r.refValues[6], -25.0);
             EXPECT_DOUBLE_EQ(r.refValues[5], -100.0);
             EXPECT_DOUBLE_EQ(r.refValues[4], 100.0);
             EXPECT_EQ(r.refDistance, 5000);
             // No count in this line: the tracker takes the position shown.
             EXPECT_EQ(r.refRawPosition, 0);
         }},
        {"reference mark, limits",
         "R 0 -2048 2048 1",
         {{20, 0}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.refValues[5], -512.0); }},
        {"reference distance",
         "RD 15000",
         {{11, 0}},
         [](const DeviceReadings& r) { EXPECT_EQ(r.refDistance, 15000); }},
        {"reference found", "RE", {{9, 0}}, [](const DeviceReadings&) {}},
        {"reference passed", "RO", {{10, 0}}, [](const DeviceReadings&) {}},
        {"reference part 0",
         "RP0 1234",
         {{12, 0}, {19, 0}},
         [](const DeviceReadings& r) {
             EXPECT_STREQ(r.refPhaseText, "1234");
             EXPECT_DOUBLE_EQ(r.refValues[0], 1234.0);
         }},
        {"reference part 3",
         "RP3 40",
         {{19, 0}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.refValues[3], 10.0); }},
        {"reference part 4",
         "RP4 -40",
         {{19, 0}},
         [](const DeviceReadings& r) { EXPECT_DOUBLE_EQ(r.refValues[4], -10.0); }},
        {"reset error", "RS 1", {{17, 49}}, [](const DeviceReadings&) {}},
        {"flash erased", "RS 2", {{17, 50}}, [](const DeviceReadings&) {}},

        // Version
        {"version",
         "VE 1.52 ORVA-X",
         {{14, 0}},
         [](const DeviceReadings& r) {
             EXPECT_STREQ(r.versionText, "1.52");
             EXPECT_STREQ(r.boxTypeText, "ORVA-X");
             EXPECT_DOUBLE_EQ(r.firmwareVersion, 1.52);
         }},
        {"version, NaN",
         "VE nan ORVA",
         {{14, 0}},
         [](const DeviceReadings& r) {
             EXPECT_STREQ(r.versionText, "nan");
             EXPECT_DOUBLE_EQ(r.firmwareVersion, 0.0);
         }},
        {"version, over-long type",
         "VE 1.5 " + std::string(40, 'T'),
         {{14, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(std::string(r.boxTypeText), std::string(31, 'T'));
         }},

        // Zero values
        {"zero value A",
         "ZC 2048",
         {{15, 0}},
         [](const DeviceReadings& r) { EXPECT_EQ(r.zeroValueA, 0); }},
        {"zero value B",
         "ZS 2000",
         {{16, 0}},
         [](const DeviceReadings& r) { EXPECT_EQ(r.zeroValueB, -48); }},
        {"zero value saturates",
         "ZC -99999999999",
         {{15, 0}},
         [](const DeviceReadings& r) {
             EXPECT_EQ(r.zeroValueA, std::numeric_limits<int32_t>::min());
         }},

        // Anything else
    };
    runLineCases(cases, Dialect::OneLetter);
}

TEST(OneLetterLines, DroppedLines) {
    expectDropped(Dialect::OneLetter,
                  {
                      "AP1 100",               // pulse rate out of range
                      "AP1 0xFFFFFFFFFF",      // pulse rate overflowing
                      "AP1",                   // pulse rate without value
                      "A1 40001",              // amplitude too large
                      "A1 99999999999999",     // amplitude overflowing
                      "A1 4x0",                // amplitude not digits
                      "A1 -4",                 // amplitude signed
                      "A1 400 5",              // amplitude three fields
                      "A1400",                 // amplitude without blank
                      "A3 400",                // amplitude, other sensor
                      "CV5 1",                 // channel out of range
                      "CF1 1e999",             // channel factor infinite
                      "FC",                    // box info empty
                      "O4 1",                  // offset channel out of range
                      "O1-40",                 // offset without blank
                      "O0 nan",                // offset NaN
                      "PH",                    // reference phase missing
                      "PX 1",                  // other P line
                      "R -100 4 400 5000",     // reference mark, minus value positive
                      "R -100 -400 2052 5000", // reference mark, plus value too large
                      "R -100 -400 400",       // reference mark, three fields
                      "R inf -400 400 5000",   // reference mark, infinite first value
                      "R 1 nan 400 5000",      // reference mark, NaN
                      "RP5 1",                 // reference part out of range
                      "RP31",                  // reference part without blank
                      "RP0 ",                  // reference part 0 empty
                      "RS 3",                  // reset result unknown
                      "RS2",                   // reset result without blank
                      "RM 1 2 3 4",            // other R line
                      "VE 1.52",               // version, two fields
                      "KW 1 2 3 4 5",          // two-letter line
                      "X 1",                   // unknown letter
                      "E0000000000000000",     // error line without blank
                  });
}

} // namespace
