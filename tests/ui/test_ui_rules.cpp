// What the windows decide without a screen: reading the pulse-rate field,
// stepping it, and putting settings back.

#include "config/Texts.h"
#include "ui/PulseField.h"
#include "ui/SettingsSnapshot.h"
#include "ui/SpinButtons.h"
#include "ui/WindowPlacement.h"

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

TEST(WindowPlacement, SideWindowsOpenNextToTheMainWindowAndOnTheScreen) {
    const QRect screen(0, 0, 1280, 690); // below it a task bar
    const QSize list(380, 330);
    const QSize extended(560, 300);
    struct Case {
        const char* what;
        QRect main;
        QSize size;
        DockSide side;
        QPoint expected;
    };
    for (const Case& c : {
             Case{"room on the right", {100, 50, 560, 470}, list, DockSide::Right, {660, 50}},
             Case{"no room on the right: left of it",
                  {700, 50, 560, 470},
                  list,
                  DockSide::Right,
                  {320, 50}},
             Case{"no room on either side: on the screen's right edge",
                  {300, 50, 800, 470},
                  list,
                  DockSide::Right,
                  {900, 50}},
             Case{"main window low on the screen",
                  {100, 500, 560, 470},
                  list,
                  DockSide::Right,
                  {660, 360}},
             Case{"room below", {100, 50, 560, 300}, extended, DockSide::Below, {100, 350}},
             Case{"no room below: above",
                  {100, 360, 560, 300},
                  extended,
                  DockSide::Below,
                  {100, 60}},
             Case{"no room above or below: on the bottom edge",
                  {100, 110, 560, 470},
                  extended,
                  DockSide::Below,
                  {100, 390}},
             Case{"main window past the right edge",
                  {1000, 50, 560, 300},
                  extended,
                  DockSide::Below,
                  {720, 350}},
         }) {
        EXPECT_EQ(placeNextTo(c.main, c.size, c.side, screen), c.expected) << c.what;
        EXPECT_TRUE(screen.contains(QRect(c.expected, c.size))) << c.what;
    }
}

TEST(WindowPlacement, AWindowLargerThanTheScreenKeepsItsTitleBarOnIt) {
    const QRect screen(1920, 0, 1024, 600); // a second screen
    EXPECT_EQ(keepInside(QRect(1500, -40, 800, 300), screen), QPoint(1920, 0));
    EXPECT_EQ(keepInside(QRect(2000, 100, 1200, 900), screen), QPoint(1920, 0));
    EXPECT_EQ(keepInside(QRect(2000, 100, 300, 200), screen), QPoint(2000, 100));
    // No screen known: left where it is.
    EXPECT_EQ(keepInside(QRect(-5, -5, 10, 10), QRect()), QPoint(-5, -5));
}
