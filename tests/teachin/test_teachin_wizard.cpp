// The teach-in wizard's steps driven tick by tick: whole runs to each of the
// three results, the questions, Back and Cancel, the travel phase's amplitude
// tests and the guards against re-entry and early requests.

#include "config/TeachInRows.h"
#include "config/Texts.h"
#include "teachin/WizardPositionTexts.h"
#include "teachin/WizardRig.h"

#include <gtest/gtest.h>

namespace {

using Kind = WizardAction::Kind;

class TeachInWizardTest : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(0); }
    WizardRig rig;
};

struct BoxKind {
    const char* type;
    int stepCount;
};

class BlankBoxRun : public ::testing::TestWithParam<BoxKind> {
protected:
    void SetUp() override { setLanguage(0); }
    WizardRig rig;
};

} // namespace

TEST_P(BlankBoxRun, IsTaughtDirectlyToSuccess) {
    const BoxKind& box = GetParam();
    rig.startBlank(box.type);
    ASSERT_EQ(rig.step(), 0);
    EXPECT_EQ(rig.wizard.view().stepCount, box.stepCount);
    EXPECT_EQ(rig.requests, std::vector<BoxRequest>{BoxRequest::Reset});

    rig.intoTravel();
    EXPECT_EQ(rig.requests, (std::vector<BoxRequest>{BoxRequest::Reset, BoxRequest::Erase}));
    // The erase waits for the identification that follows the reset of the readings.
    EXPECT_EQ(rig.last.actions.size(), 3u);
    EXPECT_EQ(rig.last.actions[1].kind, Kind::ResetReadings);
    EXPECT_EQ(rig.last.actions[2].kind, Kind::Request);
    // The box turns: the reference mark and then the absolute position arrive.
    rig.in.refPhaseText = "0.123";
    rig.in.absolutePositionMode = true;
    rig.in.detectedPulseRate = 400;
    const int last = box.stepCount - 1;
    ASSERT_TRUE(rig.tickUntilStep(last));
    rig.tick();
    const WizardView view = rig.wizard.view();
    EXPECT_TRUE(view.stepSatisfied);
    EXPECT_TRUE(view.next.enabled);
    EXPECT_FALSE(view.cancel.enabled);
    EXPECT_TRUE(rig.messages.empty());

    rig.next();
    EXPECT_EQ(rig.requests,
              (std::vector<BoxRequest>{BoxRequest::Reset, BoxRequest::Erase, BoxRequest::Write}));
    EXPECT_EQ(rig.messages, std::vector<WizardMessageKind>{WizardMessageKind::ResultSuccess});
    EXPECT_EQ(rig.wizard.view().step, box.stepCount + 1);
    EXPECT_EQ(rig.wizard.view().result, WizardResult::Success);
    EXPECT_FALSE(rig.result);
    rig.tick(); // the timer goes on while the result is shown
    rig.answer(true);
    EXPECT_EQ(rig.result, WizardResult::Success);
    EXPECT_TRUE(rig.wizard.ended());
}

INSTANTIATE_TEST_SUITE_P(BoxKinds, BlankBoxRun,
                         ::testing::Values(BoxKind{"ORVA-U 1Ref", 5}, BoxKind{"ORVA-U", 4},
                                           BoxKind{"ORVA-U NoRef", 3}));

TEST_F(TeachInWizardTest, WaitsForAConnectedBoxWithAValidStatus) {
    rig.connectBox("ORVA-U", true);
    rig.in.noData = true;
    rig.tick();
    rig.tick();
    EXPECT_EQ(rig.step(), -3);
    EXPECT_EQ(rig.wizard.view().comPort, 3);
    rig.in.noData = false;
    rig.in.sensorConnection = -1;
    rig.tick();
    EXPECT_EQ(rig.step(), -3);
    rig.in.sensorConnection = 0;
    rig.tick();
    EXPECT_EQ(rig.step(), -2);
}

TEST_F(TeachInWizardTest, ResetRequestFollowsTheResetOfTheReadings) {
    rig.connectBox("ORVA-U", true);
    rig.tick();
    rig.tick();
    EXPECT_EQ(rig.actions,
              (std::vector<Kind>{Kind::SetStatusRestart, Kind::ResetReadings, Kind::Request}));
}

