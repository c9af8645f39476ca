#pragma once
// The simulator's control language: one command per line, as typed on the
// program's standard input or sent by the demo's control panel.

#include "boxsim/BoxSimulator.h"

#include <string>
#include <string_view>

namespace boxsim {

struct ControlResult {
    bool ok = true;
    bool quit = false;
    std::string reply; // text to show (help, status, or what went wrong)
};

// Applies one command line to the simulator. Blank lines and lines starting
// with '#' do nothing.
ControlResult runControlCommand(BoxSimulator& box, std::string_view line);

// The list of commands, as --help and "help" print it.
const char* controlHelp();

} // namespace boxsim
