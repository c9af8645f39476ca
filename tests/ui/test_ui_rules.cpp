// What the windows decide without a screen: reading the pulse-rate field,
// stepping it, and putting settings back.

#include "config/Texts.h"
#include "ui/PulseField.h"
#include "ui/SettingsSnapshot.h"
#include "ui/SpinButtons.h"

#include <gtest/gtest.h>

TEST(PulseField, LeadingDigitsAsASaturatingSignedNumber) {
    struct Case {
        const char* text;
        int64_t value;
    };
    for (const Case& c :
         {Case{"", 0}, Case{"1728", 1728}, Case{"  42", 42}, Case{"-5", -5}, Case{"+7", 7},
          Case{"12ab", 12}, Case{"abc", 0}, Case{"-", 0}, Case{"0000002", 2}}) {
        EXPECT_EQ(parsePulseField(c.text), c.value) << '"' << c.text << '"';
    }
    // Far too many digits: no overflow, still far above the largest rate.
    EXPECT_GT(parsePulseField("999999999999999999999999999999"), 20000);
    EXPECT_LT(parsePulseField("-999999999999999999999999999999"), 2);
}

TEST(SpinButtons, StepsWithinTheRangeAndWrapsAtTheEnds) {
    struct Case {
        long long current;
        int steps;
        int expected;
    };
    for (const Case& c : {Case{1728, 1, 1729}, Case{1728, -1, 1727}, Case{20000, 1, 2},
                          Case{2, -1, 20000}, Case{30000, 1, 2}, Case{0, -1, 20000}, Case{0, 1, 3},
                          Case{19999, 3, 3}, Case{5, -39998, 5}, Case{5, -40000, 3}}) {
        EXPECT_EQ(SpinButtons::steppedValue(c.current, c.steps, 2, 20000), c.expected)
            << c.current << " by " << c.steps;
    }
}

TEST(SettingsSnapshot, RestoresEverySettingAndTheLanguageButNotThePort) {
    ConfigData config;
    config.bearingType = "KAVO150/KAVOS150";
    config.pulseRate = 1344;
    config.displayFormat = 2;
    config.directionReversed = 1;
    config.language = 0;
    config.extDisplayMode = 2;
    config.portName = "\\\\.\\COM3";
    config.lastFile = "C:\\data\\";
    config.userLevel = "EXT";
    setLanguage(0);
    const SettingsSnapshot snapshot(config);

    config.bearingType = "User defined";
    config.pulseRate = 99;
    config.displayFormat = 0;
    config.directionReversed = 0;
    config.language = 3;
    setLanguage(3);
    config.extDisplayMode = 0;
    config.portName = "COM1";
    config.lastFile.clear();
    config.userLevel = "X";

    snapshot.restore(config);
    EXPECT_EQ(config.bearingType, "KAVO150/KAVOS150");
    EXPECT_EQ(config.pulseRate.load(), 1344);
    EXPECT_EQ(config.displayFormat, 2);
    EXPECT_EQ(config.directionReversed.load(), 1);
    EXPECT_EQ(config.language, 0);
    EXPECT_EQ(configData.language, 0);
    EXPECT_EQ(config.extDisplayMode, 2);
    // The port the search handed over meanwhile stays.
    EXPECT_EQ(config.portName, "COM1");
    EXPECT_EQ(config.lastFile, "C:\\data\\");
    EXPECT_EQ(config.userLevel, "EXT");
}
