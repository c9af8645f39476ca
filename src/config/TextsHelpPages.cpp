// File names of the help pages, one set per language.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 6;

const char* const kEnglish[kRows] = {"E0.htm", "E1.htm", "E2.htm", "E3.htm", "E4.htm", "E5.htm"};
const char* const kGerman[kRows] = {"D0.htm", "D1.htm", "D2.htm", "D3.htm", "D4.htm", "D5.htm"};
const char* const kFrench[kRows] = {"F0.htm", "F1.htm", "F2.htm", "F3.htm", "F4.htm", "F5.htm"};
const char* const kItalian[kRows] = {"I0.htm", "I1.htm", "I2.htm", "I3.htm", "I4.htm", "I5.htm"};
const char* const kSpanish[kRows] = {"S0.htm", "S1.htm", "S2.htm", "S3.htm", "S4.htm", "S5.htm"};

} // namespace

const TextTableData helpPagesTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
