#pragma once
// The one way the program replaces a file: the new content goes to a
// temporary file beside it, reaches the disk, and only then takes the old
// file's name. A full disk, a size limit or a missing permission leave the old
// file exactly as it was.

#include <QString>

#include <string_view>

struct FileWriteResult {
    bool ok = false;
    QString reason; // what the system said, for the user
};

// Writes UTF-8 text with '\n' line ends as Latin-1 with CR LF. The file is
// replaced only when every byte has reached the disk; otherwise the old file
// stays as it was and reason says why.
FileWriteResult writeTextFileAtomically(const QString& path, std::string_view utf8Text);

// The same for bytes that are already in their file form.
FileWriteResult writeBytesFileAtomically(const QString& path, std::string_view bytes);

// The reason given when the name belongs to something other than a regular
// file (a device, a pipe), in the current language.
QString notRegularFileReason();
