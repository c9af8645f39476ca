#include "recorder/RecentFiles.h"

#include "config/Latin1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <string>
#include <utility>

namespace {

constexpr qint64 kMaxStoreBytes = 64 * 1024;
constexpr qsizetype kMaxPathLength = 4096;

} // namespace

RecentFiles::RecentFiles(QString storePath) : storePath_(std::move(storePath)) {}

QString RecentFiles::defaultStorePath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recent-recordings.txt");
}

void RecentFiles::load() {
    entries_.clear();
    QFile file(storePath_);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QByteArray bytes = file.read(kMaxStoreBytes);
    for (const QByteArray& raw : bytes.split('\n')) {
        QByteArray line = raw;
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        // A path holds no control characters; a line that does is not ours.
        const bool sane = !line.isEmpty() && line.size() <= kMaxPathLength &&
                          std::none_of(line.begin(), line.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 32; });
        if (!sane) {
            continue;
        }
        const QString path = QString::fromStdString(latin1ToUtf8(
            std::string_view(line.constData(), static_cast<std::size_t>(line.size()))));
        if (!entries_.contains(path)) {
            entries_.append(path);
        }
        if (entries_.size() == kMaxEntries) {
            break;
        }
    }
}

FileWriteResult RecentFiles::add(const QString& path) {
    if (path.isEmpty()) {
        return {true, QString()};
    }
    entries_.removeAll(path);
    entries_.prepend(path);
    while (entries_.size() > kMaxEntries) {
        entries_.removeLast();
    }
    QDir().mkpath(QFileInfo(storePath_).absolutePath());
    std::string text;
    for (const QString& entry : entries_) {
        text += entry.toStdString();
        text += '\n';
    }
    return writeTextFileAtomically(storePath_, text);
}
