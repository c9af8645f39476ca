#pragma once
// The box's error and warning flag word (`errorFlags`, low 16 bits used):
// bits 0..3 the white sensor (WH), bits 4..7 the yellow sensor (YE) in the same
// order, bits 8..15 common to the box.

#include "device/ErrorFlagBits.h"

#include <cstdint>
#include <string>

// Firmware versions from which the box changed the meaning of a flag.
constexpr double kFirmwareMaxSpeed = 2.0;         // bit 1 is the maximum-speed error
constexpr double kFirmwareRefIsSignal = 1.52;     // bit 9 is a signal error of YE
constexpr double kFirmwareRefIsSpeedBelow = 1.47; // below: bit 9 is a speed/hardware error

// The short flag list (longForm false), such as " W-Sig ,W-Hi ", or the long
// description (longForm true), such as "CH-W: High amplitude.  ", of one flag
// word. Only the low 16 bits count. The long texts come from the status
// message table in the current language (UTF-8). firmwareVersion decides
// whether bit 1 is called W-Lo or MX-Spd.
std::string describeFlags(int32_t flags, bool longForm, double firmwareVersion);
