#pragma once
// The settings record, the bearing table and the accepted pulse-rate range.
// One process-wide instance of each; the setup dialog and the main window
// write them on the user-interface thread.
//
// `pulseRate`, `directionReversed`, `minPulseRate` and `maxPulseRate` are also
// read by the line parser on the reader thread, so they are relaxed atomics.

#include "config/RelaxedAtomic.h"

#include <cstdint>
#include <string>

struct ConfigData {
    std::string bearingType;                     // at most 19 characters
    RelaxedAtomic<int32_t> pulseRate{1728};      // lines per revolution of the selected bearing
    int32_t displayFormat = 1;                   // 0 deg, 1 d/m/s, 2 d/m/s high res, 3 micron
    RelaxedAtomic<int32_t> directionReversed{0}; // 1 = counting direction reversed
    int32_t language = 0;                        // 0 English .. 4 Spanish
    int32_t extDisplayMode = 0;                  // 0..2
    std::string portName = "COM1";               // "COM1" or "\\.\COMn"
    // The COM port the file named or the program last used; written in place
    // of a device path chosen for one run, which the file cannot hold.
    std::string savedPortName = "COM1";
    std::string lastFile; // folder of the last recording, ends with '\'
    std::string refFilePath;
    std::string ampFilePath;
    std::string userLevel = "EXT";
};

struct BearingEntry {
    std::string name; // at most 19 characters
    int32_t pulses = 0;
    int32_t count = 0; // copy of bearingCount, refreshed by the setup dialog
};

constexpr int kMaxBearingRows = 20;                    // rows read from the file
constexpr int kBearingTableSize = kMaxBearingRows + 1; // plus "User defined"

extern ConfigData configData;
extern bool extDisplayOn;
extern BearingEntry bearingTable[kBearingTableSize];
extern int bearingCount;
extern RelaxedAtomic<int32_t> minPulseRate;
extern RelaxedAtomic<int32_t> maxPulseRate;
