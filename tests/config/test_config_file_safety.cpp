// ORVAdata.cfg on a disk that fails and under names that are not regular
// files: the old file stays, nothing blocks, and the save says why.

#include "ConfigFixture.h"

#include <QDir>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool isFifo(const std::string& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// A save that runs out of room part way (a file size limit stands in for a
// full disk) keeps the old file and reports the failure with a reason.
TEST_F(ConfigFileTest, FailedWriteKeepsTheOldFileAndSaysWhy) {
    writeFile(completeFile());
    const std::string before = readFile();
    ConfigSet s;
    load(s);
    s.data.displayFormat = 3; // something to write
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const FileWriteResult r = saveConfigTo(dir, s.records());
        ::_exit(r.ok ? 1 : r.reason.isEmpty() ? 2 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: reported success, 2: no reason";
    EXPECT_EQ(readFile(), before);
    EXPECT_EQ(QDir(tempDir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{kConfigFileName});
}

// Names that are not a regular file: reading does not block and gives the
// defaults, saving leaves the thing as it was and gives a reason.
TEST_F(ConfigFileTest, NameThatIsNotARegularFileIsLeftAlone) {
    struct Case {
        const char* what;
        std::function<void(const std::string& cfg, const std::string& dir)> make;
        std::function<bool(const std::string& cfg, const std::string& dir)> unchanged;
    };
    const std::vector<Case> cases = {
        {"a pipe", [](const std::string& cfg, const std::string&) { ::mkfifo(cfg.c_str(), 0644); },
         [](const std::string& cfg, const std::string&) { return isFifo(cfg); }},
        {"a link to a pipe",
         [](const std::string& cfg, const std::string& d) {
             ::mkfifo((d + "fifo").c_str(), 0644);
             ::symlink((d + "fifo").c_str(), cfg.c_str());
         },
         [](const std::string&, const std::string& d) { return isFifo(d + "fifo"); }},
        {"a folder", [](const std::string& cfg, const std::string&) { ::mkdir(cfg.c_str(), 0755); },
         [](const std::string& cfg, const std::string&) {
             struct stat st {};
             return ::lstat(cfg.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        const std::string d = folder.path().toStdString() + "/";
        const std::string cfg = d + kConfigFileName;
        c.make(cfg, d);
        ConfigSet s;
        EXPECT_EQ(loadConfigFrom(d, s.records()), 7); // the defaults
        const FileWriteResult r = saveConfigTo(d, s.records());
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.reason.isEmpty());
        EXPECT_TRUE(c.unchanged(cfg, d));
    }
}

// A file that cannot be read is not replaced by the template: its content is
// not known, and its owner took the permission away.
TEST_F(ConfigFileTest, UnreadableFileIsNotReplaced) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    writeFile("user     \tSECRET\r\n");
    ::chmod(path().c_str(), 0200);
    ConfigSet s;
    load(s);
    const FileWriteResult r = saveConfigTo(dir, s.records());
    ::chmod(path().c_str(), 0600);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(readFile(), "user     \tSECRET\r\n");
}

TEST_F(ConfigFileTest, ReadOnlyFolderSaysWhy) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into every folder";
    ::chmod(dir.c_str(), 0555);
    ConfigSet s;
    load(s);
    const FileWriteResult r = saveConfigTo(dir, s.records());
    ::chmod(dir.c_str(), 0755);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.isEmpty());
}

} // namespace
