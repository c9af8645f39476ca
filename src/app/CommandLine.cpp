#include "app/CommandLine.h"

#include "app/ProgramVersion.h"

#include <string_view>

CommandLineOptions parseCommandLine(const std::vector<std::string>& args) {
    CommandLineOptions options;
    auto fail = [&options](std::string message) {
        options.action = CommandLineOptions::Action::Error;
        options.error = std::move(message);
        return options;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.action = CommandLineOptions::Action::Help;
            return options;
        }
        if (arg == "--version" || arg == "-v") {
            options.action = CommandLineOptions::Action::Version;
            return options;
        }
        if (arg == "--demo") {
            options.demo = true;
        } else if (arg == "--port") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return fail("--port needs a device, for example --port /dev/ttyUSB0");
            options.port = args[++i];
        } else if (arg.starts_with("--port=")) {
            options.port = arg.substr(7);
            if (options.port.empty())
                return fail("--port needs a device, for example --port=/dev/ttyUSB0");
        } else if (arg == "--trace") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return fail("--trace needs a file, for example --trace box.trace");
            options.trace = args[++i];
        } else if (arg.starts_with("--trace=")) {
            options.trace = arg.substr(8);
            if (options.trace.empty())
                return fail("--trace needs a file, for example --trace=box.trace");
        } else {
            return fail("unknown option '" + arg + "'");
        }
    }
    if (options.demo && !options.port.empty())
        return fail("--demo and --port exclude each other: the demo box is COM1");
    return options;
}

bool wantsHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h" || arg == "--version" || arg == "-v")
            return true;
    }
    return false;
}

std::string usageText(const std::string& programName) {
    return "Usage: " + programName +
           " [--demo | --port DEVICE] [--trace FILE]\n"
           "\n"
           "Setup and diagnosis of the ORVA Box, the measuring electronics of the\n"
           "KAVO/KAVOS angle-measuring bearings, over RS-232 (9600 baud, 8N1).\n"
           "\n"
           "Options:\n"
           "  --demo          run on a simulated box (COM1), with a panel to turn the\n"
           "                  shaft, change shims, unplug sensors and inject faults\n"
           "  --port DEVICE   the box is at DEVICE (for example /dev/ttyUSB0); it is COM1\n"
           "                  for the program. Without it the program searches the\n"
           "                  serial ports of the system for the box.\n"
           "  --trace FILE    record every byte on the line, both directions, with its\n"
           "                  time, to FILE (a serial trace; orvatix-box-sim --replay\n"
           "                  plays it back)\n"
           "  -h, --help      show this text and exit\n"
           "  -v, --version   show the version and exit\n"
           "\n"
           "Settings are kept in ORVAdata.cfg in the working directory; the manuals\n"
           "(ManualEnglish.pdf ...) are opened from there as well.\n"
           "The environment variable ORVATIX_PORTS (device paths separated by ':')\n"
           "names the devices of COM1, COM2, ... explicitly.\n";
}

std::string versionText() {
    return std::string("ORVATIX ") + kProgramVersion + "\n";
}
