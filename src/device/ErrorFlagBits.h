#pragma once
// The bits of the box's error and warning flag word (`errorFlags`, low 16 bits
// used): bits 0..3 the white sensor (WH), bits 4..7 the yellow sensor (YE) in
// the same order, bits 8..15 common to the box. The device layer decides the
// sensor connection from them; the display describes them (display/ErrorFlags.h).

#include <cstdint>

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
