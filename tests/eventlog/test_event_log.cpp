// The event log on disk: one line per entry in the day's file, Latin-1 with
// CR LF, a new file at midnight with the old days pruned, the size bound, and
// a folder that cannot be written.

#include "eventlog/EventLog.h"
#include "eventlog/EventLogPruning.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

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
