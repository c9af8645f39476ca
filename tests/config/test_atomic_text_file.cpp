// Replacing a file: the content arrives whole or the old file stays, and only
// regular files (or missing ones) are replaced.

#include "config/AtomicTextFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeRaw(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

int filesIn(const QTemporaryDir& dir) {
    return static_cast<int>(
        QDir(dir.path())
            .entryList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
            .size());
}

struct Folder {
    QTemporaryDir dir;
    std::string path(const char* name) const { return (dir.path() + "/" + name).toStdString(); }
};

TEST(AtomicTextFile, WritesLatin1WithCrLf) {
    Folder f;
    const std::string path = f.path("out.txt");
    const FileWriteResult r = writeTextFileAtomically(QString::fromStdString(path), "a\nGr\xc3\xa4"
                                                                                    "ben\n");
    ASSERT_TRUE(r.ok) << r.reason.toStdString();
    EXPECT_EQ(readAll(path), std::string("a\r\nGr\xe4"
                                         "ben\r\n"));
    EXPECT_EQ(filesIn(f.dir), 1) << "no temporary file is left behind";
}

TEST(AtomicTextFile, KeepsPermissionsOfTheFileReplaced) {
    Folder f;
    const std::string path = f.path("out.txt");
    writeRaw(path, "old");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeTextFileAtomically(QString::fromStdString(path), "new").ok);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(readAll(path), "new");
}

TEST(AtomicTextFile, SymbolicLinkKeepsTheLinkAndReplacesItsTarget) {
    Folder f;
    const std::string target = f.path("real.cfg");
    const std::string link = f.path("link.cfg");
    writeRaw(target, "old");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(writeTextFileAtomically(QString::fromStdString(link), "new\n").ok);
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readAll(target), "new\r\n");
}

// Names that must not be replaced: each is left as it is and the reason given.
TEST(AtomicTextFile, LeavesWhatIsNotARegularFile) {
    struct Case {
        const char* what;
        std::function<std::string(Folder&)> make; // returns the path to write
        std::function<bool(const std::string&)> unchanged;
    };
    const std::vector<Case> cases = {
        {"a folder",
         [](Folder& f) {
             const std::string p = f.path("dir.cfg");
             ::mkdir(p.c_str(), 0755);
             return p;
         },
         [](const std::string& p) {
             struct stat st {};
             return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
         }},
        {"a pipe",
         [](Folder& f) {
             const std::string p = f.path("fifo.cfg");
             ::mkfifo(p.c_str(), 0644);
             return p;
         },
         [](const std::string& p) {
             struct stat st {};
             return ::stat(p.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
         }},
        {"a link to a device",
         [](Folder& f) {
             const std::string p = f.path("null.cfg");
             ::symlink("/dev/null", p.c_str());
             return p;
         },
         [](const std::string&) {
             struct stat st {};
             return ::stat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode);
         }},
        {"a read-only file",
         [](Folder& f) {
             const std::string p = f.path("ro.cfg");
             writeRaw(p, "old");
             ::chmod(p.c_str(), 0444);
             return p;
         },
         [](const std::string& p) { return readAll(p) == "old"; }},
        {"a missing folder", [](Folder& f) { return f.path("no/such/folder/x.cfg"); },
         [](const std::string&) { return true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Folder f;
        const std::string path = c.make(f);
        const int before = filesIn(f.dir);
        const FileWriteResult r = writeTextFileAtomically(QString::fromStdString(path), "x\n");
        if (c.what == std::string("a read-only file") && ::geteuid() == 0)
            continue; // root writes anyway
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.reason.isEmpty());
        EXPECT_TRUE(c.unchanged(path));
        EXPECT_EQ(filesIn(f.dir), before) << "no temporary file is left behind";
    }
}

// A write that fails part way (here: past the file size limit, as on a full
// disk) leaves the old file whole and reports the failure.
TEST(AtomicTextFile, FailedWriteKeepsTheOldFile) {
    Folder f;
    const std::string path = f.path("big.cfg");
    writeRaw(path, "old content\r\n");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const FileWriteResult r =
            writeTextFileAtomically(QString::fromStdString(path), std::string(100000, 'x'));
        ::_exit(r.ok ? 1 : r.reason.isEmpty() ? 2 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: reported success, 2: no reason";
    EXPECT_EQ(readAll(path), "old content\r\n");
    EXPECT_EQ(filesIn(f.dir), 1) << "no temporary file is left behind";
}

} // namespace
