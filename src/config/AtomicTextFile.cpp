#include "config/AtomicTextFile.h"

#include "config/Latin1.h"
#include "config/MainWindowRows.h"
#include "config/Texts.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <QSaveFile>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

FileWriteResult failed(int error) {
    return FileWriteResult{false, systemReason(error)};
}

#ifndef _WIN32

// Writes all bytes, going on after a partial write or an interrupted call.
bool writeAll(int fd, std::string_view bytes, int& error) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file that a save replaces: a symbolic link is followed, so the link
// stays and its target gets the new content. Only a regular file or a missing
// one is replaced; a device, a pipe or a folder of that name is left alone.
// `mode` receives the permissions of the file replaced, 0 for a new one.
bool replaceableTarget(const std::string& path, std::string& target, mode_t& mode, int& error) {
    target = path;
    mode = 0;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return true;
        error = errno;
        return false;
    }
    if (S_ISLNK(st.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            error = errno;
            return false;
        }
        target = resolved;
        std::free(resolved);
        if (::stat(target.c_str(), &st) != 0) {
            error = errno;
            return false;
        }
    }
    if (S_ISDIR(st.st_mode)) {
        error = EISDIR;
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = EINVAL;
        return false;
    }
    // A file its owner made read-only stays as it is, although the folder
    // would let us replace it.
    if (::access(target.c_str(), W_OK) != 0) {
        error = errno;
        return false;
    }
    mode = st.st_mode & 07777;
    return true;
}

#endif

} // namespace

QString notRegularFileReason() {
    return QString::fromUtf8(text(TextTable::MainWindow, mainwindowrow::kNotARegularFile));
}

FileWriteResult writeBytesFileAtomically(const QString& path, std::string_view bytes) {
#ifdef _WIN32
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileWriteResult{false, file.errorString()};
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return FileWriteResult{false, reason};
    }
    if (!file.commit())
        return FileWriteResult{false, file.errorString()};
    return FileWriteResult{true, {}};
#else
    return writeBytesFileAtomicallyNative(QFile::encodeName(path).toStdString(), bytes);
#endif
}

#ifndef _WIN32

std::string temporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> serial{0};
    return target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
}

void syncFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool prepareReplacement(const std::string& name, std::string_view bytes, PreparedReplacement& out,
                        int& error) {
    out = {};
    mode_t mode = 0;
    if (!replaceableTarget(name, out.target, mode, error))
        return false;

    // A new file gets the permissions the user's umask gives; a replaced one
    // keeps its own.
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = temporaryNameFor(out.target);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            error = errno;
            return false;
        }
    }
    if (fd < 0) {
        error = EEXIST;
        return false;
    }
    bool ok = writeAll(fd, bytes, error);
    if (ok && mode != 0 && ::fchmod(fd, mode) != 0) {
        error = errno;
        ok = false;
    }
    // Every byte on the disk before the name moves: a write that fails only
    // when the data is flushed (a full disk) shows up here.
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    out.temporary = temporary;
    return true;
}

#endif

FileWriteResult writeBytesFileAtomicallyNative(const std::string& name, std::string_view bytes) {
#ifdef _WIN32
    return writeBytesFileAtomically(QFile::decodeName(QByteArray::fromStdString(name)), bytes);
#else
    PreparedReplacement prepared;
    int error = 0;
    if (!prepareReplacement(name, bytes, prepared, error)) {
        if (error == EINVAL)
            return FileWriteResult{false, notRegularFileReason()};
        return failed(error);
    }
    if (::rename(prepared.temporary.c_str(), prepared.target.c_str()) != 0) {
        error = errno;
        ::unlink(prepared.temporary.c_str());
        return failed(error);
    }
    return FileWriteResult{true, {}};
#endif
}

QString systemErrorReason(int error) {
    return systemReason(error);
}

std::string textFileBytes(std::string_view utf8Text) {
    const std::string latin1 = utf8ToLatin1(utf8Text);
    std::string bytes;
    bytes.reserve(latin1.size() + latin1.size() / 8);
    for (char c : latin1) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    return bytes;
}

FileWriteResult writeTextFileAtomically(const QString& path, std::string_view utf8Text) {
    return writeBytesFileAtomically(path, textFileBytes(utf8Text));
}