TEST_F(TeachInWizardTest, BoxIsNotTakenAsIdentifiedWhileItsResetWaits) {
    rig.connectBox("ORVA-U", true);
    rig.type = "ORVA-U";
    rig.tick();
    rig.tick();
    rig.boxBack();
    rig.in.requestPending = true; // identified, but the reset has not gone out
    rig.tick();
    rig.tick();
    EXPECT_EQ(rig.step(), -1);
    rig.in.requestPending = false;
    rig.tick();
    EXPECT_EQ(rig.step(), 0);
}

TEST_F(TeachInWizardTest, RepeatWarningYesErasesAndTeaches) {
    rig.connectBox("ORVA-U", false);
    rig.type = "ORVA-U";
    rig.tick();
    rig.tick();
    ASSERT_EQ(rig.messages, std::vector<WizardMessageKind>{WizardMessageKind::RepeatWarning});
    // The warning does not block: the timer keeps ticking and waits.
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(rig.tick().actions.empty());
    }
    EXPECT_EQ(rig.step(), -2);
    rig.answer(true);
    EXPECT_EQ(rig.step(), -1);
    EXPECT_EQ(rig.actions, (std::vector<Kind>{Kind::ShowMessage, Kind::Beep, Kind::SetStatusRestart,
                                              Kind::ResetReadings, Kind::Request}));
    EXPECT_EQ(rig.requests, std::vector<BoxRequest>{BoxRequest::Erase});
    EXPECT_TRUE(rig.wizard.view().nextTakesFocus);
    rig.boxBack();
    rig.tick();
    EXPECT_EQ(rig.step(), 0);
    rig.intoTravel();
    rig.in.refPhaseText = "0.5";
    ASSERT_TRUE(rig.tickUntilStep(3));
    rig.tick();
    rig.next();
    rig.answer(true);
    EXPECT_EQ(rig.result, WizardResult::Success);
    EXPECT_EQ(rig.requests,
              (std::vector<BoxRequest>{BoxRequest::Erase, BoxRequest::Erase, BoxRequest::Write}));
}

TEST_F(TeachInWizardTest, RepeatWarningNoEndsWithoutTeachIn) {
    rig.connectBox("ORVA-U", false);
    rig.tick();
    rig.tick();
    rig.answer(false);
    EXPECT_EQ(rig.step(), 5);
    EXPECT_EQ(rig.wizard.view().failure, kNotDone);
    rig.tick();
    EXPECT_EQ(rig.messages.back(), WizardMessageKind::ResultNotDone);
    rig.answer(true);
    EXPECT_EQ(rig.result, WizardResult::NotDone);
    EXPECT_TRUE(rig.requests.empty());
}

TEST_F(TeachInWizardTest, PlugInQuestionRepeatsAndCancelEndsWithoutTeachIn) {
    rig.connectBox("ORVA-U", true);
    rig.in.sensorConnection = 1;
    rig.tick();
    rig.tick();
    EXPECT_EQ(rig.messages.back(), WizardMessageKind::PlugInSensors);
    EXPECT_TRUE(rig.tick().actions.empty()); // busy while the question is open
    rig.answer(true);                        // OK, but still unplugged: asked again
    rig.tick();
    EXPECT_EQ(rig.messages.size(), 2u);
    rig.answer(false);
    rig.tick();
    EXPECT_EQ(rig.messages.back(), WizardMessageKind::ResultNotDone);
    rig.answer(true);
    EXPECT_EQ(rig.result, WizardResult::NotDone);
    EXPECT_TRUE(rig.requests.empty());
}

