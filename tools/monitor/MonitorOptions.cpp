#include "MonitorOptions.h"

#include "app/ProgramVersion.h"

#include <cmath>
#include <cstdlib>
#include <fstream>

namespace {

std::string trimmedText(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The options of a --config file as command-line arguments; false with the
// reason in *error.
bool readConfigArgs(const std::string& path, std::vector<std::string>* out, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        *error = "--config: " + path + " cannot be read";
        return false;
    }
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        line = trimmedText(line);
        if (line.empty() || line.front() == '#')
            continue;
        const size_t split = line.find_first_of(" \t=");
        std::string name = line.substr(0, split);
        if (name.rfind("--", 0) != 0)
            name = "--" + name;
        if (name == "--config") {
            *error = path + ":" + std::to_string(lineNo) + ": a --config file names no other";
            return false;
        }
        out->push_back(name);
        if (split == std::string::npos)
            continue;
        std::string value = trimmedText(line.substr(split));
        if (!value.empty() && value.front() == '=')
            value = trimmedText(value.substr(1));
        out->push_back(value);
    }
    return true;
}

// "50M", "1G", "4096": bytes, the suffixes in powers of 1024.
bool parseByteCount(const std::string& text, uint64_t* bytes) {
    char* end = nullptr;
    const double n = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(n) || n < 0)
        return false;
    double factor = 1;
    const std::string unit = end;
    if (unit == "K" || unit == "k")
        factor = 1024.0;
    else if (unit == "M")
        factor = 1024.0 * 1024.0;
    else if (unit == "G")
        factor = 1024.0 * 1024.0 * 1024.0;
    else if (!unit.empty())
        return false;
    const double total = n * factor;
    if (total > 1e15)
        return false;
    *bytes = static_cast<uint64_t>(total);
    return true;
}

bool parseNumber(const std::string& text, double low, double high, double* out) {
    char* end = nullptr;
    const double n = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(n) || n < low || n > high)
        return false;
    *out = n;
    return true;
}

} // namespace

MonitorOptions parseMonitorOptions(const std::vector<std::string>& given) {
    std::vector<std::string> args = given;
    bool configRead = false;
    MonitorOptions options;
    const auto fail = [&options](std::string why) {
        options.action = MonitorOptions::Action::Error;
        options.error = std::move(why);
        return options;
    };
    bool formatGiven = false;
    bool mqttGiven = false;
    std::string mqttOnly; // an option that means something only with --mqtt
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "--port=X" and "--port X" both work.
        std::string name = arg;
        std::string value;
        bool inlineValue = false;
        if (const size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        const auto takeValue = [&]() -> bool {
            if (inlineValue)
                return !value.empty();
            if (i + 1 >= args.size())
                return false;
            value = args[++i];
            return !value.empty();
        };
        if (name == "--help" || name == "-h") {
            options.action = MonitorOptions::Action::Help;
            return options;
        }
        if (name == "--version" && !inlineValue) {
            options.action = MonitorOptions::Action::Version;
            return options;
        }
        if (name == "--config") {
            if (!takeValue())
                return fail("--config needs a file");
            if (configRead)
                return fail("--config may be given once");
            configRead = true;
            std::vector<std::string> more;
            std::string why;
            if (!readConfigArgs(value, &more, &why))
                return fail(why);
            args.insert(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, more.begin(),
                        more.end());
        } else if (name == "--port") {
            if (!takeValue())
                return fail("--port needs a device");
            options.port = value;
        } else if (name == "--trace") {
            if (!takeValue())
                return fail("--trace needs a file");
            options.tracePath = value;
        } else if (name == "--seconds") {
            if (!takeValue())
                return fail("--seconds needs a number");
            char* end = nullptr;
            const double seconds = std::strtod(value.c_str(), &end);
            if (end == value.c_str() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0.0)
                return fail("--seconds needs a number above 0, not '" + value + "'");
            if (seconds < 0.001 || seconds > kMaxSeconds)
                return fail("--seconds must lie between 0.001 and " +
                            std::to_string(static_cast<long>(kMaxSeconds)) +
                            " (about 23 days), not '" + value +
                            "'; without it the monitor runs until it is ended");
            options.seconds = seconds;
        } else if ((name == "--json" || name == "--csv") && !inlineValue) {
            const MonitorFormat format =
                name == "--json" ? MonitorFormat::Json : MonitorFormat::Csv;
            if (formatGiven && format != options.format)
                return fail("--json and --csv exclude each other");
            formatGiven = true;
            options.format = format;
        } else if (name == "--demo" && !inlineValue) {
            options.demo = true;
        } else if (name == "--quiet" && !inlineValue) {
            options.quiet = true;
        } else if (name == "--mqtt") {
            if (!takeValue())
                return fail("--mqtt needs the broker's URL, such as mqtt://localhost:1883");
            options.mqtt.url = value;
            mqttGiven = true;
        } else if (name == "--ca-file" || name == "--mqtt-credentials" || name == "--topic" ||
                   name == "--client-id" || name == "--spool") {
            if (!takeValue())
                return fail(name + " needs a value");
            std::string& target = name == "--ca-file"            ? options.mqtt.caFile
                                  : name == "--mqtt-credentials" ? options.mqtt.credentialsFile
                                  : name == "--topic"            ? options.mqtt.topic
                                  : name == "--client-id"        ? options.mqtt.clientId
                                                                 : options.mqtt.spoolDir;
            target = value;
            mqttOnly = name;
        } else if (name == "--health-interval") {
            if (!takeValue() || !parseNumber(value, 1.0, 86400.0, &options.mqtt.healthIntervalS))
                return fail("--health-interval needs seconds from 1 to 86400, not '" + value + "'");
            mqttOnly = name;
        } else if (name == "--position-rate") {
            if (!takeValue() || !parseNumber(value, 0.0, 50.0, &options.mqtt.positionRateHz))
                return fail("--position-rate needs messages per second from 0 to 50, not '" +
                            value + "'");
            mqttOnly = name;
        } else if (name == "--spool-max") {
            if (!takeValue() || !parseByteCount(value, &options.mqtt.spoolMaxBytes) ||
                options.mqtt.spoolMaxBytes < 64 * 1024)
                return fail("--spool-max needs a size of at least 64K (such as 50M), not '" +
                            value + "'");
            mqttOnly = name;
        } else if (name == "--password" || name == "--username" || name == "--user") {
            return fail("credentials are never given on the command line: put them in a file "
                        "and give --mqtt-credentials FILE");
        } else {
            return fail("unknown option '" + arg + "'");
        }
    }
    if (!mqttGiven && !mqttOnly.empty())
        return fail(mqttOnly + " needs --mqtt");
    if (options.demo && !options.port.empty())
        return fail("--demo and --port exclude each other");
    if (!options.demo && options.port.empty())
        return fail("--port DEVICE or --demo is needed");
    return options;
}

