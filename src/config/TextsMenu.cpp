// Context menu of the main window.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 3;

const char* const kEnglish[kRows] = {"&Status List", "&Info about ORVATIX", "E&xtended Display"};
const char* const kGerman[kRows] = {};
const char* const kFrench[kRows] = {};
const char* const kItalian[kRows] = {};
const char* const kSpanish[kRows] = {};

} // namespace

const TextTableData menuTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
