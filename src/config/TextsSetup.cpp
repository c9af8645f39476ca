// Captions of the setup dialog and the names of the position display formats
// (rows 10..13, in the order of displayFormat).

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 14;

const char* const kEnglish[kRows] = {
    "ORVATIX Setup",
    "Pulse rate (lines)",
    "OK",
    "Yes",
    "No",
    "Cancel",
    "Bearing type",
    "Position display",
    "PC serial port",
    "Language",
    "Degrees",
    "Deg/Min/Sec",
    "D/M/S High",
    "Micron",
};
const char* const kGerman[kRows] = {
    "Systemeinstellungen",
    "Strichzahl",
    "OK",
    "Ja",
    "Nein",
    "Abbrechen",
    "Lager Typ",
    "Positionsanzeige",
    "PC-Schnittstelle",
    "Sprache",
    "Grad",
    "Grad/Min/Sek",
    "G/M/S High",
    "Mikrometer",
};
const char* const kFrench[kRows] = {
    "Configuration ORVATIX",
    "Nombre d'incréments",
    "OK",
    "Oui",
    "Non",
    "Annuler",
    "Type de roulement",
    "Affichage de la position",
    "Interface série/PC",
    "Langue",
    "Degrés",
    "Deg/Min/Sec",
    "D/M/S Haut",
    "Micromètre",
};
const char* const kItalian[kRows] = {
    "Impostazione del sistema ORVATIX",
    "Numero linee",
    "OK",
    "Sì",
    "No",
    "Annulla",
    "Cuscinetto",
    "Visualizzatore posizione",
    "Interfaccia seriale / PC",
    "Lingua",
    "Gradi",
    "Gradi/Min/Sec",
    "G/M/S high",
    "Micron",
};
const char* const kSpanish[kRows] = {
    "Configuración ORVATIX",
    "Número de lineas",
    "OK",
    "Sí",
    "No",
    "Cancelar",
    "Tipo de rodamiento",
    "Mostrar posición",
    "Puerto de serie/del PC",
    "Idioma",
    "Grados",
    "Grad./Min./Seg.",
    "D/M/S Alto",
    "Micra",
};

} // namespace

const TextTableData setupTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
