// The program binary's command line on a machine without a display: the
// answers come before any window system is needed.

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <string>

namespace {

struct ProgramRun {
    int exitCode = -1;
    bool crashed = true;
    std::string out;
    std::string err;
};

// Runs the program with no display at all: no X, no Wayland, no platform
// chosen by the environment.
ProgramRun runWithoutDisplay(const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ORVATIX_PROGRAM), args);
    ProgramRun run;
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.crashed = program.exitStatus() != QProcess::NormalExit;
    run.exitCode = program.exitCode();
    run.out = program.readAllStandardOutput().toStdString();
    run.err = program.readAllStandardError().toStdString();
    return run;
}

TEST(CommandLineWithoutDisplay, AnswersAndExitCodes) {
    struct Case {
        QStringList args;
        int exitCode;
        const char* out; // expected in standard output
        const char* err; // expected in standard error
    };
    const Case cases[] = {
        {{"--bogus"}, 2, "", "unknown option '--bogus'"},
        {{"--port"}, 2, "", "--port needs a device"},
        {{"--demo", "--port", "/dev/ttyS0"}, 2, "", "exclude each other"},
        // Qt's own options are Qt's: the wrong one after them is still found.
        {{"-platform", "xcb", "--bogus"}, 2, "", "unknown option '--bogus'"},
        {{"--style=fusion", "-x"}, 2, "", "unknown option '-x'"},
        {{"--help"}, 0, "Usage: orvatix", ""},
        {{"-platform", "xcb", "--version"}, 0, "ORVATIX ", ""},
    };
    for (const Case& c : cases) {
        const std::string what = c.args.join(QLatin1Char(' ')).toStdString();
        const ProgramRun run = runWithoutDisplay(c.args);
        ASSERT_FALSE(run.crashed) << what << ": " << run.err;
        EXPECT_EQ(run.exitCode, c.exitCode) << what << ": " << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << what << ": " << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << what << ": " << run.err;
        if (c.exitCode == 2) {
            EXPECT_NE(run.err.find("Try 'orvatix --help'"), std::string::npos) << what;
        }
    }
}

TEST(CommandLineWithoutDisplay, HelpSaysWhereTheManualsAre) {
    const ProgramRun run = runWithoutDisplay({QStringLiteral("--help")});
    ASSERT_EQ(run.exitCode, 0);
    for (const char* part :
         {"ManualEnglish.pdf", "working directory", "beside the program", "/usr/share/orvatix"})
        EXPECT_NE(run.out.find(part), std::string::npos) << part;
}

} // namespace
