// Questions and notices of the status list window (0..3) and of the noise
// measurement when it stops by itself (4, 5).

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 6;

const char* const kEnglish[kRows] = {
    "Delete all %d entries of the status list?",
    "No file manager is set up to show the log folder.",
    "The log folder could not be opened.",
    "The event log is kept in this folder:",
    "Noise measurement stopped: the interference reached 20 or more twice in a row.",
    "Noise measurement stopped: no data from the box.",
};
const char* const kGerman[kRows] = {
    "Alle %d Einträge der Statusliste löschen?",
    "Es ist kein Dateimanager eingerichtet, der den Protokollordner anzeigen kann.",
    "Der Protokollordner konnte nicht geöffnet werden.",
    "Das Ereignisprotokoll liegt in diesem Ordner:",
    "Störungsmessung beendet: Die Störung erreichte zweimal hintereinander 20 oder mehr.",
    "Störungsmessung beendet: Keine Daten von der Box.",
};
const char* const kFrench[kRows] = {
    "Supprimer les %d entrées de la liste d'états ?",
    "Aucun gestionnaire de fichiers n'est configuré pour afficher le dossier du journal.",
    "Le dossier du journal n'a pas pu être ouvert.",
    "Le journal des événements se trouve dans ce dossier :",
    "Mesure des parasites arrêtée : les parasites ont atteint 20 ou plus deux fois de suite.",
    "Mesure des parasites arrêtée : aucune donnée du boîtier.",
};
const char* const kItalian[kRows] = {
    "Eliminare tutte le %d voci dell'elenco di stato?",
    "Nessun file manager è configurato per mostrare la cartella del registro.",
    "Impossibile aprire la cartella del registro.",
    "Il registro eventi si trova in questa cartella:",
    "Misura disturbi terminata: il disturbo ha raggiunto 20 o più due volte di seguito.",
    "Misura disturbi terminata: nessun dato dal box.",
};
const char* const kSpanish[kRows] = {
    "¿Eliminar las %d entradas de la lista de estados?",
    "No hay ningún gestor de archivos configurado para mostrar la carpeta del registro.",
    "No se pudo abrir la carpeta del registro.",
    "El registro de eventos está en esta carpeta:",
    "Medición de interferencias detenida: la interferencia alcanzó 20 o más dos veces seguidas.",
    "Medición de interferencias detenida: no hay datos de la caja.",
};

} // namespace

const TextTableData diagnosisNoticesTexts = {kRows,
                                             {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
