// The event log on disk: one line per entry in the day's file, Latin-1 with
// CR LF, a new file at midnight with the old days pruned, the size bound, and
// a folder that cannot be written.

#include "eventlog/EventLog.h"
#include "eventlog/EventLogPruning.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void makeFile(const QString& path, qint64 bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(bytes, 'x'));
}

// A log in a folder of its own, on a clock the test sets.
struct Rig {
    QTemporaryDir dir;
    QDateTime time{QDate(2026, 12, 7), QTime(12, 48, 3)};
    EventLogOptions options(qint64 maxBytes = 20 * 1024 * 1024) {
        EventLogOptions o;
        o.folder = dir.path() + "/log";
        o.clock = [this] { return time; };
        o.maxBytes = maxBytes;
        return o;
    }
    QString file(QDate day) const { return dir.path() + "/log/" + eventLogFileName(day); }
    bool exists(int daysBefore) const {
        return QFile::exists(file(time.date().addDays(-daysBefore)));
    }
};

TEST(EventLog, EntriesAreLatin1LinesWithDateTimeAndCrLf) {
    Rig rig;
    EventLog log(rig.options());
    ASSERT_TRUE(log.active()) << log.inactiveReason().toStdString();
    EXPECT_TRUE(log.append("Größe erreicht"));
    rig.time = rig.time.addSecs(2);
    log.noData();
    EXPECT_TRUE(log.append("two\r\nlines"));
    log.append("beyond Latin-1: \xE2\x82\xAC"); // the euro sign

    EXPECT_EQ(log.currentFile(), rig.file(QDate(2026, 12, 7)));
    EXPECT_EQ(fileBytes(log.currentFile()),
              QByteArray("2026-12-07 12:48:03  Gr\xF6\xDF"
                         "e erreicht\r\n"
                         "2026-12-07 12:48:05  no data      the box does not answer\r\n"
                         "2026-12-07 12:48:05  two  lines\r\n"
                         "2026-12-07 12:48:05  beyond Latin-1: ?\r\n"));
}

TEST(EventLog, AppendsToWhatTheDayAlreadyHas) {
    Rig rig;
    {
        EventLog log(rig.options());
        log.append("first run");
    }
    EventLog log(rig.options());
    log.append("second run");
    EXPECT_EQ(fileBytes(log.currentFile()).count("\r\n"), 2);
}

TEST(EventLog, MidnightStartsANewFileAndPrunesTheOldDays) {
    Rig rig;
    ASSERT_TRUE(QDir().mkpath(rig.dir.path() + "/log"));
    makeFile(rig.file(rig.time.date().addDays(-29)), 10); // the oldest day kept today
    makeFile(rig.dir.path() + "/log/notes.txt", 10);      // not the log's
    EventLog log(rig.options());
    log.append("before midnight");
    EXPECT_TRUE(rig.exists(29));

    rig.time = QDateTime(QDate(2026, 12, 8), QTime(0, 0, 1));
    log.append("after midnight");
    EXPECT_EQ(log.currentFile(), rig.file(QDate(2026, 12, 8)));
    EXPECT_TRUE(fileBytes(rig.file(QDate(2026, 12, 7))).startsWith("2026-12-07 12:48:03  before"));
    EXPECT_EQ(fileBytes(rig.file(QDate(2026, 12, 8))), "2026-12-08 00:00:01  after midnight\r\n");
    EXPECT_FALSE(rig.exists(30)) << "a month old now: gone at the roll-over";
    EXPECT_TRUE(QFile::exists(rig.dir.path() + "/log/notes.txt"));
}

TEST(EventLog, OpeningPrunesByAgeAndBySize) {
    Rig rig;
    ASSERT_TRUE(QDir().mkpath(rig.dir.path() + "/log"));
    for (int ago : {1, 2, 3})
        makeFile(rig.file(rig.time.date().addDays(-ago)), 400);
    makeFile(rig.file(rig.time.date().addDays(-31)), 1);
    EventLog log(rig.options(1000));
    EXPECT_FALSE(rig.exists(31));
    EXPECT_FALSE(rig.exists(3));
    EXPECT_TRUE(rig.exists(2));
    EXPECT_TRUE(rig.exists(1));
}

TEST(EventLog, TheSizeBoundHoldsWhileLoggingAndTodayStaysUntilFull) {
    Rig rig;
    ASSERT_TRUE(QDir().mkpath(rig.dir.path() + "/log"));
    makeFile(rig.file(rig.time.date().addDays(-1)), 300);
    EventLog log(rig.options(1000));
    int written = 0;
    for (int i = 0; i < 40; ++i)
        written += log.append("status          1.\t W-Sig ") ? 1 : 0;
    EXPECT_FALSE(rig.exists(1)) << "yesterday made room for today";
    const qint64 today = QFileInfo(log.currentFile()).size();
    EXPECT_LE(today, 1000);
    EXPECT_GT(today, 900);
    EXPECT_EQ(fileBytes(log.currentFile()).count("\r\n"), written);
    EXPECT_EQ(log.droppedEntries(), uint64_t(40 - written));
    EXPECT_TRUE(log.active()) << "a full day is no fault of the folder";

    rig.time = rig.time.addDays(1);
    EXPECT_TRUE(log.append("a new day has room again"));
}

