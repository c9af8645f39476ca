#pragma once
// The last recordings opened or saved, newest first, for "Show last files".
// Kept in a small file of its own (one path a line) in the user's data
// folder, apart from ORVAdata.cfg. The evaluation window adds the file of
// each recording it saves (SaveResult::openPath) or opens.

#include "config/AtomicTextFile.h"

#include <QString>
#include <QStringList>

class RecentFiles {
public:
    static constexpr int kMaxEntries = 8;

    // The list lives in `storePath`.
    explicit RecentFiles(QString storePath);

    // AppDataLocation + "/recent-recordings.txt".
    static QString defaultStorePath();

    // Reads the file; a missing file is an empty list. Whatever the file
    // holds, at most kMaxEntries sensible lines are taken.
    void load();

    // `path` first (taken out further down), the oldest dropped beyond the
    // limit, and the file rewritten. The list in memory changes even when
    // the file cannot be written.
    FileWriteResult add(const QString& path);

    const QStringList& entries() const { return entries_; }

private:
    QString storePath_;
    QStringList entries_;
};
