#include "display/PositionFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

// Counts of an angle given in degrees, minutes and seconds.
double countsOf(int32_t pulseRate, double degrees, double minutes, double seconds) {
    const double n = pulseRate * 5000.0;
    return (degrees + minutes / 60.0 + seconds / 3600.0) * n / 360.0;
}

struct PositionCase {
    const char* what;
    double p;
    int format;
    int32_t pulseRate;
    const char* expected;
};

class PositionText : public testing::TestWithParam<PositionCase> {};

TEST_P(PositionText, MatchesTheField) {
    const PositionCase& c = GetParam();
    EXPECT_EQ(formatPosition(c.p, c.format, c.pulseRate), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    AllFormats, PositionText,
    testing::Values(
        PositionCase{"half turn, degrees", 2560000, 0, 1024, "180.0000\xC2\xB0 "},
        PositionCase{"half turn, whole seconds", 2560000, 1, 1024, "180\xC2\xB0 00' 00\""},
        PositionCase{"half turn, tenths", 2560000, 2, 1024, "180\xC2\xB0 00' 00.0\""},
        PositionCase{"half turn, linear", 2560000, 3, 1024, "256000.0 \xC2\xB5 "},
        PositionCase{"zero, degrees", 0, 0, 1024, "0.0000\xC2\xB0 "},
        PositionCase{"zero, seconds", 0, 1, 1024, "  0\xC2\xB0 00' 00\""},
        PositionCase{"small linear value keeps its field width", 5, 3, 1024, " 0.5 \xC2\xB5 "},
        PositionCase{"just below a full turn shows 0", 359.99996 * 5120000 / 360, 0, 1024,
                     "0.0000\xC2\xB0 "},
        PositionCase{"below the rounding limit stays", 359.99994 * 5120000 / 360, 0, 1024,
                     "359.9999\xC2\xB0 "},
        PositionCase{"last count of the finest bearing", 99999999, 0, 20000, "0.0000\xC2\xB0 "},
        PositionCase{"59.6 s carries to the next minute", countsOf(3600, 10, 20, 59.6), 1, 3600,
                     " 10\xC2\xB0 21' 00\""},
        PositionCase{"59.6 s stays with tenths", countsOf(3600, 10, 20, 59.6), 2, 3600,
                     " 10\xC2\xB0 20' 59.6\""},
        PositionCase{"59.4 s stays", countsOf(3600, 10, 20, 59.4), 1, 3600, " 10\xC2\xB0 20' 59\""},
        PositionCase{"59.96 s carries with tenths", countsOf(3600, 10, 20, 59.96), 2, 3600,
                     " 10\xC2\xB0 21' 00.0\""},
        PositionCase{"59.94 s stays with tenths", countsOf(3600, 10, 20, 59.94), 2, 3600,
                     " 10\xC2\xB0 20' 59.9\""},
        PositionCase{"seconds carry into the degrees", countsOf(3600, 10, 59, 59.7), 1, 3600,
                     " 11\xC2\xB0 00' 00\""},
        PositionCase{"seconds carry past 359 degrees", countsOf(3600, 359, 59, 59.7), 1, 3600,
                     "  0\xC2\xB0 00' 00\""},
        PositionCase{"one-digit seconds get a zero", countsOf(3600, 1, 2, 9.4), 1, 3600,
                     "  1\xC2\xB0 02' 09\""},
        PositionCase{"9.6 s rounds to two digits", countsOf(3600, 1, 2, 9.6), 1, 3600,
                     "  1\xC2\xB0 02' 10\""},
        PositionCase{"9.6 s with tenths", countsOf(3600, 1, 2, 9.6), 2, 3600,
                     "  1\xC2\xB0 02' 09.6\""},
        PositionCase{"9.96 s with tenths", countsOf(3600, 1, 2, 9.96), 2, 3600,
                     "  1\xC2\xB0 02' 10.0\""},
        PositionCase{"two-digit minutes", countsOf(3600, 1, 10, 30), 1, 3600,
                     "  1\xC2\xB0 10' 30\""},
        PositionCase{"unknown format shows degrees", 2560000, 7, 1024, "180.0000\xC2\xB0 "},
        PositionCase{"not a number shows zero", std::nan(""), 1, 1024, "  0\xC2\xB0 00' 00\""}),
    [](const testing::TestParamInfo<PositionCase>& info) {
        return "case" + std::to_string(info.index);
    });

struct SpeedCase {
    const char* what;
    double speed;
    int format;
    int32_t pulseRate;
    bool reversed;
    const char* expected;
};

class SpeedText : public testing::TestWithParam<SpeedCase> {};

TEST_P(SpeedText, MatchesTheField) {
    const SpeedCase& c = GetParam();
    EXPECT_EQ(formatSpeed(c.speed, c.format, c.pulseRate, c.reversed), c.expected) << c.what;
}

// With 12000 lines one unit of speed (10^6 counts/s) is exactly 1 rpm.
INSTANTIATE_TEST_SUITE_P(
    RpmAndMetres, SpeedText,
    testing::Values(
        SpeedCase{"tiny speed is cut to four decimals", 0.00009, 1, 1024, false, "0.00 rpm "},
        SpeedCase{"truncation, not rounding, on a coarse bearing", 0.00009, 1, 2, false,
                  "0.00 rpm "},
        SpeedCase{"four decimals kept", 0.00019, 1, 2, false, "0.60 rpm "},
        SpeedCase{"rest with reversed direction is not -0", 0.0, 1, 1024, true, "0.00 rpm "},
        SpeedCase{"below 1 rpm", 0.5, 0, 12000, false, "0.50 rpm "},
        SpeedCase{"exactly 1 rpm is the upper range", 1.0, 0, 12000, false, "1.0 rpm "},
        SpeedCase{"below 10 rpm", 5.25, 2, 12000, false, "5.2 rpm "},
        SpeedCase{"exactly 10 rpm is the upper range", 10.0, 1, 12000, false, " 10 rpm "},
        SpeedCase{"large", 123.4567, 1, 12000, false, "123 rpm "},
        SpeedCase{"reversed changes the sign", 0.5, 1, 12000, true, "-0.50 rpm "},
        SpeedCase{"reversed large", -10.0, 1, 12000, true, " 10 rpm "},
        SpeedCase{"negative large", -10.0, 1, 12000, false, "-10 rpm "},
        SpeedCase{"below 0.1 m/s", 0.5, 3, 1024, false, "0.050 m/s "},
        SpeedCase{"exactly 0.1 m/s is the upper range", 1.0, 3, 1024, false, "0.10 m/s "},
        SpeedCase{"below 1 m/s", 5.0, 3, 1024, false, "0.50 m/s "},
        SpeedCase{"exactly 1 m/s is the upper range", 10.0, 3, 1024, false, "1.0 m/s "},
        SpeedCase{"reversed m/s", 0.5, 3, 1024, true, "-0.050 m/s "},
        SpeedCase{"not a number", std::nan(""), 1, 1024, false, "0.00 rpm "},
        SpeedCase{"infinite", std::numeric_limits<double>::infinity(), 3, 1024, false,
                  "0.000 m/s "},
        SpeedCase{"minus infinite", -std::numeric_limits<double>::infinity(), 1, 1024, true,
                  "0.00 rpm "}),
    [](const testing::TestParamInfo<SpeedCase>& info) {
        return "case" + std::to_string(info.index);
    });

TEST(SpeedText, ExtremeValuesGiveWholeTexts) {
    const double extremes[] = {
        std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(), 1e300,
        std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::quiet_NaN()};
    for (double speed : extremes) {
        for (int32_t pulseRate : {-1, 0, 2, 1024, 20000, 1 << 30}) {
            for (int format : {0, 1, 2, 3, -1, 99}) {
                const std::string text = formatSpeed(speed, format, pulseRate, true);
                const std::string unit = format == 3 ? " m/s " : " rpm ";
                ASSERT_GE(text.size(), unit.size());
                EXPECT_EQ(text.substr(text.size() - unit.size()), unit) << speed;
            }
        }
    }
}

TEST(PositionText, ExtremeCountsGiveWholeTexts) {
    const double extremes[] = {-2147483648.0, 2147483647.0, 1e300, -1e300,
                               std::numeric_limits<double>::infinity()};
    for (double p : extremes) {
        for (int32_t pulseRate : {-7, 0, 2, 20000, 1 << 30}) {
            for (int format : {0, 1, 2, 3}) {
                EXPECT_FALSE(formatPosition(p, format, pulseRate).empty());
            }
        }
    }
}

TEST(PulseRate, KeptWithinTheConfiguredRange) {
    EXPECT_EQ(countsPerRevolution(1024), 5120000);
    EXPECT_EQ(countsPerRevolution(2), 10000);
    EXPECT_EQ(countsPerRevolution(0), 10000);
    EXPECT_EQ(countsPerRevolution(20000), 100000000);
    EXPECT_EQ(countsPerRevolution(1 << 30), 100000000);
}

TEST(PositionColours, DimmedWhileAOneRefBoxLooksForItsPosition) {
    struct Case {
        const char* boxType;
        const char* marker;
        bool dimmed;
    } cases[] = {
        {"QTBX02 (1Ref)", " Ref ", true},
        {"QTBX02 (1Ref)", "", true},
        {"QTBX02 (1Ref)", " Abs ", false},
        {"QTBX02 (1Ref)", "3 T ", false},
        {"QTBX01", "", false},
        {"QTBX01", " Ref ", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(positionDimmed(c.boxType, c.marker), c.dimmed) << c.boxType << c.marker;
    }
}

} // namespace
