#pragma once
// Rows of the diagnosis notices table (TextTable::DiagnosisNotices): questions
// and notices of the status list window and the noise measurement.

namespace diagnosisnoticerow {
enum Row : int {
    kDeleteStatusList = 0,   // "Delete all %d entries of the status list?"
    kNoFileManager = 1,      // "No file manager is set up to show the log folder."
    kFolderNotOpened = 2,    // "The log folder could not be opened."
    kLogFolderIs = 3,        // "The event log is kept in this folder:"
    kNoiseStoppedHigh = 4,   // "Noise measurement stopped: the interference reached 20 ..."
    kNoiseStoppedNoData = 5, // "Noise measurement stopped: no data from the box."
    kCount = 6,
};
} // namespace diagnosisnoticerow
