#pragma once
// The noise measurement's requests through the box-request door.
//
//   NoiseMeasurement noise(link, interferenceRequestsThrough(core.requests()));

#include "display/NoiseMeasurement.h"

class BoxRequests;
struct LinkControl;

// Through `door`, which outlives the measurement.
InterferenceRequests interferenceRequestsThrough(BoxRequests& door);

// Through the door of `link` as it is at each call (BoxRequests::of): for a
// window made before, or apart from, the core that owns the door. Without a
// door nothing is asked and the slot counts as free.
InterferenceRequests interferenceRequestsOf(const LinkControl& link);
