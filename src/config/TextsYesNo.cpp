// Button captions of the yes/no questions.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 2;

const char* const kEnglish[kRows] = {"Yes", "No"};
const char* const kGerman[kRows] = {"Ja", "Nein"};
const char* const kFrench[kRows] = {"Oui", "Non"};
const char* const kItalian[kRows] = {"Sì", "No"};
const char* const kSpanish[kRows] = {"Sí", "No"};

} // namespace

const TextTableData yesNoTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
