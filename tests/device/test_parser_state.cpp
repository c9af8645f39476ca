#include "device/Head.h"
#include "support/ParserRig.h"

#include <cstdio>
#include <limits>
#include <string>

namespace {

std::string positionLine(int32_t position) {
    return "PA " + std::to_string(position) + " 0 0 0 0";
}

TEST(Smoothing, SmallStepsAreAveragedJumpsTakenAtOnce) {
    struct Case {
        int32_t state;
        int32_t position;
        int32_t accepted;
    };
    const Case cases[] = {
        {1000, 1000, 1000},
        {0, 1000, 1000},       // s = 125, far from 1000: taken at once
        {1000, 1004, 1000},    // s = 8004 / 8 = 1000, within 5
        {1000, 1040, 1040},    // s = 1005, 35 away
        {1000, 1005, 1000},    // s = 8005 / 8 = 1000, exactly 5 away
        {1000, 1006, 1006},    // s = 1000, 6 away: jump
        {-1000, -1004, -1000}, // -8004 / 8 truncates toward zero
        {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max(),
         std::numeric_limits<int32_t>::max()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.state) + " then " + std::to_string(c.position));
        ParserRig rig;
        rig.twoLetter();
        rig.parse(positionLine(c.state)); // from state 0 a jump: sets the state
        rig.parse(positionLine(c.state));
        ASSERT_EQ(rig.readings.rawPosition, c.state);
        rig.parse(positionLine(c.position));
        EXPECT_EQ(rig.readings.rawPosition, c.accepted);
    }
    // A steady small offset stays smoothed away.
    ParserRig rig;
    rig.twoLetter();
    rig.parse(positionLine(1000));
    rig.parse(positionLine(1004));
    rig.parse(positionLine(1004));
    EXPECT_EQ(rig.readings.rawPosition, 1000); // (1004 + 7000) / 8 = 1000 again
}

// Ten samples at 0 with one start time: completes an average that has no
// time, so the speed stays 0 and the next sample starts a fresh average.
void prime(ParserRig& rig, int32_t timeMs) {
    for (int i = 0; i < 10; ++i) {
        rig.parse(positionLine(0), timeMs);
    }
    ASSERT_DOUBLE_EQ(rig.readings.speed, 0.0);
}

TEST(Speed, MeanOverTenSamples) {
    ParserRig rig;
    rig.twoLetter();
    prime(rig, 100);
    for (int i = 1; i <= 9; ++i) {
        rig.parse(positionLine(i * 1000), 100 + i);
    }
    EXPECT_DOUBLE_EQ(rig.readings.speed, 0.0); // nine samples only
    rig.parse(positionLine(10000), 110);
    EXPECT_DOUBLE_EQ(rig.readings.speed, 1.0); // 10000 * 1000 / (10 * 1e6)
}

TEST(Speed, HalfTurnJumpsAreLeftOutAndZeroTimeKeepsTheSpeed) {
    ParserRig rig;
    rig.twoLetter();
    rig.config.pulseRate = 2; // half a turn is 5000 counts
    prime(rig, 0);
    for (int i = 1; i <= 10; ++i) {
        rig.parse(positionLine(i * 100), i * 10);
    }
    EXPECT_DOUBLE_EQ(rig.readings.speed, 1000.0 * 1000 / (100 * 1e6));

    // A jump of half a turn does not count as a sample.
    rig.parse(positionLine(1000 + 5000), 110);
    for (int i = 1; i <= 9; ++i) {
        rig.parse(positionLine(6000 - i * 200), 110 + i * 10);
    }
    EXPECT_DOUBLE_EQ(rig.readings.speed, 1000.0 * 1000 / (100 * 1e6));
    rig.parse(positionLine(6000 - 2000), 210);
    EXPECT_DOUBLE_EQ(rig.readings.speed, -2000.0 * 1000 / (100 * 1e6));

    // Ten lines with one start time: no defined speed, the old one stays.
    for (int i = 1; i <= 10; ++i) {
        rig.parse(positionLine(4000 + i * 10), 210);
    }
    EXPECT_DOUBLE_EQ(rig.readings.speed, -2000.0 * 1000 / (100 * 1e6));
}

TEST(Speed, ClockWrapDoesNotSpoilTheAverage) {
    ParserRig rig;
    rig.twoLetter();
    const int32_t start = std::numeric_limits<int32_t>::max() - 4;
    prime(rig, start);
    for (int i = 1; i <= 10; ++i) {
        const auto t = static_cast<int32_t>(static_cast<uint32_t>(start) + uint32_t(i));
        rig.parse(positionLine(i * 1000), t);
    }
    EXPECT_DOUBLE_EQ(rig.readings.speed, 1.0);
}

