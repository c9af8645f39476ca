#pragma once
// The one way the program writes a text file: all or nothing.

#include <QString>

#include <string_view>

struct FileWriteResult {
    bool ok = false;
    QString reason;
};

// Writes UTF-8 text with '\n' line ends as Latin-1 with CR LF. The file is replaced only when every
// byte has reached the disk; otherwise the old file stays as it was and reason says why.
FileWriteResult writeTextFileAtomically(const QString& path, std::string_view utf8Text);
