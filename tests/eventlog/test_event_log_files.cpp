// Which day files of the event log go: by age, by size, never today's, never a
// file that is not the log's.

#include "eventlog/EventLogPruning.h"

#include <gtest/gtest.h>

namespace {

TEST(EventLogFiles, NamesAreDatedAndOthersAreNotTheLogs) {
    EXPECT_EQ(eventLogFileName(QDate(2026, 1, 5)), "orvatix-2026-01-05.log");
    EXPECT_EQ(eventLogFileDay("orvatix-2026-12-07.log"), QDate(2026, 12, 7));
    for (const char* other : {"orvatix-2026-13-07.log", "orvatix-2026-12-07.log.bak",
                              "x-orvatix-2026-12-07.log", "orvatix-26-12-07.log", "notes.txt"})
        EXPECT_FALSE(eventLogFileDay(other).has_value()) << other;
}

struct PruneCase {
    const char* what;
    std::vector<std::pair<int, qint64>> files; // days before today, bytes
    qint64 maxBytes;
    std::vector<int> gone; // days before today, oldest first
};

TEST(EventLogFiles, OldestGoFirstByAgeThenBySize) {
    const QDate today(2026, 12, 7);
    const PruneCase cases[] = {
        {"all young and small", {{0, 10}, {1, 10}, {29, 10}}, 1000, {}},
        {"a month and more", {{0, 10}, {29, 10}, {30, 10}, {45, 10}}, 1000, {45, 30}},
        {"too big: oldest first", {{0, 100}, {1, 400}, {2, 400}, {3, 400}}, 800, {3, 2}},
        {"exactly the limit stays", {{0, 500}, {1, 500}}, 1000, {}},
        {"today alone too big: the others go, today stays", {{0, 5000}, {1, 1}}, 1000, {1}},
        {"a file from the future counts as newest", {{-3, 600}, {0, 300}, {1, 300}}, 1000, {1}},
    };
    for (const PruneCase& c : cases) {
        std::vector<EventLogFile> files;
        for (auto [ago, bytes] : c.files)
            files.push_back({eventLogFileName(today.addDays(-ago)), today.addDays(-ago), bytes});
        std::vector<QString> expected;
        for (int ago : c.gone)
            expected.push_back(eventLogFileName(today.addDays(-ago)));
        EXPECT_EQ(eventLogFilesToPrune(files, today, 30, c.maxBytes), expected) << c.what;
    }
}

} // namespace
