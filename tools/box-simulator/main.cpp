// orvatix-box-sim: a simulated ORVA Box on a pseudo-terminal, steered by
// commands on standard input.

#include "box-simulator/BoxSimulator.h"
#include "box-simulator/ControlCommands.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

void usage(FILE* to) {
    std::fprintf(to,
                 "usage: orvatix-box-sim --link PATH [options]\n"
                 "\n"
                 "Creates a pseudo-terminal that behaves like an ORVA Box at 9600 baud and puts\n"
                 "a symbolic link to it at PATH (give PATH to the program, e.g. through\n"
                 "ORVATIX_PORTS=PATH for COM1).\n"
                 "\n"
                 "options:\n"
                 "  --link PATH                 where to put the link (required)\n"
                 "  --dialect two-letter|one-letter   protocol of the box (two-letter)\n"
                 "  --unpaced                   answer as fast as possible, not at 9600 baud\n"
                 "  --pulse-rate N              lines per revolution (1728)\n"
                 "  --version TEXT              firmware version (2.10 / 1.45)\n"
                 "  --config TOKEN              8-character configuration token (01000010)\n"
                 "  --info TOKEN                identification info token (4711)\n"
                 "  --speed RPM                 initial shaft speed (0)\n"
                 "  --help                      this text\n"
                 "\n"
                 "%s",
                 boxsim::controlHelp());
}

volatile std::sig_atomic_t interrupted = 0;
void onSignal(int) {
    interrupted = 1;
}

} // namespace

int main(int argc, char** argv) {
    boxsim::SimulatorOptions options;
    std::string link;
    double speed = 0.0;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "orvatix-box-sim: %s needs a value\n", a.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        } else if (a == "--link") {
            link = value();
        } else if (a == "--dialect") {
            std::string d = value();
            if (d == "two-letter")
                options.identity.dialect = boxsim::Dialect::TwoLetter;
            else if (d == "one-letter")
                options.identity.dialect = boxsim::Dialect::OneLetter;
            else {
                std::fprintf(stderr, "orvatix-box-sim: unknown dialect %s\n", d.c_str());
                return 2;
            }
        } else if (a == "--unpaced") {
            options.paced = false;
        } else if (a == "--pulse-rate") {
            options.identity.pulseRate = std::atoi(value().c_str());
        } else if (a == "--version") {
            options.identity.version = value();
        } else if (a == "--config") {
            options.identity.configToken = value();
        } else if (a == "--info") {
            options.identity.infoToken = value();
        } else if (a == "--speed") {
            speed = std::atof(value().c_str());
        } else {
            std::fprintf(stderr, "orvatix-box-sim: unknown option %s\n\n", a.c_str());
            usage(stderr);
            return 2;
        }
    }
    if (link.empty()) {
        usage(stderr);
        return 2;
    }

    boxsim::BoxSimulator box(options);
    std::string why;
    if (!box.start(link, &why)) {
        std::fprintf(stderr, "orvatix-box-sim: %s\n", why.c_str());
        return 1;
    }
    box.setSpeedRpm(speed);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::fprintf(stderr, "orvatix-box-sim: box on %s -> %s; \"help\" lists the commands\n",
                 link.c_str(), box.slavePath().c_str());

    std::string line;
    while (!interrupted && std::getline(std::cin, line)) {
        boxsim::ControlResult r = boxsim::runControlCommand(box, line);
        if (!r.reply.empty())
            std::fprintf(r.ok ? stdout : stderr, "%s%s", r.reply.c_str(),
                         r.reply.back() == '\n' ? "" : "\n");
        std::fflush(stdout);
        if (r.quit)
            break;
    }
    // End of input keeps the box running until a signal, so that the
    // simulator can run in the background with its input closed.
    if (!std::cin && !interrupted) {
        while (!interrupted)
            ::pause();
    }
    box.stop();
    return 0;
}
