#pragma once
// What the teach-in wizard's steps hand to the window: the view it shows now
// (steps, buttons, flags), what must be redrawn, and the actions to perform in
// order (box requests, link flags, beeps, messages, the end).

#include "device/BoxRequest.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

enum class WizardResult { Success, NotDone, Failed };

// A button caption: a row of the teach-in text table, or a literal ("...", "?",
// "OK", or "" in the dark phase of a blinking button).
struct Caption {
    int teachInRow = -1; // -1: `literal`
    const char* literal = "";

    std::string text() const; // in the current language
    bool operator==(const Caption& other) const;
};

struct WizardButton {
    bool visible = true;
    bool enabled = false;
    bool blinking = false; // the caption alternates with "" on every tick
    Caption caption;       // as shown in the current blink phase
    bool operator==(const WizardButton&) const = default;
};

// Per-sensor amplitude extremes of the travel phase, percent truncated.
struct AmplitudeExtremes {
    int yeMin = 0;
    int yeMax = 0;
    int whMin = 0;
    int whMax = 0;
    bool operator==(const AmplitudeExtremes&) const = default;
};

// Indices of the ok flags.
enum WizardOk : int {
    kYeOk = 0,
    kWhOk = 1,
    kTravelOk = 2,
    kReferenceFound = 3,
    kAbsoluteFound = 4,
    kOkFlagCount = 6, // [5] is spare
};

// WizardFailure bits.
enum WizardFailureBit : int {
    kYeRange = 0x01,
    kWhRange = 0x02,
    kNoAbsolute = 0x08,
    kTravelRange = 0x10,
    kCancelled = 0x20,
    kNotDone = 0x40,
};

struct WizardView {
    int step = -3;     // WizardStep: -3..-1 start, 0..4 STEP 1..5, StepCount + 1 after the end
    int stepCount = 0; // StepCount: 3, 4 or 5 once the box is identified
    WizardButton next;
    WizardButton back;
    WizardButton cancel;         // "Cancel\nTeach-In"
    WizardButton ok;             // hidden; "OK" after the end
    WizardButton help;           // "?"
    bool nextTakesFocus = false; // "Next >" takes the focus when no window has it
    bool blinkPhase = true;
    std::array<int, kOkFlagCount> okFlags{};
    int failure = 0; // WizardFailure
    bool travelStarted = false;
    AmplitudeExtremes extremes;
    bool stepSatisfied = false; // StepSatisfied: the last step shows the done text
    bool boxBusy = false;       // BoxBusy: STEP 3 waits for the box's restart
    int comPort = 0;
    std::string positionText;           // "Pos: ..." from STEP 3 on
    std::string speedText;              // "Rpm: ..."
    std::optional<WizardResult> result; // chosen at the end (the result colour)
    // From STEP 3 on the box reports the shaft too fast to learn from: the
    // speed is shown in the warning colour with a "turn slower" line.
    bool tooFast = false;
    // The user confirmed cancelling a teach-in whose box had already been
    // reset or erased (the result is the failure result).
    bool cancelledAfterAsking = false;
};

// The areas of the window to redraw after a call.
struct WizardRedraw {
    bool window = false;
    bool header = false;    // title and box line
    bool leftPanel = false; // header, step text and advice
    bool textArea = false;  // step text
    bool advice = false;    // advice picture and text
    bool barRegion = false; // bar region including the scale
    bool bars = false;      // both bars from their stored values
    bool any() const {
        return window || header || leftPanel || textArea || advice || barRegion || bars;
    }
    bool operator==(const WizardRedraw&) const = default;
};

enum class MessageIcon { Information, Exclamation, Stop };
enum class MessageButtons { Ok, OkCancel, YesNo };

enum class WizardMessageKind {
    PlugInSensors,    // OK / Cancel
    RepeatWarning,    // Yes / No, the wizard's own non-blocking window
    NoAbsolute,       // closing failure
    NoReference,      // closing failure
    AmplitudeFailure, // re-adjust the sensor distance, or the shaft washer
    OptimumRange,     // Yes / No
    Help,             // the "?" text
    ResultSuccess,
    ResultNotDone,
    ResultFailed,
    CancelQuestion, // Yes / No: cancel a teach-in that already reset the box
};

// A message in the current language. Answer it with TeachInWizard::answer;
// until then the wizard's tick does nothing.
struct WizardMessage {
    WizardMessageKind kind = WizardMessageKind::Help;
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    std::string acceptButton; // "OK" or "Yes"
    std::string rejectButton; // "Cancel" or "No"; empty with one button
    // Return answers with the reject button: the answer that changes nothing.
    bool rejectIsDefault = false;
};

// One thing the owner does for the wizard, in the order given. A box request
// goes to the command scheduler's one-shot slot after the actions before it;
// it must wait there until the box has identified itself after a reset of the
// readings, and must not be dropped by that reset. A message is always the
// last action of an update: the owner may show it modally and then answer.
struct WizardAction {
    enum class Kind {
        Request,          // request
        SetStatusRestart, // set the link flag statusRestart
        ResetReadings,    // the main window's resetReadings
        Beep,
        ShowMessage, // message
        Finished,    // result; stop the timer and tell the owner
    };
    Kind kind = Kind::Beep;
    BoxRequest request = BoxRequest::Reset;
    WizardMessage message;
    WizardResult result = WizardResult::Success;
};

struct WizardUpdate {
    WizardView view;
    WizardRedraw redraw;
    std::vector<WizardAction> actions;
};
