// Context menu of the main window; '&' marks the access key.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 3;

const char* const kEnglish[kRows] = {
    /* 0 */ "&Status List",
    /* 1 */ "&Info about ORVATIX",
    /* 2 */ "E&xtended Display",
};
const char* const kGerman[kRows] = {
    /* 0 */ "Status-&Liste",
    /* 1 */ "&Info über ORVATIX",
    /* 2 */ "&Erweiterte Anzeige",
};
const char* const kFrench[kRows] = {
    /* 0 */ "&Liste d'état",
    /* 1 */ "&Info sur ORVATIX",
    /* 2 */ "Affichage é&tendu",
};
const char* const kItalian[kRows] = {
    /* 0 */ "&Lista di stato",
    /* 1 */ "&Info su ORVATIX",
    /* 2 */ "&Visualizzazione estesa",
};
const char* const kSpanish[kRows] = {
    /* 0 */ "&Lista de estado",
    /* 1 */ "&Información sobre ORVATIX",
    /* 2 */ "&Visualización ampliada",
};

} // namespace

const TextTableData menuTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
