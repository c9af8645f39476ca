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

// Turns the shaft slowly until the last step is satisfied, presses "Next >"
// and confirms the result.
std::optional<WizardResult> turnToTheEnd(SessionRig& rig) {
    rig.box.setSpeedRpm(2.0);
    const bool satisfied = rig.waitFor([&] {
        const WizardView v = rig.session->wizard().view();
        return v.step == v.stepCount - 1 && v.stepSatisfied;
    });
    rig.box.setSpeedRpm(0.0);
    EXPECT_TRUE(satisfied) << rig.describe();
    if (!satisfied || !rig.pressNext())
        return std::nullopt;
    return rig.finish(WizardMessageKind::ResultSuccess);
}

bool boxReceived(SessionRig& rig, const std::vector<std::string>& commands) {
    rig.waitFor([&] { return rig.box.changeCommands().size() >= commands.size(); }, 10s);
    return rig.box.changeCommands() == commands;
}

struct FailureCase {
    Sensor sensor;
    int returnStep; // STEP 1 for the yellow head, STEP 2 for the white one
    const char* finding;
};

TEST(TeachInSessionE2E, AHeadOutOfBandWhileTheShaftTurnsSendsTheUserBackToItsStep) {
    const FailureCase cases[] = {
        {Sensor::Yellow, 0, "Yellow sensor (YE): Low amplitude"},
        {Sensor::White, 1, "White sensor (WH): Low amplitude"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.finding);
        SessionRig rig(BoxKind::NoReference, true);
        rig.start();
        ASSERT_NO_FATAL_FAILURE(throughTheDistanceSteps(rig));
        rig.box.setSpeedRpm(2.0);
        ASSERT_TRUE(rig.waitFor([&] { return rig.session->wizard().view().travelStarted; }))
            << rig.describe();
        // Seven shims: about 22 %, below the travel limit but still read by the box.
        rig.box.setShims(c.sensor, 7);
        const int rangeBit = c.sensor == Sensor::Yellow ? kYeRange : kWhRange;
        ASSERT_TRUE(rig.waitFor([&] { return rig.session->wizard().view().failure & rangeBit; }))
            << rig.describe();
        rig.box.setSpeedRpm(0.0);
        ASSERT_TRUE(rig.pressNext()) << rig.describe();
        ASSERT_TRUE(rig.waitFor([&] { return rig.session->openMessage().has_value(); }));
        const WizardMessage finding = *rig.session->openMessage();
        EXPECT_EQ(finding.kind, WizardMessageKind::AmplitudeFailure);
        EXPECT_NE(finding.text.find(c.finding), std::string::npos) << finding.text;
        ASSERT_TRUE(rig.session->answerMessage(true));
        EXPECT_EQ(rig.step(), c.returnStep);

        // Shims back, the distance steps again, and a travel of its own.
        rig.box.setShims(c.sensor, 3);
        if (c.returnStep == 0) {
            ASSERT_TRUE(rig.pressNext());
            ASSERT_TRUE(rig.waitForStep(1));
        }
        ASSERT_TRUE(rig.pressNext());
        ASSERT_TRUE(rig.waitForStep(2));
        EXPECT_EQ(turnToTheEnd(rig), WizardResult::Success);
        // The second STEP 3 erases the offsets the box learned on the failed travel.
        EXPECT_TRUE(boxReceived(rig, boxCommands({"ME", "ME", "MR", "MW"})))
            << ::testing::PrintToString(rig.box.changeCommands());
    }
}

TEST(TeachInSessionE2E, CancelInTheMiddleEndsInFailureWithoutWriting) {
    for (const bool byClosing : {false, true}) {
        SCOPED_TRACE(byClosing ? "closing the window" : "Cancel");
        SessionRig rig(BoxKind::NoReference, true);
        rig.start();
        ASSERT_TRUE(rig.waitForStep(0)) << rig.describe();
        ASSERT_TRUE(rig.pressNext());
        ASSERT_TRUE(rig.waitForStep(1));
        if (byClosing)
            rig.session->window()->close();
        else
            rig.button(CTeachInDlg::kCancelButton)->click();
        // The box was reset: the wizard asks first.
        ASSERT_TRUE(rig.answer(WizardMessageKind::CancelQuestion, true)) << rig.describe();
        EXPECT_EQ(rig.finish(WizardMessageKind::ResultFailed), WizardResult::Failed);
        EXPECT_EQ(rig.session->window()->picture().result, WizardResult::Failed);
        EXPECT_TRUE(rig.placed == std::vector<BoxRequest>{BoxRequest::Reset});
        EXPECT_TRUE(boxReceived(rig, boxCommands({"ME"})));
    }
}

TEST(TeachInSessionE2E, NoToTheRepeatWarningLeavesTheBoxAsItWas) {
    SessionRig rig(BoxKind::Reference, false);
    rig.start();
    ASSERT_TRUE(rig.answer(WizardMessageKind::RepeatWarning, false)) << rig.describe();
    EXPECT_EQ(rig.finish(WizardMessageKind::ResultNotDone), WizardResult::NotDone);
    EXPECT_TRUE(rig.placed.empty());
    EXPECT_TRUE(rig.box.changeCommands().empty());
    EXPECT_EQ(rig.box.teachPhase(), TeachPhase::Stored);
}

