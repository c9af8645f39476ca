#pragma once
// Which parts of the teach-in wizard's window a new picture makes stale: a
// pure comparison of the previous and the new picture plus the new picture's
// redraw hints.

#include "teachin/widgets/WizardPicture.h"

namespace wizardarea {
constexpr int kTitle = 0x01;
constexpr int kBoxLine = 0x02;
constexpr int kStepText = 0x04;
constexpr int kAdvicePicture = 0x08;
constexpr int kAdviceText = 0x10; // the advice text box with position and speed
constexpr int kBars = 0x20;       // the whole bar region: scale and both bars
constexpr int kWindow = 0x40;     // everything, the result colour included
} // namespace wizardarea

// The areas to draw again (bits of wizardarea). Amplitude changes are left
// out: the window takes them through its one-point filter.
int staleAreas(const WizardPicture& before, const WizardPicture& after);