TEST_F(TeachInWizardTest, CancelAtAMiddleStepAsksFirstAndFailsOnYes) {
    rig.startBlank("ORVA-U 1Ref");
    rig.intoTravel();
    rig.tick();
    ASSERT_EQ(rig.step(), 3);
    EXPECT_TRUE(rig.wizard.cancelAsks());
    rig.cancel();
    ASSERT_EQ(rig.messages.back(), WizardMessageKind::CancelQuestion);
    const WizardMessage& question = rig.last.actions.back().message;
    EXPECT_TRUE(question.rejectIsDefault) << "Return goes on with the teach-in";
    EXPECT_EQ(question.acceptButton, "Yes");
    EXPECT_EQ(question.rejectButton, "No");
    rig.cancel(); // closing the window again while it asks adds nothing
    EXPECT_EQ(rig.messages.size(), 1u);
    rig.tick(); // the steps wait for the answer
    EXPECT_EQ(rig.step(), 3);
    EXPECT_EQ(rig.messages.size(), 1u);

    // "No": the teach-in goes on where it stood.
    rig.answer(false);
    EXPECT_EQ(rig.wizard.view().failure & kCancelled, 0);
    EXPECT_FALSE(rig.wizard.busy());
    rig.in.refPhaseText = "0.2";
    ASSERT_TRUE(rig.tickUntilStep(4));

    rig.cancel();
    ASSERT_EQ(rig.messages.back(), WizardMessageKind::CancelQuestion);
    rig.answer(true);
    EXPECT_EQ(rig.messages.back(), WizardMessageKind::ResultFailed);
    EXPECT_EQ(rig.wizard.view().failure & kCancelled, kCancelled);
    EXPECT_TRUE(rig.wizard.view().cancelledAfterAsking);
    EXPECT_FALSE(rig.wizard.view().cancel.visible);
    rig.cancel(); // a second close while the result is shown changes nothing
    EXPECT_EQ(rig.messages.back(), WizardMessageKind::ResultFailed);
    rig.answer(true);
    EXPECT_EQ(rig.result, WizardResult::Failed);
    EXPECT_EQ(rig.requests, (std::vector<BoxRequest>{BoxRequest::Reset, BoxRequest::Erase}));
}

TEST_F(TeachInWizardTest, CancelBeforeTheBoxIsTouchedEndsAtOnce) {
    // Still waiting for the box: nothing was sent, nothing to ask about.
    rig.connectBox("ORVA-U", true);
    rig.in.noData = true;
    rig.tick();
    EXPECT_FALSE(rig.wizard.cancelAsks());
    rig.cancel();
    EXPECT_EQ(rig.messages, std::vector<WizardMessageKind>{WizardMessageKind::ResultFailed});
    EXPECT_FALSE(rig.wizard.view().cancelledAfterAsking);
}

TEST_F(TeachInWizardTest, CancelWhileTheRepeatWarningIsOpenFails) {
    rig.connectBox("ORVA-U", false);
    rig.tick();
    rig.tick();
    rig.cancel();
    EXPECT_EQ(rig.wizard.openMessage(), WizardMessageKind::ResultFailed);
    rig.answer(true);
    EXPECT_EQ(rig.result, WizardResult::Failed);
}

TEST_F(TeachInWizardTest, DistanceStepsAcceptTheBandEdges) {
    const struct {
        double amplitude;
        bool accepted;
    } cases[] = {{44.9, false}, {45.0, true}, {62.0, true}, {80.0, true}, {80.1, false}};
    for (const auto& c : cases) {
        WizardRig r;
        r.startBlank("ORVA-U");
        r.in.amplitudeYE = c.amplitude;
        r.tick();
        const WizardView ye = r.wizard.view();
        EXPECT_EQ(ye.next.enabled, c.accepted) << "YE " << c.amplitude;
        EXPECT_EQ(ye.okFlags[kYeOk], c.accepted ? 1 : 0);
        EXPECT_EQ(ye.help.blinking, !c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(ye.next.caption.text(), "...");
            continue;
        }
        r.next();
        r.in.amplitudeWH = c.amplitude;
        r.tick();
        EXPECT_TRUE(r.wizard.view().next.enabled) << "WH " << c.amplitude;
        EXPECT_EQ(r.wizard.view().okFlags[kWhOk], 1);
    }
}

TEST_F(TeachInWizardTest, BlinkingNextAlternatesItsCaption) {
    rig.startBlank("ORVA-U");
    rig.tick();
    const std::string first = rig.wizard.view().next.caption.text();
    rig.tick();
    const std::string second = rig.wizard.view().next.caption.text();
    EXPECT_NE(first, second);
    EXPECT_TRUE(first == "Next >" || second == "Next >");
    EXPECT_TRUE(first.empty() || second.empty());
    EXPECT_TRUE(rig.wizard.view().nextTakesFocus);
}

