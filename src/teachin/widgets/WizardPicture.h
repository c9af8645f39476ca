#pragma once
// Everything the teach-in wizard's window shows, as one plain value. The
// wizard's step logic produces it on every tick; the window compares it with
// the previous one and redraws only what changed or what the hints ask for.

#include <string>

// One push button of the wizard as the step logic wants it.
struct WizardButton {
    bool shown = true;
    bool enabled = true;
    std::string caption; // UTF-8; "" for the dark phase of a blinking caption
    bool operator==(const WizardButton&) const = default;
};

// How the wizard ended, for the colour of the whole window afterwards.
enum class WizardResult {
    Running,
    Success, // green
    Failure, // red
    NotDone, // the user declined before anything was sent: left unpainted
};

struct WizardPicture {
    // Failure bits of `failure`, as the step logic keeps them.
    static constexpr int kYeRange = 0x01;
    static constexpr int kWhRange = 0x02;
    static constexpr int kNoAbsolute = 0x08;
    static constexpr int kTravelRange = 0x10;
    static constexpr int kCancelled = 0x20;
    static constexpr int kNotDone = 0x40;

    // Redraw hints (bits of `redraw`): areas the step logic wants drawn again
    // even when nothing in the picture changed.
    static constexpr int kRedrawHeader = 0x01; // title, box line and step text
    static constexpr int kRedrawText = 0x02;   // step text and advice text box
    static constexpr int kRedrawPanel = 0x04;  // the whole left panel
    static constexpr int kRedrawAdvice = 0x08; // advice picture and advice text box
    static constexpr int kRedrawBars = 0x10;   // scale and both bars
    static constexpr int kRedrawWindow = 0x20; // everything
    static constexpr int kForgetDrawn = 0x40;  // the next amplitude of each bar draws

    int step = -3;      // -3 .. 5; STEP 1 is 0
    int stepCount = 0;  // 3, 4 or 5 once the box is identified
    int comPort = 0;    // shown while the interface is searched
    bool noData = true; // the box is silent
    std::string boxTypeText;

    // Amplitudes in percent; -1: none yet. Taken (like setAmplitude) when
    // they differ from the previous picture's.
    double amplitudeYE = -1.0;
    double amplitudeWH = -1.0;

    // Lowest and highest amplitude (percent) seen since the travel phase
    // started.
    bool travelRunning = false;
    int yeMin = 0;
    int yeMax = 0;
    int whMin = 0;
    int whMax = 0;

    int failure = 0;
    bool stepSatisfied = false;
    bool boxBusy = false;
    bool blinkOn = true;

    // Position and speed texts as the main window formats them ("123.4567° ",
    // "1.23 rpm "). Taken when they differ from the previous picture's.
    std::string positionText;
    std::string speedText;

    WizardResult result = WizardResult::Running;

    WizardButton cancel; // 2, "Cancel\nTeach-In"
    WizardButton ok;     // 1, in the same place, normally hidden
    WizardButton back;   // 1015, "< Back"
    WizardButton next;   // 1014, "Next >"
    WizardButton help;   // 1016, "?"
    bool nextFocused = true;

    int redraw = 0;

    bool operator==(const WizardPicture&) const = default;

    // The picture at the wizard's start, with the captions of the current
    // language: OK hidden, "< Back" disabled, "Next >" disabled showing "...".
    static WizardPicture initial();

    // The wizard has finished: its window only shows the result colour.
    bool finished() const { return step > stepCount; }
    // The bars are drawn in the steps STEP 1 to the last one.
    bool barsShown() const { return step >= 0 && step <= stepCount; }
};
