// Data recorder: the file dialog's title (row 0), the recording buttons and
// the heading lines of the measurement report, the recorder's limit (7) and
// the question after a failed save (8).

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 10;

const char* const kEnglish[kRows] = {
    "Ref + Amp",
    "Print",
    "Stop recording ",
    "ORVATIX Measurement report",
    "Bearing:",
    "Date:",
    "File:",
    "Recording stopped: the recorder holds at most %d samples.\n\nThe samples recorded so far are "
    "kept.",
    "The recording has not been saved and is still kept.\n\nChoose another file name?\n(No "
    "discards the recording.)",
    "A recording of this name exists already:\n\n%s\n\nReplace it?",
};
const char* const kGerman[kRows] = {
    "Ref + Amp",
    "Drucken",
    "Aufzeichnung beenden",
    "ORVATIX Messprotokoll",
    "Lager-Typ:",
    "Datum:",
    "Datei:",
    "Aufzeichnung beendet: Der Recorder speichert höchstens %d Messwerte.\n\nDie bisher "
    "aufgezeichneten Messwerte bleiben erhalten.",
    "Die Aufzeichnung wurde nicht gespeichert und ist noch vorhanden.\n\nAnderen Dateinamen "
    "wählen?\n(Nein verwirft die Aufzeichnung.)",
    "Eine Aufzeichnung mit diesem Namen existiert bereits:\n\n%s\n\nErsetzen?",
};
const char* const kFrench[kRows] = {
    "Réf + Amp",
    "Impression",
    "Arrêt enregistrement",
    "ORVATIX Rapport de mesure",
    "Roulement:",
    "Date:",
    "Fichier:",
    "Enregistrement arrêté : l'enregistreur garde au plus %d mesures.\n\nLes mesures déjà "
    "enregistrées sont conservées.",
    "L'enregistrement n'a pas été sauvegardé et reste conservé.\n\nChoisir un autre nom de fichier "
    "?\n(Non supprime l'enregistrement.)",
    "Un enregistrement de ce nom existe déjà :\n\n%s\n\nLe remplacer ?",
};
const char* const kItalian[kRows] = {
    "Rif + Amp",
    "Stampa",
    "Termina registrazione",
    "ORVATIX Protocollo di misurazione",
    "Cuscinetto:",
    "Data:",
    "File:",
    "Registrazione terminata: il registratore conserva al massimo %d campioni.\n\nI campioni già "
    "registrati restano disponibili.",
    "La registrazione non è stata salvata ed è ancora disponibile.\n\nScegliere un altro nome di "
    "file?\n(No elimina la registrazione.)",
    "Esiste già una registrazione con questo nome:\n\n%s\n\nSostituirla?",
};
const char* const kSpanish[kRows] = {
    "Ref + Amp",
    "Imprimir",
    "Fin de la grabación",
    "Informe de medición ORVATIX ",
    "Rodamiento:",
    "Fecha:",
    "Archivo:",
    "Grabación detenida: el registrador guarda como máximo %d muestras.\n\nLas muestras ya "
    "grabadas se conservan.",
    "La grabación no se ha guardado y se conserva.\n\n¿Elegir otro nombre de archivo?\n(No "
    "descarta la grabación.)",
    "Ya existe una grabación con este nombre:\n\n%s\n\n¿Reemplazarla?",
};

} // namespace

const TextTableData recorderTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