TEST_F(TeachInWizardTest, NextIsRefusedWhileDisabled) {
    rig.startBlank("ORVA-U");
    rig.in.amplitudeYE = 20.0;
    rig.tick();
    rig.next();
    EXPECT_EQ(rig.step(), 0);
    EXPECT_TRUE(rig.last.actions.empty());
}

TEST_F(TeachInWizardTest, BackReturnsToTheRightStep) {
    const struct {
        int from;
        int to;
    } cases[] = {{0, -3}, {1, 0}, {2, 1}, {3, 1}, {4, 1}};
    for (const auto& c : cases) {
        WizardRig r;
        r.startBlank("ORVA-U 1Ref");
        r.tick();
        if (c.from >= 1) {
            r.next();
            r.tick();
        }
        if (c.from >= 2) {
            r.next();
            r.boxBack();
        }
        if (c.from >= 3) {
            r.tick(); // offsets seen: STEP 3 advances by itself
        }
        if (c.from >= 4) {
            r.in.refPhaseText = "0.1";
            r.tick();
        }
        ASSERT_EQ(r.step(), c.from);
        r.back();
        EXPECT_EQ(r.step(), c.to) << "from " << c.from;
        EXPECT_EQ(r.wizard.view().okFlags, (std::array<int, kOkFlagCount>{}));
        EXPECT_FALSE(r.wizard.view().next.enabled); // nothing to skip before the next tick
        r.next();
        EXPECT_EQ(r.step(), c.to);
        EXPECT_EQ(r.actions.back(), Kind::Beep);
    }
}

TEST_F(TeachInWizardTest, BackFromStepOneRunsTheStartAgain) {
    rig.startBlank("ORVA-U");
    rig.tick();
    rig.back();
    ASSERT_EQ(rig.step(), -3);
    rig.tick();
    rig.tick(); // the box now holds offsets: not blank any more
    EXPECT_EQ(rig.messages.back(), WizardMessageKind::RepeatWarning);
}

TEST_F(TeachInWizardTest, TravelOutsideTheLimitsSendsBackToTheSensor) {
    const struct {
        const char* type;
        double ye, wh;
        int step;
        const char* finding;
    } cases[] = {
        {"ORVA-U NoRef", 27.0, 60.0, 0, "Yellow sensor (YE): Low"},
        {"ORVA-U NoRef", 60.0, 96.0, 1, "White sensor (WH): High"},
        {"ORVA-U", 60.0, 20.0, 1, "White sensor (WH): Low"},
        {"ORVA-U", 25.0, 60.0, 0, "Yellow sensor (YE): Low"},
    };
    for (const auto& c : cases) {
        WizardRig r;
        r.startBlank(c.type);
        r.intoTravel();
        r.in.refPhaseText = "0.1";
        r.tick(); // the travel phase starts
        r.amplitudes(c.ye, c.wh);
        r.amplitudes(60.0, 60.0);
        for (int i = 0; i < 6 && r.messages.empty(); ++i) {
            r.tick();
            if (r.wizard.view().next.enabled) {
                r.next();
            }
        }
        ASSERT_EQ(r.messages.size(), 1u) << c.type;
        EXPECT_EQ(r.messages[0], WizardMessageKind::AmplitudeFailure);
        EXPECT_NE(r.last.actions.back().message.text.find(c.finding), std::string::npos)
            << r.last.actions.back().message.text;
        EXPECT_EQ(r.step(), c.step);
        EXPECT_NE(r.wizard.view().failure & kTravelRange, 0);
        r.answer(true);
        EXPECT_EQ(r.wizard.view().failure, 0);
        EXPECT_EQ(r.step(), c.step);
        EXPECT_FALSE(r.result);
        // Back at the distance step the user may cancel again.
        r.tick();
        EXPECT_FALSE(r.wizard.view().stepSatisfied);
        EXPECT_TRUE(r.wizard.view().cancel.enabled);
    }
}

