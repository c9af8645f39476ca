#pragma once
// The command line of orvatix-monitor.

#include <string>
#include <vector>

enum class MonitorFormat { Text, Json, Csv };

struct MonitorOptions {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string port;  // the box's device
    bool demo = false; // the simulated box in-process instead of a port
    MonitorFormat format = MonitorFormat::Text;
    double seconds = 0.0; // 0: until interrupted
    std::string tracePath;
    std::string error; // for Action::Error
};

// The longest --seconds: the end timer counts milliseconds in an int.
constexpr double kMaxSeconds = 2000000.0;

// The arguments after the program name.
MonitorOptions parseMonitorOptions(const std::vector<std::string>& args);

// The manual page text of --help.
std::string monitorHelpText();

// "orvatix-monitor 0.1.0", the answer to --version.
std::string monitorVersionText();

// Exit codes.
constexpr int kExitDone = 0;
constexpr int kExitUsage = 2;
constexpr int kExitPort = 3;
constexpr int kExitNoBox = 4;
constexpr int kExitTrace = 5; // the serial trace could not be written whole
