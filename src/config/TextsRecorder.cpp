// Data recorder: the file dialog's title (row 0), the recording buttons and
// the heading lines of the measurement report.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 7;

const char* const kEnglish[kRows] = {
    "Ref + Amp", "Print", "Stop recording ", "ORVATIX Measurement report",
    "Bearing:",  "Date:", "File:",
};
const char* const kGerman[kRows] = {
    "Ref + Amp", "Drucken", "Aufzeichnung beenden", "ORVATIX Messprotokoll", "Lager-Typ:",
    "Datum:",    "Datei:",
};
const char* const kFrench[kRows] = {
    "Réf + Amp", "Impression", "Arrêt enregistrement", "ORVATIX Rapport de mesure", "Roulement:",
    "Date:",     "Fichier:",
};
const char* const kItalian[kRows] = {
    "Rif + Amp",
    "Stampa",
    "Termina registrazione",
    "ORVATIX Protocollo di misurazione",
    "Cuscinetto:",
    "Data:",
    "File:",
};
const char* const kSpanish[kRows] = {
    "Ref + Amp", "Imprimir", "Fin de la grabación", "Informe de medición ORVATIX ", "Rodamiento:",
    "Fecha:",    "Archivo:",
};

} // namespace

const TextTableData recorderTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
