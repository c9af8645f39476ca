#pragma once
// The wall-clock time of a measurement as ISO 8601 with the local time zone,
// to the millisecond: "2026-12-07T21:05:03.123+01:00". Records and messages
// carry it so that a plant can line them up with its other logs.

#include <chrono>
#include <string>

std::string isoWallClock(std::chrono::system_clock::time_point when);

inline std::string isoWallClockNow() {
    return isoWallClock(std::chrono::system_clock::now());
}
