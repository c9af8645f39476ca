// Tool tips of the diagnosis window and the extended display: what each
// button, lamp and field does. Rows as ToolTipRow (config/ToolTipRows.h).

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 25;

const char* const kEnglish[kRows] = {
    /* 0 */ "Counting direction: click to reverse the direction of position and speed.",
    /* 1 */
    ("Zero point: click to make the present position 0. Lights up when the reference mark is "
     "found or passed. Disabled while the box reports absolute positions."),
    /* 2 */
    "Reference: \"Ref\" until the box knows the reference mark, then the number of whole turns.",
    /* 3 */ "Speed of the shaft.",
    /* 4 */ "Position of the shaft in the display format chosen in Setup.",
    /* 5 */ "Bearing, serial port, display format and language.",
    /* 6 */ "Open the manual (F1).",
    /* 7 */ "Save the settings and end the program.",
    /* 8 */ "Record the measuring signals to a file for evaluation.",
    /* 9 */ "Measure the noise on the signals. Keep the shaft still meanwhile.",
    /* 10 */ "Noise measured: the larger of the two values (green up to 1.5).",
    /* 11 */
    "Open or close the status list: every state the box reported, with time and position.",
    /* 12 */ "State of the box. Click for details in the status line.",
    /* 13 */ "Signal lamp of this sensor. Click for details in the status line.",
    /* 14 */ "Sensor lamp of this sensor. Click for details in the status line.",
    /* 15 */ "Speed lamp of this sensor. Click for details in the status line.",
    /* 16 */ "State of the measuring system. Click to show the overall state again.",
    /* 17 */
    ("Amplitudes of the white (WH) and yellow (YE) sensor with the range seen. A label turns "
     "bold once the box has reported the sensor's offsets. Click to start the range anew and "
     "read the box's state again."),
    /* 18 */ "Type and firmware version of the box.",
    /* 19 */ "Serial numbers of the box and its sensors.",
    /* 20 */ "Lamps of the yellow sensor (YE).",
    /* 21 */ "Lamps of the white sensor (WH).",
    /* 22 */
    ("Reset the box: it restarts and finds its reference again. The output signals are "
     "interrupted meanwhile."),
    /* 23 */
    ("After a sensor has been changed: the box forgets what it has learned about the sensors "
     "(you are asked first)."),
    /* 24 */ "Close the extended display.",
};

const char* const kGerman[kRows] = {
    /* 0 */ "Zählrichtung: Klick kehrt die Richtung von Position und Geschwindigkeit um.",
    /* 1 */
    ("Nullpunkt: Klick setzt die aktuelle Position auf 0. Leuchtet, wenn die Referenzmarke "
     "gefunden oder überfahren wird. Gesperrt, solange die Box absolute Positionen meldet."),
    /* 2 */
    ("Referenz: \"Ref\", bis die Box die Referenzmarke kennt, danach die Zahl der ganzen "
     "Umdrehungen."),
    /* 3 */ "Geschwindigkeit der Welle.",
    /* 4 */ "Position der Welle im Anzeigeformat aus den Einstellungen.",
    /* 5 */ "Lager, serielle Schnittstelle, Anzeigeformat und Sprache.",
    /* 6 */ "Handbuch öffnen (F1).",
    /* 7 */ "Einstellungen speichern und das Programm beenden.",
    /* 8 */ "Die Messsignale zur Auswertung in eine Datei aufzeichnen.",
    /* 9 */ "Das Rauschen auf den Signalen messen. Die Welle dabei stillhalten.",
    /* 10 */ "Gemessenes Rauschen: der größere der beiden Werte (grün bis 1.5).",
    /* 11 */
    ("Statusliste öffnen oder schließen: jeder gemeldete Zustand der Box mit Zeit und "
     "Position."),
    /* 12 */ "Zustand der Box. Klick zeigt Einzelheiten in der Statuszeile.",
    /* 13 */ "Signal-Lampe dieses Sensors. Klick zeigt Einzelheiten in der Statuszeile.",
    /* 14 */ "Sensor-Lampe dieses Sensors. Klick zeigt Einzelheiten in der Statuszeile.",
    /* 15 */ "Geschwindigkeits-Lampe dieses Sensors. Klick zeigt Einzelheiten in der Statuszeile.",
    /* 16 */ "Zustand des Messsystems. Klick zeigt wieder den Gesamtzustand.",
    /* 17 */
    ("Amplituden des weißen (WH) und des gelben (YE) Sensors mit dem bisherigen Bereich. Die "
     "Beschriftung wird fett, sobald die Box die Offsets des Sensors gemeldet hat. Klick beginnt "
     "den Bereich neu und liest den Zustand der Box erneut."),
    /* 18 */ "Typ und Firmware-Version der Box.",
    /* 19 */ "Seriennummern der Box und ihrer Sensoren.",
    /* 20 */ "Lampen des gelben Sensors (YE).",
    /* 21 */ "Lampen des weißen Sensors (WH).",
    /* 22 */
    ("Box zurücksetzen: Sie startet neu und sucht ihre Referenz erneut. Die Ausgangssignale "
     "sind währenddessen unterbrochen."),
    /* 23 */
    ("Nach einem Sensorwechsel: Die Box vergisst, was sie über die Sensoren gelernt hat (mit "
     "Rückfrage)."),
    /* 24 */ "Erweiterte Anzeige schließen.",
};

