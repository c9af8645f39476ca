#pragma once
// The wizard window's picture from what the step logic decided: its view, its
// redraw hints, the inputs of the tick and the latest amplitudes.

#include "teachin/WizardInputs.h"
#include "teachin/WizardOutputs.h"
#include "teachin/widgets/WizardPicture.h"

// amplitudeYE/WH: the latest amplitudes for the shim advice, -1 while none
// has arrived.
WizardPicture pictureFromView(const WizardView& view, const WizardRedraw& redraw,
                              const WizardInputs& inputs, double amplitudeYE, double amplitudeWH);
