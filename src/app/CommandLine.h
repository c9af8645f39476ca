#pragma once
// The program's command line: --demo, --port DEVICE, --trace FILE, --help,
// --version.

#include <string>
#include <vector>

struct CommandLineOptions {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    bool demo = false; // run on the simulated box, mapped to COM1
    std::string port;  // a device to use as COM1; empty: the system's ports
    std::string trace; // a serial trace of the link to this file; empty: none
    std::string error; // for Action::Error: what was wrong
};

// Parses the arguments after the program name. Qt's own options have been
// taken out by QApplication before this runs.
CommandLineOptions parseCommandLine(const std::vector<std::string>& args);

// The program's own arguments of a raw command line: the program name and
// the window system's options (-platform NAME, -style NAME, -reverse, ...,
// also with two dashes), which QApplication takes for itself, are left out.
// It needs no display, so a wrong option is answered before one is opened.
std::vector<std::string> programArguments(int argc, char** argv);

std::string usageText(const std::string& programName);
std::string versionText();
