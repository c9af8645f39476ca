// The simulated box's lines, read back by the program's own line parser: the
// values the program computes must be the ones the model intends.

#include "boxsim/BoxModel.h"
#include "boxsim/BoxSimulator.h"
#include "boxsim/ControlCommands.h"
#include "device/LineParser.h"
#include "device/ReadingsReset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <numbers>
#include <poll.h>
#include <set>
#include <unistd.h>
#include <vector>

using namespace boxsim;
using namespace std::chrono_literals;

namespace {

class NullNotifier : public LinkNotifier {
public:
    std::vector<std::pair<int, int>> events;
    void deviceEvent(int code, int param) override { events.push_back({code, param}); }
    void linkEnded() override {}
    void noSerialData() override {}
    void boxRestart() override {}
    void showDeletingText() override {}
    void resetReadings() override {}
    bool saw(int code, int param = -1) const {
        for (auto [c, p] : events)
            if (c == code && (param < 0 || p == param))
                return true;
        return false;
    }
};

// The model on a clock of its own and the program's parser reading its lines.
struct Rig {
    explicit Rig(Dialect dialect = Dialect::TwoLetter) : model(identity(dialect)) {
        link.notificationsSuppressed = false;
        resetDeviceReadings(readings, link);
        // No reader thread here: the input it would drain is empty.
        link.purgeRequest = false;
    }
    static BoxIdentity identity(Dialect d) {
        BoxIdentity id;
        id.dialect = d;
        return id;
    }
    // Sends a command, parses the answer (if any) and returns it.
    std::string ask(const std::string& cmd) {
        auto line = model.command(cmd, now);
        if (line)
            parser.parseLine(*line, int32_t(ms));
        return line.value_or("");
    }
    std::string poll() {
        auto line = model.commandByte('3', now);
        if (line)
            parser.parseLine(*line, int32_t(ms));
        return line.value_or("");
    }
    void pass(std::chrono::milliseconds d) {
        now += d;
        ms += d.count();
    }

