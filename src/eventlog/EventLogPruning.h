#pragma once
// Which day files of the event log go: those older than the days kept, then,
// while the folder holds more than the size kept, the oldest others. The
// current day's file always stays.

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// "orvatix-2026-12-07.log"
QString eventLogFileName(QDate day);
// The day of such a name; nullopt for any other name (those are never touched).
std::optional<QDate> eventLogFileDay(const QString& fileName);

struct EventLogFile {
    QString name;
    QDate day;
    qint64 bytes = 0;
};

// The names to delete, oldest first. A file is older than the days kept when
// it is dated keepDays or more days before today (keepDays 30: today and the
// 29 days before stay).
std::vector<QString> eventLogFilesToPrune(std::vector<EventLogFile> files, QDate today,
                                          int keepDays, qint64 maxBytes);
