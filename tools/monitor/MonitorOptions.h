#pragma once
// The command line of orvatix-monitor.

#include <cstdint>
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
    bool quiet = false; // no records on standard output (a service with --mqtt)
    struct Mqtt {
        std::string url; // empty: no publishing
        std::string caFile;
        std::string credentialsFile;
        std::string topic; // empty: orvatix/<hostname>/<port>
        std::string clientId;
        std::string spoolDir; // empty: the user's state folder
        double healthIntervalS = 60.0;
        double positionRateHz = 0.0; // 0: no position messages
        uint64_t spoolMaxBytes = 50ull * 1024 * 1024;
    } mqtt;
    std::string error; // for Action::Error
};

// The longest --seconds: the end timer counts milliseconds in an int.
constexpr double kMaxSeconds = 2000000.0;

// The arguments after the program name. "--config FILE" reads more of them
// from FILE, one option a line ("port /dev/ttyUSB0", "mqtt = mqtt://host"),
// where it stands; "#" starts a comment line.
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
// Failures of --mqtt that a retry cannot mend.
constexpr int kExitMqttRefused = 6; // host unknown, user or password refused, not authorised
constexpr int kExitMqttTls = 7;     // CA file, handshake, certificate
