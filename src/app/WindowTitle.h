#pragma once
// The main window's title: the bearing type, and the line count once the box
// has reported its pulse rate.

#include <cstdint>
#include <string>

// "ORVATIX %s (%i)" with the bearing name and twice `pulseRate` when
// `pulseRate` is not 0, else "ORVATIX %s".
std::string mainWindowTitle(const std::string& bearingName, int32_t pulseRate);
