#pragma once
// Everything the teach-in wizard's window shows, as one plain value. The
// wizard's step logic produces it on every tick; the window compares it with
// the previous one and redraws only what changed or what the hints ask for.

#include "teachin/WizardOutputs.h"

#include <optional>
#include <string>

// One push button of the wizard as shown: its caption in the current language.
struct ShownButton {
    bool shown = true;
    bool enabled = true;
    std::string caption; // UTF-8; "" for the dark phase of a blinking caption
    bool operator==(const ShownButton&) const = default;
};

struct WizardPicture {
    // Redraw hints (bits of `redraw`): areas the step logic wants drawn again
    // even when nothing in the picture changed.
    static constexpr int kRedrawHeader = 0x01; // title, box line and step text
    static constexpr int kRedrawText = 0x02;   // step text and advice text box
    static constexpr int kRedrawPanel = 0x04;  // the whole left panel
    static constexpr int kRedrawAdvice = 0x08; // advice picture and advice text box
    static constexpr int kRedrawBars = 0x10;   // scale and both bars
    static constexpr int kRedrawWindow = 0x20; // everything

    int step = -3;      // -3 .. 5; STEP 1 is 0
    int stepCount = 0;  // 3, 4 or 5 once the box is identified
    int comPort = 0;    // shown while the interface is searched
    bool noData = true; // the box is silent
    std::string boxTypeText;

    // The latest amplitudes in percent, for the shim advice; -1: none yet.
    // The bars show what drawBar() was given.
    double amplitudeYE = -1.0;
    double amplitudeWH = -1.0;

    // Lowest and highest amplitude (percent) seen since the travel phase
    // started.
    bool travelRunning = false;
    int yeMin = 0;
    int yeMax = 0;
    int whMin = 0;
    int whMax = 0;

    int failure = 0; // WizardFailure bits
    bool stepSatisfied = false;
    bool boxBusy = false;
    bool blinkOn = true;

    // Position and speed texts as the step logic made them ("Pos: 123.4°    ",
    // "Rpm: 1.8    "), shown as they are.
    std::string positionText;
    std::string speedText;
    // The box reports the shaft too fast to learn from: the speed in the
    // warning colour and "Turn slower: under 3 rpm" under it.
    bool tooFast = false;

    // How the wizard ended, for the colour of the whole window: green for
    // success, red for a failure, unpainted when the user declined.
    std::optional<WizardResult> result;

    ShownButton cancel; // 2, "Cancel\nTeach-In"
    ShownButton ok;     // 1, in the same place, normally hidden
    ShownButton back;   // 1015, "< Back"
    ShownButton next;   // 1014, "Next >"
    ShownButton help;   // 1016, "?"
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
