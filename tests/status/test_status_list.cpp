// The status list: only changes are recorded, the ring keeps the newest 256,
// lines are numbered from 1, and the file has its exact line format.

#include "status/StatusList.h"
#include "status/StatusListFile.h"
#include "status/StatusListText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QDateTime kNoon(QDate(2024, 3, 1), QTime(14, 5, 9));

StatusListEntry entry(int32_t flags, int seconds = 0, double position = 0.0) {
    return {kNoon.addSecs(seconds), position, flags};
}

TEST(StatusList, OnlyChangesAreRecorded) {
    StatusList list;
    EXPECT_TRUE(list.append(entry(0x0005)));
    EXPECT_FALSE(list.append(entry(0x0005, 1)));
    EXPECT_EQ(list.count(), 1);

    StatusList other;
    for (int32_t f : {0, 0x0001, 0})
        other.append(entry(f));
    EXPECT_EQ(other.count(), 3);
}

TEST(StatusList, KeepsTheNewest256NumberedFromOne) {
    StatusList list;
    for (int i = 0; i < 300; ++i)
        list.append(entry(i, i));
    ASSERT_EQ(list.count(), StatusList::kCapacity);
    EXPECT_EQ(list.at(0).flags, 300 - 256);
    EXPECT_EQ(list.at(255).flags, 299);
    const auto all = list.entries();
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(all[static_cast<std::size_t>(i)].flags, 44 + i);
    EXPECT_EQ(statusListLine(1, 0, 1.6), "   1.\t  -");
    EXPECT_EQ(statusListLine(256, 0x0005, 1.6), " 256.\t  W-Sig ,W-Hi ");
    // Bit 1 is named by the firmware version at display time.
    EXPECT_EQ(statusListLine(3, 0x0002, 2.0), "   3.\t  MX-Spd ");
}

TEST(StatusList, BusyListTakesNothingAndOnlyAddingTellsTheWindow) {
    StatusList list;
    int changes = 0;
    list.setAppendListener([&] { ++changes; });
    list.setBusy(true);
    EXPECT_FALSE(list.append(entry(1)));
    list.setBusy(false);
    EXPECT_TRUE(list.append(entry(1)));
    EXPECT_FALSE(list.append(entry(1, 1)));
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(changes, 1);
}

TEST(StatusList, EntryFromCountsAndClock) {
    const StatusListEntry e =
        makeStatusEntry(2500, 0x1000, 1000, QDateTime(QDate(2024, 3, 1), QTime(8, 0, 1, 987)));
    EXPECT_DOUBLE_EQ(e.position, 0.18); // 2500 counts of 5 000 000
    EXPECT_EQ(e.time.time(), QTime(8, 0, 1));
    EXPECT_EQ(statusPositionDegrees(-10000, 2), -360.0);
    EXPECT_EQ(statusPositionDegrees(5, 0), 0.0);
}

TEST(StatusFile, NameRules) {
    const struct {
        const char* chosen;
        const char* used;
    } cases[] = {
        {"status", "status.txt"},
        {"status.log", "status.log"},
        {"/home/j.smith/status", "/home/j.smith/status.txt"},
        {"C:\\logs.old\\status", "C:\\logs.old\\status.txt"},
        {"report.", "report."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(statusFileName(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.used))
            << c.chosen;
}

TEST(StatusFile, LineFormat) {
    const std::vector<StatusListEntry> entries = {
        entry(0x1000, 0, 123.4567),
        entry(0, 3600, -7.5),
        entry(0xE855, 7200, 1234.5),
    };
    EXPECT_EQ(statusFileContents(entries).toStdString(), "14 05 09\t 123.4567\t 0x1000\r\n"
                                                         "15 05 09\t -7.5000\t 0x0000\r\n"
                                                         "16 05 09\t 1234.5000\t 0xe855\r\n");
    EXPECT_TRUE(statusFileContents({}).isEmpty());
}

TEST(StatusFile, SavesAtomicallyAndKeepsTheListOnFailure) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    StatusList list;
    list.append(entry(0x0001, 0, 1.0));
    list.append(entry(0x0000, 1, 2.0));

    const QString path = dir.filePath(QStringLiteral("status.txt"));
    ASSERT_TRUE(saveStatusList(list, path).ok);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), statusFileContents(list.entries()));
    file.close();

    // An empty list saves an empty file.
    StatusList empty;
    const QString emptyPath = dir.filePath(QStringLiteral("empty.txt"));
    ASSERT_TRUE(saveStatusList(empty, emptyPath).ok);
    EXPECT_EQ(QFile(emptyPath).size(), 0);

    // A folder that does not exist: nothing written, the list unchanged and
    // ready for new entries.
    EXPECT_FALSE(saveStatusList(list, dir.filePath(QStringLiteral("missing/status.txt"))).ok);
    EXPECT_EQ(list.count(), 2);
    EXPECT_FALSE(list.busy());
    EXPECT_TRUE(list.append(entry(0x0004, 2)));
}

// A save that runs out of room part way (a file size limit stands in for a
// full disk) keeps the file saved before and reports why.
TEST(StatusFile, FailedWriteKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    StatusList list;
    for (int i = 0; i < 200; ++i)
        list.append(entry(static_cast<uint32_t>(i % 2), i, 1.0));
    const QString path = dir.filePath(QStringLiteral("status.txt"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{256, 256};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const FileWriteResult r = saveStatusList(list, path);
        ::_exit(r.ok ? 1 : r.reason.isEmpty() ? 2 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: reported success, 2: no reason";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

} // namespace
