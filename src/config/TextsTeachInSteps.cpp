// Instruction texts of the wizard's STEP 1 to STEP 5 and of its closing page.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 6;

const char* const kEnglish[kRows] = {
    /* 0 */ (
        "STEP 1:\nSet the distance of yellow sensor (YE) with the shims until the amplitude (see "
        "bar chart on the left) is between 45% and 80% and within the entire traversing range."),
    /* 1 */
    ("STEP 2:\nSet the distance of white sensor (WH) with the shims until the amplitude (see bar "
     "chart on the right) is between 45% and 80% and within the entire traversing range."),
    /* 2 */ "STEP 3:\nTeach-In incremental signal. Turn shaft at less than 3 rpm.",
    /* 3 */ "STEP 4:\nTeach-In reference signal. Turn shaft at less than 3 rpm over at least 15°.",
    /* 4 */ "STEP 5:\nTeach-In absolute position. Turn shaft at less than 3 rpm over 30...60°.",
    /* 5 */
    ("TEACH-IN DONE.\n A trial run at less than 3 rpm is recommended in order to check the "
     "min//max amplitude over the entire position range. This can be done manually or with CNC."),
};
const char* const kGerman[kRows] = {
    /* 0 */ ("SCHRITT 1:\nAbstand des gelben Sensors (YE) mit den Distanzscheiben so einstellen, "
             "dass die Amplitude (siehe Balkenanzeige links) im gesamten Verfahrbereich zwischen "
             "45% und 80% liegt."),
    /* 1 */
    ("SCHRITT 2:\nAbstand des weißen Sensors (WH) mit den Distanzscheiben so einstellen, dass die "
     "Amplitude (siehe Balkenanzeige rechts) im gesamten Verfahrbereich zwischen 45% und 80% "
     "liegt."),
    /* 2 */ "SCHRITT 3:\nTeach-In Inkrementalsignal. Welle mit weniger als 3 U/min drehen.",
    /* 3 */
    ("SCHRITT 4:\nTeach-In Referenzsignal. Welle mit weniger als 3 U/min um mindestens 15° "
     "drehen."),
    /* 4 */
    ("SCHRITT 5:\nTeach-In Absolutposition. Welle mit weniger als 3 U/min um 30...60° drehen."),
    /* 5 */
    ("TEACH-IN ABGESCHLOSSEN.\n Ein Probelauf mit weniger als 3 U/min wird empfohlen, um die "
     "Min-/Max-Amplitude im gesamten Positionsbereich zu prüfen. Dies kann von Hand oder per CNC "
     "erfolgen."),
};
const char* const kFrench[kRows] = {
    /* 0 */ ("ÉTAPE 1:\nRégler la distance du capteur jaune (YE) à l'aide des cales jusqu'à ce que "
             "l'amplitude (voir le graphique à barres à gauche) soit comprise entre 45% et 80% sur "
             "toute la plage de déplacement."),
    /* 1 */
    ("ÉTAPE 2:\nRégler la distance du capteur blanc (WH) à l'aide des cales jusqu'à ce que "
     "l'amplitude (voir le graphique à barres à droite) soit comprise entre 45% et 80% sur toute "
     "la plage de déplacement."),
    /* 2 */ "ÉTAPE 3:\nTeach-In du signal incrémental. Tourner l'arbre à moins de 3 tr/min.",
    /* 3 */
    ("ÉTAPE 4:\nTeach-In du signal de référence. Tourner l'arbre à moins de 3 tr/min sur au moins "
     "15°."),
    /* 4 */
    ("ÉTAPE 5:\nTeach-In de la position absolue. Tourner l'arbre à moins de 3 tr/min sur "
     "30...60°."),
    /* 5 */
    ("TEACH-IN TERMINÉ.\n Un essai à moins de 3 tr/min est recommandé afin de contrôler "
     "l'amplitude min/max sur toute la plage de position. Il peut être effectué manuellement ou "
     "par CNC."),
};
const char* const kItalian[kRows] = {
    /* 0 */ ("PASSO 1:\nRegolare la distanza del sensore giallo (YE) con gli spessori finché "
             "l'ampiezza (vedere il grafico a barre a sinistra) è compresa tra 45% e 80% "
             "sull'intero campo di movimento."),
    /* 1 */
    ("PASSO 2:\nRegolare la distanza del sensore bianco (WH) con gli spessori finché l'ampiezza "
     "(vedere il grafico a barre a destra) è compresa tra 45% e 80% sull'intero campo di "
     "movimento."),
    /* 2 */ "PASSO 3:\nTeach-In segnale incrementale. Ruotare l'albero a meno di 3 giri/min.",
    /* 3 */
    ("PASSO 4:\nTeach-In segnale di riferimento. Ruotare l'albero a meno di 3 giri/min per almeno "
     "15°."),
    /* 4 */
    ("PASSO 5:\nTeach-In posizione assoluta. Ruotare l'albero a meno di 3 giri/min per 30...60°."),
    /* 5 */
    ("TEACH-IN COMPLETATO.\n Si consiglia una corsa di prova a meno di 3 giri/min per controllare "
     "l'ampiezza min/max sull'intero campo di posizione. Può essere eseguita manualmente o tramite "
     "CNC."),
};
const char* const kSpanish[kRows] = {
    /* 0 */ ("PASO 1:\nAjuste la distancia del sensor amarillo (YE) con los suplementos hasta que "
             "la amplitud (ver el gráfico de barras a la izquierda) esté entre 45% y 80% en todo "
             "el recorrido."),
    /* 1 */
    ("PASO 2:\nAjuste la distancia del sensor blanco (WH) con los suplementos hasta que la "
     "amplitud (ver el gráfico de barras a la derecha) esté entre 45% y 80% en todo el recorrido."),
    /* 2 */ "PASO 3:\nTeach-In de la señal incremental. Gire el eje a menos de 3 rpm.",
    /* 3 */
    ("PASO 4:\nTeach-In de la señal de referencia. Gire el eje a menos de 3 rpm al menos 15°."),
    /* 4 */
    ("PASO 5:\nTeach-In de la posición absoluta. Gire el eje a menos de 3 rpm entre 30...60°."),
    /* 5 */
    ("TEACH-IN FINALIZADO.\n Se recomienda una marcha de prueba a menos de 3 rpm para comprobar la "
     "amplitud mín/máx en todo el rango de posiciones. Puede hacerse manualmente o por CNC."),
};

} // namespace

const TextTableData teachInStepsTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
