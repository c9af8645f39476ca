#pragma once
// The teach-in wizard's messages and help texts, in the current language.

#include "teachin/WizardOutputs.h"

#include <string>

// "Please plug in both sensors then press OK.", OK / Cancel.
WizardMessage plugInMessage();

// The warning before a repeated teach-in, "Yes" / "No".
WizardMessage repeatWarningMessage();

// Whether to cancel a teach-in that has already reset or erased the box,
// "Yes" / "No"; "No" (go on) is the default.
WizardMessage cancelQuestionMessage();

// "Teach-In failed: No absolute position." (kind NoAbsolute) or "... No
// reference marker found." (kind NoReference).
WizardMessage closingFailureMessage(WizardMessageKind kind);

// A finding of the closing amplitude test.
WizardMessage amplitudeFailureMessage(const std::string& text);

// Whether to go back to the sensor adjustment, "Yes" / "No".
WizardMessage optimumRangeMessage();

// The text behind "?" for a wizard step; empty where there is none.
std::string helpText(int step);
WizardMessage helpMessage(int step);

// The closing message of a result.
WizardMessage resultMessage(WizardResult result);
