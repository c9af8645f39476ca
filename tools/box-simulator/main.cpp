// orvatix-box-sim: a simulated ORVA Box on a pseudo-terminal, steered by
// commands on standard input.

#include "boxsim/BoxSimulator.h"
#include "boxsim/ControlCommands.h"
#include "boxsim/TraceReplay.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
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
                 "  --kind 1ref|ref|noref       reference of the box (sets the configuration\n"
                 "                              token: 01000010, 01000000, 00000100)\n"
                 "  --erased                    start blank, without a teach-in\n"
                 "  --replay FILE               answer each command with the box's answer in a\n"
                 "                              serial trace, at the recorded times (the model\n"
                 "                              and its controls then stay out of the line);\n"
                 "                              skips in the trace are reported on stderr\n"
                 "  --trace FILE                record both directions of the line to FILE as a\n"
                 "                              serial trace (docs/serial-trace.md)\n"
                 "  --help                      this text\n"
                 "\n"
                 "%s",
                 boxsim::controlHelp());
}

// SIGTERM and SIGINT write a byte here; the main loop polls it beside the
// standard input, so a signal ends the program even while a read would block.
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

bool catchSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    return ::sigaction(SIGINT, &action, nullptr) == 0 &&
           ::sigaction(SIGTERM, &action, nullptr) == 0;
}

// Runs one control line; false when it asks to quit.
bool runLine(boxsim::BoxSimulator& box, const std::string& line) {
    boxsim::ControlResult r = boxsim::runControlCommand(box, line);
    if (!r.reply.empty())
        std::fprintf(r.ok ? stdout : stderr, "%s%s", r.reply.c_str(),
                     r.reply.back() == '\n' ? "" : "\n");
    std::fflush(stdout);
    return !r.quit;
}

// Reads control lines until "quit" or a signal. After the end of the input
// the box keeps running until a signal, so that the simulator can run in the
// background with its input closed.
void serve(boxsim::BoxSimulator& box) {
    bool inputOpen = true;
    std::string pending;
    for (;;) {
        pollfd fds[2] = {{inputOpen ? STDIN_FILENO : -1, POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0)
            return;
        if (fds[0].revents == 0)
            continue;
        char buf[4096];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0) {
            inputOpen = false;
            if (!pending.empty() && !runLine(box, pending))
                return;
            pending.clear();
            continue;
        }
        pending.append(buf, size_t(n));
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!runLine(box, line))
                return;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    boxsim::SimulatorOptions options;
    std::string link;
    double speed = 0.0;
    std::optional<boxsim::BoxKind> kind;
    bool erased = false;
    std::string replayFile;
    std::string traceFile;
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
        } else if (a == "--kind") {
            const std::string k = value();
            if (k == "1ref")
                kind = boxsim::BoxKind::CodedReference;
            else if (k == "ref")
                kind = boxsim::BoxKind::Reference;
            else if (k == "noref")
                kind = boxsim::BoxKind::NoReference;
            else {
                std::fprintf(stderr, "orvatix-box-sim: unknown kind %s\n", k.c_str());
                return 2;
            }
        } else if (a == "--replay") {
            replayFile = value();
        } else if (a == "--trace") {
            traceFile = value();
        } else if (a == "--erased") {
            erased = true;
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

    if (!replayFile.empty()) {
        std::string warning;
        TraceParseResult r = boxsim::readReplayTraceFile(replayFile, &warning);
        if (!r.trace) {
            std::fprintf(stderr, "orvatix-box-sim: %s\n", r.error.c_str());
            return 2;
        }
        if (!warning.empty())
            std::fprintf(stderr, "orvatix-box-sim: warning: %s\n", warning.c_str());
        options.replay = std::move(r.trace);
        options.onReplayNote = [](const std::string& note) {
            std::fprintf(stderr, "orvatix-box-sim: %s\n", note.c_str());
        };
    }
    SerialTraceWriter::Options traceOptions;
    traceOptions.comment = "taken by orvatix-box-sim on " + link;
    SerialTraceWriter trace(traceOptions);
    if (!traceFile.empty()) {
        std::string why;
        if (!trace.open(traceFile, &why)) {
            std::fprintf(stderr, "orvatix-box-sim: %s\n", why.c_str());
            return 1;
        }
    }

    if (!catchSignals()) {
        std::fprintf(stderr, "orvatix-box-sim: cannot catch signals: %s\n", std::strerror(errno));
        return 1;
    }
    boxsim::BoxSimulator box(options);
    if (trace.isOpen())
        box.setTrace(&trace);
    std::string why;
    if (!box.start(link, &why)) {
        std::fprintf(stderr, "orvatix-box-sim: %s\n", why.c_str());
        return 1;
    }
    box.setSpeedRpm(speed);
    if (kind)
        box.setKind(*kind);
    if (erased)
        box.eraseTeachIn();
    std::fprintf(stderr, "orvatix-box-sim: box on %s -> %s; \"help\" lists the commands\n",
                 link.c_str(), box.slavePath().c_str());

    serve(box);
    box.stop();
    box.setTrace(nullptr);
    trace.close();
    return 0;
}
