#pragma once
// What the teach-in wizard's window writes and which advice picture it shows:
// pure functions of the wizard's picture and the amplitudes.

#include "teachin/widgets/WizardPicture.h"
#include "ui/Artwork.h"
#include "ui/TeachInWarning.h"

#include <optional>
#include <string>

// Rows of the teach-in text table that the window writes.
namespace wizardrow {
constexpr int kSearching = 45;           // "Please wait… Searching for COM interface"
constexpr int kTitle = kTeachInTitleRow; // "TEACH-IN"
constexpr int kReduceDistance = 47;
constexpr int kRemoveShims = 48;
constexpr int kAddShims = 49;
constexpr int kDistanceOk = 50;
constexpr int kApprox = 51;
constexpr int kRpm = 52;
constexpr int kBox = 54;         // "Box: "
constexpr int kPos = 55;         // "Pos: "
constexpr int kWindowTitle = 56; // "Teach-In Dialog"
constexpr int kNext = 29;
constexpr int kCancel = 30;
constexpr int kBack = 32;
// The step texts table: STEP 1..5 in rows 0..4, the done text in row 5.
constexpr int kDoneStep = 5;
} // namespace wizardrow

// Which way the sensor has to move while its distance is set.
enum class ShimMove { Closer, Away, Ok };

struct ShimAdvice {
    ShimMove move = ShimMove::Ok;
    std::string text; // UTF-8, current language
    bool operator==(const ShimAdvice&) const = default;
};

// Below 55 % remove shims (no thickness below 10 %), above 75 % add shims;
// the thickness is 0.025 mm per started 20 points away from 65 %.
ShimAdvice shimAdvice(double amplitude);
double shimThickness(double amplitude);

// The advice picture of STEP 1 to STEP 5; none before STEP 1 and after the
// last step.
std::optional<Art> advicePicture(const WizardPicture& picture, double amplitudeYE,
                                 double amplitudeWH);

// The advice text of STEP 1 and STEP 2; "" in the other steps and while the
// amplitude (-1) is not known yet.
std::string adviceText(const WizardPicture& picture, double amplitudeYE, double amplitudeWH);

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

// The texts under the bars from STEP 3 on, from what the main window shows:
// the number shortened to one decimal, what follows it kept ("Pos: 123.4°    ",
// "Rpm: 2.5    "). A text without a decimal point is kept whole, so whole
// speeds and degrees/minutes/seconds still show.
std::string wizardPositionText(const std::string& given);
std::string wizardSpeedText(const std::string& given);

// Position and speed are taken in STEP 3 up to the last step.
bool acceptsPositionTexts(const WizardPicture& picture);
