#pragma once
// Files that belong together (a recording's _amp.txt and _ref.txt) are
// replaced together: the old set stays, or the new set is in place, never a
// mix of both.
//
// 1. Every new content goes complete and synced into its temporary file
//    "<file>.tmp<pid>-<n>" (as writeTextFileAtomically does). A failure there
//    changes nothing on the disk.
// 2. A journal "<first file>.replacing" is written (atomically) beside the
//    files. It lists the files by name with their temporary files:
//        ORVATIX replacing files
//        pid 4711
//        <file name>\t<temporary file name>      (the new content)
//        <file name>\t                           (the file is removed)
// 3. Each old file gets a hard link "<file>.tmp<pid>-<n>" that keeps its
//    content, then the temporary files take the names (removed files go).
//    If one step fails, the files already replaced get their old content back
//    from the links; where that is impossible (a file system without hard
//    links) every file of the set is removed, so that no new file lies beside
//    an old partner.
// 4. The journal and the links are removed.
//
// A kill between 2 and 4 leaves the journal: completeInterruptedReplacements
// finishes the replacement at the next start (the temporary files are whole,
// or the journal would not exist). It does so only for journals of a process
// that no longer runs and only for names in the journal's own folder.

#include "config/AtomicTextFile.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct FileReplacement {
    std::string nativePath;           // the file system's own encoding
    std::optional<std::string> bytes; // nullopt: the file is removed
};

struct FileSetFailure {
    std::size_t index = 0; // the replacement that failed
    QString reason;        // what the system said
};

struct FileSetWriteResult {
    bool ok = false;
    // Every new content that could not be written (each is tried), or the
    // one step that failed after them.
    std::vector<FileSetFailure> failures;
};

// Replaces all files or none (see above). All paths in one folder take the
// journal; paths in different folders are replaced in turn after all new
// contents are complete.
FileSetWriteResult replaceFilesTogether(const std::vector<FileReplacement>& files);

// The journal of a set whose first file is `nativePath`.
std::string replacementJournalPath(const std::string& nativePath);

// Finishes the replacements that a killed process left in `nativeFolder`.
// Returns how many were finished.
int completeInterruptedReplacements(const std::string& nativeFolder);

// Removes the temporary files "<file>.tmp<pid>-<n>" of processes of this
// user that no longer run. Returns how many went.
int removeStaleTemporaryFiles(const std::string& nativeFolder);

// Both, in that order (the journals still need their temporary files).
void tidyFolderAfterInterruptedSaves(const std::string& nativeFolder);
