#include "eventlog/EventLog.h"

#include "config/Latin1.h"
#include "eventlog/EventLogPruning.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    failed(folder_, why);
}

void EventLog::failed(const QString& file, const QString& reason) {
    if (toldFailure_ || !options_.onFailure)
        return;
    toldFailure_ = true;
    options_.onFailure(QDir::toNativeSeparators(file), reason);
}

qint64 EventLog::dayLimit() const {
    return std::min(options_.dayMaxBytes, options_.maxBytes);
}

void EventLog::prune(QDate today) {
    std::vector<EventLogFile> files;
    const QFileInfoList infos =
        QDir(folder_).entryInfoList({QStringLiteral("orvatix-*.log")}, QDir::Files);
    for (const QFileInfo& info : infos) {
        // Today's file counts with no more than a day may hold: a file that
        // grew beyond it earlier does not push the older days out.
        if (std::optional<QDate> day = eventLogFileDay(info.fileName()))
            files.push_back({info.fileName(), *day,
                             *day == today ? std::min(info.size(), dayLimit()) : info.size()});
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
            dayBytes_ = QFileInfo(folder_ + QLatin1Char('/') + f.name).size();
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
    if (dayBytes_ + bytes.size() > dayLimit()) {
        ++dropped_; // today's file is full: until tomorrow
        return false;
    }
    if (totalBytes_ + bytes.size() > options_.maxBytes)
        prune(day_);
    return writeEntry(bytes);
}

bool EventLog::writeEntry(const QByteArray& line) {
    const QString path = folder_ + QLatin1Char('/') + eventLogFileName(day_);
#ifndef _WIN32
    const QByteArray name = QFile::encodeName(path);
    // Without waiting, and only a regular file: a pipe or a device of that
    // name would block the program or be written into.
    const int fd = ::open(name.constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        struct stat st {};
        if (::lstat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
            deactivate(QStringLiteral("The event log is off: %1 is not a regular file.")
                           .arg(QDir::toNativeSeparators(path)));
            return false;
        }
        if (error == ENOENT || error == ENOTDIR || error == EACCES) {
            deactivate(QStringLiteral("The event log is off: %1 cannot be written (%2).")
                           .arg(QDir::toNativeSeparators(path),
                                QString::fromLocal8Bit(std::strerror(error))));
            return false;
        }
        ++dropped_;
        failed(path, QString::fromLocal8Bit(std::strerror(error)));
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        deactivate(QStringLiteral("The event log is off: %1 is not a regular file.")
                       .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    // One write, so that entries of two programs logging at once do not mix
    // inside a line; a write cut short is taken back, so that no half line
    // stays for the next entry to follow.
    const off_t before = st.st_size;
    ssize_t n = -1;
    do {
        n = ::write(fd, line.constData(), static_cast<size_t>(line.size()));
    } while (n < 0 && errno == EINTR);
    const int error = n < 0 ? errno : ENOSPC;
    if (n != line.size()) {
        if (n > 0) [[maybe_unused]]
            const int cut = ::ftruncate(fd, before);
        ::close(fd);
        ++dropped_;
        failed(path, QString::fromLocal8Bit(std::strerror(error)));
        return false;
    }
    ::close(fd);
    totalBytes_ += n;
    dayBytes_ += n;
    return true;
#else
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        deactivate(QStringLiteral("The event log is off: %1 cannot be written (%2).")
                       .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        return false;
    }
    const qint64 n = file.write(line);
    file.close();
    if (n != line.size()) {
        ++dropped_;
        failed(path, file.errorString());
        return false;
    }
    totalBytes_ += n;
    dayBytes_ += n;
    return true;
#endif
}
