#pragma once
// How the two record files are named after the path the user chooses, and
// which folder the next file dialog proposes.

#include <QString>

#include <string>

struct ConfigData;

inline constexpr const char* kAmpFileSuffix = "_amp.txt";
inline constexpr const char* kRefFileSuffix = "_ref.txt";

// The chosen path without ".txt" when its extension is exactly "txt" (case
// matters: "run.TXT" and "run.dat" stay as they are).
QString recordBaseName(const QString& chosenPath);

QString ampFilePathOf(const QString& baseName);
QString refFilePathOf(const QString& baseName);

// The folder of the chosen path with its separator at the end, in the
// platform's own spelling ("" when the path names no folder).
std::string recordFolderOf(const QString& chosenPath);

// The name the file dialog proposes: config.lastFile followed by
// "[Filename]". A lastFile that is empty or names no folder (no separator at
// the end) is first replaced by defaultLastFile(), in the record as well.
QString proposedRecordName(ConfigData& config);
