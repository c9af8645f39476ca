#pragma once
// One line of orvatix-monitor's output and its three forms.

#include "MonitorOptions.h"

#include <chrono>
#include <cstdint>
#include <string>

struct MonitorRecord {
    enum class Kind { Box, Position, Status, NoData };
    Kind kind = Kind::Position;
    double timeS = 0.0;                           // since the monitor started
    std::string wallTime;                         // ISO 8601 with the time zone (WallClock.h)
    std::chrono::system_clock::time_point when{}; // the same moment, for the broker's messages
    double positionDeg = 0.0; // within one revolution, after zero point and direction
    double speedRpm = 0.0;    // signed by the counting direction
    bool speedKnown = false;  // false until the estimate rests on the box's own samples
    double amplitudeWH = 0.0;
    double amplitudeYE = 0.0;
    int32_t statusWord = 0;
    int32_t errorFlags = 0;
    std::string flags; // short flag names, comma-separated, no blanks
    std::string info;  // Box: port, type, firmware and serial numbers
};

const char* kindName(MonitorRecord::Kind kind);

// The header line of the CSV form, without line end.
std::string csvHeader();
// One record without line end.
std::string formatRecord(const MonitorRecord& record, MonitorFormat format);

// The status word as the box's documentation writes it: "0x0012".
std::string statusHex(int32_t statusWord);

// The flags as describeFlags writes them (" W-Sig ,W-Hi ") made compact.
std::string compactFlags(const std::string& shortForm);