    Clock::time_point now = Clock::time_point{} + 1h;
    int64_t ms = 1000;
    BoxModel model;
    DeviceReadings readings;
    std::mutex mutex;
    LinkControl link;
    ConfigData config;
    RelaxedAtomic<int32_t> minRate{100}, maxRate{20000};
    int32_t pollStep = 1;
    NullNotifier notifier;
    LineParser parser{readings, mutex, link, config, minRate, maxRate, pollStep, notifier};
};

TEST(BoxModel, TwoLetterLinesGiveTheProgramTheModelsValues) {
    Rig rig;
    EXPECT_EQ(rig.ask("M9"), "FW 2.10 01000010 4711");
    EXPECT_TRUE(rig.link.newProtocol);
    EXPECT_STREQ(rig.readings.boxTypeText, "QTBX02 (1Ref)");
    rig.pass(2s); // offsets back from flash

    rig.ask("M2");
    EXPECT_EQ(rig.readings.errorFlags, 0);
    rig.ask("M3"); // offsets first: the amplitude formula needs them
    rig.ask("M7");
    EXPECT_EQ(rig.readings.detectedPulseRate, 1728);
    EXPECT_TRUE(rig.readings.absolutePositionMode) << "a taught 1Ref box";

    for (int i = 0; i < 20; ++i) {
        rig.pass(7ms);
        ASSERT_EQ(rig.ask("M*").rfind("PA ", 0), 0u);
        EXPECT_NEAR(rig.readings.amplitudeYE, rig.model.amplitude(Sensor::Yellow, rig.now), 0.2);
        EXPECT_NEAR(rig.readings.amplitudeWH, rig.model.amplitude(Sensor::White, rig.now), 0.2);
    }
    // Three shims give about 62 %: inside the teach-in band of 45..80.
    EXPECT_GT(rig.readings.amplitudeYE, 55.0);
    EXPECT_LT(rig.readings.amplitudeYE, 70.0);

    rig.ask("M5");
    EXPECT_NEAR(rig.readings.channelFactors[0], rig.model.channelFactor(0, rig.now), 2e-4);
    rig.ask("MA");
    EXPECT_STREQ(rig.readings.serialTextB, "ORVA-2041-0042");
}

TEST(BoxModel, FaultsShowInTheProgramsFlagWord) {
    struct Case {
        const char* what;
        std::function<void(BoxModel&, Clock::time_point)> change;
        int32_t flags;
    };
    const Case cases[] = {
        {"all well", [](BoxModel&, auto) {}, 0},
        {"white unplugged", [](BoxModel& m, auto) { m.setPlugged(Sensor::White, false); }, 0x3001},
        {"yellow unplugged", [](BoxModel& m, auto) { m.setPlugged(Sensor::Yellow, false); },
         0x5010},
        {"yellow too close", [](BoxModel& m, auto) { m.setShims(Sensor::Yellow, 0); }, 0x0050},
        {"too fast for offsets", [](BoxModel& m, auto t) { m.setSpeedRpm(300, t); }, 0x0088},
        {"beyond the maximum speed", [](BoxModel& m, auto t) { m.setSpeedRpm(1500, t); }, 0x008A},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.ask("M9");
        rig.pass(2s);
        c.change(rig.model, rig.now);
        rig.pass(100ms);
        rig.ask("M2");
        EXPECT_EQ(rig.readings.errorFlags, c.flags) << c.what;
    }
}

TEST(BoxModel, TheShaftTurnsAndPassesItsReferenceMark) {
    Rig rig;
    rig.ask("M9");
    rig.pass(2s);
    int64_t c0 = rig.model.counter(rig.now);
    rig.model.setSpeedRpm(60.0, rig.now);
    rig.pass(1s);
    EXPECT_EQ(rig.model.counter(rig.now) - c0, 1728 * 5000) << "one turn per second";
    EXPECT_EQ(rig.model.referenceMarksPassed(), 1);

    // The next position poll reports the mark, the next status its finding.
    rig.pollStep = 1;
    EXPECT_EQ(rig.ask("M*").rfind("RM ", 0), 0u);
    EXPECT_TRUE(rig.notifier.saw(20));
    rig.ask("M2");
    EXPECT_TRUE(rig.notifier.saw(9)) << "reference found";
    EXPECT_EQ(rig.readings.statusWord & 0x30, 0x30);
    rig.ask("M2");
    EXPECT_EQ(rig.readings.statusWord & 0x20, 0) << "reported once";

    rig.pass(1s);
    rig.ask("M*");
    EXPECT_EQ(rig.readings.refDistance, 1728 * 5000) << "one turn between marks";
}

TEST(BoxModel, ResetAndEraseRunTheRestartSequence) {
    Rig rig;
    rig.ask("M9");
    rig.pass(2s);
    EXPECT_EQ(rig.ask("ME"), "");
    EXPECT_EQ(rig.ask("M*"), "") << "silent while it starts";
    EXPECT_FALSE(rig.model.takeAnnouncement(rig.now));
    rig.pass(300ms);
    auto first = rig.model.takeAnnouncement(rig.now);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, "ST 0000000000000000") << "offsets not yet back";
    EXPECT_FALSE(rig.model.takeAnnouncement(rig.now)) << "once";
    rig.pass(1s);
    EXPECT_EQ(rig.ask("M2"), "ST 0000000010000011");

    // Erase: the box forgets its teach-in.
    rig.ask("MR");
    rig.pass(2s);
    EXPECT_EQ(rig.ask("M9"), "FW 2.10 01000010 0");
    EXPECT_STREQ(rig.readings.boxInfoText, "0*");
    EXPECT_EQ(rig.ask("M2"), "ST 0000000000000000");
}

// The teach-in as the wizard watches it: what the program reads from one full
// poll cycle of the box.
struct TeachView {
    bool noOffsets;    // errorFlags 0x1000
    bool offsetsShown; // DAC offsets reported
    std::string info;  // boxInfoText with its marker
    bool marked;
    std::string refPhase;
    bool absolute;
    int32_t flags;
};

TeachView pollCycle(Rig& rig) {
    for (const char* cmd : {"M2", "M3", "M6", "M7", "M9", "M*"})
        rig.ask(cmd);
    const DeviceReadings& r = rig.readings;
    return {(r.errorFlags & 0x1000) != 0,
            r.dacOffsets[0] != 0 && r.dacOffsets[2] != 0,
            r.boxInfoText,
            r.boxInfoMarked,
            r.refPhaseText,
            r.absolutePositionMode,
            r.errorFlags};
}

