// The teach-in wizard run as a user runs it, against the simulated box over a
// pseudo-terminal: what the box was asked to do and what the wizard showed.

#include "SessionRig.h"

#include <QMessageBox>

using boxsim::BoxKind;
using boxsim::Sensor;
using boxsim::TeachPhase;
using teachine2e::boxCommands;
using teachine2e::SessionRig;

namespace {

using namespace std::chrono_literals;

// From STEP 1 through STEP 2 to the start of STEP 3, with both heads in band.
void throughTheDistanceSteps(SessionRig& rig) {
    ASSERT_TRUE(rig.waitForStep(0)) << "STEP 1 after the box's reset: " << rig.describe();
    ASSERT_TRUE(rig.pressNext()) << rig.describe();
    ASSERT_TRUE(rig.waitForStep(1)) << rig.describe();
    ASSERT_TRUE(rig.pressNext()) << rig.describe();
    ASSERT_TRUE(rig.waitForStep(2)) << rig.describe();
}

struct KindCase {
    BoxKind kind;
    int stepCount;
    // A two-letter box other than an "ORVA" one is never taken as blank:
    // the wizard asks before it erases it.
    bool asksToRepeat;
    std::vector<std::string> commands;
};

TEST(TeachInSessionE2E, TeachesEachKindOfBoxAndStoresTheTeachIn) {
    // Erased (or reset when blank) at the start; STEP 3 resets the box that
    // holds no offsets yet; the end writes the teach-in.
    const KindCase cases[] = {
        {BoxKind::CodedReference, 5, true, boxCommands({"MR", "ME", "MW"})},
        {BoxKind::Reference, 4, true, boxCommands({"MR", "ME", "MW"})},
        {BoxKind::NoReference, 3, false, boxCommands({"ME", "ME", "MW"})},
    };
    for (const KindCase& k : cases) {
        SCOPED_TRACE(k.stepCount);
        SessionRig rig(k.kind, true);
        rig.start();
        if (k.asksToRepeat) {
            ASSERT_TRUE(rig.answer(WizardMessageKind::RepeatWarning, true)) << rig.describe();
        }
        ASSERT_NO_FATAL_FAILURE(throughTheDistanceSteps(rig));
        EXPECT_EQ(rig.session->wizard().view().stepCount, k.stepCount);

        rig.box.setSpeedRpm(2.0);
        // The last step fills in by itself while the shaft turns.
        ASSERT_TRUE(rig.waitForStep(k.stepCount - 1)) << rig.describe();
        ASSERT_TRUE(rig.waitFor([&] { return rig.session->wizard().view().stepSatisfied; }))
            << rig.describe();
        rig.box.setSpeedRpm(0.0);
        ASSERT_TRUE(rig.pressNext());
        EXPECT_EQ(rig.finish(WizardMessageKind::ResultSuccess), WizardResult::Success);

        // The write goes out at the scheduler's next turn.
        EXPECT_TRUE(rig.waitFor([&] { return rig.box.changeCommands().size() >= 3; }));
        EXPECT_EQ(rig.box.changeCommands(), k.commands);
        ASSERT_TRUE(rig.waitFor([&] { return rig.box.teachPhase() == TeachPhase::Stored; }));
    }
}

} // namespace
