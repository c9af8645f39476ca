#pragma once
// Whether the teach-in wizard still asks about amplitudes outside the optimum
// range. Answering "No" clears it for the rest of the run; the start menu arms
// it again each time it is shown. User-interface thread only.

extern bool WarnOptimum;

// Called by the owner each time it shows the start menu.
void rearmWarnOptimum();
