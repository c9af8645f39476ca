#pragma once
// ORVAdata.cfg: reading the settings at start-up and writing them back by
// merging the current values into the file's own lines.
//
// The functions without a directory work on the process-wide records and the
// working directory; the ones that take a directory and the records serve
// tests and the fuzz target.

#include "config/AtomicTextFile.h"
#include "config/ConfigData.h"

#include <string>
#include <string_view>

inline constexpr const char* kConfigFileName = "ORVAdata.cfg";

// The records that the file holds.
struct ConfigRecords {
    ConfigData& data;
    bool& extDisplayOn;
    BearingEntry* bearingTable; // kBearingTableSize rows
    int& bearingCount;
};

// configData, extDisplayOn, bearingTable and bearingCount.
ConfigRecords globalConfigRecords();

// The working directory at the first call, with the directory separator at
// the end; the same text for the rest of the run. In the file system's own
// encoding (its bytes), which need not be UTF-8: QFile::decodeName makes a
// text of it for the user.
std::string configDirectory();

// The folder offered for recordings when the file names none: "C:\" where
// that is a folder, else the user's home folder (ending with the separator).
std::string defaultLastFile();

// The folder where a recording goes that cannot go to its own folder (the
// program's data folder + "/recordings"); empty when the system names none.
std::string rescueRecordingFolder();

// Reads configDirectory() + "ORVAdata.cfg" into the global records and
// returns bearingCount. Once per run, at start: it also finishes saves that a
// killed run left half done and removes their temporary files, beside the
// settings, in the last recording folder and in the rescue folder.
int loadConfig();

// Writes the global records into configDirectory() + "ORVAdata.cfg". The
// file is replaced only when it is a regular file (or missing) that could be
// read, and only once the new content is whole on the disk; otherwise it stays
// as it was and the result says why.
FileWriteResult saveConfig();

// The same for the file in `directory` (which ends with the separator).
int loadConfigFrom(const std::string& directory, ConfigRecords records);
FileWriteResult saveConfigTo(const std::string& directory, ConfigRecords records);

// Reads the file at `path`; `read` receives its lines as read, `merged` the
// same lines with every key line rewritten from the global records. True only
// when the file could be opened and held all eleven keys.
bool mergeConfig(const std::string& path, std::string& merged, std::string& read);
bool mergeConfig(const std::string& path, std::string& merged, std::string& read,
                 const ConfigRecords& records);
// The same on the bytes of a file already in memory.
// `unread` (when given) receives the bytes beyond what is read, as they are
// in the file: a save keeps them behind the merged lines.
bool mergeConfigText(std::string_view bytes, std::string& merged, std::string& read,
                     const ConfigRecords& records, std::string* unread = nullptr);

// The text written when the file is missing or lacks a key: comments, the
// eleven keys without values and one line per bearing row. Names shorter than
// 8 characters are padded with blanks in the table itself.
std::string configTemplate(ConfigRecords records);
