#pragma once
// What the teach-in wizard's window writes and which advice picture it shows:
// pure functions of the wizard's picture. The shim advice and the text rows
// are the step logic's.

#include "teachin/widgets/WizardPicture.h"
#include "ui/Artwork.h"

#include <optional>
#include <string>

// The advice picture of STEP 1 to STEP 5; none before STEP 1 and after the
// last step.
std::optional<Art> advicePicture(const WizardPicture& picture);

// The advice text of STEP 1 and STEP 2; "" in the other steps and while the
// amplitude (-1) is not known yet.
std::string adviceText(const WizardPicture& picture);

enum class HeaderContent {
    Nothing,   // step -2: the box is being looked at
    Searching, // blinking interface search text
    Box,       // "Box: " and the box type, and the step text
};
HeaderContent headerContent(const WizardPicture& picture);

// "Please wait… Searching for COM interface          COM3".
std::string searchText(int comPort);

// Row of the step texts table shown, -1 for none: the step's own text, and in
// the last step the done text once the step is satisfied.
int stepTextRow(const WizardPicture& picture);
