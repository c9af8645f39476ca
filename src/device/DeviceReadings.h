#pragma once
// The one record of the latest values reported by the ORVA Box.
//
// Threads: the line parser on the reader thread is the only writer of measured
// values. It holds `readingsMutex` while it applies a line and releases it
// before every notification, so
//   - inside a DeviceEvent handler (the reader thread waits) the receivers
//     read fields directly;
//   - anywhere else (timers, button clicks) the user-interface thread takes the
//     lock, or copies a snapshot under it.
// What the program makes of the values (the position as shown, the zero
// point, the turn counter, the heads' state) is not here: the acquisition
// core's PositionTracker and SensorState hold it, so nothing the user
// interface decides flows back into the parser.

#include <cstdint>
#include <mutex>

struct DeviceReadings {
    // Position and speed
    int32_t rawPosition = 0;
    double speed = 0.0; // 10^6 counts per second
    // The fastest speed the position samples resolve (same unit, 0 unknown),
    // and whether the shaft turns faster: then `speed` means nothing.
    double speedLimit = 0.0;
    bool speedOverLimit = false;
    bool absolutePositionMode = false;
    int32_t detectedPulseRate = 0;

    // Signals; channel order 0 WH A, 1 WH B, 2 YE A, 3 YE B, 4 reference R
    double amplitudeWH = 0.0;
    double amplitudeYE = 0.0;
    double dacOffsets[5] = {};
    double channelValues[5] = {};
    double channelFactors[5] = {};
    int32_t zeroValueA = 0;
    int32_t zeroValueB = 0;
    double interferenceA = 0.0;
    double interferenceB = 0.0;

    // Reference mark
    // The raw count of the last reference mark as the box reported it
    // (two-letter box); the position tracker counts it as it counts positions.
    int32_t refRawPosition = 0;
    int32_t refDistance = 0;
    double refValues[7] = {};
    char refPhaseText[12] = {};

    // Status and identity
    int32_t statusWord = 0;
    int32_t errorFlags = 0;
    double firmwareVersion = 0.0;
    char versionText[16] = {};
    char boxTypeText[32] = {};
    char boxInfoText[20] = {};
    bool boxInfoMarked = false;
    char serialTextA[20] = {};
    char serialTextB[32] = {};
};

extern DeviceReadings deviceReadings;
extern std::mutex readingsMutex;

// A consistent copy of deviceReadings, taken under readingsMutex.
DeviceReadings snapshotReadings();
// The same for any readings record and the mutex that guards it.
DeviceReadings snapshotReadings(const DeviceReadings& readings, std::mutex& mutex);