TEST(TeachInSessionE2E, AsksAgainUntilTheHeadsArePluggedIn) {
    SessionRig rig(BoxKind::NoReference, true);
    rig.box.setPlugged(Sensor::Yellow, false);
    rig.box.setPlugged(Sensor::White, false);
    rig.start();
    ASSERT_TRUE(rig.answer(WizardMessageKind::PlugInSensors, true)) << rig.describe();
    // Still unplugged: the question comes again.
    ASSERT_TRUE(rig.answer(WizardMessageKind::PlugInSensors, true)) << rig.describe();
    EXPECT_TRUE(rig.placed.empty());
    rig.box.setPlugged(Sensor::Yellow, true);
    rig.box.setPlugged(Sensor::White, true);
    // A question already on its way may come once more before the box tells.
    ASSERT_TRUE(rig.waitFor([&] {
        if (rig.session->openMessage())
            rig.session->answerMessage(true);
        return rig.step() == 0;
    })) << rig.describe();
    EXPECT_TRUE(rig.placed == std::vector<BoxRequest>{BoxRequest::Reset});
    rig.button(CTeachInDlg::kCancelButton)->click();
    ASSERT_TRUE(rig.answer(WizardMessageKind::CancelQuestion, true)) << rig.describe();
    EXPECT_EQ(rig.finish(WizardMessageKind::ResultFailed), WizardResult::Failed);
}

TEST(TeachInSessionE2E, WaitsWhileTheBoxIsSilentInStepThreeAndCarriesOn) {
    SessionRig rig(BoxKind::Reference, true);
    rig.start();
    ASSERT_TRUE(rig.answer(WizardMessageKind::RepeatWarning, true)) << rig.describe();
    ASSERT_NO_FATAL_FAILURE(throughTheDistanceSteps(rig));
    ASSERT_TRUE(rig.waitFor([&] { return !rig.session->wizard().view().boxBusy; }))
        << rig.describe();
    rig.box.silence(2s);
    ASSERT_TRUE(rig.waitFor([&] {
        return rig.noDataNotices > 0 && rig.session->wizard().view().boxBusy;
    })) << rig.describe();
    QPushButton* next = rig.button(CTeachInDlg::kNextButton);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_EQ(rig.step(), 2);
    EXPECT_EQ(turnToTheEnd(rig), WizardResult::Success);
    EXPECT_TRUE(boxReceived(rig, boxCommands({"MR", "ME", "MW"})))
        << ::testing::PrintToString(rig.box.changeCommands());
}

struct LineFault {
    const char* name;
    std::function<void(SessionRig&)> begin; // the line goes
    std::function<void(SessionRig&)> end;   // and comes back
};

// A blank box with one coded reference mark: its teach-in reaches STEP 4 and
// STEP 5, where the line is lost for a while. The box learns on; the wizard
// waits for it and ends in success, never in "No absolute position".
TEST(TeachInSessionE2E, ALineLossInTheLastStepsDoesNotFailAGoodTeachIn) {
    const LineFault faults[] = {
        {"silence of 2 s", [](SessionRig& rig) { rig.box.silence(2s); }, [](SessionRig&) {}},
        {"cable out", [](SessionRig& rig) { rig.box.hangUp(); },
         [](SessionRig& rig) {
             // A new line behind the same name; the search would ask for a reopen.
             ASSERT_TRUE(rig.box.reconnect());
             rig.r.link.reopenRequest = true;
         }},
        {"over-long lines at 9600 baud",
         [](SessionRig& rig) {
             rig.box.setPaced(true);
             rig.box.sendOverlongLine(1500);
         },
         [](SessionRig& rig) { rig.box.setPaced(false); }},
    };
    for (const int step : {3, 4}) {
        for (const LineFault& fault : faults) {
            SCOPED_TRACE(std::string(fault.name) + (step == 3 ? " in STEP 4" : " in STEP 5"));
            SessionRig rig(BoxKind::CodedReference, true);
            rig.start();
            ASSERT_TRUE(rig.answer(WizardMessageKind::RepeatWarning, true)) << rig.describe();
            ASSERT_NO_FATAL_FAILURE(throughTheDistanceSteps(rig));
            rig.box.setSpeedRpm(2.0);
            ASSERT_TRUE(rig.waitForStep(step)) << rig.describe();
            // The shaft stands while the line is away.
            rig.box.setSpeedRpm(0.0);
            const int notices = rig.noDataNotices;
            fault.begin(rig);
            ASSERT_TRUE(rig.waitFor([&] { return rig.noDataNotices > notices; })) << rig.describe();
            ASSERT_NO_FATAL_FAILURE(fault.end(rig));
            EXPECT_EQ(rig.session->wizard().view().failure & kNoAbsolute, 0) << rig.describe();
            EXPECT_EQ(turnToTheEnd(rig), WizardResult::Success) << rig.describe();
            EXPECT_TRUE(rig.waitFor([&] { return rig.box.teachPhase() == TeachPhase::Stored; }))
                << rig.describe();
        }
    }
}

TEST(TeachInSessionE2E, TooFastInStepThreeSaysSoUntilTheShaftTurnsSlower) {
    SessionRig rig(BoxKind::NoReference, true);
    rig.start();
    ASSERT_NO_FATAL_FAILURE(throughTheDistanceSteps(rig));
    ASSERT_TRUE(rig.waitFor([&] { return !rig.session->wizard().view().boxBusy; }))
        << rig.describe();
    rig.box.setSpeedRpm(5.0);
    ASSERT_TRUE(rig.waitFor([&] { return rig.session->window()->picture().tooFast; }))
        << rig.describe();
    EXPECT_FALSE(rig.session->wizard().view().stepSatisfied);
    EXPECT_FALSE(rig.button(CTeachInDlg::kNextButton)->isEnabled());
    // Slower: the warning goes and the box learns.
    EXPECT_EQ(turnToTheEnd(rig), WizardResult::Success) << rig.describe();
}

} // namespace
