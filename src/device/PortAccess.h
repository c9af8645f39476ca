#pragma once
// Why the reader thread could not open the box's port, told so that the user
// can fix it: the texts for the serial-number line of the main window.

#include <string>

enum class PortAccess { Usable, Missing, PermissionDenied };

struct PortAccessResult {
    PortAccess access = PortAccess::Usable;
    std::string group; // the group owning the device, when it could be read
};

// Looks at the device file without opening it.
PortAccessResult checkPortAccess(const std::string& devicePath);

// The program's name of a port: "\\.\COM3" and "COM3" both give "COM3".
std::string shortPortName(const std::string& portName);

struct PortProblemText {
    std::string line;   // short, for the serial-number line
    std::string detail; // the whole advice, for its tool tip
};

// Text in `language` (0..4) for a port that the system refuses; empty texts
// for a usable port.
PortProblemText portProblemText(const std::string& portName, const std::string& devicePath,
                                const PortAccessResult& result, int language);
