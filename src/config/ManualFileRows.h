#pragma once
// Rows of the manual file names (TextTable::ManualFiles).

namespace manualfilerow {
enum Row : int {
    kManual = 0,   // "ManualEnglish.pdf", the manual of the language
    kNoViewer = 1, // "Please install a PDF viewer"
    kCount = 2,
};
} // namespace manualfilerow