const char* const kFrench[kRows] = {
    /* 0 */ "Sens de comptage : un clic inverse le sens de la position et de la vitesse.",
    /* 1 */
    ("Point zéro : un clic met la position actuelle à 0. S'allume quand le repère de référence "
     "est trouvé ou franchi. Désactivé tant que l'ORVA-Box indique des positions absolues."),
    /* 2 */
    ("Référence : \"Ref\" tant que l'ORVA-Box ne connaît pas le repère de référence, puis le "
     "nombre de tours complets."),
    /* 3 */ "Vitesse de l'arbre.",
    /* 4 */ "Position de l'arbre dans le format d'affichage choisi dans la configuration.",
    /* 5 */ "Roulement, port série, format d'affichage et langue.",
    /* 6 */ "Ouvrir le manuel (F1).",
    /* 7 */ "Enregistrer les réglages et quitter le programme.",
    /* 8 */ "Enregistrer les signaux de mesure dans un fichier pour l'évaluation.",
    /* 9 */ "Mesurer le bruit sur les signaux. Laisser l'arbre immobile pendant la mesure.",
    /* 10 */ "Bruit mesuré : la plus grande des deux valeurs (vert jusqu'à 1.5).",
    /* 11 */
    ("Ouvrir ou fermer la liste d'états : chaque état signalé par l'ORVA-Box, avec l'heure et "
     "la position."),
    /* 12 */ "État de l'ORVA-Box. Un clic affiche les détails dans la ligne d'état.",
    /* 13 */ "Voyant signal de ce capteur. Un clic affiche les détails dans la ligne d'état.",
    /* 14 */ "Voyant capteur de ce capteur. Un clic affiche les détails dans la ligne d'état.",
    /* 15 */ "Voyant vitesse de ce capteur. Un clic affiche les détails dans la ligne d'état.",
    /* 16 */ "État du système de mesure. Un clic affiche de nouveau l'état général.",
    /* 17 */
    ("Amplitudes du capteur blanc (WH) et du capteur jaune (YE) avec la plage observée. Le "
     "libellé passe en gras dès que l'ORVA-Box a transmis les offsets du capteur. Un clic "
     "recommence la plage et relit l'état de l'ORVA-Box."),
    /* 18 */ "Type et version du micrologiciel de l'ORVA-Box.",
    /* 19 */ "Numéros de série de l'ORVA-Box et de ses capteurs.",
    /* 20 */ "Voyants du capteur jaune (YE).",
    /* 21 */ "Voyants du capteur blanc (WH).",
    /* 22 */
    ("Réinitialiser l'ORVA-Box : elle redémarre et recherche de nouveau sa référence. Les "
     "signaux de sortie sont interrompus pendant ce temps."),
    /* 23 */
    ("Après un changement de capteur : l'ORVA-Box oublie ce qu'elle a appris sur les capteurs "
     "(avec confirmation)."),
    /* 24 */ "Fermer l'affichage étendu.",
};

