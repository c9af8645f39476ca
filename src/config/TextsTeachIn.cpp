// Teach-in wizard texts.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 53;

const char* const kEnglish[kRows] = {};
const char* const kGerman[kRows] = {};
const char* const kFrench[kRows] = {};
const char* const kItalian[kRows] = {};
const char* const kSpanish[kRows] = {};

} // namespace

const TextTableData teachInTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
