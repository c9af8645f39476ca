#include "config/ConfigFile.h"

#include "config/AtomicFilePair.h"
#include "config/AtomicTextFile.h"
#include "config/Bearings.h"
#include "config/ConfigLineReader.h"
#include "config/Latin1.h"
#include "config/Texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

enum Key {
    User,
    Type,
    Display,
    Direction,
    Language,
    Port,
    SecondM,
    SecondD,
    Defined,
    Bearing,
    LastFile,
    KeyCount
};

// In the order in which a line is tested.
const std::array<std::string_view, KeyCount> kKeyWords = {
    "user",     "type",     "display", "direction", "language", "port",
    "second_m", "second_d", "defined", "bearing",   "lastfile"};

// The key of a line. The key word must open the line (the line reader has
// already dropped leading blanks), so a word inside a value (a folder named
// "report", a bearing called "Prototype") is never taken for a key.
int findKey(std::string_view line) {
    for (int k = 0; k < KeyCount; ++k) {
        if (line.substr(0, kKeyWords[k].size()) == kKeyWords[k]) {
            return k;
        }
    }
    return -1;
}

bool contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

// A file value in memory: Latin-1 on disk, UTF-8 here, at most `limit`
// characters.
std::string fromFile(std::string_view latin1, std::size_t limit = kMaxConfigLine) {
    return latin1ToUtf8(latin1.substr(0, limit));
}

enum class ReadOutcome { Read, Missing, Refused };

// What a save reads of the file to keep the lines beyond what is read; of a
// larger file (not one the program or a user wrote) the rest is not kept.
constexpr qint64 kMaxConfigSaveBytes = 64 << 20;

// Reads a regular file only, and never waits while opening it: a pipe or a
// device of that name would hang the start or be disturbed by the read. The
// path is in the file system's encoding. A file longer than `limit` gives its
// first `limit` bytes, and `whole` (when given) tells whether that was all.
ReadOutcome readFileBytes(const std::string& path, std::string& bytes, QString* reason = nullptr,
                          qint64 limit = kMaxConfigFileBytes, bool* whole = nullptr) {
    const auto refuse = [reason](const QString& why) {
        if (reason != nullptr)
            *reason = why;
        return ReadOutcome::Refused;
    };
#ifndef _WIN32
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && ::lstat(path.c_str(), &link) != 0)
            return ReadOutcome::Missing;
        return refuse(error == ENOENT ? notRegularFileReason() : systemErrorReason(error));
    }
    if (!S_ISREG(st.st_mode))
        return refuse(notRegularFileReason());
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return refuse(systemErrorReason(errno));
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse(notRegularFileReason());
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(file.errorString());
    }
#else
    const QFileInfo info(QString::fromStdString(path));
    if (!info.exists() && !info.isSymLink())
        return ReadOutcome::Missing;
    if (!info.isFile())
        return refuse(notRegularFileReason());
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
#endif
    const QByteArray data = file.read(limit);
    if (whole != nullptr)
        *whole = file.atEnd();
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return ReadOutcome::Read;
}

// A key line with its value, cut so that the line stays within the format.
// A value never carries a line end into the file.
std::string keyLine(std::string_view prefix, std::string_view utf8Value) {
    std::string value = utf8ToLatin1(utf8Value);
    value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
    std::string line(prefix);
    line += value.substr(0, kMaxConfigLine - 1 - std::min(prefix.size(), kMaxConfigLine - 1));
    line += '\n';
    return line;
}

std::string keyLine(std::string_view prefix, int32_t value) {
    return keyLine(prefix, std::to_string(value));
}

int validCount(int count) {
    return std::clamp(count, 0, kMaxBearingRows);
}

