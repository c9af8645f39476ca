#pragma once
// Rows of the yes/no table (TextTable::YesNo).

namespace yesnorow {
enum Row : int {
    kYes = 0,    // "Yes"
    kNo = 1,     // "No"
    kCancel = 2, // "Cancel"
    kCount = 3,
};
} // namespace yesnorow
