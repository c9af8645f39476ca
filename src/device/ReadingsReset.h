#pragma once
// The device half of resetting the readings.
//
// The main window's resetReadings is built on it:
//     {
//         std::lock_guard<std::mutex> lock(readingsMutex);   // unless inside a DeviceEvent
//         resetDeviceReadings(deviceReadings, linkControl);
//         previousRawPosition = turnCount = previousDisplayPosition = 0;  // its own tracking
//     }
//     boxResetHandling();   // sets boxStarting and statusRestart again
//
// Afterwards every reading is zero (texts empty), the serial number texts keep
// their values, the two-letter protocol is deselected and the link waits for
// the box's identification. The line parser's own state is not touched.

#include "device/DeviceReadings.h"
#include "device/LinkControl.h"

// Zeroes `readings` except serialTextA and serialTextB, clears newProtocol and
// statusRestart, sets awaitingIdentification and purgeRequest. Takes no lock: the caller holds
// readingsMutex when another thread may read the readings.
void resetDeviceReadings(DeviceReadings& readings, LinkControl& link);
