#pragma once
// Whether the extended display's "New Sensor" button may ask for a repeated
// teach-in.

#include "device/DeviceReadings.h"

enum class NewSensorStep {
    TimeoutNotice, // the box is silent: "Timeout: Communication not possible."
    Confirm,       // the box holds teach-in data: ask before erasing it
    Nothing,       // a blank box: nothing to erase, nothing happens
};

// `noData` and `statusRestart` are the link's flags; `readings` a consistent copy
// of the box's readings; the offsets-seen flags are the main window's.
NewSensorStep newSensorStep(bool noData, bool statusRestart, const DeviceReadings& readings,
                            bool offsetSeenWH, bool offsetSeenYE);
