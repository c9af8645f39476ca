#include "config/AtomicFilePair.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#ifndef _WIN32
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr std::string_view kJournalSuffix = ".replacing";
constexpr std::string_view kJournalHeader = "ORVATIX replacing files\n";

FileSetWriteResult failedAt(std::size_t index, QString reason) {
    return FileSetWriteResult{false, {{index, std::move(reason)}}};
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool allDigits(std::string_view s) {
    if (s.empty() || s.size() > 18)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The pid of "<file>.tmp<pid>-<n>", with the file's own name; nullopt for
// any other name.
std::optional<long> temporaryFilePid(std::string_view name, std::string* file = nullptr) {
    const std::size_t tmp = name.rfind(".tmp");
    if (tmp == std::string_view::npos || tmp == 0)
        return std::nullopt;
    const std::string_view rest = name.substr(tmp + 4);
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || !allDigits(rest.substr(0, dash)) ||
        !allDigits(rest.substr(dash + 1)))
        return std::nullopt;
    if (file != nullptr)
        *file = std::string(name.substr(0, tmp));
    return std::strtol(std::string(rest.substr(0, dash)).c_str(), nullptr, 10);
}

#ifndef _WIN32

bool processRuns(long pid) {
    if (pid <= 0 || pid == static_cast<long>(::getpid()))
        return pid > 0;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

struct Step {
    std::string target;
    std::string temporary; // empty: remove the target
    std::string backup;    // a link to the old content; empty: none
    bool hadOld = false;
    bool done = false;
};

// Puts back what the steps done so far changed. False when an old content
// could not be restored.
bool undo(std::vector<Step>& steps) {
    bool restored = true;
    for (Step& s : steps) {
        if (!s.done)
            continue;
        if (!s.backup.empty()) {
            if (::rename(s.backup.c_str(), s.target.c_str()) == 0)
                s.backup.clear();
            else
                restored = false;
        } else if (!s.hadOld) {
            ::unlink(s.target.c_str());
        } else {
            restored = false;
        }
    }
    return restored;
}

void removeLeftovers(const std::vector<Step>& steps) {
    for (const Step& s : steps) {
        if (!s.temporary.empty())
            ::unlink(s.temporary.c_str());
        if (!s.backup.empty())
            ::unlink(s.backup.c_str());
    }
}

#endif

} // namespace

std::string replacementJournalPath(const std::string& nativePath) {
    return nativePath + std::string(kJournalSuffix);
}

FileSetWriteResult replaceFilesTogether(const std::vector<FileReplacement>& files) {
#ifdef _WIN32
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString path = QFile::decodeName(QByteArray::fromStdString(files[i].nativePath));
        if (!files[i].bytes) {
            QFile::remove(path);
            continue;
        }
        const FileWriteResult r = writeBytesFileAtomically(path, *files[i].bytes);
        if (!r.ok)
            return failedAt(i, r.reason);
    }
    return FileSetWriteResult{true, {}};
#else
    std::vector<Step> steps(files.size());
    int error = 0;
    // 1. Every new content whole in its temporary file; each is tried, so
    // that the user hears of every file that cannot be written.
    FileSetWriteResult result;
    for (std::size_t i = 0; i < files.size(); ++i) {
        Step& s = steps[i];
        if (files[i].bytes) {
            PreparedReplacement prepared;
            if (!prepareReplacement(files[i].nativePath, *files[i].bytes, prepared, error)) {
                result.failures.push_back(
                    {i, error == EINVAL ? notRegularFileReason() : systemErrorReason(error)});
                continue;
            }
            s.target = prepared.target;
            s.temporary = prepared.temporary;
        } else {
            s.target = files[i].nativePath;
            struct stat st {};
            if (::lstat(s.target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
                result.failures.push_back({i, notRegularFileReason()});
                continue;
            }
        }
        s.hadOld = exists(s.target);
    }
    if (!result.failures.empty()) {
        removeLeftovers(steps);
        return result;
    }

    // 2. The journal, when the set shares one folder and has more than one
    // step that changes something.
    std::size_t changes = 0;
    bool oneFolder = true;
    for (const Step& s : steps) {
        if (!s.temporary.empty() || s.hadOld)
            ++changes;
        if (folderOf(s.target) != folderOf(steps.front().target))
            oneFolder = false;
    }
    std::string journal;
    if (changes > 1 && oneFolder) {
        std::string text(kJournalHeader);
        text += "pid " + std::to_string(::getpid()) + "\n";
        for (const Step& s : steps)
            text +=
                nameOf(s.target) + "\t" + (s.temporary.empty() ? "" : nameOf(s.temporary)) + "\n";
        journal = replacementJournalPath(steps.front().target);
        const FileWriteResult written = writeBytesFileAtomicallyNative(journal, text);
        if (!written.ok) {
            removeLeftovers(steps);
            return failedAt(0, written.reason);
        }
        syncFolder(folderOf(journal));
    }

    // 3. The old contents kept by links, then the new names.
    for (Step& s : steps) {
        if (!s.hadOld)
            continue;
        const std::string link = temporaryNameFor(s.target);
        if (::link(s.target.c_str(), link.c_str()) == 0)
            s.backup = link;
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
        Step& s = steps[i];
        int rc = 0;
        if (!s.temporary.empty())
            rc = ::rename(s.temporary.c_str(), s.target.c_str());
        else if (s.hadOld)
            rc = ::unlink(s.target.c_str());
        if (rc != 0) {
            error = errno;
            if (!undo(steps)) {
                // No mix of new and old: the set goes as a whole.
                for (const Step& t : steps)
                    ::unlink(t.target.c_str());
            }
            removeLeftovers(steps);
            if (!journal.empty())
                ::unlink(journal.c_str());
            return failedAt(i, systemErrorReason(error));
        }
        s.done = true;
        s.temporary.clear();
    }
    syncFolder(folderOf(steps.empty() ? std::string() : steps.front().target));

    // 4. Done: the journal and the links go.
    if (!journal.empty()) {
        ::unlink(journal.c_str());
        syncFolder(folderOf(journal));
    }
    removeLeftovers(steps);
    return FileSetWriteResult{true, {}};
#endif
}

int completeInterruptedReplacements(const std::string& nativeFolder) {
#ifdef _WIN32
    (void)nativeFolder;
    return 0;
#else
    std::string folder = nativeFolder;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    std::vector<std::string> journals;
    if (DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name(entry->d_name);
            if (name.size() > kJournalSuffix.size() && name.ends_with(kJournalSuffix))
                journals.emplace_back(name);
        }
        ::closedir(dir);
    }
    int finished = 0;
    for (const std::string& name : journals) {
        const std::string journal = folder + name;
        if (!isRegularFile(journal))
            continue;
        std::string text;
        {
            // Opened by its bytes: the folder's name need not survive a
            // QString.
            FILE* f = std::fopen(journal.c_str(), "rb");
            if (f == nullptr)
                continue;
            char buffer[4096];
            const std::size_t n = std::fread(buffer, 1, sizeof buffer, f);
            std::fclose(f);
            text.assign(buffer, n);
        }
        if (!text.starts_with(kJournalHeader))
            continue;
        std::string_view rest = std::string_view(text).substr(kJournalHeader.size());
        std::vector<std::pair<std::string, std::string>> entries;
        long pid = 0;
        bool valid = true;
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            if (end == std::string_view::npos) {
                valid = false; // cut: not a journal this program finished writing
                break;
            }
            const std::string_view line = rest.substr(0, end);
            rest.remove_prefix(end + 1);
            if (line.starts_with("pid ")) {
                pid = allDigits(line.substr(4))
                          ? std::strtol(std::string(line.substr(4)).c_str(), nullptr, 10)
                          : 0;
                continue;
            }
            const std::size_t tab = line.find('\t');
            if (tab == std::string_view::npos) {
                valid = false;
                break;
            }
            std::string target(line.substr(0, tab));
            std::string temporary(line.substr(tab + 1));
            std::string owner;
            // Names only, in this folder; a temporary file is the target's own.
            if (target.empty() || target.find('/') != std::string::npos || target == "." ||
                target == ".." ||
                (!temporary.empty() && (temporary.find('/') != std::string::npos ||
                                        !temporaryFilePid(temporary, &owner) || owner != target))) {
                valid = false;
                break;
            }
            entries.emplace_back(std::move(target), std::move(temporary));
        }
        if (!valid || pid <= 0 || entries.empty() || processRuns(pid))
            continue;
        // The new contents were complete before the journal was written, so
        // the replacement is finished rather than undone.
        for (const auto& [target, temporary] : entries) {
            const std::string path = folder + target;
            if (!temporary.empty()) {
                const std::string from = folder + temporary;
                if (isRegularFile(from))
                    ::rename(from.c_str(), path.c_str());
            } else if (isRegularFile(path)) {
                ::unlink(path.c_str());
            }
        }
        syncFolder(folder);
        ::unlink(journal.c_str());
        ++finished;
    }
    return finished;
#endif
}

int removeStaleTemporaryFiles(const std::string& nativeFolder) {
#ifdef _WIN32
    (void)nativeFolder;
    return 0;
#else
    std::string folder = nativeFolder;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    std::vector<std::string> stale;
    if (DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::optional<long> pid = temporaryFilePid(entry->d_name);
            if (pid && !processRuns(*pid))
                stale.emplace_back(entry->d_name);
        }
        ::closedir(dir);
    }
    int removed = 0;
    for (const std::string& name : stale) {
        const std::string path = folder + name;
        struct stat st {};
        // Only this user's regular files: never a folder, a device or
        // another user's file that happens to carry such a name.
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid())
            continue;
        if (::unlink(path.c_str()) == 0)
            ++removed;
    }
    return removed;
#endif
}

void tidyFolderAfterInterruptedSaves(const std::string& nativeFolder) {
    completeInterruptedReplacements(nativeFolder);
    removeStaleTemporaryFiles(nativeFolder);
}
