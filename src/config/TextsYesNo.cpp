// Button captions of the yes/no questions and of dialogs that can be cancelled.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 3;

const char* const kEnglish[kRows] = {"Yes", "No", "Cancel"};
const char* const kGerman[kRows] = {"Ja", "Nein", "Abbrechen"};
const char* const kFrench[kRows] = {"Oui", "Non", "Annuler"};
const char* const kItalian[kRows] = {"Sì", "No", "Annulla"};
const char* const kSpanish[kRows] = {"Sí", "No", "Cancelar"};

} // namespace

const TextTableData yesNoTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
