// Start menu: window title, heading, the four choices (row 4 is not shown)
// and the F1 hint.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 8;

const char* const kEnglish[kRows] = {
    "ORVATIX",      "Please choose:", "Teach-In wizard",      "System diagnosis", " ",
    "Change setup", "Exit",           "Press F1 for help.  ",
};
const char* const kGerman[kRows] = {
    "ORVA Einstell- und Diagnose-Software ORVATIX",
    "Bitte wählen Sie:",
    "Inbetriebnahme-Assistent",
    "Diagnose-Assistent",
    " ",
    "Einstellungen ändern",
    "Beenden",
    "Für Hilfe F1 drücken.  ",
};
const char* const kFrench[kRows] = {
    "ORVATIX",
    "Veuillez choisir:",
    "Assistant de mise en route",
    "Diagnostic système",
    " ",
    "Modifier la configuration",
    "Sortie",
    "Appuyer sur F1 pour l'aide.  ",
};
const char* const kItalian[kRows] = {
    "ORVA Software per l'impostazione e la diagnosi ORVATIX",
    "Selezionare:",
    "Messa in funzione",
    "Diagnostica del sistema",
    " ",
    "Modificare le impostazioni",
    "Esci",
    "Guida, premere F1.",
};
const char* const kSpanish[kRows] = {
    "ORVATIX", "Por favor, seleccione", "Teach-In", "Diagnòstico del sistema",
    " ",       "Cambiar configuraciòn", "Salir",    "Presione F1 para Ayuda",
};

} // namespace

const TextTableData startMenuTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
