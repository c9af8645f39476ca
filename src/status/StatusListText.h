#pragma once
// What the status list window writes: one line per entry, and the details of
// the selected entry (long description, position, time).

#include "status/StatusList.h"

#include <string>

// "%4i." + tab + blank + the short flag list, e.g. "   3.\t  W-Sig ,W-Hi ".
// firmwareVersion decides the name of bit 1 (the version at display time).
std::string statusListLine(int number, int32_t flags, double firmwareVersion);

struct StatusEntryDetails {
    std::string description; // " " + long description + " " (control 1082)
    std::string position;    // "%.4lf" degrees (control 1008)
    std::string time;        // "HH:MM:SS" (control 1010)
};
StatusEntryDetails statusEntryDetails(const StatusListEntry& entry, double firmwareVersion);
