// The signal view: window title, buttons, the heads' captions, the fit's
// labels (values follow them) and the trend chart's title.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 11;

const char* const kEnglish[kRows] = {
    "Signal view",
    "Clear",
    "Yellow sensor (YE)",
    "White sensor (WH)",
    "Offset A / B",
    "Ratio B/A",
    "Phase error",
    "Radius min / max",
    "Amplitude over the last 60 s",
    "Turn the shaft: too few points for a fit",
    "Close",
};
const char* const kGerman[kRows] = {
    "Signalansicht",
    "Löschen",
    "Gelber Sensor (YE)",
    "Weißer Sensor (WH)",
    "Offset A / B",
    "Verhältnis B/A",
    "Phasenfehler",
    "Radius min / max",
    "Amplitude der letzten 60 s",
    "Welle drehen: zu wenige Punkte für eine Auswertung",
    "Schließen",
};
const char* const kFrench[kRows] = {
    "Vue des signaux",
    "Effacer",
    "Capteur jaune (YE)",
    "Capteur blanc (WH)",
    "Offset A / B",
    "Rapport B/A",
    "Erreur de phase",
    "Rayon min / max",
    "Amplitude des 60 dernières s",
    "Tournez l'arbre : trop peu de points pour un calcul",
    "Fermer",
};
const char* const kItalian[kRows] = {
    "Vista dei segnali",
    "Cancella",
    "Sensore giallo (YE)",
    "Sensore bianco (WH)",
    "Offset A / B",
    "Rapporto B/A",
    "Errore di fase",
    "Raggio min / max",
    "Ampiezza degli ultimi 60 s",
    "Ruotare l'albero: troppo pochi punti per un calcolo",
    "Chiudi",
};
const char* const kSpanish[kRows] = {
    "Vista de señales",
    "Borrar",
    "Sensor amarillo (YE)",
    "Sensor blanco (WH)",
    "Offset A / B",
    "Relación B/A",
    "Error de fase",
    "Radio mín. / máx.",
    "Amplitud de los últimos 60 s",
    "Gire el eje: muy pocos puntos para un cálculo",
    "Cerrar",
};

} // namespace

const TextTableData signalViewTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
