// The program binary ended by a termination signal (a logout, a kill, Ctrl+C)
// closes as a normal exit does: exit code 0 and ORVAdata.cfg saved whole with
// the settings of the run.

#include "support/ConfigSet.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Complete but for the lastfile line, which the program adds when it writes
// the file at start-up: that write shows that it is up and listening.
const char* const kStartFile = "user     \tEXT\r\n"
                               "type     \tKAVO180/KAVOS180\r\n"
                               "display  \t3\r\n"
                               "direction\t1\r\n"
                               "language \t2\r\n"
                               "port     \tCOM1\r\n"
                               "second_m \t0\r\n"
                               "second_d \t2\r\n"
                               "defined          1728\r\n"
                               "bearing KAVO150/KAVOS150 1344\r\n"
                               "bearing KAVO180/KAVOS180 1536\r\n";

bool waitFor(const std::function<bool()>& done, std::chrono::seconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

TEST(Termination, EveryTerminationSignalSavesTheSettingsAndExitsNormally) {
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const std::string cfg = dir.path().toStdString() + "/" + kConfigFileName;
        std::ofstream(cfg, std::ios::binary) << kStartFile;

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // The event log goes below the test's folder, not into the user's.
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path() + QStringLiteral("/data"));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(dir.path());
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(ORVATIX_PROGRAM), {QStringLiteral("--demo")});
        ASSERT_TRUE(program.waitForStarted(30000));

        const bool up =
            waitFor([&] { return fileBytes(cfg).find("lastfile") != std::string::npos; },
                    std::chrono::seconds(60));
        if (!up) {
            program.kill();
            program.waitForFinished(30000);
            FAIL() << "the program did not write its settings at start-up";
        }
        ::kill(static_cast<pid_t>(program.processId()), signalNumber);
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);

        ConfigSet probe;
        std::string merged;
        std::string read;
        EXPECT_TRUE(mergeConfig(cfg, merged, read, probe.records())) << fileBytes(cfg);
        ConfigSet after;
        loadConfigFrom(dir.path().toStdString() + "/", after.records());
        EXPECT_EQ(after.data.language, 2);
        EXPECT_EQ(after.data.displayFormat, 3);
        EXPECT_EQ(after.data.directionReversed.load(), 1);
        EXPECT_EQ(after.data.extDisplayMode, 2);

        // The day's event log shows where the run began, the demo's box
        // chosen as its port, and that the run ended.
        // Files in date order, so that a run across midnight reads in order.
        QStringList files;
        QDirIterator logs(dir.path() + QStringLiteral("/data"), {QStringLiteral("orvatix-*.log")},
                          QDir::Files, QDirIterator::Subdirectories);
        while (logs.hasNext())
            files << logs.next();
        files.sort();
        std::string log;
        for (const QString& file : files)
            log += fileBytes(file.toStdString());
        const std::size_t started = log.find("program      ORVATIX ");
        EXPECT_NE(started, std::string::npos) << log;
        EXPECT_NE(log.find("port chosen  COM1"), std::string::npos) << log;
        EXPECT_NE(log.find("program      ended", started == std::string::npos ? 0 : started),
                  std::string::npos)
            << log;
    }
}

// A working folder whose name is not UTF-8 (Latin-1 bytes, as an older
// system names it): the settings are read and saved there. The start also
// mends what a killed run left: its temporary files beside the settings go,
// and a recording pair left half replaced in the rescue folder is finished.
TEST(Termination, ALatin1WorkingFolderKeepsItsSettingsAndAKilledRunIsMended) {
    QTemporaryDir top;
    ASSERT_TRUE(top.isValid());
    const std::string dir = top.path().toStdString() + "/Pr\xFC"
                                                       "fstand caf\xE9";
    ASSERT_EQ(::mkdir(dir.c_str(), 0755), 0);
    // QTemporaryDir cannot name the folder to remove it; its bytes can.
    struct RemoveByBytes {
        std::string path;
        ~RemoveByBytes() { std::filesystem::remove_all(path); }
    } removeFolder{dir};
    const std::string cfg = dir + "/" + kConfigFileName;
    std::ofstream(cfg, std::ios::binary) << kStartFile;

    const pid_t dead = ::fork();
    if (dead == 0)
        ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string stale = cfg + ".tmp" + std::to_string(dead) + "-3";
    std::ofstream(stale, std::ios::binary) << "half a save";
    const std::string data = top.path().toStdString() + "/data";
    const std::string rescue = data + "/ORVATIX/recordings/";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(rescue)));
    const std::string tmpRef = "run_ref.txt.tmp" + std::to_string(dead) + "-7";
    std::ofstream(rescue + "run_amp.txt", std::ios::binary) << "new amp\r\n";
    std::ofstream(rescue + "run_ref.txt", std::ios::binary) << "old ref\r\n";
    std::ofstream(rescue + tmpRef, std::ios::binary) << "new ref\r\n";
    std::ofstream(rescue + "run_amp.txt.replacing", std::ios::binary)
        << "ORVATIX replacing files\npid " << dead << "\nrun_amp.txt\trun_amp.txt.tmp" << dead
        << "-6\nrun_ref.txt\t" << tmpRef << "\n";

    // Started by hand: a QString cannot carry the folder's name.
    const pid_t program = ::fork();
    ASSERT_GE(program, 0);
    if (program == 0) {
        if (::chdir(dir.c_str()) != 0)
            ::_exit(126);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("XDG_DATA_HOME", data.c_str(), 1);
        ::execl(ORVATIX_PROGRAM, ORVATIX_PROGRAM, "--demo", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    bool exited = false;
    const auto ended = [&] {
        if (!exited)
            exited = ::waitpid(program, &status, WNOHANG) == program;
        return exited;
    };
    const bool up =
        waitFor([&] { return fileBytes(cfg).find("lastfile") != std::string::npos || ended(); },
                std::chrono::seconds(60));
    if (!up || exited) {
        ::kill(program, SIGKILL);
        ::waitpid(program, nullptr, 0);
        FAIL() << "the program did not write its settings at start-up";
    }
    EXPECT_FALSE(QFileInfo::exists(QFile::decodeName(QByteArray::fromStdString(stale))));
    EXPECT_EQ(fileBytes(rescue + "run_amp.txt"), "new amp\r\n");
    EXPECT_EQ(fileBytes(rescue + "run_ref.txt"), "new ref\r\n");
    EXPECT_EQ(QDir(QString::fromStdString(rescue)).entryList(QDir::Files | QDir::Hidden),
              QStringList({"run_amp.txt", "run_ref.txt"}));

    ::kill(program, SIGTERM);
    ASSERT_TRUE(waitFor(ended, std::chrono::seconds(60)));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ConfigSet after;
    loadConfigFrom(dir + "/", after.records());
    EXPECT_EQ(after.data.language, 2);
    EXPECT_EQ(after.data.displayFormat, 3);
    EXPECT_EQ(after.data.extDisplayMode, 2);
    EXPECT_NE(fileBytes(cfg).find("lastfile"), std::string::npos);
}

} // namespace