struct KindCase {
    BoxKind kind;
    const char* typeText;
    bool reference;
    bool absolute;
};
const KindCase kKinds[] = {
    {BoxKind::CodedReference, "QTBX02 (1Ref)", true, true},
    {BoxKind::Reference, "QTBX01", true, false},
    {BoxKind::NoReference, "ORVA-U NoRef", false, false},
};

// A rig whose box of the kind has just been erased and has restarted.
void eraseBox(Rig& rig, BoxKind kind) {
    rig.model.setKind(kind);
    rig.model.setEccentricity(0.0);
    rig.ask("M9");
    rig.pass(2s);
    rig.ask("MR");
    rig.pass(2s);
}

double degreesTurned(Rig& rig, int64_t from) {
    return double(rig.model.counter(rig.now) - from) * 360.0 / (1728.0 * 5000.0);
}

TEST(BoxTeachIn, AtThreeRpmTheBoxLearnsOffsetsThenReferenceThenAbsolutePosition) {
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(k.typeText);
        Rig rig;
        eraseBox(rig, k.kind);
        EXPECT_STREQ(rig.readings.boxTypeText, k.typeText);
        TeachView v = pollCycle(rig);
        EXPECT_TRUE(v.noOffsets);
        EXPECT_FALSE(v.offsetsShown);
        EXPECT_EQ(v.info, "0*") << "blank";
        EXPECT_TRUE(v.marked);
        EXPECT_EQ(v.refPhase, "");
        EXPECT_FALSE(v.absolute);
        EXPECT_EQ(rig.model.teachPhase(rig.now), TeachPhase::Blank);

        // 3 rpm is 18 degrees a second: about half a degree per poll cycle.
        rig.model.setSpeedRpm(3.0, rig.now);
        const int64_t start = rig.model.counter(rig.now);
        double offsetsAt = -1, referenceAt = -1, absoluteAt = -1;
        while (degreesTurned(rig, start) < 120.0) {
            rig.pass(25ms);
            v = pollCycle(rig);
            const double turned = degreesTurned(rig, start);
            if (offsetsAt < 0 && !v.noOffsets) {
                offsetsAt = turned;
                EXPECT_TRUE(v.offsetsShown);
                EXPECT_EQ(v.refPhase, "") << "offsets first";
            }
            if (referenceAt < 0 && !v.refPhase.empty()) {
                referenceAt = turned;
                EXPECT_FALSE(v.absolute) << "then the reference";
            }
            if (absoluteAt < 0 && v.absolute)
                absoluteAt = turned;
            if (offsetsAt >= 0) {
                // Learned, not yet written: the box marks its info with "^".
                EXPECT_EQ(v.info, "4711^") << turned;
                EXPECT_TRUE(v.marked);
                EXPECT_EQ(v.flags, 0) << turned;
            }
        }
        EXPECT_NEAR(offsetsAt, 10.0, 1.0);
        if (k.reference)
            EXPECT_NEAR(referenceAt, offsetsAt + 15.0, 1.0);
        else
            EXPECT_LT(referenceAt, 0);
        if (k.absolute) {
            EXPECT_GE(absoluteAt, referenceAt + 30.0);
            EXPECT_LE(absoluteAt, referenceAt + 61.0);
        } else {
            EXPECT_LT(absoluteAt, 0);
        }
        EXPECT_EQ(rig.model.teachPhase(rig.now), TeachPhase::Taught);
    }
}

