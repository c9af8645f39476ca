#include "eventlog/EventLogPruning.h"

#include <QRegularExpression>

#include <algorithm>

QString eventLogFileName(QDate day) {
    return QStringLiteral("orvatix-") + day.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(".log");
}

std::optional<QDate> eventLogFileDay(const QString& fileName) {
    static const QRegularExpression pattern(
        QStringLiteral("^orvatix-(\\d{4}-\\d{2}-\\d{2})\\.log$"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate day = QDate::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        return std::nullopt;
    return day;
}

std::vector<QString> eventLogFilesToPrune(std::vector<EventLogFile> files, QDate today,
                                          int keepDays, qint64 maxBytes) {
    std::sort(files.begin(), files.end(),
              [](const EventLogFile& a, const EventLogFile& b) { return a.day < b.day; });
    std::vector<QString> out;
    qint64 total = 0;
    for (const EventLogFile& f : files)
        total += f.bytes;
    const QDate oldestKept = today.addDays(-(keepDays - 1));
    for (const EventLogFile& f : files) {
        if (f.day == today)
            continue;
        if (f.day < oldestKept || total > maxBytes) {
            out.push_back(f.name);
            total -= f.bytes;
        }
    }
    return out;
}
