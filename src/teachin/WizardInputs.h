#pragma once
// Everything the teach-in wizard reads on each tick. The window fills it from
// the device readings (under the lock, or inside a device event), the link
// flags and the main window's status decoding; the wizard itself reads no
// process-wide record.

#include <cstdint>
#include <string>

struct DeviceReadings;
struct LinkControl;

struct WizardInputs {
    // Device readings
    double amplitudeYE = 0.0; // percent
    double amplitudeWH = 0.0;
    std::string boxTypeText;
    std::string boxInfoText;
    bool boxInfoMarked = false;
    std::string refPhaseText;
    bool absolutePositionMode = false;
    int32_t detectedPulseRate = 0;
    int32_t errorFlags = 0;

    // Link flags
    bool noData = false;
    bool newProtocol = false;
    bool boxStarting = false;
    bool statusRestart = false;
    // A box request of the wizard has not been sent yet (pendingCommand is not
    // 0). The box is not taken as identified while its reset or erase waits.
    bool requestPending = false;

    // The main window's status decoding
    bool offsetSeenYE = false;
    bool offsetSeenWH = false;
    int sensorConnection = -1; // -1 no valid status, 1 sensors not connected, 0 otherwise
    int comPort = 0;           // number of the COM port being tried or used
};

// The inputs from the records of the device link (a consistent copy of the
// readings, or the readings inside a device event) and the main window's status
// decoding.
WizardInputs wizardInputs(const DeviceReadings& readings, const LinkControl& link,
                          bool offsetSeenYE, bool offsetSeenWH, int sensorConnection, int comPort);
