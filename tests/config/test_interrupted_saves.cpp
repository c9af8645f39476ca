// Saves that a kill or a full disk interrupted: a set of files replaced
// together is finished at the next start, temporary files of ended runs go,
// and ORVAdata.cfg keeps the user's lines beyond what is read.

#include "ConfigFixture.h"
#include "config/AtomicFilePair.h"
#include "config/ConfigLineReader.h"

#include <QDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The pid of a process that has ended.
pid_t endedPid() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

QStringList namesIn(const std::string& dir) {
    return QDir(QString::fromStdString(dir)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// What a run killed between its two renames leaves: the new amplitude file in
// place, the new reference file still under its temporary name, the old
// reference file, and the journal.
struct HalfReplacedPair {
    std::string dir;
    pid_t pid;
    std::string tmpRef() const { return "run_ref.txt.tmp" + std::to_string(pid) + "-7"; }
    void make(const std::string& journalPid) const {
        put(dir + "run_amp.txt", "new amp\r\n");
        put(dir + "run_ref.txt", "old ref\r\n");
        put(dir + tmpRef(), "new ref\r\n");
        put(dir + "run_amp.txt.replacing",
            "ORVATIX replacing files\npid " + journalPid + "\nrun_amp.txt\trun_amp.txt.tmp" +
                std::to_string(pid) + "-6\nrun_ref.txt\t" + tmpRef() + "\n");
    }
};

TEST_F(ConfigFileTest, APairLeftHalfReplacedByAKillIsFinishedAtTheNextStart) {
    const HalfReplacedPair pair{dir, endedPid()};
    pair.make(std::to_string(pair.pid));
    EXPECT_EQ(completeInterruptedReplacements(dir), 1);
    EXPECT_EQ(fileBytes(dir + "run_amp.txt"), "new amp\r\n");
    EXPECT_EQ(fileBytes(dir + "run_ref.txt"), "new ref\r\n");
    EXPECT_EQ(namesIn(dir), QStringList({"run_amp.txt", "run_ref.txt"}));
}

TEST_F(ConfigFileTest, JournalsOfARunningProgramOrOfNoneOfOursAreLeftAlone) {
    struct Case {
        const char* what;
        std::string journal;
    };
    const pid_t dead = endedPid();
    const std::string tmp = "run_ref.txt.tmp" + std::to_string(dead) + "-1";
    const std::vector<Case> cases = {
        {"a program that still runs", "ORVATIX replacing files\npid " + std::to_string(::getpid()) +
                                          "\nrun_ref.txt\t" + tmp + "\n"},
        {"a name outside the folder", "ORVATIX replacing files\npid " + std::to_string(dead) +
                                          "\n../run_ref.txt\t" + tmp + "\n"},
        {"a removal outside the folder",
         "ORVATIX replacing files\npid " + std::to_string(dead) + "\n../victim\t\n"},
        {"a temporary file of another name",
         "ORVATIX replacing files\npid " + std::to_string(dead) + "\nrun_ref.txt\tvictim\n"},
        {"a cut journal", "ORVATIX replacing files\npid " + std::to_string(dead) + "\nrun_ref.t"},
        {"another program's file", "something else\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir outer;
        const std::string top = outer.path().toStdString() + "/";
        const std::string folder = top + "rec/";
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
        put(top + "victim", "keep\n");
        put(folder + "victim", "keep\n");
        put(folder + "run_ref.txt", "old\n");
        put(folder + tmp, "new\n");
        put(folder + "run_amp.txt.replacing", c.journal);
        EXPECT_EQ(completeInterruptedReplacements(folder), 0);
        EXPECT_EQ(fileBytes(folder + "run_ref.txt"), "old\n");
        EXPECT_EQ(fileBytes(top + "victim"), "keep\n");
        EXPECT_EQ(fileBytes(folder + "victim"), "keep\n");
        EXPECT_EQ(fileBytes(folder + "run_amp.txt.replacing"), c.journal);
    }
}

TEST_F(ConfigFileTest, OnlyTemporaryFilesOfEndedRunsAreRemoved) {
    const std::string dead = std::to_string(endedPid());
    const std::string alive = std::to_string(::getpid());
    struct Entry {
        std::string name;
        bool folder;
        bool stays;
    };
    const std::vector<Entry> entries = {
        {"ORVAdata.cfg.tmp" + dead + "-0", false, false},
        {"run_amp.txt.tmp" + dead + "-12", false, false},
        {"ORVAdata.cfg.tmp" + alive + "-0", false, true}, // a save going on
        {"notes.tmp", false, true},
        {"notes.tmp" + dead, false, true},
        {"notes.tmp" + dead + "-x", false, true},
        {".tmp" + dead + "-1", false, true},
        {"folder.tmp" + dead + "-1", true, true},
    };
    QStringList expected;
    for (const Entry& e : entries) {
        if (e.folder)
            ASSERT_TRUE(QDir().mkdir(QString::fromStdString(dir + e.name)));
        else
            put(dir + e.name, "x");
        if (e.stays && !e.folder)
            expected << QString::fromStdString(e.name);
    }
    EXPECT_EQ(removeStaleTemporaryFiles(dir), 2);
    expected.sort();
    EXPECT_EQ(namesIn(dir), expected);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(dir + "folder.tmp" + dead + "-1")).isDir());
}

// A set whose second file cannot be written (a file-size limit stands in for
// a full disk) leaves both old files as they were and no temporary file.
TEST_F(ConfigFileTest, APairThatCannotBeWrittenWholeLeavesTheOldPair) {
    put(dir + "run_amp.txt", "old amp\r\n");
    put(dir + "run_ref.txt", "old ref\r\n");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const FileSetWriteResult r =
            replaceFilesTogether({{dir + "run_amp.txt", std::string(100, 'a')},
                                  {dir + "run_ref.txt", std::string(5000, 'r')}});
        ::_exit(r.ok ? 1 : r.failures.size() != 1 || r.failures[0].index != 1 ? 2 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: reported success, 2: the wrong file named";
    EXPECT_EQ(fileBytes(dir + "run_amp.txt"), "old amp\r\n");
    EXPECT_EQ(fileBytes(dir + "run_ref.txt"), "old ref\r\n");
    EXPECT_EQ(namesIn(dir), QStringList({"run_amp.txt", "run_ref.txt"}));

    // Without the limit both go in, and a removal in the set takes the other.
    ASSERT_TRUE(replaceFilesTogether({{dir + "run_amp.txt", std::string("new amp\r\n")},
                                      {dir + "run_ref.txt", std::nullopt}})
                    .ok);
    EXPECT_EQ(namesIn(dir), QStringList({"run_amp.txt"}));
    EXPECT_EQ(fileBytes(dir + "run_amp.txt"), "new amp\r\n");
}

TEST_F(ConfigFileTest, LinesBeyondWhatIsReadStayAsTheyAreWhenTheFileIsRewritten) {
    std::string tail;
    while (tail.size() < 3 * kMaxConfigText)
        tail += "; the user's own note " + std::to_string(tail.size()) + "\r\n";
    tail += "a last line without a line end";
    writeFile(completeFile() + tail);
    ConfigSet s;
    load(s);
    s.data.displayFormat = 1;
    ASSERT_TRUE(save(s));
    const std::string after = readFile();
    ASSERT_GE(after.size(), tail.size());
    EXPECT_EQ(after.substr(after.size() - tail.size()), tail);
    ConfigSet r;
    load(r);
    EXPECT_EQ(r.data.displayFormat, 1);
    EXPECT_TRUE(fileComplete());
}

} // namespace
