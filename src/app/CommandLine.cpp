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

namespace {

// The options of QGuiApplication and QApplication (and of the X11 platform),
// without their leading dash; the first group takes a value.
constexpr std::string_view kQtOptionsWithValue[] = {
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "qwindowgeometry",
    "geometry",
    "qwindowicon",
    "icon",
    "qwindowtitle",
    "title",
    "session",
    "display",
    "name",
    "style",
    "stylesheet",
    "visual",
    "qdevicepixelratio",
};
constexpr std::string_view kQtFlags[] = {
    "reverse", "widgetcount", "nograb", "dograb", "sync", "testability",
};

} // namespace

std::vector<std::string> programArguments(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        // Qt takes its options with one dash or two.
        std::string_view bare = arg;
        if (bare.starts_with("--"))
            bare.remove_prefix(2);
        else if (bare.starts_with("-"))
            bare.remove_prefix(1);
        else {
            args.emplace_back(arg);
            continue;
        }
        bool taken = false;
        for (std::string_view option : kQtOptionsWithValue) {
            if (bare == option) {
                ++i; // its value
                taken = true;
            } else if (bare.starts_with(option) && bare.substr(option.size()).starts_with("=")) {
                taken = true;
            }
        }
        for (std::string_view flag : kQtFlags)
            taken = taken || bare == flag;
        if (bare.starts_with("qmljsdebugger="))
            taken = true;
        if (!taken)
            args.emplace_back(arg);
    }
    return args;
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
           "Settings are kept in ORVAdata.cfg in the working directory. F1 opens the\n"
           "manual of the current language (ManualEnglish.pdf, ManualGerman.pdf, ...),\n"
           "looked for in the working directory, beside the program, then in\n"
           "../share/orvatix beside the program's folder (/usr/share/orvatix when\n"
           "installed).\n"
           "The environment variable ORVATIX_PORTS (device paths separated by ':')\n"
           "names the devices of COM1, COM2, ... explicitly.\n";
}

std::string versionText() {
    return std::string("ORVATIX ") + kProgramVersion + "\n";
}
