#include "recorder/FileAccess.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

WriteProbe probeWritable(const QString& path) {
    WriteProbe probe;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.cancelWriting(); // the temporary file goes, the old file stays
        probe.ok = true;
        return probe;
    }
    probe.reason = file.errorString();
    probe.writeProtected = isOnReadOnlyMedium(path);
    return probe;
}

bool isOnReadOnlyMedium(const QString& path) {
    QFileInfo info(path);
    // Up to the nearest folder that exists: the file itself may not yet.
    for (int depth = 0; depth < 256 && !info.exists(); ++depth) {
        const QString parent = info.absolutePath();
        if (parent == info.absoluteFilePath()) {
            break;
        }
        info = QFileInfo(parent);
    }
    if (!info.exists()) {
        return false;
    }
    const QStorageInfo storage(info.absoluteFilePath());
    return storage.isValid() && storage.isReadOnly();
}
