#pragma once
// "Serial port" in the diagnosis window's context menu: "Automatic search",
// then every serial port the box may be on. The tick marks the choice in
// force; choosing hands the choice to the interface search, which carries it
// out (SerialPortList.h and InterfaceSearch.h decide).

#include <string>
#include <vector>

class InterfaceSearch;
class PortMap;
class QMenu;
struct SystemPortInfo;

// Appends the submenu to `menu` for the ports the system knows now.
void addSerialPortMenu(QMenu& menu, InterfaceSearch& search, const PortMap& ports);
// The same for a given list of the system's ports (tests).
void addSerialPortMenu(QMenu& menu, InterfaceSearch& search, const PortMap& ports,
                       const std::vector<SystemPortInfo>& system);
