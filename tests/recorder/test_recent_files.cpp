// The list of the last recordings and its own small file.

#include "recorder/RecentFiles.h"

#include "recorder/RecorderTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

TEST(RecentFiles, NewestFirstWithoutDoublesAndBounded) {
    QTemporaryDir folder;
    const QString store =
        folder.path() + QStringLiteral("/data/recent.txt"); // folder made on demand
    RecentFiles recent(store);
    recent.load();
    EXPECT_TRUE(recent.entries().isEmpty());
    for (int i = 0; i < RecentFiles::kMaxEntries + 3; ++i) {
        ASSERT_TRUE(recent.add(QStringLiteral("/r/%1_amp.txt").arg(i)).ok);
    }
    ASSERT_TRUE(recent.add(QStringLiteral("/r/5_amp.txt")).ok);
    const QStringList expected = {"/r/5_amp.txt", "/r/10_amp.txt", "/r/9_amp.txt", "/r/8_amp.txt",
                                  "/r/7_amp.txt", "/r/6_amp.txt",  "/r/4_amp.txt", "/r/3_amp.txt"};
    EXPECT_EQ(recent.entries(), expected);

    RecentFiles again(store);
    again.load();
    EXPECT_EQ(again.entries(), expected);
    EXPECT_EQ(readBytes(store).substr(0, 27), "/r/5_amp.txt\r\n/r/10_amp.txt");
}

TEST(RecentFiles, AHostileStoreGivesASaneList) {
    QTemporaryDir folder;
    const QString store = folder.path() + QStringLiteral("/recent.txt");
    std::string bytes = "/good/a_amp.txt\r\n";
    bytes += std::string(10000, 'x') + "\r\n";     // too long for a path
    bytes += std::string("/bin\0ary", 8) + "\r\n"; // control characters
    bytes += "/good/a_amp.txt\r\n\r\n";            // a double, an empty line
    bytes += "/caf\xe9/b_amp.txt\r\n";             // Latin-1 on disk
    for (int i = 0; i < 100000; ++i) {
        bytes += "/many/" + std::to_string(i) + "\n";
    }
    writeBytes(store, bytes);
    RecentFiles recent(store);
    recent.load();
    ASSERT_EQ(recent.entries().size(), RecentFiles::kMaxEntries);
    EXPECT_EQ(recent.entries()[0], QStringLiteral("/good/a_amp.txt"));
    EXPECT_EQ(recent.entries()[1], QStringLiteral("/caf\u00e9/b_amp.txt"));
    EXPECT_EQ(recent.entries()[2], QStringLiteral("/many/0"));
}
