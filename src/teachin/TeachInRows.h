#pragma once
// Rows of the teach-in text table (TextTable::TeachIn) and of the step texts
// (TextTable::TeachInSteps) that the wizard uses; the English text in each
// comment.

namespace teachinrow {
constexpr int kDeleteParameters = 0; // "Operating parameters saved in the ORVA Box..."
constexpr int kDistanceCauses = 3;   // "...the reason for that could be: "
constexpr int kFirstCause = 4;       // the five causes, 4..8
constexpr int kLastCause = 8;
constexpr int kCentring = 9;          // the centring explanation, 9 and 10
constexpr int kEncoding = 11;         // jumps in amplitude, with the service contact line
constexpr int kOptimum = 12;          // "Note:\n\nSignal amplitude exceeded the optimum range..."
constexpr int kStep3Help = 13;        // "STEP 3: Teach-In incremental signals...", 14 and 15 follow
constexpr int kNext = 29;             // "Next >"
constexpr int kCancel = 30;           // "Cancel\nTeach-In"
constexpr int kBack = 32;             // "< Back"
constexpr int kReadjust = 33;         // "Sensor distance has to be re-adjusted:\n"
constexpr int kWasherNotCentred = 34; // "Shaft washer is not centered ?..."
constexpr int kYeLow = 35;            // "\n\nYellow sensor (YE): Low amplitude..."
constexpr int kYeHigh = 36;           // "\n\nYellow sensor (YE): High amplitude..."
constexpr int kWhLow = 37;            // "\n\nWhite sensor (WH): Low amplitude..."
constexpr int kWhHigh = 38;           // "\n\nWhite sensor (WH): High amplitude..."
constexpr int kFailedExit = 39;       // "Teach-In failed !\n\nPress \"OK\" to exit"
constexpr int kNotReady = 40;         // "!!! ERROR !!!\nThe measuring system is not ready..."
constexpr int kSuccessExit = 41;      // "Teach-In successful\n\nPress \"OK\" to exit"
constexpr int kAssigned = 42;         // "Please note:\nORVA Box, electronic measuring system..."
constexpr int kNotDone = 43;          // "No teach-in was done.\n\n..."
constexpr int kNotUpdated = 44;       // "Attention:\nThe assignment ... has NOT been updated..."
constexpr int kSearching = 45;        // "Please wait… Searching for COM interface"
constexpr int kTitle = 46;            // "TEACH-IN"
constexpr int kReduceDistance = 47;   // "Reduce sensor distance!"
constexpr int kRemoveShims = 48;      // "Remove shims"
constexpr int kAddShims = 49;         // "Add shims"
constexpr int kDistanceOk = 50;       // "Sensor distance ok."
constexpr int kApprox = 51;           // "Approx."
constexpr int kRpm = 52;              // "Rpm"
constexpr int kInfo = 53;             // "INFO", the caption of the "?" help
constexpr int kBox = 54;              // "Box: "
constexpr int kPos = 55;              // "Pos: "
constexpr int kWindowTitle = 56;      // "Teach-In Dialog"

// TextTable::TeachInSteps
constexpr int kStepText = 0; // "STEP 1:..." .. "STEP 5:..." are rows 0..4
constexpr int kDoneText = 5; // "TEACH-IN DONE..."
} // namespace teachinrow