const char* const kItalian[kRows] = {
    /* 0 */ "Senso di conteggio: un clic inverte il senso di posizione e velocità.",
    /* 1 */
    ("Punto zero: un clic porta a 0 la posizione attuale. Si accende quando la tacca di "
     "riferimento viene trovata o superata. Disattivato finché l'ORVA-Box fornisce posizioni "
     "assolute."),
    /* 2 */
    ("Riferimento: \"Ref\" finché l'ORVA-Box non conosce la tacca di riferimento, poi il numero "
     "di giri completi."),
    /* 3 */ "Velocità dell'albero.",
    /* 4 */ "Posizione dell'albero nel formato di visualizzazione scelto nelle impostazioni.",
    /* 5 */ "Cuscinetto, porta seriale, formato di visualizzazione e lingua.",
    /* 6 */ "Aprire il manuale (F1).",
    /* 7 */ "Salvare le impostazioni e chiudere il programma.",
    /* 8 */ "Registrare i segnali di misura in un file per la valutazione.",
    /* 9 */ "Misurare il rumore sui segnali. Tenere fermo l'albero durante la misura.",
    /* 10 */ "Rumore misurato: il maggiore dei due valori (verde fino a 1.5).",
    /* 11 */
    ("Aprire o chiudere la lista di stato: ogni stato segnalato dall'ORVA-Box, con ora e "
     "posizione."),
    /* 12 */ "Stato dell'ORVA-Box. Un clic mostra i dettagli nella riga di stato.",
    /* 13 */ "Spia segnale di questo sensore. Un clic mostra i dettagli nella riga di stato.",
    /* 14 */ "Spia sensore di questo sensore. Un clic mostra i dettagli nella riga di stato.",
    /* 15 */ "Spia velocità di questo sensore. Un clic mostra i dettagli nella riga di stato.",
    /* 16 */ "Stato del sistema di misura. Un clic mostra di nuovo lo stato complessivo.",
    /* 17 */
    ("Ampiezze del sensore bianco (WH) e del sensore giallo (YE) con il campo osservato. "
     "L'etichetta diventa grassetto appena l'ORVA-Box ha trasmesso gli offset del sensore. Un "
     "clic riavvia il campo e rilegge lo stato dell'ORVA-Box."),
    /* 18 */ "Tipo e versione firmware dell'ORVA-Box.",
    /* 19 */ "Numeri di serie dell'ORVA-Box e dei suoi sensori.",
    /* 20 */ "Spie del sensore giallo (YE).",
    /* 21 */ "Spie del sensore bianco (WH).",
    /* 22 */
    ("Reset dell'ORVA-Box: si riavvia e cerca di nuovo il riferimento. Nel frattempo i segnali "
     "di uscita sono interrotti."),
    /* 23 */
    ("Dopo la sostituzione di un sensore: l'ORVA-Box dimentica ciò che ha appreso sui sensori "
     "(con richiesta di conferma)."),
    /* 24 */ "Chiudere la visualizzazione estesa.",
};

const char* const kSpanish[kRows] = {
    /* 0 */ "Sentido de conteo: un clic invierte el sentido de la posición y la velocidad.",
    /* 1 */
    ("Punto cero: un clic pone a 0 la posición actual. Se ilumina cuando se encuentra o se pasa "
     "la marca de referencia. Desactivado mientras la ORVA-Box indica posiciones absolutas."),
    /* 2 */
    ("Referencia: \"Ref\" hasta que la ORVA-Box conoce la marca de referencia, después el número "
     "de vueltas completas."),
    /* 3 */ "Velocidad del eje.",
    /* 4 */ "Posición del eje en el formato de visualización elegido en la configuración.",
    /* 5 */ "Rodamiento, puerto serie, formato de visualización e idioma.",
    /* 6 */ "Abrir el manual (F1).",
    /* 7 */ "Guardar los ajustes y cerrar el programa.",
    /* 8 */ "Registrar las señales de medida en un archivo para su evaluación.",
    /* 9 */ "Medir el ruido en las señales. Mantener el eje parado durante la medida.",
    /* 10 */ "Ruido medido: el mayor de los dos valores (verde hasta 1.5).",
    /* 11 */
    ("Abrir o cerrar la lista de estados: cada estado indicado por la ORVA-Box, con hora y "
     "posición."),
    /* 12 */ "Estado de la ORVA-Box. Un clic muestra los detalles en la línea de estado.",
    /* 13 */ "Piloto de señal de este sensor. Un clic muestra los detalles en la línea de estado.",
    /* 14 */ "Piloto de sensor de este sensor. Un clic muestra los detalles en la línea de estado.",
    /* 15 */
    "Piloto de velocidad de este sensor. Un clic muestra los detalles en la línea de estado.",
    /* 16 */ "Estado del sistema de medida. Un clic vuelve a mostrar el estado general.",
    /* 17 */
    ("Amplitudes del sensor blanco (WH) y del sensor amarillo (YE) con el rango observado. La "
     "etiqueta pasa a negrita en cuanto la ORVA-Box ha enviado los offsets del sensor. Un clic "
     "reinicia el rango y vuelve a leer el estado de la ORVA-Box."),
    /* 18 */ "Tipo y versión de firmware de la ORVA-Box.",
    /* 19 */ "Números de serie de la ORVA-Box y de sus sensores.",
    /* 20 */ "Pilotos del sensor amarillo (YE).",
    /* 21 */ "Pilotos del sensor blanco (WH).",
    /* 22 */
    ("Reiniciar la ORVA-Box: se reinicia y busca de nuevo su referencia. Mientras tanto se "
     "interrumpen las señales de salida."),
    /* 23 */
    ("Tras cambiar un sensor: la ORVA-Box olvida lo que ha aprendido sobre los sensores (con "
     "confirmación previa)."),
    /* 24 */ "Cerrar la visualización ampliada.",
};

} // namespace

const TextTableData toolTipsTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
