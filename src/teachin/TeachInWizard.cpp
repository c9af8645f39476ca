#include "teachin/TeachInWizard.h"

#include "config/TeachInRows.h"
#include "config/Texts.h"
#include "display/ErrorFlags.h"
#include "teachin/AmplitudeChecks.h"
#include "teachin/TeachInMessages.h"
#include "teachin/WizardPositionTexts.h"

#include <cmath>

namespace {

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TeachInWizard::TeachInWizard(bool& warnOptimum) : warnOptimum_(warnOptimum) {}

void TeachInWizard::begin() {
    redraw_ = WizardRedraw{};
    actions_.clear();
    nextFocus_ = false;
}

WizardUpdate TeachInWizard::done() {
    return WizardUpdate{view(), redraw_, std::move(actions_)};
}

void TeachInWizard::ask(const WizardMessage& message) {
    open_ = message.kind;
    WizardAction action;
    action.kind = WizardAction::Kind::ShowMessage;
    action.message = message;
    actions_.push_back(std::move(action));
}

void TeachInWizard::request(BoxRequest request) {
    if (request == BoxRequest::Reset || request == BoxRequest::Erase) {
        boxTouched_ = true;
    }
    WizardAction action;
    action.kind = WizardAction::Kind::Request;
    action.request = request;
    actions_.push_back(std::move(action));
}

void TeachInWizard::act(WizardAction::Kind kind) {
    WizardAction action;
    action.kind = kind;
    actions_.push_back(std::move(action));
}

void TeachInWizard::forgetDrawnBars() {
    lastYE_ = -1.0;
    lastWH_ = -1.0;
}

WizardUpdate TeachInWizard::tick(const WizardInputs& inputs) {
    begin();
    in_ = inputs;
    blink_ = !blink_;
    if (!ended_) {
        cancelVisible_ = step_ < stepCount_;
    }
    if (busy_ || ended_) {
        return done();
    }
    if (step_ >= stepCount_) {
        busy_ = true;
        runFinish(false);
        return done();
    }
    if (step_ < -3 || step_ > 5) {
        step_ = -3;
        return done();
    }
    switch (step_) {
    case -3:
        backEnabled_ = false;
        helpBlinking_ = false;
        comPort_ = in_.comPort;
        if (!in_.boxStarting && !in_.noData && in_.sensorConnection >= 0) {
            step_ = -2;
        }
        redraw_.header = true;
        break;
    case -2:
        deciding();
        break;
    case -1:
        waitForReset();
        break;
    case 0:
        distanceStep(kYeOk, in_.amplitudeYE, kYeRange);
        break;
    case 1:
        amplitudesTested_ = false;
        if (stepCount_ > 3) {
            referenceDone_ = false;
        }
        if (stepCount_ > 4) {
            absoluteDone_ = false;
        }
        distanceStep(kWhOk, in_.amplitudeWH, kWhRange);
        // Every pass through STEP 3 starts a travel phase of its own.
        travelStarted_ = false;
        positionText_.clear();
        speedText_.clear();
        break;
    case 2: {
        const bool waiting = in_.statusRestart || in_.noData || in_.boxStarting ||
                             !in_.boxInfoMarked || in_.boxTypeText.empty() || in_.requestPending;
        if (waiting) {
            boxBusy_ = true;
            redraw_.header = true;
            redraw_.textArea = true;
        } else if (boxBusy_) {
            boxBusy_ = false;
            redraw_.window = true;
        }
        travelStep();
        break;
    }
    case 3:
    case 4:
        travelStep();
        break;
    default: // 5: the end runs on the next tick
        break;
    }
    return done();
}

void TeachInWizard::deciding() {
    backEnabled_ = false;
    helpBlinking_ = false;
    if (in_.sensorConnection == 1) {
        busy_ = true;
        ask(plugInMessage());
        return;
    }
    const bool blank = !in_.statusRestart && in_.refPhaseText.empty() && !in_.offsetSeenWH &&
                       !in_.offsetSeenYE && !in_.absolutePositionMode &&
                       contains(in_.boxInfoText, "*") &&
                       (!in_.newProtocol || contains(in_.boxTypeText, "ORVA"));
    if (blank) {
        // Nothing to erase: a reset is enough. The request follows the reset of
        // the readings so that it goes out after the box's identification.
        step_ = -1;
        act(WizardAction::Kind::SetStatusRestart);
        act(WizardAction::Kind::ResetReadings);
        request(BoxRequest::Reset);
        redraw_.header = true;
        return;
    }
    busy_ = true;
    ask(repeatWarningMessage());
}

void TeachInWizard::waitForReset() {
    travelStarted_ = false;
    failure_ = 0;
    backEnabled_ = false;
    helpBlinking_ = false;
    if (in_.statusRestart || in_.noData || in_.boxStarting || in_.boxTypeText.empty() ||
        in_.requestPending) {
        redraw_.header = true;
        return;
    }
    amplitudesTested_ = false;
    referenceDone_ = false;
    absoluteDone_ = false;
    if (contains(in_.boxTypeText, "1Ref")) {
        stepCount_ = 5;
    } else if (contains(in_.boxTypeText, "NoRef")) {
        stepCount_ = 3;
        referenceDone_ = true;
        absoluteDone_ = true;
    } else {
        stepCount_ = 4;
        absoluteDone_ = true;
    }
    step_ = 0;
    redraw_.bars = true;
    redraw_.window = true;
}

void TeachInWizard::distanceStep(int sensor, double amplitude, int rangeBit) {
    backEnabled_ = true;
    if (distanceAcceptable(amplitude)) {
        failure_ &= ~rangeBit;
        ok_[sensor] = 1;
        nextMode_ = NextMode::Blinking;
        helpBlinking_ = false;
    } else {
        ok_[sensor] = 0;
        nextMode_ = NextMode::Waiting;
        helpBlinking_ = true;
    }
    redraw_.leftPanel = true;
}

void TeachInWizard::travelStep() {
    if (!boxBusy_) {
        redraw_.advice = true;
    }
    const bool noOffset = (in_.errorFlags & errorflag::kNoOffset) != 0;
    // A reset or erase of ours that has not gone out yet leaves the box's
    // readings those of before it.
    const bool ready = in_.offsetSeenWH && in_.offsetSeenYE && !noOffset && !in_.requestPending;
    if (!ready) {
        failure_ = 0;
        if (noOffset || !in_.offsetSeenYE) {
            ok_[kYeOk] = 0;
        }
        if (noOffset || !in_.offsetSeenWH) {
            ok_[kWhOk] = 0;
        }
        ok_[kTravelOk] = 0;
        nextMode_ = NextMode::Waiting;
    } else {
        ok_[kYeOk] = 1;
        ok_[kWhOk] = 1;
        ok_[kTravelOk] = 1;
        if (!travelStarted_) {
            if (failure_ & kTravelRange) {
                // The box learned from a travel that failed: erase and start over.
                request(BoxRequest::Erase);
                failure_ = 0;
                return;
            }
            const int ye = truncatedPercent(in_.amplitudeYE);
            const int wh = truncatedPercent(in_.amplitudeWH);
            extremes_ = AmplitudeExtremes{ye, ye, wh, wh};
            travelStarted_ = true;
            redraw_.barRegion = true;
            redraw_.bars = true;
            forgetDrawnBars();
        }
        if (!travelAmplitudeTest()) {
            return; // a question is open; the next tick runs the step again
        }
        amplitudesTested_ = true;
    }

    evaluateReferenceAndAbsolute();

    if ((step_ == 2 && stepCount_ > 3 && ok_[kYeOk] && ok_[kWhOk]) ||
        (step_ == 3 && stepCount_ > 4 && ok_[kReferenceFound])) {
        ++step_;
        redraw_.leftPanel = true;
        forgetDrawnBars();
    }

    // Without a ready box "Next >" stays disabled even when all was learned:
    // a box that lost its offsets or reports NoOff has not kept the teach-in,
    // and finishing then would store it as if it had.
    if (ready && amplitudesTested_ && referenceDone_ && absoluteDone_) {
        nextMode_ = (stepCount_ < 5 || ok_[kAbsoluteFound]) ? NextMode::Blinking : NextMode::Steady;
        if (!stepSatisfied_) {
            stepSatisfied_ = true;
            helpBlinking_ = false;
            redraw_.textArea = true;
        }
    } else {
        stepSatisfied_ = false;
        nextMode_ = NextMode::Waiting;
        helpBlinking_ = true;
    }
}

void TeachInWizard::evaluateReferenceAndAbsolute() {
    // Only what the box reports now counts. While it is silent, restarting or
    // not yet identified the readings are those of a reset (no reference, no
    // absolute position, no teach-state marker), and a result taken from them
    // would fail a teach-in the box is completing.
    const bool live = !in_.noData && !in_.boxStarting && !in_.statusRestart &&
                      !in_.boxTypeText.empty() && !in_.requestPending;
    if (!live) {
        return;
    }
    if (!referenceDone_) {
        ok_[kReferenceFound] = in_.refPhaseText.empty() ? 0 : 1;
        referenceDone_ = !in_.refPhaseText.empty();
    }
    if (referenceDone_ && !absoluteDone_) {
        if (in_.absolutePositionMode && in_.detectedPulseRate > 0) {
            failure_ &= ~kNoAbsolute;
            ok_[kAbsoluteFound] = 1;
            absoluteDone_ = true;
        } else {
            ok_[kAbsoluteFound] = 0;
            if (in_.boxInfoMarked) {
                failure_ &= ~kNoAbsolute; // still in its teach state: keep waiting
            } else {
                failure_ |= kNoAbsolute;
                absoluteDone_ = true;
            }
        }
    }
}

bool TeachInWizard::travelAmplitudeTest() {
    const struct {
        int& min;
        int& max;
        double amplitude;
        int rangeBit;
        int okFlag;
    } sensors[] = {
        {extremes_.yeMin, extremes_.yeMax, in_.amplitudeYE, kYeRange, kYeOk},
        {extremes_.whMin, extremes_.whMax, in_.amplitudeWH, kWhRange, kWhOk},
    };
    for (int i = 0; i < 2; ++i) {
        const auto& s = sensors[i];
        if (travelFailed(s.min, s.max)) {
            failure_ |= s.rangeBit | kTravelRange;
            ok_[s.okFlag] = 0;
            ok_[kTravelOk] = 0;
        } else {
            failure_ &= ~s.rangeBit;
            if (warnOptimum_ && outsideOptimum(s.amplitude)) {
                busy_ = true;
                optimumSensor_ = i;
                ask(optimumRangeMessage());
                return false;
            }
        }
    }
    return true;
}

WizardUpdate TeachInWizard::next(const WizardInputs& inputs) {
    begin();
    in_ = inputs;
    if (!open_ && !ended_ && !finishing_ && nextMode_ != NextMode::Waiting) {
        runNext();
    }
    return done();
}

void TeachInWizard::runNext() {
    nextMode_ = NextMode::Waiting;
    busy_ = false;
    act(WizardAction::Kind::Beep);
    ++step_;
    redraw_.window = true;
    redraw_.bars = true;
    if (step_ == 2) {
        stepSatisfied_ = false;
        if (in_.offsetSeenWH || in_.offsetSeenYE || !(in_.errorFlags & errorflag::kNoOffset)) {
            // The box holds offsets: erase them so that it learns anew.
            act(WizardAction::Kind::ResetReadings);
            request(BoxRequest::Erase);
        } else {
            request(BoxRequest::Reset);
        }
    } else if (step_ >= stepCount_ && amplitudesTested_ && referenceDone_ && absoluteDone_) {
        closingEvaluation();
    } else if (step_ == -1) {
        // "Yes" to the repeat warning: erase what the box learned before.
        cancelVisible_ = true;
        nextFocus_ = true;
        act(WizardAction::Kind::SetStatusRestart);
        act(WizardAction::Kind::ResetReadings);
        request(BoxRequest::Erase);
        redraw_.header = true;
    }
    redraw_.advice = true;
}

void TeachInWizard::closingEvaluation() {
    if (stepCount_ == 5 && !ok_[kAbsoluteFound]) {
        busy_ = true;
        step_ = 0;
        ask(closingFailureMessage(WizardMessageKind::NoAbsolute));
    } else if (stepCount_ >= 4 && !ok_[kReferenceFound]) {
        busy_ = true;
        step_ = 0;
        ask(closingFailureMessage(WizardMessageKind::NoReference));
    } else if (ok_[kYeOk] && ok_[kWhOk] && ok_[kTravelOk]) {
        runFinish(false);
    } else {
        busy_ = true;
        const ClosingFinding finding = closingAmplitudeTest(extremes_, ok_[kYeOk], ok_[kWhOk]);
        step_ = finding.step;
        // Back at a distance step nothing is satisfied: Cancel is free again.
        stepSatisfied_ = false;
        act(WizardAction::Kind::Beep);
        ask(amplitudeFailureMessage(finding.text));
    }
}

void TeachInWizard::runFinish(bool failedByMessage) {
    step_ = stepCount_ + 1;
    busy_ = true;
    finishing_ = true;
    cancelVisible_ = false;
    redraw_.window = true;
    if (failedByMessage) {
        result_ = WizardResult::Failed;
    } else if (failure_ == 0) {
        result_ = WizardResult::Success;
    } else if (failure_ & kNotDone) {
        result_ = WizardResult::NotDone;
    } else {
        result_ = WizardResult::Failed;
    }
    if (result_ == WizardResult::Success) {
        request(BoxRequest::Write);
    }
    ask(resultMessage(result_));
}

WizardUpdate TeachInWizard::back() {
    begin();
    if (open_ || ended_ || finishing_ || !backEnabled_) {
        return done();
    }
    if (step_ <= 0) {
        step_ = -3;
    } else if (step_ <= 2) {
        --step_;
    } else {
        step_ = 1; // STEP 4 and STEP 5 return to STEP 2
    }
    for (int i = 0; i < stepCount_ && i < kOkFlagCount; ++i) {
        ok_[i] = 0;
    }
    // The step left behind is no longer satisfied (and no longer locks Cancel);
    // the next tick decides the buttons of the step returned to.
    stepSatisfied_ = false;
    nextMode_ = NextMode::Waiting;
    backEnabled_ = step_ >= 0;
    busy_ = false;
    act(WizardAction::Kind::Beep);
    redraw_.bars = true;
    redraw_.window = true;
    return done();
}

WizardUpdate TeachInWizard::cancel() {
    begin();
    if (ended_ || finishing_) {
        return done();
    }
    if (boxTouched_) {
        // The box no longer holds a usable teach-in: ask before leaving it so.
        // An open message (the question itself, or one the user must answer
        // first) keeps the wizard as it is.
        if (!open_) {
            busy_ = true;
            ask(cancelQuestionMessage());
        }
        return done();
    }
    open_.reset(); // the owner closes a question still open with the wizard
    failure_ |= kCancelled;
    runFinish(false);
    return done();
}

WizardUpdate TeachInWizard::help() {
    begin();
    if (busy_ || open_ || ended_ || finishing_) {
        return done();
    }
    const WizardMessage message = helpMessage(step_);
    if (!message.text.empty()) {
        busy_ = true;
        ask(message);
    }
    return done();
}

WizardUpdate TeachInWizard::answer(bool accepted) {
    begin();
    if (!open_) {
        return done();
    }
    const WizardMessageKind kind = *open_;
    open_.reset();
    switch (kind) {
    case WizardMessageKind::PlugInSensors:
        if (!accepted) {
            step_ = 5;
            failure_ = kNotDone;
        }
        busy_ = false;
        break;
    case WizardMessageKind::RepeatWarning:
        if (accepted) {
            runNext();
        } else {
            step_ = 5;
            failure_ = kNotDone;
            busy_ = false;
        }
        break;
    case WizardMessageKind::OptimumRange:
        if (accepted) {
            step_ = optimumSensor_;
            stepSatisfied_ = false; // as with Back: the distance step locks nothing
        } else {
            warnOptimum_ = false;
        }
        redraw_.bars = true;
        redraw_.window = true;
        forgetDrawnBars();
        busy_ = false;
        break;
    case WizardMessageKind::Help:
        redraw_.bars = true;
        forgetDrawnBars();
        busy_ = false;
        break;
    case WizardMessageKind::AmplitudeFailure:
        failure_ = 0;
        redraw_.bars = true;
        busy_ = false;
        break;
    case WizardMessageKind::NoAbsolute:
    case WizardMessageKind::NoReference:
        runFinish(true);
        break;
    case WizardMessageKind::CancelQuestion:
        if (accepted) {
            cancelConfirmed_ = true;
            failure_ |= kCancelled;
            runFinish(false);
        } else {
            // Go on where the teach-in stood; the question covered the bars.
            redraw_.bars = true;
            forgetDrawnBars();
            busy_ = false;
        }
        break;
    case WizardMessageKind::ResultSuccess:
    case WizardMessageKind::ResultNotDone:
    case WizardMessageKind::ResultFailed: {
        ended_ = true;
        WizardAction action;
        action.kind = WizardAction::Kind::Finished;
        action.result = result_;
        actions_.push_back(action);
        break;
    }
    }
    return done();
}

std::optional<BarDraw> TeachInWizard::barUpdate(char command, double value) {
    if (step_ < 0 || step_ > stepCount_) {
        return std::nullopt;
    }
    if (const std::optional<Head> head = headFromLetter(command)) {
        double& last = *head == Head::YE ? lastYE_ : lastWH_;
        if (std::fabs(value - last) < 1.0) {
            return std::nullopt;
        }
        last = value;
        if (travelStarted_ && (step_ >= 2 || (failure_ & (kYeRange | kWhRange)))) {
            if (*head == Head::YE) {
                widenExtremes(extremes_.yeMin, extremes_.yeMax, value);
            } else {
                widenExtremes(extremes_.whMin, extremes_.whMax, value);
            }
        }
        return BarDraw{*head, value};
    }
    if (command == 'R' || command == 'P') {
        const std::optional<Head> head = headFromCode(value);
        if (!head) {
            return std::nullopt;
        }
        const double last = *head == Head::YE ? lastYE_ : lastWH_;
        // Nothing drawn since the bars were forgotten: show the latest reading,
        // never the marker.
        const double current = *head == Head::YE ? in_.amplitudeYE : in_.amplitudeWH;
        return BarDraw{*head, last >= 0.0 ? last : current};
    }
    return std::nullopt;
}

PositionTextChanges TeachInWizard::setPositionTexts(std::string_view position,
                                                    std::string_view speed) {
    PositionTextChanges changes;
    if (step_ < 2 || step_ > stepCount_) {
        return changes;
    }
    std::string pos = wizardPositionText(position);
    std::string rpm = wizardSpeedText(speed);
    changes.position = pos != positionText_;
    changes.speed = rpm != speedText_;
    positionText_ = std::move(pos);
    speedText_ = std::move(rpm);
    return changes;
}

WizardView TeachInWizard::view() const {
    WizardView v;
    v.step = step_;
    v.stepCount = stepCount_;
    const bool end = finishing_ || ended_;

    v.next.visible = !end;
    v.next.enabled = nextMode_ != NextMode::Waiting;
    v.next.blinking = nextMode_ == NextMode::Blinking;
    if (nextMode_ == NextMode::Waiting) {
        v.next.caption = Caption{-1, "..."};
    } else if (v.next.blinking && !blink_) {
        v.next.caption = Caption{-1, ""};
    } else {
        v.next.caption = Caption{teachinrow::kNext, ""};
    }
    v.nextTakesFocus = !end && (nextFocus_ || v.next.blinking);

    v.back = WizardButton{!end, backEnabled_, false, Caption{teachinrow::kBack, ""}};
    // Locked while the last step shows its done text; "No data" frees it again.
    const bool cancelEnabled = step_ != -2 && (!stepSatisfied_ || in_.noData);
    v.cancel = WizardButton{cancelVisible_ && !end, cancelEnabled, false,
                            Caption{teachinrow::kCancel, ""}};
    v.ok = WizardButton{false, false, false, Caption{-1, "OK"}};
    v.help.visible = !end;
    v.help.enabled = helpBlinking_;
    v.help.blinking = helpBlinking_;
    v.help.caption = Caption{-1, helpBlinking_ && !blink_ ? "" : "?"};

    v.blinkPhase = blink_;
    v.okFlags = ok_;
    v.failure = failure_;
    v.travelStarted = travelStarted_;
    v.extremes = extremes_;
    v.stepSatisfied = stepSatisfied_;
    v.boxBusy = boxBusy_;
    v.comPort = comPort_;
    v.positionText = positionText_;
    v.speedText = speedText_;
    if (finishing_) {
        v.result = result_;
    }
    // Both heads' offset-speed flags: the box cannot learn at this speed.
    const int32_t speedFlags = errorflag::kWhOffsetSpeed | errorflag::kYeOffsetSpeed;
    v.tooFast = !end && step_ >= 2 && step_ < stepCount_ && !in_.noData &&
                (in_.errorFlags & speedFlags) != 0;
    v.cancelledAfterAsking = cancelConfirmed_;
    return v;
}
