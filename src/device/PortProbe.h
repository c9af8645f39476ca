#pragma once
// Does a serial port exist? A port that is missing cannot be opened at all
// ("no such device"); a port that exists may be free or held by another
// program, and both count as existing.

#include <string>

class PortMap;

// True when the device at `path` exists (free or busy). An empty path is a
// port that does not exist.
bool probeDevice(const std::string& path);

// probePort for COMn of the map. Probing COM1 starts a pass over the ports, so
// it first refreshes the map (a converter may have been plugged in since).
bool probePort(PortMap& map, int n);
