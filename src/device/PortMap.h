#pragma once
// The program's port names ("COM1", "\\.\COM12") and the devices of this
// system behind them.
//
// If the environment variable ORVATIX_PORTS is set, it is a colon-separated
// list of device paths and entry n is COMn; an empty or missing entry is a port
// that does not exist. Otherwise COMn is the n-th serial port of the system in
// a stable order: USB converters (ttyUSB*), then ACM converters (ttyACM*), then
// the rest, each group by name with numbers in numeric order.
//
// The map is read by the reader thread (opening a port) and refreshed by the
// interface search on the user-interface thread, so it guards itself.

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class PortMap {
public:
    // From ORVATIX_PORTS when it is set, else the system's serial ports.
    PortMap();
    // A fixed list: devices[0] is COM1; an empty entry is a missing port.
    explicit PortMap(std::vector<std::string> devices);
    PortMap(const PortMap&) = delete;
    PortMap& operator=(const PortMap&) = delete;

    // Device path of COMn, "" when there is no such port.
    std::string device(int n) const;
    // Device path for a port name: "COMn" and "\\.\COMn" are mapped, any
    // other name (a device path given directly) is used as it is.
    std::string deviceForName(std::string_view name) const;
    // Looks at the system's serial ports again (a converter may have been
    // plugged in). A list from ORVATIX_PORTS or the constructor stays.
    void refresh();
    int size() const;

private:
    mutable std::mutex mutex_;
    bool fixed_ = false;
    std::vector<std::string> devices_;
};

// Parses ORVATIX_PORTS text: entry n (1-based) becomes element n-1.
std::vector<std::string> parsePortList(std::string_view colonSeparated);
// The system's serial ports in the map's stable order.
std::vector<std::string> systemSerialPorts();
// Sorts device paths into the map's order (ttyUSB*, ttyACM*, rest; natural).
void sortSerialDevices(std::vector<std::string>& devices);
// The number n of "COMn" or "\\.\COMn" (any case), 0 for any other name.
int comPortNumber(std::string_view name);
// "\\.\COMn", the form the reader thread opens and the configuration keeps.
std::string comPortName(int n);