std::string mergedKeyLine(int key, const std::string& line, const ConfigRecords& r) {
    const ConfigData& d = r.data;
    switch (key) {
    case User:
        return keyLine("user     \t", d.userLevel);
    case Type:
        return keyLine("type     \t", d.bearingType);
    case Display:
        return keyLine("display  \t", d.displayFormat);
    case Direction:
        return keyLine("direction\t", d.directionReversed);
    case Language:
        return keyLine("language \t", d.language);
    case Port:
        // The port the search found last is written, so that the file reads
        // back complete at the next start. A device path chosen for this run
        // has no COM name and would make the whole file read as missing.
        return keyLine("port     \t", contains(d.portName, "COM") ? d.portName : d.savedPortName);
    case SecondM:
        return keyLine("second_m \t", r.extDisplayOn ? "1" : "0");
    case SecondD:
        return keyLine("second_d \t", d.extDisplayMode);
    case Defined:
        return keyLine("defined          ", r.bearingTable[validCount(r.bearingCount)].pulses);
    case LastFile:
        return keyLine("lastfile \t", d.lastFile);
    default: // bearing lines stay as they are
        return line;
    }
}

// Reads the value of one key line into the records. Returns true when the
// line clears the key's missing-mark.
struct LoadState {
    int32_t defined = kDefaultUserPulses;
    int bearingLines = 0;
    int rows = 0;
};

bool loadKeyLine(int key, std::string line, ConfigRecords& r, LoadState& state) {
    ConfigData& d = r.data;
    ConfigLineScanner scan(line);
    std::string_view keyWord;
    std::string_view word;
    int32_t number = 0;
    scan.word(keyWord);
    switch (key) {
    case User:
        if (scan.word(word)) {
            d.userLevel = fromFile(word);
            return true;
        }
        d.userLevel = "EXT";
        return false;
    case Type:
        if (scan.word(word)) {
            d.bearingType = fromFile(word, kMaxBearingName);
            return true;
        }
        return false;
    case Display:
        if (!scan.number(number)) {
            return false;
        }
        d.displayFormat = number >= 0 && number <= 3 ? number : 0;
        return true;
    case Direction:
        if (!scan.number(number)) {
            return false;
        }
        if (number == 0 || number == 1) {
            d.directionReversed = number;
            return true;
        }
        d.directionReversed = 0;
        return false;
    case Language:
        if (!scan.number(number)) {
            return false;
        }
        d.language = number >= 0 && number < kLanguageCount ? number : 0;
        return true;
    case Port:
        // The value itself must name a COM port; the merge writes the value
        // alone, so a "COM" elsewhere in the line would not survive a save.
        if (scan.word(word) && contains(word, "COM")) {
            d.portName = fromFile(word);
            d.savedPortName = d.portName;
            return true;
        }
        d.portName = "COM1";
        return false;
    case SecondM:
        if (!scan.number(number)) {
            return false;
        }
        r.extDisplayOn = number != 0;
        return number == 0 || number == 1;
    case SecondD:
        if (!scan.number(number)) {
            return false;
        }
        // A mode outside 0..2 is not kept: written back it would make the next
        // read incomplete, and the extended display knows only three modes.
        d.extDisplayMode = number >= 0 && number <= 2 ? number : 0;
        return number >= 0 && number <= 2;
    case Defined:
        if (!scan.number(number)) {
            return false;
        }
        state.defined = number;
        return true;
    case Bearing: {
        ++state.bearingLines;
        if (state.bearingLines > kMaxBearingRows) {
            return false;
        }
        // Older files name the types with the shorter word KAV.
        const std::size_t kav = line.find("KAV");
        if (!contains(line, "KAVO") && kav != std::string::npos) {
            line = "bearing KAVO" + line.substr(kav + 3);
            scan = ConfigLineScanner(line);
            scan.word(keyWord);
        }
        std::string_view name;
        if (!scan.word(name) || !scan.number(number)) {
            return false; // a line that names no row with its pulses adds none
        }
        BearingEntry& row = r.bearingTable[state.rows++];
        row.name = fromFile(name, kMaxBearingName);
        row.pulses = clampPulses(number);
        return true;
    }
    case LastFile:
        if (!scan.word(word)) {
            d.lastFile.clear();
            return false;
        }
        {
            // Everything from the value to the end of the line, so that a
            // folder name with blanks survives whole.
            std::string rest = line.substr(scan.lastWordStart());
            std::erase(rest, '\n');
            d.lastFile = fromFile(rest);
        }
        return true;
    default:
        return false;
    }
}

} // namespace