TEST_F(TeachInWizardTest, TravelMinimumOf28Passes) {
    rig.startBlank("ORVA-U NoRef");
    rig.intoTravel();
    rig.warnOptimum = false;
    rig.tick();
    rig.amplitudes(28.9, 60.0);
    rig.amplitudes(60.0, 60.0);
    rig.tick();
    EXPECT_EQ(rig.wizard.view().extremes.yeMin, 28);
    EXPECT_EQ(rig.wizard.view().failure, 0);
    rig.next();
    EXPECT_EQ(rig.messages.back(), WizardMessageKind::ResultSuccess);
}

TEST_F(TeachInWizardTest, ShaftWasherMessageWhenBothLimitsAreCrossed) {
    rig.startBlank("ORVA-U NoRef");
    rig.intoTravel();
    rig.tick();
    rig.amplitudes(25.0, 60.0);
    rig.amplitudes(93.0, 60.0);
    rig.amplitudes(60.0, 60.0);
    rig.tick();
    rig.next();
    ASSERT_EQ(rig.messages.back(), WizardMessageKind::AmplitudeFailure);
    EXPECT_EQ(rig.last.actions.back().message.text,
              text(TextTable::TeachIn, teachinrow::kWasherNotCentred));
    EXPECT_EQ(rig.step(), 0);
}

TEST_F(TeachInWizardTest, TravelRangeLeftOverErasesAtTheNextTravelStart) {
    rig.startBlank("ORVA-U 1Ref");
    rig.intoTravel();
    rig.tick(); // travel starts, STEP 4
    rig.amplitudes(20.0, 60.0);
    rig.tick();
    ASSERT_NE(rig.wizard.view().failure & kTravelRange, 0);
    rig.back(); // STEP 2, the failure stays
    rig.tick();
    rig.next();
    rig.boxBack();
    const std::size_t before = rig.requests.size();
    rig.tick();
    ASSERT_EQ(rig.requests.size(), before + 1);
    EXPECT_EQ(rig.requests.back(), BoxRequest::Erase);
    EXPECT_FALSE(rig.wizard.view().travelStarted);
    EXPECT_EQ(rig.wizard.view().failure, 0);
}

TEST_F(TeachInWizardTest, OptimumQuestionIsAskedOnceUntilRearmed) {
    rig.startBlank("ORVA-U NoRef");
    rig.intoTravel();
    rig.in.amplitudeYE = 29.0;
    rig.tick();
    ASSERT_EQ(rig.messages, std::vector<WizardMessageKind>{WizardMessageKind::OptimumRange});
    EXPECT_EQ(rig.last.actions.back().message.caption, "ORVATIX");
    EXPECT_TRUE(rig.tick().actions.empty());
    rig.answer(false);
    EXPECT_FALSE(rig.warnOptimum);
    for (int i = 0; i < 3; ++i) {
        rig.tick();
    }
    EXPECT_EQ(rig.messages.size(), 1u);
    EXPECT_TRUE(rig.wizard.view().next.enabled);

    rig.warnOptimum = true; // the start menu was shown again
    rig.tick();
    ASSERT_EQ(rig.messages.size(), 2u);
    rig.answer(true);
    EXPECT_EQ(rig.step(), 0);
}

TEST_F(TeachInWizardTest, OptimumQuestionYesForWhiteGoesToStepTwo) {
    rig.startBlank("ORVA-U NoRef");
    rig.intoTravel();
    rig.in.amplitudeWH = 91.0;
    rig.tick();
    ASSERT_EQ(rig.wizard.openMessage(), WizardMessageKind::OptimumRange);
    rig.answer(true);
    EXPECT_EQ(rig.step(), 1);
    rig.tick();
    EXPECT_TRUE(rig.wizard.view().cancel.enabled);
}

TEST_F(TeachInWizardTest, NoAbsolutePositionFailsAtTheLastStep) {
    rig.startBlank("ORVA-U 1Ref");
    rig.intoTravel();
    rig.in.refPhaseText = "0.2";
    ASSERT_TRUE(rig.tickUntilStep(4));
    rig.in.boxInfoMarked = false; // the box left its teach state
    rig.tick();
    EXPECT_NE(rig.wizard.view().failure & kNoAbsolute, 0);
    EXPECT_TRUE(rig.wizard.view().next.enabled);
    EXPECT_FALSE(rig.wizard.view().next.blinking);
    rig.next();
    EXPECT_EQ(rig.messages.back(), WizardMessageKind::NoAbsolute);
    EXPECT_EQ(rig.last.actions.back().message.caption, "Error.  ");
    rig.answer(true);
    EXPECT_EQ(rig.messages.back(), WizardMessageKind::ResultFailed);
    rig.answer(true);
    EXPECT_EQ(rig.result, WizardResult::Failed);
    EXPECT_EQ(rig.requests.back(), BoxRequest::Erase);
}

