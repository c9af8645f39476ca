#pragma once
// The teach-in wizard's steps: the logic of the wizard window CTeachInDlg,
// without a screen. The window calls tick() from its 250 ms timer with the
// readings of the moment, forwards its buttons (next, back, cancel, help) and
// the answers to the messages it was asked to show, and applies each
// WizardUpdate: the view, the areas to redraw, and the actions in order.
//
// While a message is open (answer() not yet called) the tick does nothing, so a
// modal message box whose loop lets the timer run cannot re-enter a step.
//
// Steps: -3 wait for the box, -2 decide (blank box, sensors, repeated teach-in),
// -1 wait for the box's reset, 0..4 STEP 1..5, StepCount and beyond the end.

#include "device/Head.h"
#include "teachin/WizardInputs.h"
#include "teachin/WizardOutputs.h"

#include <optional>
#include <string>
#include <string_view>

// An amplitude to draw in a head's bar.
struct BarDraw {
    Head head = Head::YE;
    double value = 0.0;
};

struct PositionTextChanges {
    bool position = false;
    bool speed = false;
};

class TeachInWizard {
public:
    // warnOptimum: the flow's flag (read and cleared here); tests
    // pass their own.
    explicit TeachInWizard(bool& warnOptimum);

    // One timer tick.
    WizardUpdate tick(const WizardInputs& inputs);

    // The buttons. "Next >" and "< Back" act only while they are enabled; cancel
    // also stands for closing the window. Once the wizard has reset or erased
    // the box, cancel first asks (CancelQuestion) and ends only on "Yes"; while
    // another message is open it does nothing then.
    WizardUpdate next(const WizardInputs& inputs);
    WizardUpdate back();
    WizardUpdate cancel();
    WizardUpdate help();

    // The answer to the open message: accepted is OK or Yes.
    WizardUpdate answer(bool accepted);

    // An amplitude forwarded by the main window ('Y' or 'W' with a value), or a
    // redraw with the stored value ('R' or 'P' with 'Y' or 'W' as the value).
    // Returns what to draw; tracks the travel phase's extremes.
    std::optional<BarDraw> barUpdate(char command, double value);

    // The main window's position and speed texts; accepted from STEP 3 to the
    // end. Returns which of the two texts changed.
    PositionTextChanges setPositionTexts(std::string_view position, std::string_view speed);

    WizardView view() const;
    // The inputs of the last tick or button.
    const WizardInputs& inputs() const { return in_; }
    bool busy() const { return busy_; }
    // Whether cancel() asks before it ends the wizard: the box has been reset
    // or erased by this teach-in, and the end has not come yet.
    bool cancelAsks() const { return boxTouched_ && !finishing_ && !ended_; }
    std::optional<WizardMessageKind> openMessage() const { return open_; }
    bool ended() const { return ended_; }

private:
    enum class NextMode { Waiting, Blinking, Steady };

    void begin();
    WizardUpdate done();
    void ask(const WizardMessage& message);
    void request(BoxRequest request);
    void act(WizardAction::Kind kind);

    void deciding();
    void waitForReset();
    void distanceStep(int sensor, double amplitude, int rangeBit);
    void travelStep();
    void evaluateReferenceAndAbsolute();
    bool travelAmplitudeTest();
    void runNext();
    void closingEvaluation();
    void runFinish(bool failedByMessage);
    void forgetDrawnBars();

    bool& warnOptimum_;
    WizardInputs in_;

    int step_ = -3;
    int stepCount_ = 0;
    bool busy_ = false;
    bool blink_ = true;
    std::array<int, kOkFlagCount> ok_{};
    bool amplitudesTested_ = false;
    bool referenceDone_ = false;
    bool absoluteDone_ = false;
    int failure_ = 0;
    AmplitudeExtremes extremes_;
    bool travelStarted_ = false;
    double lastYE_ = -1.0;
    double lastWH_ = -1.0;
    int comPort_ = 0;
    std::string positionText_;
    std::string speedText_;
    bool stepSatisfied_ = false;
    bool boxBusy_ = false;

    NextMode nextMode_ = NextMode::Waiting;
    bool nextFocus_ = true;
    bool helpBlinking_ = false;
    bool backEnabled_ = false;
    bool cancelVisible_ = true;
    bool finishing_ = false; // the result message is open or answered
    bool ended_ = false;
    bool boxTouched_ = false;      // a reset or erase of this teach-in was requested
    bool cancelConfirmed_ = false; // "Yes" to the cancel question
    int optimumSensor_ = 0;        // 0 YE, 1 WH: the sensor the optimum question is about
    WizardResult result_ = WizardResult::Success;
    std::optional<WizardMessageKind> open_;

    WizardRedraw redraw_;
    std::vector<WizardAction> actions_;
};