ConfigRecords globalConfigRecords() {
    return ConfigRecords{configData, extDisplayOn, bearingTable, bearingCount};
}

std::string configDirectory() {
    static const std::string directory = [] {
#ifndef _WIN32
        // The folder's own bytes: a name that is not UTF-8 would not come
        // back from a QString.
        std::string dir;
        if (char* cwd = ::getcwd(nullptr, 0)) {
            dir = cwd;
            std::free(cwd);
        } else {
            dir = QFile::encodeName(QDir::currentPath()).toStdString();
        }
#else
        std::string dir = QDir::toNativeSeparators(QDir::currentPath()).toStdString();
#endif
        if (dir.empty() || dir.back() != kSeparator) {
            dir += kSeparator;
        }
        return dir;
    }();
    return directory;
}

std::string defaultLastFile() {
    if (QFileInfo(QStringLiteral("C:\\")).isDir()) {
        return "C:\\";
    }
    std::string home = QDir::toNativeSeparators(QDir::homePath()).toStdString();
    if (home.empty() || home.back() != kSeparator) {
        home += kSeparator;
    }
    return home;
}

int loadConfigFrom(const std::string& directory, ConfigRecords r) {
    ConfigData& d = r.data;
    d.lastFile.clear();
    LoadState state;
    std::array<bool, KeyCount> missing;
    missing.fill(true);

    std::string bytes;
    bool useDefaults = readFileBytes(directory + kConfigFileName, bytes) != ReadOutcome::Read;
    if (!useDefaults) {
        ConfigTextReader lines(bytes);
        std::string line;
        while (lines.next(line)) {
            if (isConfigComment(line)) {
                continue;
            }
            const int key = findKey(line);
            if (key >= 0 && loadKeyLine(key, line, r, state)) {
                missing[key] = false;
            }
        }
        const int left = static_cast<int>(std::count(missing.begin(), missing.end(), true));
        if (state.bearingLines > kMaxBearingRows) {
            useDefaults = true;
        } else if (left == 1 && missing[LastFile]) {
            d.lastFile = defaultLastFile();
        } else if (left > 0) {
            useDefaults = true;
        }
    }

    if (useDefaults) {
        d.lastFile = defaultLastFile();
        d.userLevel = "EXT";
        d.displayFormat = 0;
        d.directionReversed = 0;
        d.language = defaultLanguage();
        r.extDisplayOn = false;
        d.extDisplayMode = 0;
        r.bearingCount = setBuiltInBearings(r.bearingTable);
    } else {
        r.bearingCount = state.rows;
    }
    if (state.defined < kMinPulses || state.defined > kMaxPulses) {
        state.defined = kDefaultUserPulses;
    }
    setUserDefinedRow(r.bearingTable, r.bearingCount, state.defined);
    return r.bearingCount;
}

bool mergeConfigText(std::string_view bytes, std::string& merged, std::string& read,
                     const ConfigRecords& records, std::string* unread) {
    merged.clear();
    read.clear();
    std::array<bool, KeyCount> present{};
    ConfigTextReader lines(bytes);
    std::string line;
    bool mergedFull = false;
    while (lines.next(line)) {
        read += line;
        std::string out = line;
        if (!isConfigComment(line)) {
            const int key = findKey(line);
            if (key >= 0) {
                present[key] = true;
                out = mergedKeyLine(key, line, records);
            }
        }
        // The merged text keeps to the same limit, so what is written reads
        // back whole.
        if (mergedFull || merged.size() + out.size() > kMaxConfigText) {
            mergedFull = true;
            continue;
        }
        merged += out;
    }
    if (unread != nullptr) {
        unread->assign(lines.rest());
    }
    // Merged text that had to be cut would lose lines: the file is then
    // written afresh from the template.
    return !mergedFull && std::all_of(present.begin(), present.end(), [](bool p) { return p; });
}

