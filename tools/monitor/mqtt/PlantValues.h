#pragma once
// What the monitor hands its plant publisher: plain values of the box and of
// one moment, taken where the readings may be read. The publisher needs no
// readings record, link flags or display class of its own.

#include "signalview/SignalSample.h"

#include <chrono>
#include <cstdint>
#include <string>

// Who the box is; published retained, again whenever it changes.
struct PlantBox {
    std::string port;
    std::string type;     // "QTBX02 (1Ref)"
    std::string firmware; // "2.10"
    std::string serial;   // both serial numbers, blank-separated; empty for older boxes
    std::string bearing;  // the configured bearing type
    int32_t lineCount = 0;
    bool operator==(const PlantBox&) const = default;
};

struct PlantValues {
    std::chrono::system_clock::time_point when{};
    double positionDeg = 0.0;
    double speedRpm = 0.0;
    bool speedKnown = false;
    double amplitudeWH = 0.0; // percent
    double amplitudeYE = 0.0;
    SignalSample signal; // both heads' channel values and offsets, for the fit
    int32_t statusWord = 0;
    int32_t errorFlags = 0;
    std::string flags;      // short flag names, comma-separated
    std::string statusText; // the status line's text
};
