#pragma once
// The status list's text file: one line per entry, oldest first,
// "HH MM SS" tab blank position tab blank flags, e.g.
// "14 05 09\t 123.4567\t 0x1000", Latin-1 with CR LF line ends.

#include "config/AtomicTextFile.h"
#include "status/StatusList.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The name to write: ".txt" is appended when the chosen file name has no "."
// ("status" becomes "status.txt", "status.log" stays). Only the file's own name
// counts, not the folders above it.
QString statusFileName(const QString& chosen);

// The whole file for these entries (an empty list gives an empty file).
QByteArray statusFileContents(const std::vector<StatusListEntry>& entries);

// Writes the list to `path` in one piece: the file is replaced only once it
// has been written completely, so a failed save leaves an existing file as it
// was. The list is busy (takes no new entries) while it is written. The
// result says whether the file was written and, if not, why; the list is
// unchanged either way.
FileWriteResult saveStatusList(StatusList& list, const QString& path);
