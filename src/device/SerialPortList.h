#pragma once
// The serial ports the user may choose for the box, as the context menu lists
// them: the ports of the port map (COM1, COM2, ... with their devices, the
// simulated box of the demo among them) and every other serial port the
// system knows, each with what the system says about it.
//
//     for (const SerialPortEntry& e : serialPortEntries(core.ports(), systemPortInfos(), chosen))
//         menu.addAction(e.label) ... search.choosePort(e.name);

#include <string>
#include <vector>

class PortMap;

// What the system says about one of its serial ports; empty where it does
// not know.
struct SystemPortInfo {
    std::string device; // "/dev/ttyUSB0"
    std::string manufacturer;
    std::string product;
    std::string serialNumber;
};

struct SerialPortEntry {
    // What the interface search is given: "\\.\COMn" for a port of the map,
    // else the device itself.
    std::string name;
    std::string device;
    // "COM1  /dev/ttyUSB0  (FTDI, FT232R USB UART, SN A10K3J2C)"
    std::string label;
};

// The system's serial ports now (Qt Serial Port's list).
std::vector<SystemPortInfo> systemPortInfos();

// The map's ports first, in their order, then the system's ports the map does
// not hold. A port of the map is listed when the system knows it, when its
// device is there, or when it is the chosen one (`chosenName`, so that a
// chosen port whose cable is out stays ticked); a port the map leaves empty is
// never listed.
std::vector<SerialPortEntry> serialPortEntries(const PortMap& map,
                                               const std::vector<SystemPortInfo>& system,
                                               const std::string& chosenName = {});

// The label of a port: its program name (may be empty), its device, and in
// brackets what the system knows of it.
std::string serialPortLabel(const std::string& comName, const SystemPortInfo& info);

// Two device paths that name the same device (a link and its target).
bool sameDevice(const std::string& a, const std::string& b);