TEST_F(TeachInWizardTest, ALineLossInTheLastStepsLatchesNoResult) {
    // STEP 4 waits for the reference mark, STEP 5 for the absolute position;
    // a silent line resets the readings in both.
    for (const bool inStepFive : {false, true}) {
        SCOPED_TRACE(inStepFive ? "STEP 5" : "STEP 4");
        WizardRig r;
        r.startBlank("ORVA-U 1Ref");
        r.intoTravel();
        r.tick();
        ASSERT_EQ(r.step(), 3);
        if (inStepFive) {
            r.in.refPhaseText = "0.2";
            ASSERT_TRUE(r.tickUntilStep(4));
        }
        r.lineLost();
        for (int i = 0; i < 4; ++i)
            r.tick();
        EXPECT_EQ(r.wizard.view().failure & kNoAbsolute, 0);
        EXPECT_FALSE(r.wizard.view().stepSatisfied);
        // Back with what it learned meanwhile.
        r.boxBack();
        r.in.refPhaseText = "0.2";
        r.in.absolutePositionMode = true;
        r.in.detectedPulseRate = 400;
        ASSERT_TRUE(r.tickUntilStep(4));
        r.tick();
        ASSERT_TRUE(r.wizard.view().stepSatisfied);
        EXPECT_EQ(r.wizard.view().okFlags[kAbsoluteFound], 1);
        r.next();
        EXPECT_EQ(r.messages, std::vector<WizardMessageKind>{WizardMessageKind::ResultSuccess});
    }
}

TEST_F(TeachInWizardTest, TooFastIsShownFromStepThreeWhileTheBoxSaysSo) {
    constexpr int32_t kOffsetSpeed = 0x0088; // both heads' offset-speed flags
    rig.startBlank("ORVA-U 1Ref");
    rig.in.errorFlags = kOffsetSpeed;
    rig.tick();
    EXPECT_FALSE(rig.wizard.view().tooFast) << "STEP 1 learns nothing from the speed";
    rig.in.errorFlags = 0;
    rig.intoTravel();
    rig.tick();
    EXPECT_FALSE(rig.wizard.view().tooFast);
    rig.in.errorFlags = kOffsetSpeed;
    rig.tick();
    EXPECT_TRUE(rig.wizard.view().tooFast);
    rig.in.noData = true; // silence shows nothing of the speed
    rig.tick();
    EXPECT_FALSE(rig.wizard.view().tooFast);
    rig.in.noData = false;
    rig.in.errorFlags = 0;
    rig.tick();
    EXPECT_FALSE(rig.wizard.view().tooFast);
}

TEST_F(TeachInWizardTest, StepThreeWaitsForTheBoxAndKeepsNextDisabled) {
    rig.startBlank("ORVA-U NoRef");
    rig.tick();
    rig.next();
    rig.tick();
    rig.next();
    for (int i = 0; i < 3; ++i) {
        rig.tick();
        EXPECT_TRUE(rig.wizard.view().boxBusy);
        EXPECT_FALSE(rig.wizard.view().next.enabled);
    }
    rig.boxBack();
    rig.tick();
    EXPECT_FALSE(rig.wizard.view().boxBusy);
    EXPECT_TRUE(rig.last.redraw.window);
    EXPECT_TRUE(rig.wizard.view().next.enabled);
    // The box restarts under the satisfied step: "Next >" waits for it.
    rig.in.offsetSeenWH = false;
    rig.tick();
    EXPECT_FALSE(rig.wizard.view().next.enabled);
    EXPECT_FALSE(rig.wizard.view().stepSatisfied);
    EXPECT_TRUE(rig.wizard.view().cancel.enabled);
}

