#pragma once
// The command line of orvatix-monitor.

#include <string>
#include <vector>

enum class MonitorFormat { Text, Json, Csv };

struct MonitorOptions {
    enum class Action { Run, Help, Error };
    Action action = Action::Run;
    std::string port;  // the box's device
    bool demo = false; // the simulated box in-process instead of a port
    MonitorFormat format = MonitorFormat::Text;
    double seconds = 0.0; // 0: until interrupted
    std::string tracePath;
    std::string error; // for Action::Error
};

// The arguments after the program name.
MonitorOptions parseMonitorOptions(const std::vector<std::string>& args);

// The manual page text of --help.
std::string monitorHelpText();

// Exit codes.
constexpr int kExitDone = 0;
constexpr int kExitUsage = 2;
constexpr int kExitPort = 3;
constexpr int kExitNoBox = 4;