TEST(EventLog, AFolderThatCannotBeWrittenTurnsTheLogOffOnceWithAReason) {
    Rig rig;
    makeFile(rig.dir.path() + "/log", 1); // a file where the folder should be
    EventLog log(rig.options());
    EXPECT_FALSE(log.active());
    const QString reason = log.inactiveReason();
    EXPECT_TRUE(reason.contains(rig.dir.path() + "/log")) << reason.toStdString();
    EXPECT_FALSE(log.append("nothing"));
    log.connected({"COM1", "", "", "", ""});
    EXPECT_EQ(log.inactiveReason(), reason);
}

TEST(EventLog, AFolderThatGoesAwayLaterTurnsTheLogOff) {
    Rig rig;
    EventLog log(rig.options());
    ASSERT_TRUE(log.append("written"));
    ASSERT_TRUE(QDir(rig.dir.path() + "/log").removeRecursively());
    makeFile(rig.dir.path() + "/log", 1);
    EXPECT_FALSE(log.append("lost"));
    EXPECT_FALSE(log.active());
    EXPECT_TRUE(log.inactiveReason().contains("cannot be written"))
        << log.inactiveReason().toStdString();
    EXPECT_FALSE(log.append("quietly nothing"));
}

TEST(EventLog, EntriesFromTwoThreadsStayWholeLines) {
    Rig rig;
    EventLog log(rig.options());
    auto feed = [&log](const char* text) {
        for (int i = 0; i < 300; ++i)
            log.append(text);
    };
    std::thread a(feed, "from the reader thread");
    std::thread b(feed, "from the user-interface thread");
    a.join();
    b.join();
    const QList<QByteArray> lines = fileBytes(log.currentFile()).split('\n');
    ASSERT_EQ(lines.size(), 601); // and an empty rest after the last line end
    for (int i = 0; i < 600; ++i)
        EXPECT_TRUE(lines[i].endsWith("thread\r")) << lines[i].toStdString();
}

} // namespace

namespace {

// Today's file is a pipe: nothing blocks, the log goes off and says so once.
TEST(EventLog, APipeAsTodaysFileIsNeitherWaitedForNorWritten) {
    Rig rig;
    ASSERT_TRUE(QDir().mkpath(rig.dir.path() + "/log"));
    const QByteArray fifo = QFile::encodeName(rig.file(rig.time.date()));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0644), 0);
    int told = 0;
    EventLogOptions options = rig.options();
    options.onFailure = [&told](const QString&, const QString&) { ++told; };
    EventLog log(options);
    EXPECT_FALSE(log.append("no reader on the other end"));
    EXPECT_FALSE(log.append("still nothing"));
    EXPECT_FALSE(log.active());
    EXPECT_TRUE(log.inactiveReason().contains("not a regular file"))
        << log.inactiveReason().toStdString();
    EXPECT_EQ(told, 1);
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// A disk that fills up (a file-size limit stands in for it): the entry that
// does not fit leaves no half line, the user is told once, and logging goes
// on when there is room again.
TEST(EventLog, AnEntryThatDoesNotFitLeavesNoHalfLineAndIsToldOnce) {
    Rig rig;
    EventLogOptions options = rig.options();
    {
        EventLog first(options);
        ASSERT_TRUE(first.append("before the disk filled up"));
    }
    const QString file = rig.file(rig.time.date());
    const QByteArray before = fileBytes(file);
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t room = static_cast<rlim_t>(before.size() + 20);
        rlimit limit{room, room};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        int told = 0;
        options.onFailure = [&told](const QString&, const QString&) { ++told; };
        EventLog log(options);
        const bool a = log.append("this entry is longer than the room that is left on the disk");
        const bool b = log.append("and so is this one, which is not told again either");
        const char result = static_cast<char>((a ? 1 : 0) | (b ? 2 : 0) | (told << 2));
        [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], &result, 1);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    char result = 0;
    ASSERT_EQ(::read(pipeFds[0], &result, 1), 1);
    ::close(pipeFds[0]);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(result & 3, 0) << "both entries reported as not written";
    EXPECT_EQ(result >> 2, 1) << "the user is told once";
    EXPECT_EQ(fileBytes(file), before);

    EventLog later(options);
    EXPECT_TRUE(later.append("room again"));
    EXPECT_TRUE(fileBytes(file).endsWith("  room again\r\n"));
}

// One flooding day fills its own file only: the days before it stay, at the
// next start too.
TEST(EventLog, AFloodingDayIsCappedAndTheOlderDaysStay) {
    Rig rig;
    ASSERT_TRUE(QDir().mkpath(rig.dir.path() + "/log"));
    for (int ago : {1, 2, 3})
        makeFile(rig.file(rig.time.date().addDays(-ago)), 200);
    EventLogOptions options = rig.options(1000);
    options.dayMaxBytes = 300;
    {
        EventLog log(options);
        for (int i = 0; i < 100; ++i)
            log.append("status          1.\t W-Sig ");
        EXPECT_GT(log.droppedEntries(), 0u);
        EXPECT_LE(QFileInfo(log.currentFile()).size(), 300);
    }
    // An older run may have left today's file larger than a day may hold.
    makeFile(rig.file(rig.time.date()), 5000);
    EventLog again(options);
    for (int ago : {1, 2, 3})
        EXPECT_TRUE(rig.exists(ago)) << ago;
    EXPECT_FALSE(again.append("today is full"));
}

} // namespace