bool mergeConfig(const std::string& path, std::string& merged, std::string& read,
                 const ConfigRecords& records) {
    merged.clear();
    read.clear();
    std::string bytes;
    if (readFileBytes(path, bytes) != ReadOutcome::Read) {
        return false;
    }
    return mergeConfigText(bytes, merged, read, records);
}

bool mergeConfig(const std::string& path, std::string& merged, std::string& read) {
    return mergeConfig(path, merged, read, globalConfigRecords());
}

std::string configTemplate(ConfigRecords r) {
    std::string text = ";\n"
                       "; Data generated by ORVATIX\n"
                       ";\n"
                       "\n"
                       ";**** User ****\n"
                       "\n"
                       "user    \tEXT\n"
                       "\n"
                       ";*** Last recorded file ***\n"
                       "\n"
                       "lastfile \t\n"
                       "\n"
                       ";**** Display settings ****\n"
                       "\n"
                       "type     \t\n"
                       "display  \t\n"
                       "direction\t\n"
                       "language \t\n"
                       "port     \t\n"
                       "second_m \t\n"
                       "second_d \t\n"
                       "\n"
                       ";***** Bearing types ******\n"
                       "\n"
                       "defined          1728\n"
                       "\n";
    const int count = validCount(r.bearingCount);
    for (int i = 0; i < count; ++i) {
        BearingEntry& row = r.bearingTable[i];
        const std::size_t length = utf8Length(row.name);
        if (length < 8) {
            row.name.append(8 - length, ' ');
        }
        text += keyLine("bearing ", row.name + " " + std::to_string(row.pulses));
    }
    return text;
}

namespace {

// The merged text is already in the file's Latin-1 with '\n' line ends;
// `unread` follows it as it was in the file.
FileWriteResult writeConfigText(const std::string& path, std::string_view latin1,
                                std::string_view unread = {}) {
    std::string bytes = textFileBytes(latin1ToUtf8(latin1));
    bytes += unread;
    return writeBytesFileAtomicallyNative(path, bytes);
}

} // namespace

FileWriteResult saveConfigTo(const std::string& directory, ConfigRecords records) {
    const std::string path = directory + kConfigFileName;
    std::string bytes;
    QString reason;
    // Read whole: the user's lines beyond what loading looks at stay in the
    // file as they are.
    bool whole = true;
    const ReadOutcome outcome = readFileBytes(path, bytes, &reason, kMaxConfigSaveBytes, &whole);
    if (outcome == ReadOutcome::Refused) {
        // Something of that name that cannot be read (a device, a pipe, a
        // folder, a file without read permission) is not ours to replace.
        return FileWriteResult{false, reason};
    }
    std::string merged;
    std::string read;
    std::string unread;
    if (outcome == ReadOutcome::Missing ||
        !mergeConfigText(bytes, merged, read, records, &unread)) {
        // Missing or incomplete: start again from the template.
        mergeConfigText(configTemplate(records), merged, read, records);
        return writeConfigText(path, merged);
    }
    if (merged != read) {
        return writeConfigText(path, merged, whole ? std::string_view(unread) : std::string_view());
    }
    return FileWriteResult{true, {}};
}

std::string rescueRecordingFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (data.isEmpty()) {
        return {};
    }
    return QFile::encodeName(data + QStringLiteral("/recordings/")).toStdString();
}

int loadConfig() {
    const int count = loadConfigFrom(configDirectory(), globalConfigRecords());
    // The start of the run: saves that a kill interrupted are finished and
    // their temporary files removed, before anything is written again.
    tidyFolderAfterInterruptedSaves(configDirectory());
    const std::string& lastFile = configData.lastFile;
    if (!lastFile.empty()) {
        tidyFolderAfterInterruptedSaves(
            QFile::encodeName(QString::fromStdString(lastFile)).toStdString());
    }
    const std::string rescue = rescueRecordingFolder();
    if (!rescue.empty()) {
        tidyFolderAfterInterruptedSaves(rescue);
    }
    return count;
}

FileWriteResult saveConfig() {
    return saveConfigTo(configDirectory(), globalConfigRecords());
}