TEST_F(TeachInWizardTest, HelpIsShownAndBlocksTheTimer) {
    rig.startBlank("ORVA-U");
    rig.in.amplitudeYE = 20.0;
    rig.tick();
    rig.apply(rig.wizard.help());
    ASSERT_EQ(rig.wizard.openMessage(), WizardMessageKind::Help);
    EXPECT_EQ(rig.last.actions.back().message.caption, "INFO");
    rig.in.amplitudeYE = 60.0;
    rig.tick();
    EXPECT_FALSE(rig.wizard.view().next.enabled); // the tick waited
    rig.answer(true);
    EXPECT_TRUE(rig.last.redraw.bars);
    rig.tick();
    EXPECT_TRUE(rig.wizard.view().next.enabled);
}

TEST_F(TeachInWizardTest, BarUpdatesDropSmallChangesAndTrackExtremesInTravel) {
    EXPECT_FALSE(rig.wizard.barUpdate('Y', 50.0)); // before STEP 1 nothing is drawn
    rig.startBlank("ORVA-U NoRef");
    EXPECT_TRUE(rig.wizard.barUpdate('Y', 50.0));
    EXPECT_FALSE(rig.wizard.barUpdate('Y', 50.9));
    EXPECT_TRUE(rig.wizard.barUpdate('Y', 49.0));
    const auto redraw = rig.wizard.barUpdate('R', 'Y');
    ASSERT_TRUE(redraw);
    EXPECT_EQ(redraw->value, 49.0);
    rig.intoTravel();
    rig.in.amplitudeYE = 61.0;
    rig.tick(); // travel starts at 61 / 60 and forgets the drawn values
    const auto current = rig.wizard.barUpdate('R', 'Y');
    ASSERT_TRUE(current);
    EXPECT_EQ(current->value, 61.0);
    rig.wizard.barUpdate('Y', 70.7);
    rig.wizard.barUpdate('Y', 70.9); // not redrawn: not an extreme either
    rig.wizard.barUpdate('W', 40.2);
    EXPECT_EQ(rig.wizard.view().extremes, (AmplitudeExtremes{61, 70, 40, 60}));
}

TEST_F(TeachInWizardTest, PositionTextsFromStepThreeOn) {
    rig.startBlank("ORVA-U NoRef");
    EXPECT_FALSE(rig.wizard.setPositionTexts("12.345° ", "1.25 rpm ").position);
    rig.intoTravel();
    rig.tick();
    const PositionTextChanges first = rig.wizard.setPositionTexts("12.345° ", "1.25 rpm ");
    EXPECT_TRUE(first.position);
    EXPECT_TRUE(first.speed);
    EXPECT_EQ(rig.wizard.view().positionText, "Pos: 12.3°    ");
    EXPECT_EQ(rig.wizard.view().speedText, "Rpm: 1.2    ");
    const PositionTextChanges same = rig.wizard.setPositionTexts("12.349° ", "0 rpm ");
    EXPECT_FALSE(same.position);
    EXPECT_TRUE(same.speed);
    EXPECT_EQ(rig.wizard.view().speedText, "Rpm: 0    ");
}

TEST(WizardPositionTexts, ShortenPositionAndSpeedToOneDecimal) {
    setLanguage(0);
    struct Case {
        const char* given;
        const char* position;
        const char* speed;
    };
    const Case cases[] = {
        {"123.4567° ", "Pos: 123.4°    ", "Rpm: 123.4    "},
        {" 12° 34' 56.7\"", "Pos: 12° 34' 56.7\"    ", "Rpm: 12°    "},
        {" 12° 34' 56\"", "Pos: 12° 34' 56\"    ", "Rpm: 12°    "},
        {"", "Pos:     ", "Rpm:     "},
        {"1.85 rpm ", "Pos: 1.8 rpm    ", "Rpm: 1.8    "},
        {"-0.25 rpm ", "Pos: -0.2 rpm    ", "Rpm: -0.2    "},
        {" 12 rpm ", "Pos: 12 rpm    ", "Rpm: 12    "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wizardPositionText(c.given), c.position) << c.given;
        EXPECT_EQ(wizardSpeedText(c.given), c.speed) << c.given;
    }
    setLanguage(1);
    EXPECT_EQ(wizardSpeedText("1.85 rpm "), "U/min: 1.8    ");
    setLanguage(0);
}
