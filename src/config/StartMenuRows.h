#pragma once
// Rows of the start menu's table (TextTable::StartMenu).

namespace startmenurow {
enum Row : int {
    kTitle = 0,        // "ORVATIX"
    kPleaseChoose = 1, // "Please choose:"
    kTeachIn = 2,      // "Teach-In wizard"
    kDiagnosis = 3,    // "System diagnosis"
    kBlank = 4,        // " "
    kChangeSetup = 5,  // "Change setup"
    kExit = 6,         // "Exit"
    kHelpHint = 7,     // "Press F1 for help.  "
    kCount = 8,
};
} // namespace startmenurow
