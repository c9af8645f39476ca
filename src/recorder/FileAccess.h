#pragma once
// Questions to the file system before a record file is written.

#include <QString>

struct WriteProbe {
    bool ok = false;
    bool writeProtected = false; // the medium is mounted read-only
    QString reason;              // the system's words when not ok
};

// Whether `path` can be replaced the way the recorder writes it (a new file
// beside it, then renamed), tried for real and cleaned up again. An existing
// file at `path` is neither truncated nor changed.
WriteProbe probeWritable(const QString& path);

// Whether the nearest existing folder of `path` lies on a read-only medium.
bool isOnReadOnlyMedium(const QString& path);
