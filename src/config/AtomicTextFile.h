#pragma once
// The one way the program replaces a file: the new content goes to a
// temporary file beside it, reaches the disk, and only then takes the old
// file's name. A full disk, a size limit or a missing permission leave the old
// file exactly as it was.

#include <QString>

#include <string>
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

// The same for a path in the file system's own encoding: a folder whose name
// is not valid in the user's locale (Latin-1 bytes under UTF-8) cannot pass
// through a QString and back.
FileWriteResult writeBytesFileAtomicallyNative(const std::string& nativePath,
                                               std::string_view bytes);

// Latin-1 with CR LF from UTF-8 text with '\n' line ends.
std::string textFileBytes(std::string_view utf8Text);

// The system's text for an errno value.
QString systemErrorReason(int error);

#ifndef _WIN32
// The steps of the writer, for a writer of several files at once
// (AtomicFilePair.h): the new content complete and synced in a temporary
// file "<target>.tmp<pid>-<n>" beside the file it is to replace.
struct PreparedReplacement {
    std::string target;    // the file replaced (a symbolic link resolved)
    std::string temporary; // empty: nothing prepared
};
// False, with errno's value in `error` (EINVAL: not a regular file), when the
// file may not be replaced or the temporary file cannot be written whole.
bool prepareReplacement(const std::string& nativePath, std::string_view bytes,
                        PreparedReplacement& out, int& error);
// A free name "<target>.tmp<pid>-<n>" for a file of this program's own.
std::string temporaryNameFor(const std::string& target);
// Makes a rename or removal in `folder` durable.
void syncFolder(const std::string& folder);
#endif

// The reason given when the name belongs to something other than a regular
// file (a device, a pipe), in the current language.
QString notRegularFileReason();
