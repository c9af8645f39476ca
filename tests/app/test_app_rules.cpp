// The small rules of the program shell: the window title, the command line,
// and what the not-connected state says about a refused port.

#include "app/CommandLine.h"
#include "app/DemoWindowPlacement.h"
#include "app/WindowTitle.h"
#include "device/PortAccess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(WindowTitle, NameAloneUntilThePulseRateIsKnownThenTwiceTheRate) {
    EXPECT_EQ(mainWindowTitle("KAVO150/KAVOS150", 0), "ORVATIX KAVO150/KAVOS150");
    EXPECT_EQ(mainWindowTitle("KAVO150/KAVOS150", 1344), "ORVATIX KAVO150/KAVOS150 (2688)");
    EXPECT_EQ(mainWindowTitle("User defined", 20000), "ORVATIX User defined (40000)");
    EXPECT_EQ(mainWindowTitle("", 0), "ORVATIX ");
}

using Action = CommandLineOptions::Action;

TEST(CommandLine, Options) {
    struct Case {
        std::vector<std::string> args;
        Action action;
        bool demo;
        std::string port;
    };
    const Case cases[] = {
        {{}, Action::Run, false, ""},
        {{"--demo"}, Action::Run, true, ""},
        {{"--port", "/dev/ttyUSB0"}, Action::Run, false, "/dev/ttyUSB0"},
        {{"--port=/dev/ttyS1"}, Action::Run, false, "/dev/ttyS1"},
        {{"--help"}, Action::Help, false, ""},
        {{"-h"}, Action::Help, false, ""},
        {{"--version"}, Action::Version, false, ""},
        {{"--demo", "--version"}, Action::Version, true, ""},
        {{"--port"}, Action::Error, false, ""},
        {{"--port="}, Action::Error, false, ""},
        {{"--frobnicate"}, Action::Error, false, ""},
        {{"--demo", "--port", "/dev/ttyS0"}, Action::Error, true, "/dev/ttyS0"},
        {{"--trace"}, Action::Error, false, ""},
        {{"--trace="}, Action::Error, false, ""},
    };
    for (const Case& c : cases) {
        const CommandLineOptions options = parseCommandLine(c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(options.action, c.action) << what;
        if (c.action == Action::Error) {
            EXPECT_FALSE(options.error.empty()) << what;
            continue;
        }
        EXPECT_EQ(options.demo, c.demo) << what;
        EXPECT_EQ(options.port, c.port) << what;
    }
}

TEST(CommandLine, TraceFileBesideThePort) {
    const CommandLineOptions a = parseCommandLine({"--port", "/dev/ttyS1", "--trace", "a.trace"});
    EXPECT_EQ(a.action, CommandLineOptions::Action::Run);
    EXPECT_EQ(a.port, "/dev/ttyS1");
    EXPECT_EQ(a.trace, "a.trace");
    EXPECT_EQ(parseCommandLine({"--demo", "--trace=b.trace"}).trace, "b.trace");
    EXPECT_TRUE(parseCommandLine({"--demo"}).trace.empty());
}

TEST(CommandLine, HelpNamesEveryOptionAndVersionTheProgram) {
    const std::string usage = usageText("orvatix");
    for (const char* option : {"--demo", "--port DEVICE", "--trace FILE", "--help", "--version"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_EQ(versionText(), "ORVATIX 3.2\n");
}

TEST(PortAccess, ShortNames) {
    EXPECT_EQ(shortPortName("\\\\.\\COM12"), "COM12");
    EXPECT_EQ(shortPortName("COM1"), "COM1");
    EXPECT_EQ(shortPortName("/dev/ttyUSB0"), "/dev/ttyUSB0");
}

TEST(PortAccess, MissingDeviceAndUsableFile) {
    EXPECT_EQ(checkPortAccess("/nonexistent/ttyX").access, PortAccess::Missing);
    EXPECT_EQ(checkPortAccess("").access, PortAccess::Missing);
    const auto path =
        std::filesystem::temp_directory_path() / ("orvatix-port-" + std::to_string(::getpid()));
    std::ofstream(path).put('x');
    EXPECT_EQ(checkPortAccess(path.string()).access, PortAccess::Usable);
    // Without read and write permission: refused, with the owning group named.
    ::chmod(path.c_str(), 0);
    const PortAccessResult refused = checkPortAccess(path.string());
    if (::geteuid() != 0) { // root may open anything
        EXPECT_EQ(refused.access, PortAccess::PermissionDenied);
        EXPECT_FALSE(refused.group.empty());
    }
    std::filesystem::remove(path);
}

TEST(PortAccess, RefusedPortTellsWhichPortAndWhichGroupInEveryLanguage) {
    PortAccessResult refused{PortAccess::PermissionDenied, "dialout"};
    for (int language = 0; language < 5; ++language) {
        const PortProblemText text =
            portProblemText("\\\\.\\COM1", "/dev/ttyUSB0", refused, language);
        // The line leaves the device file to the tool tip, to keep room for
        // what to do.
        EXPECT_EQ(text.line.rfind("COM1: ", 0), 0u) << language;
        EXPECT_EQ(text.line.find("/dev/"), std::string::npos) << language;
        EXPECT_NE(text.line.find("dialout"), std::string::npos) << language;
        EXPECT_EQ(text.detail.rfind("COM1 (/dev/ttyUSB0): ", 0), 0u) << language;
        EXPECT_NE(text.detail.find("usermod -aG dialout"), std::string::npos) << language;
    }
    refused.group.clear(); // the group could not be read: the usual one
    EXPECT_NE(portProblemText("COM2", "/dev/ttyS1", refused, 0).line.find("dialout"),
              std::string::npos);
    EXPECT_TRUE(portProblemText("COM2", "/dev/ttyS1", {}, 0).line.empty());
    EXPECT_FALSE(portProblemText("COM2", "/dev/ttyS1", {PortAccess::Missing, ""}, 9).line.empty());
}

} // namespace

TEST(DemoWindowPlacement, WindowsOpenBesideThePanelNeverUnderIt) {
    const QRect screen(0, 0, 1920, 1040);
    const QRect panel = demoplace::panelFrame(screen, QSize(400, 700));
    EXPECT_EQ(panel, QRect(1520, 0, 400, 700)) << "top right";
    EXPECT_EQ(demoplace::panelFrame(QRect(0, 0, 300, 600), QSize(400, 700)).left(), 0)
        << "wider than the screen: its left edge stays on it";
    const QRect room = demoplace::roomBeside(screen, panel);
    EXPECT_EQ(room.topLeft(), screen.topLeft());
    EXPECT_EQ(room.height(), screen.height());
    EXPECT_FALSE(room.intersects(panel));

    struct Case {
        const char* what;
        QRect frame;
        QRect expected;
    };
    const Case cases[] = {
        {"clear of it: stays", QRect(100, 100, 600, 400), QRect(100, 100, 600, 400)},
        {"on it: moves left", QRect(1300, 50, 500, 300), QRect(1012, 50, 500, 300)},
        {"touching it: moves left", QRect(1100, 300, 415, 100), QRect(1097, 300, 415, 100)},
        {"below it: stays", QRect(1500, 720, 300, 200), QRect(1500, 720, 300, 200)},
        {"too wide for the room: title bar on the screen", QRect(800, 0, 1700, 500),
         QRect(0, 0, 1700, 500)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(demoplace::clearOfPanel(c.frame, panel, screen), c.expected) << c.what;
}
