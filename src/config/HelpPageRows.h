#pragma once
// Rows of the help page file names (TextTable::HelpPages).

namespace helppagerow {
enum Row : int {
    kPage0 = 0, // "E0.htm"
    kPage1 = 1, // "E1.htm"
    kPage2 = 2, // "E2.htm"
    kPage3 = 3, // "E3.htm"
    kPage4 = 4, // "E4.htm"
    kPage5 = 5, // "E5.htm"
    kCount = 6,
};
} // namespace helppagerow
