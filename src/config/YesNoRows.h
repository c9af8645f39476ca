#pragma once
// Rows of the yes/no table (TextTable::YesNo).

namespace yesnorow {
enum Row : int {
    kYes = 0, // "Yes"
    kNo = 1,  // "No"
    kCount = 2,
};
} // namespace yesnorow