TEST(BoxTeachIn, AWriteKeepsTheTeachInAndAResetWithoutOneLosesIt) {
    for (const KindCase& k : kKinds) {
        for (bool write : {true, false}) {
            SCOPED_TRACE(std::string(k.typeText) + (write ? ", written" : ", not written"));
            Rig rig;
            eraseBox(rig, k.kind);
            rig.model.setSpeedRpm(3.0, rig.now);
            rig.pass(6s); // 108 degrees: all there is to learn
            rig.model.setSpeedRpm(0.0, rig.now);
            ASSERT_EQ(rig.model.teachPhase(rig.now), TeachPhase::Taught);
            if (write) {
                rig.ask("MW");
                EXPECT_EQ(rig.model.teachPhase(rig.now), TeachPhase::Stored);
            }
            rig.ask("ME");
            rig.pass(2s);
            const TeachView v = pollCycle(rig);
            if (write) {
                EXPECT_EQ(v.info, "4711") << "stored: no marker";
                EXPECT_FALSE(v.marked);
                EXPECT_FALSE(v.noOffsets);
                EXPECT_TRUE(v.offsetsShown);
                EXPECT_EQ(v.absolute, k.absolute) << "a taught 1Ref box knows its position";
                EXPECT_EQ(rig.model.teachPhase(rig.now), TeachPhase::Stored);
            } else {
                EXPECT_EQ(v.info, "0*") << "blank again";
                EXPECT_TRUE(v.noOffsets);
                EXPECT_FALSE(v.absolute);
                EXPECT_EQ(rig.model.teachPhase(rig.now), TeachPhase::Blank);
            }
        }
    }
}