TEST(Speed, ReferenceMarkAfterPositionPollFeedsTheEstimateWithoutSmoothing) {
    ParserRig rig;
    rig.twoLetter();
    prime(rig, 0);
    for (int i = 1; i <= 10; ++i) {
        rig.pollStep = (i % 2 == 0) ? 1 : 2; // even lines answer a position poll
        const std::string line =
            (i % 2 == 0) ? "RM " + std::to_string(i * 1000) + " 0 0 0" : positionLine(i * 1000);
        rig.parse(line, i);
    }
    // Odd lines: position samples; even lines: reference marks after a poll.
    EXPECT_EQ(rig.readings.rawPosition, 10000);
    EXPECT_DOUBLE_EQ(rig.readings.speed, 1.0);
    // The reference mark set the smoothing state: a small step is averaged.
    rig.parse(positionLine(10004), 11);
    EXPECT_EQ(rig.readings.rawPosition, 10000);
}

TEST(Amplitude, StoredOnlyWithAPositiveDivisor) {
    struct Case {
        double offset;
        bool stored;
        double amplitude;
    };
    // Channels 300 and 400 (x16 on the line): root 500 / 5.12. The other
    // offset of the sensor is -50: the larger magnitude counts.
    const double root = 500.0 / 5.12;
    const Case cases[] = {
        {0.0, true, root * 505 / 455}, {-100.0, true, root * 505 / 405},
        {504.0, true, root * 505},     {505.0, false, 0.0},
        {600.0, false, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        ParserRig rig;
        rig.twoLetter();
        rig.readings.amplitudeYE = -1.0; // marks "not stored"
        rig.readings.dacOffsets[2] = c.offset;
        rig.readings.dacOffsets[3] = -50.0;
        rig.parse("PA 0 0 0 4800 6400");
        EventList expected = {{0, 0}};
        if (c.stored) {
            expected.push_back({7, 0});
        }
        expected.push_back({6, 0});
        EXPECT_EQ(rig.takeEvents(), expected);
        EXPECT_DOUBLE_EQ(rig.readings.amplitudeYE, c.stored ? c.amplitude : -1.0);
    }
}

TEST(Amplitude, NotUpdatedWhileNotificationsAreSuppressed) {
    ParserRig rig;
    rig.twoLetter();
    rig.link.notificationsSuppressed = true;
    rig.parse("PA 1000 160 320 480 640");
    EXPECT_EQ(rig.readings.rawPosition, 1000);
    EXPECT_DOUBLE_EQ(rig.readings.channelValues[3], 40.0);
    EXPECT_DOUBLE_EQ(rig.readings.amplitudeYE, 0.0);
    EXPECT_DOUBLE_EQ(rig.readings.amplitudeWH, 0.0);
    EXPECT_TRUE(rig.takeEvents().empty());

    // The one-letter amplitude lines store in any case.
    rig.oneLetter();
    rig.parse("A1 400");
    EXPECT_DOUBLE_EQ(rig.readings.amplitudeWH, 20.0);
    EXPECT_TRUE(rig.takeEvents().empty());
}

TEST(Notification, PositionComesBeforeTheAmplitudesAreStored) {
    ParserRig rig;
    rig.twoLetter();
    std::vector<double> yellowSeen;
    rig.notifier.onEvent = [&](int, int) {
        // The main window reads the readings while the parser waits.
        std::lock_guard<std::mutex> lock(rig.readingsMutex);
        yellowSeen.push_back(rig.readings.amplitudeYE);
    };
    rig.parse("PA 1000 0 0 480 640");
    ASSERT_EQ(yellowSeen.size(), 3u);
    EXPECT_DOUBLE_EQ(yellowSeen[0], 0.0);
    EXPECT_DOUBLE_EQ(yellowSeen[1], 50.0 / 5.12);
}

TEST(Notification, ReferenceFoundComesBeforeTheStatusIsStored) {
    ParserRig rig;
    rig.twoLetter();
    std::vector<int32_t> statusSeen;
    rig.notifier.onEvent = [&](int, int) { statusSeen.push_back(rig.readings.statusWord); };
    rig.parse("ST 0000000000100011");
    EXPECT_EQ(statusSeen, (std::vector<int32_t>{0, 0x23}));
}

TEST(StatusStartUp, TwoLetterFirstLinesAfterRestartAreNotReady) {
    ParserRig rig;
    rig.twoLetter();
    rig.link.boxStarting = true;
    rig.link.statusRestart = true;
    const char* line = "ST 0000000000000011";
    rig.parse(line);
    EXPECT_FALSE(rig.link.boxStarting);
    EXPECT_TRUE(rig.link.statusRestart);
    rig.parse(line);
    EXPECT_FALSE(rig.link.statusRestart);
    rig.parse(line);
    EXPECT_EQ(rig.takeEvents(), (EventList{{5, 0}, {5, 19}, {5, 19}}));

    // A new restart starts over; a bad line does not count.
    rig.link.boxStarting = true;
    rig.link.statusRestart = true;
    rig.parse("ST 0000000000000021");
    EXPECT_TRUE(rig.link.boxStarting);
    rig.parse(line);
    rig.parse(line);
    EXPECT_EQ(rig.takeEvents(), (EventList{{5, 0}, {5, 19}}));
}

TEST(StatusStartUp, TwoLetterFirstLineEverIsNotReady) {
    ParserRig rig;
    rig.twoLetter();
    rig.parse("ST 0000000000000011");
    rig.parse("ST 0000000000000011");
    EXPECT_EQ(rig.takeEvents(), (EventList{{5, 0}, {5, 19}}));
}

TEST(StatusStartUp, OneLetterPhaseLastsFifteenLines) {
    ParserRig rig;
    rig.oneLetter();
    rig.link.statusRestart = true;
    rig.readings.errorFlags = 0x55;
    rig.parse("E 1111111111111111"); // starts the phase: flags 0 whatever the line says
    EXPECT_TRUE(rig.link.boxStarting);
    EXPECT_FALSE(rig.link.statusRestart);
    EXPECT_EQ(rig.readings.errorFlags, 0);

    for (int i = 0; i < 13; ++i) {
        rig.parse("E 0000000000000101");
    }
    rig.parse("E 00000000000002"); // a bad line still counts down, silently
    EXPECT_TRUE(rig.link.boxStarting);
    EXPECT_EQ(rig.readings.errorFlags, 5);
    rig.parse("E 1000000000000000");
    EXPECT_FALSE(rig.link.boxStarting);
    EXPECT_EQ(rig.readings.errorFlags, 0x8000);

    EventList expected(14, {5, 0});
    expected.push_back({5, 18});
    EXPECT_EQ(rig.takeEvents(), expected);
}

TEST(StatusStartUp, OneLetterBadLineAfterThePhaseChangesNothing) {
    ParserRig rig;
    rig.oneLetter();
    rig.link.boxStarting = true;
    for (int i = 0; i < 15; ++i) {
        rig.parse("E x");
    }
    EXPECT_TRUE(rig.link.boxStarting);
    rig.parse("E x"); // the countdown is over: the phase ends even on a bad line
    EXPECT_FALSE(rig.link.boxStarting);
    EXPECT_EQ(rig.readings.errorFlags, 0);
    EXPECT_TRUE(rig.takeEvents().empty());
    rig.parse("E 0000000000000011");
    EXPECT_EQ(rig.takeEvents(), (EventList{{5, 18}}));
}

} // namespace

