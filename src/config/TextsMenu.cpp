// Context menu of the main window; '&' marks the access key.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 5;

const char* const kEnglish[kRows] = {
    /* 0 */ "&Status List",
    /* 1 */ "&Info about ORVATIX",
    /* 2 */ "E&xtended Display",
    /* 3 */ "Serial port",
    /* 4 */ "Automatic search",
};
const char* const kGerman[kRows] = {
    /* 0 */ "Status-&Liste",
    /* 1 */ "&Info über ORVATIX",
    /* 2 */ "&Erweiterte Anzeige",
    /* 3 */ "Serielle Schnittstelle",
    /* 4 */ "Automatische Suche",
};
const char* const kFrench[kRows] = {
    /* 0 */ "&Liste d'état",
    /* 1 */ "&Info sur ORVATIX",
    /* 2 */ "Affichage é&tendu",
    /* 3 */ "Port série",
    /* 4 */ "Recherche automatique",
};
const char* const kItalian[kRows] = {
    /* 0 */ "&Lista di stato",
    /* 1 */ "&Info su ORVATIX",
    /* 2 */ "&Visualizzazione estesa",
    /* 3 */ "Porta seriale",
    /* 4 */ "Ricerca automatica",
};
const char* const kSpanish[kRows] = {
    /* 0 */ "&Lista de estado",
    /* 1 */ "&Información sobre ORVATIX",
    /* 2 */ "&Visualización ampliada",
    /* 3 */ "Puerto serie",
    /* 4 */ "Búsqueda automática",
};

} // namespace

const TextTableData menuTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
