// Evaluation window and measurement report. Rows 0..6 and 13 belong to file
// handling and results; no window shows them at present.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 19;

const char* const kEnglish[kRows] = {
    "Invalid file format !\n\nFile could not be opened.",
    "Error",
    "Open ORVATIX Files",
    "Error while opening file !",
    "Open File",
    "Exit",
    "Show last files",
    "Close window",
    "Print",
    "Clear",
    "Amplitude",
    "Reference marks",
    "Measurement report",
    "Measurement results",
    "Bearing:",
    "Date:",
    "File:",
    "Enter remarks (optional)",
    "Remarks: ",
};
const char* const kGerman[kRows] = {
    "Ungültiges Dateiformat !\n\nDatensatz konnte nicht geöffnet werden.",
    "Fehler",
    "Aufzeichnungsdaten öffnen",
    "Fehler beim Öffnen !",
    "Datei öffnen",
    "Beenden",
    "Letzte Dateien anzeigen",
    "Fenster schließen",
    "Drucken",
    "Löschen",
    "Amplitude",
    "Referenzmarken",
    "Meßprotokoll",
    "Meßergebnisse",
    "Lager-Typ:",
    "Datum:",
    "Datei:",
    "Bemerkungen eingeben (Option):",
    "Bemerkungen: ",
};
const char* const kFrench[kRows] = {
    "Format de fichier non valide !\n\nLe fichier ne peut-être ouvert.",
    "Défaut",
    "Ouvrir les fichiers d'enregistrement",
    "Erreur d'ouverture du fichier !",
    "Ouvrir Fichier",
    "Sortie",
    "Visualiser les fichiers récents",
    "Fermer la fenêtre",
    "Imprimer",
    "Effacer",
    "Amplitude",
    "Signal de référence",
    "Rapport de mesure",
    "Résultats de mesure",
    "Roulement:",
    "Date:",
    "Fichier:",
    "Remarques (option):",
    "Remarques:",
};
const char* const kItalian[kRows] = {
    "Formato file non ammesso! \n\n Impossibile aprire il record.",
    "Errore",
    "Apri i file di registrazione",
    "Errore nell'apertura!",
    "Apri file",
    "Esci",
    "Visualizza i file precedenti",
    "Chiudi finestra",
    "Stampa",
    "Elimina",
    "Ampiezza",
    "Tacca di riferimento",
    "Protocollo di misurazione",
    "Risultato della misurazione",
    "Cuscinetto:",
    "Data:",
    "File:",
    "Inserisci note (facoltativo):",
    "Note:",
};
const char* const kSpanish[kRows] = {
    "Formato de archivo no válido !\n\nEl archivo no pudo abrirse.",
    "Error",
    "Abrir los ficheros ORVATIX",
    "Error al abrir el archivo !",
    "Abrir archivo",
    "Salida",
    "Mostrar los últimos archivos",
    "Cerrar ventana",
    "Imprimir",
    "Borrar",
    "Amplitud",
    "Marcas de referencia",
    "Informes de medición",
    "Resultados de la medición",
    "Rodamiento:",
    "Fecha:",
    "Archivo:",
    "Observaciones (opcional)",
    "Observaciones: ",
};

} // namespace

const TextTableData evaluationTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
