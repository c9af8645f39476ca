// The PDF manual of each language, expected in the working directory.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 1;

const char* const kEnglish[kRows] = {"ManualEnglish.pdf"};
const char* const kGerman[kRows] = {"ManualGerman.pdf"};
const char* const kFrench[kRows] = {"ManualFrench.pdf"};
const char* const kItalian[kRows] = {"ManualItalian.pdf"};
const char* const kSpanish[kRows] = {"ManualSpanish.pdf"};

} // namespace

const TextTableData manualFilesTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