TEST(BoxTeachIn, TooFastAnUnpluggedHeadOrAHeadOutOfItsBandStopTheLearning) {
    struct Case {
        const char* what;
        std::function<void(BoxModel&)> fault;
        double rpm;
        int32_t flags; // what the program reads while it lasts
    };
    const Case cases[] = {
        {"too fast", [](BoxModel&) {}, 4.0, 0x1088},
        {"too fast backwards", [](BoxModel&) {}, -4.0, 0x1088},
        {"white unplugged", [](BoxModel& m) { m.setPlugged(Sensor::White, false); }, 2.0, 0x3001},
        {"yellow unplugged", [](BoxModel& m) { m.setPlugged(Sensor::Yellow, false); }, 2.0, 0x5010},
        {"yellow too close", [](BoxModel& m) { m.setShims(Sensor::Yellow, 0); }, 2.0, 0x1050},
        {"white too far", [](BoxModel& m) { m.setShims(Sensor::White, 10); }, 2.0, 0x1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        eraseBox(rig, BoxKind::CodedReference);
        c.fault(rig.model);
        rig.model.setSpeedRpm(c.rpm, rig.now);
        for (int i = 0; i < 40; ++i) { // 40 degrees at 4 rpm
            rig.pass(40ms);
            const TeachView v = pollCycle(rig);
            EXPECT_EQ(v.flags, c.flags);
            EXPECT_EQ(v.info, "0*");
        }
        EXPECT_EQ(rig.model.teachPhase(rig.now), TeachPhase::Blank) << "it starts again";

        // Once the fault is gone the box learns as usual.
        rig.model.setPlugged(Sensor::White, true);
        rig.model.setPlugged(Sensor::Yellow, true);
        rig.model.setShims(Sensor::White, 3);
        rig.model.setShims(Sensor::Yellow, 3);
        rig.model.setSpeedRpm(2.0, rig.now);
        rig.pass(1s); // 12 degrees
        EXPECT_FALSE(pollCycle(rig).noOffsets);
    }

    // Too fast after the offsets: the box keeps them, says it cannot follow,
    // and learns the reference only from the slow travel after it.
    Rig rig;
    eraseBox(rig, BoxKind::Reference);
    rig.model.setSpeedRpm(3.0, rig.now);
    rig.pass(700ms); // 12.6 degrees
    ASSERT_EQ(rig.model.teachPhase(rig.now), TeachPhase::LearningReference);
    rig.model.setSpeedRpm(10.0, rig.now);
    rig.pass(1s); // 60 degrees
    TeachView v = pollCycle(rig);
    EXPECT_EQ(v.flags, 0x0088);
    EXPECT_EQ(v.refPhase, "");
    rig.model.setSpeedRpm(3.0, rig.now);
    rig.pass(700ms);
    EXPECT_EQ(pollCycle(rig).refPhase, "") << "12.6 of 15 degrees";
    rig.pass(200ms);
    EXPECT_NE(pollCycle(rig).refPhase, "");
}

// What the extended display shows of one head while the box is polled as the
// program polls it: offsets, channel values, factors and the amplitude.
struct HeadFigures {
    double offset;    // larger magnitude of the head's two offsets, program units
    double signal;    // radius of its two channel values, program units
    double factor;    // factor of its first channel
    double amplitude; // what the program computes
};

HeadFigures yellowFigures(Rig& rig) {
    rig.ask("M3");
    rig.ask("M4");
    rig.ask("M5");
    rig.ask("M*");
    const auto& r = rig.readings;
    return {std::max(std::fabs(r.dacOffsets[2]), std::fabs(r.dacOffsets[3])),
            std::hypot(r.channelValues[2], r.channelValues[3]), r.channelFactors[2], r.amplitudeYE};
}

TEST(BoxModel, OffsetsSignalsAndFactorsFollowTheShims) {
    Rig rig;
    rig.ask("M9");
    rig.pass(2s);
    rig.model.setEccentricity(0.0);
    HeadFigures previous{};
    for (int shims : {6, 3, 0}) {
        rig.model.setShims(Sensor::Yellow, shims);
        rig.pass(20ms);
        const HeadFigures f = yellowFigures(rig);
        EXPECT_NEAR(f.amplitude, rig.model.amplitude(Sensor::Yellow, rig.now), 0.2)
            << "the amplitude formula with the offsets the box sent, " << shims << " shims";
        if (shims != 6) {
            // Closer to the washer: a stronger field, a larger bias to offset,
            // larger signals and less gain needed.
            EXPECT_GT(f.offset, previous.offset) << shims << " shims";
            EXPECT_GT(f.signal, previous.signal) << shims << " shims";
            EXPECT_LT(f.factor, previous.factor) << shims << " shims";
        }
        previous = f;
    }
    // Without shims the channel values swing past the extended display's limit.
    EXPECT_GE(previous.signal, 505.0);

    rig.model.setPlugged(Sensor::Yellow, false);
    rig.pass(20ms);
    const HeadFigures open = yellowFigures(rig);
    EXPECT_EQ(open.offset, 0.0) << "no offsets for an unplugged head";
    EXPECT_NEAR(open.factor, 32767.0 / 8192.0, 1e-9) << "the gain at its limit";
}

TEST(BoxModel, OffsetsAndFactorsSwingWithTheEccentricWasherAndHoldAtStandstill) {
    Rig rig;
    rig.ask("M9");
    rig.pass(2s);
    rig.model.setEccentricity(0.2);
    // Standstill: the same figures every time (but for the signal's noise).
    const HeadFigures still = yellowFigures(rig);
    rig.pass(500ms);
    const HeadFigures again = yellowFigures(rig);
    EXPECT_EQ(again.offset, still.offset);
    EXPECT_EQ(again.factor, still.factor);

    // One turn a second, looked at every 50 ms.
    rig.model.setSpeedRpm(60.0, rig.now);
    double offsetLow = 1e9, offsetHigh = 0, factorLow = 1e9, factorHigh = 0;
    for (int i = 0; i < 20; ++i) {
        rig.pass(50ms);
        const HeadFigures f = yellowFigures(rig);
        offsetLow = std::min(offsetLow, f.offset);
        offsetHigh = std::max(offsetHigh, f.offset);
        factorLow = std::min(factorLow, f.factor);
        factorHigh = std::max(factorHigh, f.factor);
    }
    // +-20 % of the field: half of the offset follows it, all of the factor.
    EXPECT_GT(offsetHigh / offsetLow, 1.15);
    EXPECT_LT(offsetHigh / offsetLow, 1.25);
    EXPECT_GT(factorHigh / factorLow, 1.35);
    EXPECT_LT(factorHigh / factorLow, 1.55);
    // Each mark's signal heights scatter a little around the mark's own.
    EXPECT_NEAR(rig.readings.refValues[4], 121.0, 1.5);
    EXPECT_NEAR(rig.readings.refValues[5], -117.0, 1.5);
}

// What the program's noise display shows: the larger value, divided by 100
// for a current box and by 10 for an older one.
double shownNoise(const Rig& rig) {
    const double larger = std::max(rig.readings.interferenceA, rig.readings.interferenceB);
    return rig.link.newProtocol ? larger / 100.0 : larger / 10.0;
}

TEST(BoxModel, NoiseShowsTheSameInBothDialectsAndRisesWhenTheShaftTurnsOrAHeadIsOpen) {
    struct Case {
        const char* what;
        double rpm;
        bool unplugWhite;
        double low, high; // what the program shows
    };
    const Case cases[] = {
        {"standstill", 0, false, 1.5 * 0.9 - 0.1, 1.5 * 1.1 + 0.1},
        {"turning shaft", 10, false, 5.0, 6.0},
        {"open input", 0, true, 20.0, 30.0}, // the program stops the measurement
    };
    for (Dialect dialect : {Dialect::TwoLetter, Dialect::OneLetter}) {
        for (const Case& c : cases) {
            Rig rig(dialect);
            if (dialect == Dialect::TwoLetter)
                rig.ask("M9");
            else
                rig.poll();
            rig.pass(2s);
            rig.model.setInterference(150, 120);
            rig.model.setSpeedRpm(c.rpm, rig.now);
            rig.model.setPlugged(Sensor::White, !c.unplugWhite);
            std::set<double> seen;
            for (int i = 0; i < 8; ++i) {
                rig.pass(20ms);
                if (dialect == Dialect::TwoLetter) {
                    rig.ask("M8");
                } else {
                    // The old box measures while it restarts after 0xA0.
                    rig.model.commandByte(0xA0, rig.now);
                    rig.pass(300ms);
                    rig.model.takeAnnouncement(rig.now);
                    EXPECT_EQ(rig.poll().rfind("PD ", 0), 0u) << c.what;
                }
                const double shown = shownNoise(rig);
                EXPECT_GE(shown, c.low) << c.what;
                EXPECT_LE(shown, c.high) << c.what;
                seen.insert(shown);
            }
            EXPECT_GT(seen.size(), 1u) << c.what << ": every measurement scatters";
        }
    }
}

TEST(BoxModel, AnOlderBoxReportsNoiseWhileItStartsThenGoesBackToItsCycle) {
    // The program draws an older box's value only at certain steps of its
    // countdown, so the box must go on reporting for a while.
    Rig rig(Dialect::OneLetter);
    rig.poll();
    rig.pass(2s);
    const Clock::time_point measuringEnd = rig.now + 250ms + 2000ms; // silence, measuring
    rig.model.commandByte(0xA0, rig.now);
    rig.pass(300ms);
    rig.model.takeAnnouncement(rig.now);
    int noiseLines = 0;
    int positionLines = 0;
    for (int i = 0; i < 200; ++i) { // 3 s of polls
        rig.pass(15ms);
        const std::string line = rig.poll();
        if (line.rfind("PD ", 0) == 0) {
            EXPECT_LT(rig.now, measuringEnd) << "no noise after the measuring time";
            ++noiseLines;
        } else if (line.rfind("P ", 0) == 0) {
            ++positionLines;
        }
    }
    EXPECT_GE(noiseLines, 60) << "every second poll while it measures";
    EXPECT_GE(positionLines, 30) << "positions go on meanwhile";
}

TEST(BoxModel, OneLetterLinesGiveTheProgramTheModelsValues) {
    Rig rig(Dialect::OneLetter);
    EXPECT_EQ(rig.model.command("M9", rig.now), std::nullopt) << "an old box ignores M9";
    EXPECT_EQ(rig.poll().rfind("P ", 0), 0u);
    EXPECT_FALSE(rig.link.awaitingIdentification) << "one-letter protocol detected";
    EXPECT_FALSE(rig.link.newProtocol);
    rig.pass(2s);
    // Two full cycles: every line type at least once.
    for (int i = 0; i < 2 * 8 * 26; ++i) {
        rig.pass(15ms);
        rig.poll();
    }
    EXPECT_STREQ(rig.readings.versionText, "1.45");
    EXPECT_EQ(rig.readings.detectedPulseRate, 1728);
    EXPECT_EQ(rig.readings.errorFlags, 0);
    // The old box's offsets travel in quarter units, its factors in 2^-12.
    EXPECT_NEAR(rig.readings.dacOffsets[0], rig.model.dacOffset(0, rig.now) / 16.0, 0.25);
    EXPECT_DOUBLE_EQ(rig.readings.dacOffsets[4], 40 / 16.0);
    EXPECT_NEAR(rig.readings.channelFactors[1], rig.model.channelFactor(1, rig.now), 3e-4);
    EXPECT_NEAR(rig.readings.zeroValueA, 3, 1);
    EXPECT_NEAR(rig.readings.amplitudeYE, rig.model.amplitude(Sensor::Yellow, rig.now), 0.5);
    EXPECT_NEAR(rig.readings.amplitudeWH, rig.model.amplitude(Sensor::White, rig.now), 0.5);

    // Erase (0xAA): silence, then "RS 2" - flash erased.
    EXPECT_EQ(rig.model.commandByte(0xAA, rig.now), std::nullopt);
    rig.pass(300ms);
    auto line = rig.model.takeAnnouncement(rig.now);
    ASSERT_TRUE(line);
    rig.parser.parseLine(*line, int32_t(rig.ms));
    EXPECT_TRUE(rig.notifier.saw(17, 50));
}

// One channel over a signal period, fitted as c0 + c1 cos t + c2 sin t.
struct ChannelFit {
    double mean, amplitude, phase; // phase in degrees: c cos(t + phase)
};

ChannelFit fit(const std::vector<double>& t, const std::vector<double>& v) {
    // Least squares through the normal equations of the three functions.
    double m[3][4] = {};
    for (size_t i = 0; i < t.size(); ++i) {
        const double f[3] = {1.0, std::cos(t[i]), std::sin(t[i])};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c)
                m[r][c] += f[r] * f[c];
            m[r][3] += f[r] * v[i];
        }
    }
    for (int p = 0; p < 3; ++p)
        for (int r = 0; r < 3; ++r)
            if (r != p) {
                const double k = m[r][p] / m[p][p];
                for (int c = 0; c < 4; ++c)
                    m[r][c] -= k * m[p][c];
            }
    const double c0 = m[0][3] / m[0][0], c1 = m[1][3] / m[1][1], c2 = m[2][3] / m[2][2];
    return {c0, std::hypot(c1, c2), std::atan2(-c2, c1) * 180.0 / std::numbers::pi};
}

