#include "MonitorOptions.h"

#include "app/ProgramVersion.h"

#include <cmath>
#include <cstdlib>

MonitorOptions parseMonitorOptions(const std::vector<std::string>& args) {
    MonitorOptions options;
    const auto fail = [&options](std::string why) {
        options.action = MonitorOptions::Action::Error;
        options.error = std::move(why);
        return options;
    };
    bool formatGiven = false;
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
        if (name == "--port") {
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
        } else {
            return fail("unknown option '" + arg + "'");
        }
    }
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
    --help          this text
    --version       the program's version

    Without --json or --csv the records are plain text, one per line.

EXIT STATUS
    0   done (the time ran out, or interrupted)
    2   wrong options
    3   the port is missing, busy, refused by the system, or no serial
        port at all (a file or a folder)
    4   no box answered within 10 seconds
    5   the serial trace could not be created or written whole (a full disk, a size
        limit); the reason is on standard error
)";
}