namespace {

TEST(LineBuffer, AnyByteStringIsSafeInEveryMode) {
    const std::string longLine = "PA 1 2 3 4 5" + std::string(1000, '7');
    std::string allBytes;
    for (int b = 255; b >= 1; --b) {
        allBytes += static_cast<char>(b);
    }
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE(mode);
        ParserRig rig;
        if (mode == 0) {
            rig.identification();
        } else if (mode == 1) {
            rig.twoLetter();
        } else {
            rig.oneLetter();
        }
        rig.parse(std::string_view{});
        rig.parse(allBytes);
        rig.parse(longLine);
        rig.parse(std::string_view("ST\0"
                                   "0000000000000011",
                                   19));
        EXPECT_EQ(rig.readings.statusWord, 0); // the NUL ended the line
    }
}

} // namespace

TEST(Speed, ReferenceMarkInAbsoluteModeKeepsTheSpeedSteady) {
    // Marks and positions carry the same shift: a mark is no jump of 20000.
    ParserRig rig;
    rig.twoLetter();
    rig.readings.absolutePositionMode = true;
    for (int i = 0; i < 10; ++i) {
        rig.parse(positionLine(20000), 0);
    }
    for (int i = 1; i <= 10; ++i) {
        rig.pollStep = (i % 2 == 0) ? 1 : 2;
        const std::string line = (i % 2 == 0) ? "RM " + std::to_string(20000 + i * 1000) + " 0 0 0"
                                              : positionLine(20000 + i * 1000);
        rig.parse(line, i);
    }
    EXPECT_EQ(rig.readings.rawPosition, 10000);
    EXPECT_DOUBLE_EQ(rig.readings.speed, 1.0);
}

// The three ways the program names a read head must agree: the bar commands'
// letters and codes, and the channel numbers of its sensors.
TEST(Head, LetterCodeAndChannelNameTheSameHead) {
    const struct {
        Head head;
        char letter;
        int code;
        int firstChannel;
    } heads[] = {{Head::WH, 'W', 87, 0}, {Head::YE, 'Y', 89, 2}};
    for (const auto& h : heads) {
        EXPECT_EQ(headLetter(h.head), h.letter);
        EXPECT_EQ(headCode(h.head), h.code);
        EXPECT_EQ(headFirstChannel(h.head), h.firstChannel);
        EXPECT_EQ(headFromLetter(h.letter), h.head);
        EXPECT_EQ(headFromCode(h.code), h.head);
        EXPECT_EQ(headWithFirstChannel(h.firstChannel), h.head);
    }
    for (char letter : {'R', 'P', 'w', 'y', '\0'})
        EXPECT_FALSE(headFromLetter(letter)) << letter;
    for (double code : {0.0, 86.0, 87.5, 88.0, 90.0, -87.0})
        EXPECT_FALSE(headFromCode(code)) << code;
    for (int channel : {-1, 1, 3, 4})
        EXPECT_FALSE(headWithFirstChannel(channel)) << channel;
}
