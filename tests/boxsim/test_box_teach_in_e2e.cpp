// The teach-in of the simulated box as the program sees it: the reader thread
// polls the box over a pseudo-terminal and the program's own parser fills the
// readings that the teach-in wizard watches.

#include "link/LinkRig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace linktest;
using boxsim::BoxKind;
using boxsim::TeachPhase;

namespace {

// What the wizard can tell from the readings, in the order the box learns.
enum Stage { Blank, Offsets, Reference, Absolute, Between };

Stage stageOf(const DeviceReadings& r) {
    const bool noOffsets = (r.errorFlags & 0x1000) != 0;
    const bool offsets = r.dacOffsets[0] != 0 && r.dacOffsets[2] != 0;
    if (noOffsets && !offsets && std::string(r.boxInfoText) == "0*" && r.boxInfoMarked &&
        r.refPhaseText[0] == 0 && !r.absolutePositionMode)
        return Blank;
    if (noOffsets || !offsets)
        return Between; // the status line and the offsets arrive apart
    if (r.absolutePositionMode)
        return Absolute;
    return r.refPhaseText[0] != 0 ? Reference : Offsets;
}

struct KindCase {
    BoxKind kind;
    const char* typeText;
    std::vector<Stage> stages;
    bool write; // the teach-in is written before the reset
};

TEST(BoxTeachInE2E, TheProgramReadsTheBoxLearningAndKeepingOrLosingItsTeachIn) {
    const KindCase cases[] = {
        {BoxKind::CodedReference, "QTBX02 (1Ref)", {Blank, Offsets, Reference, Absolute}, true},
        {BoxKind::Reference, "QTBX01", {Blank, Offsets, Reference}, false},
        {BoxKind::NoReference, "ORVA-U NoRef", {Blank, Offsets}, true},
    };
    for (const KindCase& k : cases) {
        SCOPED_TRACE(k.typeText);
        boxsim::SimulatorOptions options;
        options.paced = false;
        LinkRig rig(options);
        rig.box.setKind(k.kind);
        rig.start();
        ASSERT_TRUE(rig.waitForPositions(5));
        ASSERT_TRUE(rig.waitFor([&] { return rig.snapshot().errorFlags == 0; }));
        EXPECT_STREQ(rig.snapshot().boxTypeText, k.typeText);

        // Each stage the readings pass through, looked at on every event
        // while the reader thread waits for it (as the main window does).
        std::vector<Stage> seen;
        rig.onEvent = [&](int, int) {
            const DeviceReadings& r = rig.r.readings;
            const Stage s = stageOf(r);
            if (s == Between || (seen.empty() && s != Blank) || (!seen.empty() && s == seen.back()))
                return;
            seen.push_back(s);
        };
        // Erase, as the wizard asks for it.
        rig.r.link.pendingCommand = kEraseRequest;
        rig.resetReadings();
        ASSERT_TRUE(rig.waitFor([&] { return !seen.empty(); }, 60s)) << "blank after the erase";

        rig.box.setSpeedRpm(2.0);
        ASSERT_TRUE(rig.waitFor([&] { return seen.size() >= k.stages.size(); }, 60s));
        ASSERT_TRUE(rig.waitFor([&] { return rig.box.teachPhase() == TeachPhase::Taught; }, 60s));
        // Two more identification lines: nothing more to learn.
        const size_t identifications = rig.events.size();
        ASSERT_TRUE(rig.waitFor([&] {
            int n = 0;
            for (size_t i = identifications; i < rig.events.size(); ++i)
                n += rig.events[i].first == 13;
            return n >= 2;
        }));
        rig.box.setSpeedRpm(0.0);
        rig.onEvent = nullptr;
        EXPECT_EQ(seen, k.stages);
        EXPECT_STREQ(rig.snapshot().boxInfoText, "4711^") << "learned, not yet written";
        EXPECT_TRUE(rig.snapshot().boxInfoMarked);

        if (k.write) {
            rig.r.link.pendingCommand = kWriteRequest;
            ASSERT_TRUE(rig.waitFor([&] {
                const DeviceReadings d = rig.snapshot();
                return std::string(d.boxInfoText) == "4711" && !d.boxInfoMarked;
            }));
        }
        rig.r.link.pendingCommand = kResetRequest;
        rig.resetReadings();
        ASSERT_TRUE(rig.waitFor([&] { return rig.boxRestarts >= 2; }));
        if (k.write) {
            // Back from the flash: offsets, and for a 1Ref box its position.
            ASSERT_TRUE(rig.waitFor([&] {
                const DeviceReadings d = rig.snapshot();
                return (d.errorFlags & 0x1000) == 0 && d.dacOffsets[0] != 0 &&
                       d.absolutePositionMode == (k.kind == BoxKind::CodedReference) &&
                       std::string(d.boxInfoText) == "4711";
            }));
        } else {
            ASSERT_TRUE(rig.waitFor([&] { return stageOf(rig.snapshot()) == Blank; }))
                << "a reset without a write loses the teach-in";
        }
    }
}

} // namespace