std::string monitorVersionText() {
    return std::string("orvatix-monitor ") + kProgramVersion;
}

std::string monitorHelpText() {
    return R"(NAME
    orvatix-monitor - watch the ORVA Box from the command line

SYNOPSIS
    orvatix-monitor --port DEVICE [--json | --csv] [--seconds N] [--trace FILE]
    orvatix-monitor --demo [--json | --csv] [--seconds N] [--trace FILE]
    orvatix-monitor --port DEVICE --mqtt URL [MQTT OPTIONS] [--quiet]
    orvatix-monitor --config FILE

DESCRIPTION
    Opens the box's serial port, waits for the box to identify itself and
    polls it in the cycle of the ORVATIX program. Prints one record for the
    box's identity, one per position sample and one per change of the box's
    status, until N seconds have passed or it is interrupted.

    Every record has the time in seconds since the start and the wall-clock
    time (ISO 8601 with the time zone), the position in degrees, the speed in
    revolutions per minute, the amplitudes of the white (WH) and yellow (YE)
    sensor, the status word in decimal and in hex, and the box's flags as
    short text (such as "W-Sig,W-Hi").

    The speed stays unknown (JSON null, an empty CSV field, "-" in text)
    until the box has sent enough position samples since it identified
    itself for the estimate to rest on them alone.

    CSV columns: time, kind, position, speed, amplitude_wh, amplitude_ye,
    status, flags, info, wall_time, status_hex.

OPTIONS
    --port DEVICE   the box's serial port, such as /dev/ttyUSB0
    --demo          the simulated box, started inside the program
    --json          one JSON object per line
    --csv           comma-separated values with a header line
    --seconds N     end after N seconds (0.001 to 2000000, fractions allowed)
    --trace FILE    record every byte on the line, both directions, with its
                    time (a serial trace; orvatix-box-sim --replay plays it)
    --quiet         no records on standard output (a service)
    --config FILE   more options from FILE, one a line without the dashes
                    ("port /dev/ttyUSB0", "mqtt = mqtt://broker"); "#"
                    starts a comment
MQTT OPTIONS
    --mqtt URL      publish to the broker at mqtt://HOST[:PORT] (1883) or
                    mqtts://HOST[:PORT] (8883, TLS): PREFIX/info and
                    PREFIX/state retained, PREFIX/status on every change,
                    PREFIX/health every interval, PREFIX/position with
                    --position-rate. A box that does not answer is then
                    waited for (state "no-box"), not a reason to end.
    --ca-file FILE  mqtts: the CA certificate that signed the broker's
                    (default: the system's CA certificates)
    --mqtt-credentials FILE
                    a file of "username=NAME" and "password=SECRET" lines;
                    credentials are never taken from the command line
    --topic PREFIX  default orvatix/<hostname>/<port>
    --client-id ID  default: one the library makes up
    --health-interval S
                    seconds between health messages (default 60)
    --position-rate HZ
                    position messages per second at most (default 0: none)
    --spool DIR     where status and health messages wait until the broker
                    has them (default: $STATE_DIRECTORY, else
                    ~/.local/state/orvatix/spool/<prefix>); one monitor per
                    folder
    --spool-max SIZE
                    the spool's bound, such as 50M (default); beyond it the
                    oldest messages are dropped and counted on standard error

EXIT STATUS
    0   done (the time ran out, or interrupted)
    2   wrong options
    3   the port is missing, busy, refused by the system, or no serial
        port at all (a file or a folder)
    4   no box answered within 10 seconds
    5   the serial trace could not be created or written whole (a full disk, a size
        limit); the reason is on standard error
    6   --mqtt: the broker's host cannot be found, or the broker refused the
        connection (user name, password, not authorised)
    7   --mqtt: TLS failed (the CA file, the handshake, the certificate)
    A broker that cannot be reached is no failure: the monitor keeps
    trying, and its messages wait in the spool.
)";
}
