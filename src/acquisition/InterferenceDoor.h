#pragma once
// The noise measurement's requests through the box-request door.
//
//   NoiseMeasurement noise(link, interferenceRequestsThrough(core.requests()));

#include "device/InterferenceRequests.h"

class BoxRequests;

// Through `door`, which outlives the measurement.
InterferenceRequests interferenceRequestsThrough(BoxRequests& door);
