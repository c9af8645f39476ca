#include "eventlog/EventLog.h"

#include "config/Latin1.h"
#include "eventlog/EventLogPruning.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <string>

QString EventLog::defaultFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/log");
}

EventLog::EventLog(EventLogOptions options) : options_(std::move(options)) {
    std::lock_guard<std::mutex> lock(mutex_);
    folder_ = options_.folder;
    if (folder_.isEmpty()) {
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        if (data.isEmpty()) {
            deactivate(QStringLiteral("The event log is off: the system names no data folder."));
            return;
        }
        folder_ = data + QStringLiteral("/log");
    }
    if (!QDir().mkpath(folder_)) {
        deactivate(QStringLiteral("The event log is off: the folder %1 cannot be made.")
                       .arg(QDir::toNativeSeparators(folder_)));
        return;
    }
    if (!QFileInfo(folder_).isWritable()) {
        deactivate(QStringLiteral("The event log is off: the folder %1 cannot be written.")
                       .arg(QDir::toNativeSeparators(folder_)));
        return;
    }
    day_ = now().date();
    prune(day_);
}

QDateTime EventLog::now() const {
    return options_.clock ? options_.clock() : QDateTime::currentDateTime();
}

bool EventLog::active() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return active_;
}

QString EventLog::inactiveReason() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return reason_;
}

QString EventLog::currentFile() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return folder_ + QLatin1Char('/') + eventLogFileName(day_);
}

uint64_t EventLog::droppedEntries() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return dropped_;
}

void EventLog::deactivate(const QString& why) {
    active_ = false;
    reason_ = why;
}

void EventLog::prune(QDate today) {
    std::vector<EventLogFile> files;
    const QFileInfoList infos =
        QDir(folder_).entryInfoList({QStringLiteral("orvatix-*.log")}, QDir::Files);
    for (const QFileInfo& info : infos) {
        if (std::optional<QDate> day = eventLogFileDay(info.fileName()))
            files.push_back({info.fileName(), *day, info.size()});
    }
    const std::vector<QString> gone =
        eventLogFilesToPrune(files, today, options_.keepDays, options_.maxBytes);
    totalBytes_ = 0;
    dayBytes_ = 0;
    for (const EventLogFile& f : files) {
        if (std::find(gone.begin(), gone.end(), f.name) != gone.end() &&
            QFile::remove(folder_ + QLatin1Char('/') + f.name))
            continue;
        totalBytes_ += f.bytes;
        if (f.day == today)
            dayBytes_ = f.bytes;
    }
}

bool EventLog::append(std::string_view text) {
    const QDateTime t = now();
    std::string line = t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() + "  ";
    for (const char c : text)
        line += (c == '\r' || c == '\n') ? ' ' : c;
    line = utf8ToLatin1(line) + "\r\n";
    const QByteArray bytes(line.data(), qsizetype(line.size()));

    std::lock_guard<std::mutex> lock(mutex_);
    if (!active_)
        return false;
    if (t.date() != day_) {
        day_ = t.date();
        prune(day_);
    }
    if (totalBytes_ + bytes.size() > options_.maxBytes) {
        prune(day_);
        if (dayBytes_ + bytes.size() > options_.maxBytes) {
            ++dropped_; // today's file alone is full: until tomorrow
            return false;
        }
    }
    return writeEntry(bytes);
}

bool EventLog::writeEntry(const QByteArray& line) {
    QFile file(folder_ + QLatin1Char('/') + eventLogFileName(day_));
    // Unbuffered: the entry goes to the system in one write, so entries of
    // two programs logging at once do not mix inside a line.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        deactivate(QStringLiteral("The event log is off: %1 cannot be written (%2).")
                       .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        return false;
    }
    const qint64 n = file.write(line);
    file.close();
    if (n != line.size()) {
        deactivate(QStringLiteral("The event log is off: writing %1 failed (%2).")
                       .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        return false;
    }
    totalBytes_ += n;
    dayBytes_ += n;
    return true;
}
