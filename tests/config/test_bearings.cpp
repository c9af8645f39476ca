// The bearing table: lookups, the setup dialog's confirmation and the range
// of pulse rates the parser accepts.

#include "config/Bearings.h"
#include "support/ConfigSet.h"

#include <gtest/gtest.h>

namespace {

// The built-in rows and "User defined", as a first start has them.
struct Table : ConfigSet {
    Table() { useBuiltInBearings(); }
};

} // namespace

TEST(Bearings, BuiltInRowsEndWithUserDefined) {
    Table t;
    ASSERT_EQ(t.count, 7);
    EXPECT_EQ(t.table[0].name, "KAVO150/KAVOS150");
    EXPECT_EQ(t.table[0].pulses, 1344);
    EXPECT_EQ(t.table[7].name, "User defined");
    EXPECT_EQ(t.table[7].pulses, 1728);
    for (int i = 0; i <= 7; ++i) {
        EXPECT_EQ(t.table[i].count, 7);
    }
}

TEST(Bearings, LookupByNameIsAPrefixWithoutCase) {
    Table t;
    struct Case {
        const char* type;
        int row;
    };
    const Case cases[] = {
        {"KAVO180/KAVOS180", 1},
        {"kavo180", 1},
        {"KAVO", 0},
        {"user", 7},
        {"User", 7},
        {"nothing", 0},
        {"", 0},
        {"KAVO460/KAVOS460 x", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findBearingByName(t.table, t.count, c.type), c.row) << c.type;
    }
}

TEST(Bearings, DetectedPulseRateSelectsTheFirstMatchingRow) {
    Table t;
    t.table[3].pulses = 1536; // a second row with the same rate
    t.table[7].pulses = 999;
    ConfigData config;
    config.bearingType = "KAVO460/KAVOS460";
    config.pulseRate = 3504;

    EXPECT_TRUE(applyDetectedPulseRate(config, t.table, t.count, 1536));
    EXPECT_EQ(config.bearingType, "KAVO180/KAVOS180");
    EXPECT_EQ(config.pulseRate, 1536);

    EXPECT_TRUE(applyDetectedPulseRate(config, t.table, t.count, 999));
    EXPECT_EQ(config.bearingType, "User defined");
    EXPECT_EQ(config.pulseRate, 999);

    EXPECT_FALSE(applyDetectedPulseRate(config, t.table, t.count, 1234));
    EXPECT_EQ(config.bearingType, "User defined");
    EXPECT_EQ(config.pulseRate, 999);
}

TEST(Bearings, ConfirmingHoldsThePulseRateToItsRange) {
    struct Case {
        int row;
        int64_t field;
        int32_t pulses;
        const char* type;
    };
    const Case cases[] = {
        {7, 1, 2, "User defined"},         {7, 0, 2, "User defined"},
        {7, 30000, 20000, "User defined"}, {7, 25000, 20000, "User defined"},
        {7, -5, 2, "User defined"},        {7, 5000000000LL, 20000, "User defined"},
        {7, 640, 640, "User defined"},     {1, 9999, 1536, "KAVO180/KAVOS180"},
    };
    for (const Case& c : cases) {
        Table t;
        ConfigData config;
        RelaxedAtomic<int32_t> lo{0};
        RelaxedAtomic<int32_t> hi{0};
        EXPECT_EQ(confirmBearingSelection(config, t.table, t.count, c.row, c.field, lo, hi),
                  c.pulses);
        EXPECT_EQ(config.pulseRate, c.pulses);
        EXPECT_EQ(t.table[c.row].pulses, c.pulses);
        EXPECT_EQ(config.bearingType, c.type);
        EXPECT_EQ(lo, std::min(1344, t.table[7].pulses)) << c.field;
        EXPECT_EQ(hi, std::max(3504, t.table[7].pulses)) << c.field;
    }
}

TEST(Bearings, ConfirmingTakesAtMostEighteenCharactersOfTheName) {
    Table t;
    t.table[2].name = "ABCDEFGHIJKLMNOPQRS"; // 19
    ConfigData config;
    RelaxedAtomic<int32_t> lo;
    RelaxedAtomic<int32_t> hi;
    confirmBearingSelection(config, t.table, t.count, 2, 0, lo, hi);
    EXPECT_EQ(config.bearingType, "ABCDEFGHIJKLMNOPQR");
}

TEST(Bearings, RangeCoversTheUserDefinedRow) {
    Table t;
    RelaxedAtomic<int32_t> lo;
    RelaxedAtomic<int32_t> hi;
    updatePulseRateRange(t.table, t.count, lo, hi);
    EXPECT_EQ(lo, 1344);
    EXPECT_EQ(hi, 3504);
    t.table[7].pulses = 20000;
    updatePulseRateRange(t.table, t.count, lo, hi);
    EXPECT_EQ(hi, 20000);
    t.table[7].pulses = 2;
    updatePulseRateRange(t.table, t.count, lo, hi);
    EXPECT_EQ(lo, 2);
    EXPECT_EQ(hi, 3504);
}