double wrapDegrees(double d) {
    while (d > 180.0)
        d -= 360.0;
    while (d <= -180.0)
        d += 360.0;
    return d;
}

TEST(BoxSignals, ChannelValuesOverOnePeriodHaveTheSetOffsetsRatioAndPhaseError) {
    struct Case {
        Sensor sensor;
        int first; // channelValues index of its channel A
        SignalErrors errors;
    };
    const Case cases[] = {
        {Sensor::Yellow, 2, {0, 0, 1.0, 0}},
        {Sensor::Yellow, 2, {5.0, -3.0, 1.2, 10.0}},
        {Sensor::White, 0, {-8.0, 2.5, 0.8, -15.0}},
        {Sensor::White, 0, {0, 0, 1.0, 30.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.sensor == Sensor::Yellow ? "YE" : "WH") << " offsets "
                                        << c.errors.offsetA << "/" << c.errors.offsetB << ", ratio "
                                        << c.errors.ratio << ", phase " << c.errors.phase);
        Rig rig;
        rig.ask("M9");
        rig.pass(2s);
        rig.model.setEccentricity(0.0);
        rig.model.setSignalErrors(c.sensor, c.errors);
        rig.ask("M3");
        // 50 counts a millisecond: one signal period in 100 position lines.
        rig.model.setSpeedRpm(50.0 / 144.0, rig.now);
        std::vector<double> t, a, b;
        double amplitudeSum = 0;
        for (int i = 0; i < 100; ++i) {
            rig.pass(1ms);
            rig.ask("M*");
            const int64_t counts = rig.model.counter(rig.now) % 5000;
            t.push_back(2.0 * std::numbers::pi * double(counts) / 5000.0);
            a.push_back(rig.readings.channelValues[c.first]);
            b.push_back(rig.readings.channelValues[c.first + 1]);
            amplitudeSum +=
                c.sensor == Sensor::Yellow ? rig.readings.amplitudeYE : rig.readings.amplitudeWH;
        }
        const ChannelFit fa = fit(t, a), fb = fit(t, b);
        EXPECT_NEAR(100.0 * fa.mean / fa.amplitude, c.errors.offsetA, 0.2);
        EXPECT_NEAR(100.0 * fb.mean / fb.amplitude, c.errors.offsetB, 0.2);
        EXPECT_NEAR(fb.amplitude / fa.amplitude, c.errors.ratio, 0.003);
        EXPECT_NEAR(wrapDegrees(fa.phase - fb.phase), 90.0 + c.errors.phase, 0.2)
            << "B lags A by 90 degrees and the error";
        // The two channels' mean amplitude is the head's amplitude by the
        // program's formula.
        const double offset = std::max(std::fabs(rig.readings.dacOffsets[c.first]),
                                       std::fabs(rig.readings.dacOffsets[c.first + 1]));
        const double programs =
            std::sqrt(fa.amplitude * fb.amplitude) / 5.12 * 505.0 / (505.0 - offset);
        EXPECT_NEAR(programs, rig.model.amplitude(c.sensor, rig.now), 0.2);
        if (c.errors.ratio == 1.0 && c.errors.offsetA == 0 && c.errors.phase == 0) {
            EXPECT_NEAR(amplitudeSum / 100.0, rig.model.amplitude(c.sensor, rig.now), 0.2);
        }
    }
}

} // namespace

