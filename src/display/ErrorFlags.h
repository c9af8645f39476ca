#pragma once
// The box's error and warning flag word (`errorFlags`, low 16 bits used):
// bits 0..3 the white sensor (WH), bits 4..7 the yellow sensor (YE) in the same
// order, bits 8..15 common to the box.

#include <cstdint>
#include <string>

namespace errorflag {
constexpr int32_t kWhSignal = 0x0001;        // W-Sig
constexpr int32_t kWhLowOrMaxSpeed = 0x0002; // W-Lo, from firmware 2.0 MX-Spd
constexpr int32_t kWhHigh = 0x0004;          // W-Hi, qualifies W-Sig
constexpr int32_t kWhOffsetSpeed = 0x0008;   // W-OSpd
constexpr int32_t kYeSignal = 0x0010;        // Y-Sig
constexpr int32_t kYeLow = 0x0020;           // Y-Lo
constexpr int32_t kYeHigh = 0x0040;          // Y-Hi, qualifies Y-Sig
constexpr int32_t kYeOffsetSpeed = 0x0080;   // Y-OSpd
constexpr int32_t kRs232Stopped = 0x0100;    // Spd232
constexpr int32_t kUnexpectedRef = 0x0200;   // Ref
constexpr int32_t kRollOver = 0x0400;        // RollO
constexpr int32_t kAdcTimeout = 0x0800;      // ADC
constexpr int32_t kNoOffset = 0x1000;        // NoOff
constexpr int32_t kWhNoSensor = 0x2000;      // W-NoS
constexpr int32_t kYeNoSensor = 0x4000;      // Y-NoS
constexpr int32_t kDacCalFailed = 0x8000;    // DACo
// Bits that are errors for the status line whatever the firmware.
constexpr int32_t kErrorMask = 0xE855;
constexpr int32_t kUsedBits = 0xFFFF;
} // namespace errorflag

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
