#pragma once
// Rows of the main window's context menu (TextTable::Menu).

namespace menurow {
enum Row : int {
    kStatusList = 0,      // "&Status List"
    kInfo = 1,            // "&Info about ORVATIX"
    kExtendedDisplay = 2, // "E&xtended Display"
    kSerialPort = 3,      // "Serial port"
    kAutomaticSearch = 4, // "Automatic search"
    kCount = 5,
};
} // namespace menurow