namespace {

TEST(BoxControl, CommandsChangeTheBoxOrSayWhatIsWrong) {
    BoxSimulator box;
    struct Case {
        const char* line;
        bool ok;
    } cases[] = {
        {"speed 12.5", true},
        {"speed fast", false},
        {"shims ye 5", true},
        {"shims wh 31", false},
        {"shims xx 2", false},
        {"unplug wh", true},
        {"plug wh", true},
        {"noise 100 120", true},
        {"noise 1", false},
        {"eccentricity 0.1", true},
        {"eccentricity 2", false},
        {"silence 200", true},
        {"offset ye 5 -3", true},
        {"offset ye 5", false},
        {"offset wh 60 0", false},
        {"ratio wh 1.2", true},
        {"ratio wh 3", false},
        {"phase ye -10", true},
        {"phase ye 50", false},
        {"phase xx 5", false},
        {"kind noref", true},
        {"kind twice", false},
        {"erase", true},
        {"pause -1", false},
        {"power off", true},
        {"power on", true},
        {"garbage 10", true},
        {"overlong 300", true},
        {"dialect one-letter", true},
        {"dialect three", false},
        {"paced off", true},
        {"", true},
        {"# a comment", true},
        {"frobnicate", false},
        {"status", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(runControlCommand(box, c.line).ok, c.ok) << c.line;
    EXPECT_DOUBLE_EQ(box.speedRpm(), 12.5);
    EXPECT_EQ(box.shims(Sensor::Yellow), 5);
    EXPECT_EQ(box.dialect(), Dialect::OneLetter);
    EXPECT_EQ(box.kind(), BoxKind::NoReference);
    const SignalErrors ye = box.signalErrors(Sensor::Yellow);
    EXPECT_EQ(ye.offsetA, 5.0);
    EXPECT_EQ(ye.offsetB, -3.0);
    EXPECT_EQ(ye.phase, -10.0);
    EXPECT_EQ(box.signalErrors(Sensor::White).ratio, 1.2);
    EXPECT_TRUE(runControlCommand(box, "quit").quit);
    EXPECT_NE(runControlCommand(box, "help").reply.find("hangup"), std::string::npos);
}

TEST(BoxSimulator, AnswersOnItsLineAt9600Baud) {
    char dir[] = "/tmp/orvatix-boxsim-XXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    std::string link = std::string(dir) + "/box";
    BoxSimulator box;
    std::string why;
    ASSERT_TRUE(box.start(link, &why)) << why;
    int fd = ::open(link.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);

    auto t0 = Clock::now();
    ASSERT_EQ(::write(fd, "M9\r", 3), 3);
    std::string got;
    char buf[64];
    while (got.find('\r') == std::string::npos && Clock::now() - t0 < 10s) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) > 0) {
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0)
                got.append(buf, size_t(n));
        }
    }
    auto took = Clock::now() - t0;
    EXPECT_EQ(got, "FW 2.10 01000010 4711\r");
    // Command and answer pass the line one after the other, ~1.04 ms a byte;
    // the simulator can only be late, never early.
    EXPECT_GE(took, std::chrono::microseconds(1041 * (3 + 22) - 500));
    ::close(fd);
    box.stop();
    EXPECT_EQ(::access(link.c_str(), F_OK), -1) << "the link is removed";
    ::rmdir(dir);
}

} // namespace
