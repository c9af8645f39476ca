// Teach-in wizard texts. Rows 3..11 are the paragraphs of the "?" help
// (3 introduces STEP 1/2's five causes 4..8; STEP 3's help is 13 + 9 + 10 + 11),
// rows 35..38 the findings that follow row 33 after a failed travel, row 53 the
// caption of the "?" help; rows 54..56 label the wizard window's box line and
// position, and name the window; row 57 asks before a teach-in that has reset
// the box is cancelled, row 58 stands under a speed the box cannot learn at.

#include "config/TextTableData.h"

namespace {

constexpr int kRows = 59;

const char* const kEnglish[kRows] = {
    /* 0 */ "Operating parameters saved in the ORVA Box\n must be deleted before teach-in",
    /* 1 */
    ("Adjust the distance of the yellow sensor (YE) with shims\nuntil its amplitude lies between "
     "45% and 80%."),
    /* 2 */
    ("Adjust the distance of the white sensor (WH) with shims\nuntil its amplitude lies between "
     "45% and 80%."),
    /* 3 */
    ("\n\nIf it is not possible to adjust the sensor distance within the green amplitude "
     "range\nthe reason for that could be: "),
    /* 4 */
    ("\n\n- Sensor connector is not plugged in correctly. This leads to a constant low "
     "amplitude.\n   Please check if the sensor is connected to the ORVA Box. Another reason could "
     "be a damaged sensor cable."),
    /* 5 */
    ("\n\n- Sensor defective. This is normally indicated by amplitude values around 100% or more "
     "of the unmounted sensor.\n   Please replace the sensor in this case.\n   Attention: The "
     "sensor head must not have contact with the washer …This can lead to the sensor being "
     "destroyed. Manually pressing the sensor on will not cause damage."),
    /* 6 */
    ("\n\n- Distance dimension 'A' (defines the distance of the sensor to the shaft washer, see "
     "the mounting instructions of the bearing) is too large or too small.\n   Please check "
     "whether dimension 'A' matches the mounting instructions and whether all contact surfaces are "
     "clean "
     "and free of burrs."),
    /* 7 */
    ("\n\n- Difference in height of sensor to the shaft washer is too large (approx. > 1mm to "
     "target)"),
    /* 8 */
    ("\n\n- Sensor mounted upside down. Please observe the mounting direction of the sensors."),
    /* 9 */
    ("\n\nIf the fluctuations in amplitudes during bearing rotation are so great\nthat system "
     "teaching cannot be performed, this could be attributable to the following:\nBearing shaft "
     "washer not sufficiently centered. \n   This is shown in increasing or decreasing amplitudes "
     "\n   of the white and yellow sensors.\n   "),
    /* 10 */
    ("Bearing shaft-washer is not centered properly. This is expressed in rising\n   and falling "
     "amplitudes opposite to each other in the white and yellow measuring heads.\n   Causes for "
     "this may include: an off-center position, the fit selection is not\n   per manufacturer "
     "specifications or bearing retention screws have not been loosened before mounting.\n   Note: "
     "The radial runout of the shaft washer must not be checked using metallic gages (residual "
     "magnetism)\n   Please use ruby or plastic probe tips."),
    /* 11 */
    ("\n\n- If jumps in amplitude occur, the magnetic encoding may be damaged. If this is the "
     "case,\n   record the measuring signals in diagnostic mode and send this to VELKA for "
     "evaluation:\n\n   Please contact the service of your machine manufacturer."),
    /* 12 */
    ("Note:\n\nSignal amplitude exceeded the optimum range (50...80%).\nPlease check if it is "
     "possible to get a better amplitude\nby adding/removing spacers.\nSignal amplitudes near the "
     "red limits can cause malfunction/loss of accuracy\ndepending on the bearing load.\n\nDo You "
     "want to re-adjust the sensor distance ?\n\nYes: Go back to sensor adjustment.\nNo: Ignore "
     "this messages."),
    /* 13 */
    ("STEP 3: Teach-In incremental signals.\n\nMove shaft with <= 3 revolutions per "
     "minute.\nMoving can be done by hand or CNC."),
    /* 14 */
    ("STEP 4: Teach-In reference signal.\n\nMove shaft with <= 3 revolutions per minute, over at "
     "least 15 degrees.\nMoving can be done by hand or CNC."),
    /* 15 */
    ("STEP 5: Teach-In absolute position.\n\nMove shaft with <= 3 revolutions per minute, over at "
     "least 30..60 degrees.\nMoving can be done by hand or CNC."),
    /* 16 */ "Teach-In successful\n\nPress the \"Next >\" button to continue",
    /* 17 */ "Waiting for ORVA Box response...",
    /* 18 */ "ORVA Box connected.",
    /* 19 */ "Wait until ORVA-Box is reset...",
    /* 20 */ "Please re-adjust sensor distances to\n45...80 percent amplitude !",
    /* 21 */ " ",
    /* 22 */
    "ERROR: Teach-In failed !\nThe measurement system is not ready.Please restart Teach-In.",
    /* 23 */ "Sensor amplitude too high:\nAdd an additional shim",
    /* 24 */ "Sensor amplitude too low:\nRemove at least one shim",
    /* 25 */ "Rotate shaft...",
    /* 26 */ "Signal noise too high !\nCheck cable shielding and ORVA-Box grounding.",
    /* 27 */ "Teach-In completed successfully",
    /* 28 */ "Teach-In failed !\nPlease restart Teach-In.",
    /* 29 */ "Next >",
    /* 30 */ "Cancel\nTeach-In",
    /* 31 */ "Repeat",
    /* 32 */ "< Back",
    /* 33 */ "Sensor distance has to be re-adjusted:\n",
    /* 34 */
    ("Shaft washer is not centered ?\n\nThe sensor amplitude exceeds the upper and lower amplitude "
     "limits."),
    /* 35 */
    ("\n\nYellow sensor (YE): Low amplitude of below 30% was detected within the positioning "
     "range,\nremove at least one shim to reduce the distance from sensor to scale."),
    /* 36 */
    ("\n\nYellow sensor (YE): High amplitude of above 95% was detected within the positioning "
     "range,\nadd a shim to increase the distance from sensor to scale."),
    /* 37 */
    ("\n\nWhite sensor (WH): Low amplitude was of below 30% detected within the positioning "
     "range,\nremove at least one shim to reduce the distance from sensor to scale."),
    /* 38 */
    ("\n\nWhite sensor (WH): High amplitude of above 95% was detected within the positioning "
     "range,\nadd a shim to increase the distance from sensor to scale."),
    /* 39 */ "Teach-In failed !\n\nPress \"OK\" to exit",
    /* 40 */
    "!!! ERROR !!!\nThe measuring system is not ready for use\nTeach-In has to be repeated",
    /* 41 */ "Teach-In successful\n\nPress \"OK\" to exit",
    /* 42 */
    ("Please note:\nORVA Box, electronic measuring system and measuring heads are now assigned to "
     "each other.\nNow a Teach-In is only necessary if one of this components\nhas to be "
     "replaced."),
    /* 43 */ "No teach-in was done.\n\nConfirm this message by pressing \"OK\"",
    /* 44 */
    ("Attention:\nThe assignment of electronic measuring system and sensor has NOT been "
     "updated.\nAfter replacement of KAVO/ORVA parts\nit is always necessary to teach-in the "
     "measuring system."),
    /* 45 */ "Please wait… Searching for COM interface",
    /* 46 */ "TEACH-IN",
    /* 47 */ "Reduce sensor distance!",
    /* 48 */ "Remove shims",
    /* 49 */ "Add shims",
    /* 50 */ "Sensor distance ok.",
    /* 51 */ "Approx.",
    /* 52 */ "Rpm",
    /* 53 */ "INFO",
    /* 54 */ "Box: ",
    /* 55 */ "Pos: ",
    /* 56 */ "Teach-In Dialog",
    /* 57 */
    ("The ORVA Box has been reset for this teach-in.\nIf you cancel now, the measuring system is "
     "not ready for use\nuntil a teach-in has been completed.\n\nDo you really want to cancel "
     "the teach-in?"),
    /* 58 */ "Turn slower: under 3 rpm",
};
const char* const kGerman[kRows] = {
    /* 0 */ ("Die in der ORVA Box gespeicherten Betriebsparameter\n müssen vor dem Teach-In "
             "gelöscht werden"),
    /* 1 */
    ("Abstand des gelben Sensors (YE) mit Distanzscheiben einstellen,\nbis seine Amplitude "
     "zwischen 45% und 80% liegt."),
    /* 2 */
    ("Abstand des weißen Sensors (WH) mit Distanzscheiben einstellen,\nbis seine Amplitude "
     "zwischen 45% und 80% liegt."),
    /* 3 */
    ("\n\nWenn sich der Sensorabstand nicht innerhalb des grünen Amplitudenbereichs einstellen "
     "lässt,\nkann dies folgende Ursachen haben: "),
    /* 4 */
    ("\n\n- Der Sensorstecker ist nicht richtig eingesteckt. Dies führt zu einer gleichbleibend "
     "niedrigen Amplitude.\n   Bitte prüfen, ob der Sensor an der ORVA Box angeschlossen ist. Eine "
     "weitere Ursache kann ein beschädigtes Sensorkabel sein."),
    /* 5 */
    ("\n\n- Sensor defekt. Dies zeigt sich normalerweise durch Amplitudenwerte um 100% oder mehr "
     "beim nicht montierten Sensor.\n   Bitte in diesem Fall den Sensor austauschen.\n   Achtung: "
     "Der Sensorkopf darf die Scheibe nicht berühren …dies kann zur Zerstörung des Sensors führen. "
     "Ein Andrücken des Sensors von Hand verursacht keinen Schaden."),
    /* 6 */
    ("\n\n- Abstandsmaß 'A' (legt den Abstand des Sensors zur Wellenscheibe fest, siehe "
     "Montageanleitung des Lagers) ist zu groß oder zu klein.\n   Bitte prüfen, ob das Maß 'A' der "
     "Montageanleitung entspricht und ob alle Anlageflächen sauber und gratfrei sind."),
    /* 7 */
    ("\n\n- Höhenversatz zwischen Sensor und Wellenscheibe ist zu groß (ca. > 1mm zum Sollwert)"),
    /* 8 */ "\n\n- Sensor verkehrt herum montiert. Bitte die Einbaurichtung der Sensoren beachten.",
    /* 9 */
    ("\n\nWenn die Amplitudenschwankungen beim Drehen des Lagers so groß sind,\ndass das Teach-In "
     "des Systems nicht durchgeführt werden kann, kann dies folgende Ursache haben:\nWellenscheibe "
     "des Lagers nicht ausreichend zentriert. \n   Dies zeigt sich in steigenden oder fallenden "
     "Amplituden \n   des weißen und des gelben Sensors.\n   "),
    /* 10 */
    ("Die Wellenscheibe des Lagers ist nicht richtig zentriert. Dies zeigt sich in gegenläufig "
     "steigenden\n   und fallenden Amplituden des weißen und des gelben Messkopfes.\n   Mögliche "
     "Ursachen: eine außermittige Lage, eine Passungswahl, die nicht\n   den Herstellervorgaben "
     "entspricht, oder Lagerhalteschrauben, die vor der Montage nicht gelöst wurden.\n   Hinweis: "
     "Der Rundlauf der Wellenscheibe darf nicht mit metallischen Messtastern geprüft werden "
     "(Restmagnetismus)\n   Bitte Rubin- oder Kunststofftastspitzen verwenden."),
    /* 11 */
    ("\n\n- Treten Amplitudensprünge auf, kann die magnetische Codierung beschädigt sein. In "
     "diesem Fall\n   die Messsignale im Diagnosemodus aufzeichnen und zur Auswertung an VELKA "
     "senden:\n\n   Bitte wenden Sie sich an den Service Ihres Maschinenherstellers."),
    /* 12 */
    ("Hinweis:\n\nDie Signalamplitude hat den optimalen Bereich (50...80%) verlassen.\nBitte "
     "prüfen, ob sich durch Hinzufügen/Entfernen von Distanzscheiben\neine bessere Amplitude "
     "erreichen lässt.\nSignalamplituden nahe den roten Grenzen können je nach Lagerbelastung\nzu "
     "Fehlfunktionen/Genauigkeitsverlust führen.\n\nMöchten Sie den Sensorabstand neu einstellen "
     "?\n\nJa: Zurück zur Sensoreinstellung.\nNein: Diese Meldungen ignorieren."),
    /* 13 */
    ("SCHRITT 3: Teach-In Inkrementalsignale.\n\nWelle mit <= 3 Umdrehungen pro Minute "
     "bewegen.\nDie Bewegung kann von Hand oder per CNC erfolgen."),
    /* 14 */
    ("SCHRITT 4: Teach-In Referenzsignal.\n\nWelle mit <= 3 Umdrehungen pro Minute um mindestens "
     "15 Grad bewegen.\nDie Bewegung kann von Hand oder per CNC erfolgen."),
    /* 15 */
    ("SCHRITT 5: Teach-In Absolutposition.\n\nWelle mit <= 3 Umdrehungen pro Minute um mindestens "
     "30..60 Grad bewegen.\nDie Bewegung kann von Hand oder per CNC erfolgen."),
    /* 16 */ "Teach-In erfolgreich\n\nZum Fortfahren die Schaltfläche \"Weiter >\" drücken",
    /* 17 */ "Warte auf Antwort der ORVA Box...",
    /* 18 */ "ORVA Box verbunden.",
    /* 19 */ "Warten, bis die ORVA-Box zurückgesetzt ist...",
    /* 20 */ "Bitte Sensorabstände auf\n45...80 Prozent Amplitude nachstellen !",
    /* 21 */ " ",
    /* 22 */
    ("FEHLER: Teach-In fehlgeschlagen !\nDas Messsystem ist nicht betriebsbereit. Bitte Teach-In "
     "neu starten."),
    /* 23 */ "Sensoramplitude zu hoch:\nEine zusätzliche Distanzscheibe einlegen",
    /* 24 */ "Sensoramplitude zu niedrig:\nMindestens eine Distanzscheibe entfernen",
    /* 25 */ "Welle drehen...",
    /* 26 */ "Signalstörungen zu hoch !\nKabelschirmung und Erdung der ORVA-Box prüfen.",
    /* 27 */ "Teach-In erfolgreich abgeschlossen",
    /* 28 */ "Teach-In fehlgeschlagen !\nBitte Teach-In neu starten.",
    /* 29 */ "Weiter >",
    /* 30 */ "Teach-In\nabbrechen",
    /* 31 */ "Wiederholen",
    /* 32 */ "< Zurück",
    /* 33 */ "Der Sensorabstand muss nachgestellt werden:\n",
    /* 34 */
    ("Wellenscheibe nicht zentriert ?\n\nDie Sensoramplitude überschreitet die obere und die "
     "untere Amplitudengrenze."),
    /* 35 */
    ("\n\nGelber Sensor (YE): Im Positionierbereich wurde eine niedrige Amplitude unter 30% "
     "erkannt,\nmindestens eine Distanzscheibe entfernen, um den Abstand zwischen Sensor und "
     "Maßverkörperung zu verringern."),
    /* 36 */
    ("\n\nGelber Sensor (YE): Im Positionierbereich wurde eine hohe Amplitude über 95% "
     "erkannt,\neine Distanzscheibe einlegen, um den Abstand zwischen Sensor und Maßverkörperung "
     "zu vergrößern."),
    /* 37 */
    ("\n\nWeißer Sensor (WH): Im Positionierbereich wurde eine niedrige Amplitude unter 30% "
     "erkannt,\nmindestens eine Distanzscheibe entfernen, um den Abstand zwischen Sensor und "
     "Maßverkörperung zu verringern."),
    /* 38 */
    ("\n\nWeißer Sensor (WH): Im Positionierbereich wurde eine hohe Amplitude über 95% "
     "erkannt,\neine Distanzscheibe einlegen, um den Abstand zwischen Sensor und Maßverkörperung "
     "zu vergrößern."),
    /* 39 */ "Teach-In fehlgeschlagen !\n\nZum Beenden \"OK\" drücken",
    /* 40 */
    ("!!! FEHLER !!!\nDas Messsystem ist nicht betriebsbereit\nDas Teach-In muss wiederholt "
     "werden"),
    /* 41 */ "Teach-In erfolgreich\n\nZum Beenden \"OK\" drücken",
    /* 42 */
    ("Bitte beachten:\nORVA Box, Messelektronik und Messköpfe sind jetzt einander zugeordnet.\nEin "
     "Teach-In ist jetzt nur noch erforderlich, wenn eine dieser Komponenten\nausgetauscht werden "
     "muss."),
    /* 43 */ "Es wurde kein Teach-In durchgeführt.\n\nMeldung mit \"OK\" bestätigen",
    /* 44 */
    ("Achtung:\nDie Zuordnung von Messelektronik und Sensor wurde NICHT aktualisiert.\nNach dem "
     "Austausch von KAVO/ORVA-Teilen\nist immer ein Teach-In des Messsystems erforderlich."),
    /* 45 */ "Bitte warten… Suche COM-Schnittstelle",
    /* 46 */ "TEACH-IN",
    /* 47 */ "Sensorabstand verringern!",
    /* 48 */ "Distanzscheiben entfernen",
    /* 49 */ "Distanzscheiben einlegen",
    /* 50 */ "Sensorabstand ok.",
    /* 51 */ "Ca.",
    /* 52 */ "U/min",
    /* 53 */ "INFO",
    /* 54 */ "Box: ",
    /* 55 */ "Pos: ",
    /* 56 */ "Teach-In-Dialog",
    /* 57 */
    ("Die ORVA Box wurde für dieses Teach-In zurückgesetzt.\nWenn Sie jetzt abbrechen, ist das "
     "Messsystem nicht betriebsbereit,\nbis ein Teach-In abgeschlossen ist.\n\nMöchten Sie das "
     "Teach-In wirklich abbrechen?"),
    /* 58 */ "Langsamer drehen: unter 3 U/min",
};
const char* const kFrench[kRows] = {
    /* 0 */ ("Les paramètres de fonctionnement enregistrés dans l'ORVA Box\n doivent être effacés "
             "avant le Teach-In"),
    /* 1 */
    ("Régler la distance du capteur jaune (YE) avec des cales\njusqu'à ce que son amplitude soit "
     "comprise entre 45% et 80%."),
    /* 2 */
    ("Régler la distance du capteur blanc (WH) avec des cales\njusqu'à ce que son amplitude soit "
     "comprise entre 45% et 80%."),
    /* 3 */
    ("\n\nS'il n'est pas possible de régler la distance du capteur dans la plage d'amplitude "
     "verte,\nles causes peuvent être les suivantes: "),
    /* 4 */
    ("\n\n- Le connecteur du capteur n'est pas correctement branché. Il en résulte une amplitude "
     "faible constante.\n   Veuillez vérifier que le capteur est raccordé à l'ORVA Box. Un câble "
     "de capteur endommagé peut également en être la cause."),
    /* 5 */
    ("\n\n- Capteur défectueux. Ceci est normalement indiqué par des valeurs d'amplitude d'environ "
     "100% ou plus avec le capteur non monté.\n   Dans ce cas, veuillez remplacer le capteur.\n   "
     "Attention: la tête du capteur ne doit pas toucher la rondelle …cela peut détruire le "
     "capteur. Appuyer le capteur à la main ne provoque aucun dommage."),
    /* 6 */
    ("\n\n- La cote de distance 'A' (définit la distance du capteur à la rondelle-arbre, voir la "
     "notice de montage du roulement) est trop grande ou trop petite.\n   Veuillez vérifier que la "
     "cote 'A' est conforme à la notice de montage et que toutes les surfaces d'appui sont propres "
     "et sans bavures."),
    /* 7 */
    ("\n\n- La différence de hauteur entre le capteur et la rondelle-arbre est trop importante "
     "(env. > 1mm par rapport à la cote)"),
    /* 8 */ "\n\n- Capteur monté à l'envers. Veuillez respecter le sens de montage des capteurs.",
    /* 9 */
    ("\n\nSi les variations d'amplitude pendant la rotation du roulement sont si importantes\nque "
     "le Teach-In du système ne peut être effectué, la cause peut être la "
     "suivante:\nRondelle-arbre du roulement insuffisamment centrée. \n   Ceci se traduit par des "
     "amplitudes croissantes ou décroissantes \n   des capteurs blanc et jaune.\n   "),
    /* 10 */
    ("La rondelle-arbre du roulement n'est pas correctement centrée. Ceci se traduit par des "
     "amplitudes\n   croissantes et décroissantes en opposition dans les têtes de mesure blanche "
     "et jaune.\n   Causes possibles: une position excentrée, un choix d'ajustement non conforme\n "
     "  aux spécifications du fabricant ou des vis de fixation du roulement non desserrées avant "
     "le montage.\n   Remarque: le faux-rond radial de la rondelle-arbre ne doit pas être contrôlé "
     "avec des palpeurs métalliques (magnétisme résiduel)\n   Veuillez utiliser des pointes de "
     "palpeur en rubis ou en plastique."),
    /* 11 */
    ("\n\n- En cas de sauts d'amplitude, le codage magnétique peut être endommagé. Dans ce cas,\n  "
     " enregistrer les signaux de mesure en mode diagnostic et les envoyer à VELKA pour "
     "évaluation:\n\n   Veuillez contacter le service après-vente du fabricant de votre machine."),
    /* 12 */
    ("Remarque:\n\nL'amplitude du signal est sortie de la plage optimale (50...80%).\nVeuillez "
     "vérifier s'il est possible d'obtenir une meilleure amplitude\nen ajoutant/retirant des "
     "cales.\nDes amplitudes proches des limites rouges peuvent provoquer un dysfonctionnement/une "
     "perte de précision\nselon la charge du roulement.\n\nVoulez-vous régler à nouveau la "
     "distance du capteur ?\n\nOui: retour au réglage des capteurs.\nNon: ignorer ces messages."),
    /* 13 */
    ("ÉTAPE 3: Teach-In des signaux incrémentaux.\n\nDéplacer l'arbre à <= 3 tours par minute.\nLe "
     "déplacement peut se faire à la main ou par CNC."),
    /* 14 */
    ("ÉTAPE 4: Teach-In du signal de référence.\n\nDéplacer l'arbre à <= 3 tours par minute, sur "
     "au moins 15 degrés.\nLe déplacement peut se faire à la main ou par CNC."),
    /* 15 */
    ("ÉTAPE 5: Teach-In de la position absolue.\n\nDéplacer l'arbre à <= 3 tours par minute, sur "
     "au moins 30..60 degrés.\nLe déplacement peut se faire à la main ou par CNC."),
    /* 16 */ "Teach-In réussi\n\nAppuyer sur le bouton \"Suivant >\" pour continuer",
    /* 17 */ "Attente de la réponse de l'ORVA Box...",
    /* 18 */ "ORVA Box connectée.",
    /* 19 */ "Attendre la réinitialisation de l'ORVA-Box...",
    /* 20 */
    ("Veuillez régler à nouveau la distance des capteurs\npour une amplitude de 45...80 pour cent "
     "!"),
    /* 21 */ " ",
    /* 22 */
    ("ERREUR: échec du Teach-In !\nLe système de mesure n'est pas prêt. Veuillez relancer le "
     "Teach-In."),
    /* 23 */ "Amplitude du capteur trop élevée:\nAjouter une cale supplémentaire",
    /* 24 */ "Amplitude du capteur trop faible:\nRetirer au moins une cale",
    /* 25 */ "Tourner l'arbre...",
    /* 26 */
    ("Parasites du signal trop élevés !\nVérifier le blindage des câbles et la mise à la terre de "
     "l'ORVA-Box."),
    /* 27 */ "Teach-In terminé avec succès",
    /* 28 */ "Échec du Teach-In !\nVeuillez relancer le Teach-In.",
    /* 29 */ "Suivant >",
    /* 30 */ "Annuler\nTeach-In",
    /* 31 */ "Répéter",
    /* 32 */ "< Précédent",
    /* 33 */ "La distance du capteur doit être réajustée:\n",
    /* 34 */
    ("Rondelle-arbre non centrée ?\n\nL'amplitude du capteur dépasse les limites d'amplitude "
     "supérieure et inférieure."),
    /* 35 */
    ("\n\nCapteur jaune (YE): une amplitude faible inférieure à 30% a été détectée dans la plage "
     "de positionnement,\nretirer au moins une cale pour réduire la distance entre le capteur et "
     "la règle."),
    /* 36 */
    ("\n\nCapteur jaune (YE): une amplitude élevée supérieure à 95% a été détectée dans la plage "
     "de positionnement,\najouter une cale pour augmenter la distance entre le capteur et la "
     "règle."),
    /* 37 */
    ("\n\nCapteur blanc (WH): une amplitude faible inférieure à 30% a été détectée dans la plage "
     "de positionnement,\nretirer au moins une cale pour réduire la distance entre le capteur et "
     "la règle."),
    /* 38 */
    ("\n\nCapteur blanc (WH): une amplitude élevée supérieure à 95% a été détectée dans la plage "
     "de positionnement,\najouter une cale pour augmenter la distance entre le capteur et la "
     "règle."),
    /* 39 */ "Échec du Teach-In !\n\nAppuyer sur \"OK\" pour quitter",
    /* 40 */
    ("!!! ERREUR !!!\nLe système de mesure n'est pas opérationnel\nLe Teach-In doit être répété"),
    /* 41 */ "Teach-In réussi\n\nAppuyer sur \"OK\" pour quitter",
    /* 42 */
    ("Remarque:\nORVA Box, électronique de mesure et têtes de mesure sont maintenant associées les "
     "unes aux autres.\nUn Teach-In n'est désormais nécessaire que si l'un de ces composants\ndoit "
     "être remplacé."),
    /* 43 */ "Aucun Teach-In n'a été effectué.\n\nConfirmer ce message en appuyant sur \"OK\"",
    /* 44 */
    ("Attention:\nL'association de l'électronique de mesure et du capteur n'a PAS été mise à "
     "jour.\nAprès le remplacement de pièces KAVO/ORVA\nun Teach-In du système de mesure est "
     "toujours nécessaire."),
    /* 45 */ "Veuillez patienter… Recherche de l'interface COM",
    /* 46 */ "TEACH-IN",
    /* 47 */ "Réduire la distance du capteur!",
    /* 48 */ "Retirer des cales",
    /* 49 */ "Ajouter des cales",
    /* 50 */ "Distance capteur ok.",
    /* 51 */ "Env.",
    /* 52 */ "tr/min",
    /* 53 */ "INFO",
    /* 54 */ "Box : ",
    /* 55 */ "Pos : ",
    /* 56 */ "Dialogue Teach-In",
    /* 57 */
    ("L'ORVA Box a été réinitialisée pour ce Teach-In.\nSi vous annulez maintenant, le système de "
     "mesure n'est pas prêt à l'emploi\ntant qu'un Teach-In n'a pas été mené à terme.\n\nVoulez-"
     "vous vraiment annuler le Teach-In ?"),
    /* 58 */ "Tourner plus lentement : moins de 3 tr/min",
};
const char* const kItalian[kRows] = {
    /* 0 */ ("I parametri operativi memorizzati nell'ORVA Box\n devono essere cancellati prima del "
             "Teach-In"),
    /* 1 */
    ("Regolare la distanza del sensore giallo (YE) con gli spessori\nfinché la sua ampiezza è "
     "compresa tra 45% e 80%."),
    /* 2 */
    ("Regolare la distanza del sensore bianco (WH) con gli spessori\nfinché la sua ampiezza è "
     "compresa tra 45% e 80%."),
    /* 3 */
    ("\n\nSe non è possibile regolare la distanza del sensore entro il campo di ampiezza "
     "verde,\nle cause possono essere le seguenti: "),
    /* 4 */
    ("\n\n- Il connettore del sensore non è inserito correttamente. Ciò comporta un'ampiezza "
     "costantemente bassa.\n   Verificare che il sensore sia collegato all'ORVA Box. Un'altra "
     "causa può essere un cavo del sensore danneggiato."),
    /* 5 */
    ("\n\n- Sensore difettoso. Normalmente ciò è indicato da valori di ampiezza intorno al 100% o "
     "superiori con il sensore non montato.\n   In questo caso sostituire il sensore.\n   "
     "Attenzione: la testina del sensore non deve toccare la ralla …ciò può distruggere il "
     "sensore. Premere il sensore a mano non provoca danni."),
    /* 6 */
    ("\n\n- La quota di distanza 'A' (definisce la distanza del sensore dalla ralla albero, vedere "
     "le istruzioni di montaggio del cuscinetto) è troppo grande o troppo piccola.\n   Verificare "
     "che la quota 'A' corrisponda alle istruzioni di montaggio e che tutte le superfici di "
     "appoggio siano pulite e prive di bave."),
    /* 7 */
    ("\n\n- La differenza di altezza tra sensore e ralla albero è eccessiva (circa > 1mm rispetto "
     "al valore nominale)"),
    /* 8 */ "\n\n- Sensore montato capovolto. Rispettare il senso di montaggio dei sensori.",
    /* 9 */
    ("\n\nSe le variazioni di ampiezza durante la rotazione del cuscinetto sono così elevate\nda "
     "impedire il Teach-In del sistema, la causa può essere la seguente:\nRalla albero del "
     "cuscinetto non sufficientemente centrata. \n   Ciò si manifesta con ampiezze crescenti o "
     "decrescenti \n   dei sensori bianco e giallo.\n   "),
    /* 10 */
    ("La ralla albero del cuscinetto non è centrata correttamente. Ciò si manifesta con ampiezze "
     "crescenti\n   e decrescenti opposte tra loro nelle testine di misura bianca e gialla.\n   "
     "Possibili cause: una posizione eccentrica, una scelta dell'accoppiamento non conforme\n   "
     "alle specifiche del costruttore o viti di fissaggio del cuscinetto non allentate prima del "
     "montaggio.\n   Nota: l'eccentricità radiale della ralla albero non deve essere controllata "
     "con tastatori metallici (magnetismo residuo)\n   Utilizzare punte di tastatura in rubino o "
     "in plastica."),
    /* 11 */
    ("\n\n- Se si verificano salti di ampiezza, la codifica magnetica potrebbe essere danneggiata. "
     "In questo caso\n   registrare i segnali di misura in modalità diagnostica e inviarli a VELKA "
     "per la valutazione:\n\n   Si prega di contattare l'assistenza del costruttore della "
     "macchina."),
    /* 12 */
    ("Nota:\n\nL'ampiezza del segnale ha superato il campo ottimale (50...80%).\nVerificare se è "
     "possibile ottenere un'ampiezza migliore\naggiungendo/togliendo spessori.\nAmpiezze del "
     "segnale vicine ai limiti rossi possono causare malfunzionamenti/perdita di precisione\na "
     "seconda del carico del cuscinetto.\n\nSi desidera regolare nuovamente la distanza del "
     "sensore ?\n\nSì: torna alla regolazione del sensore.\nNo: ignora questi messaggi."),
    /* 13 */
    ("PASSO 3: Teach-In segnali incrementali.\n\nMuovere l'albero a <= 3 giri al minuto.\nIl "
     "movimento può essere eseguito a mano o tramite CNC."),
    /* 14 */
    ("PASSO 4: Teach-In segnale di riferimento.\n\nMuovere l'albero a <= 3 giri al minuto, per "
     "almeno 15 gradi.\nIl movimento può essere eseguito a mano o tramite CNC."),
    /* 15 */
    ("PASSO 5: Teach-In posizione assoluta.\n\nMuovere l'albero a <= 3 giri al minuto, per almeno "
     "30..60 gradi.\nIl movimento può essere eseguito a mano o tramite CNC."),
    /* 16 */ "Teach-In riuscito\n\nPremere il pulsante \"Avanti >\" per continuare",
    /* 17 */ "In attesa di risposta dall'ORVA Box...",
    /* 18 */ "ORVA Box collegata.",
    /* 19 */ "Attendere il reset dell'ORVA-Box...",
    /* 20 */ "Regolare nuovamente la distanza dei sensori\nper un'ampiezza del 45...80 percento !",
    /* 21 */ " ",
    /* 22 */ "ERRORE: Teach-In fallito !\nIl sistema di misura non è pronto. Ripetere il Teach-In.",
    /* 23 */ "Ampiezza del sensore troppo alta:\nAggiungere uno spessore",
    /* 24 */ "Ampiezza del sensore troppo bassa:\nTogliere almeno uno spessore",
    /* 25 */ "Ruotare l'albero...",
    /* 26 */
    ("Disturbi del segnale troppo elevati !\nControllare la schermatura dei cavi e la messa a "
     "terra dell'ORVA-Box."),
    /* 27 */ "Teach-In completato con successo",
    /* 28 */ "Teach-In fallito !\nRipetere il Teach-In.",
    /* 29 */ "Avanti >",
    /* 30 */ "Annulla\nTeach-In",
    /* 31 */ "Ripeti",
    /* 32 */ "< Indietro",
    /* 33 */ "La distanza del sensore deve essere regolata nuovamente:\n",
    /* 34 */
    ("Ralla albero non centrata ?\n\nL'ampiezza del sensore supera i limiti di ampiezza superiore "
     "e inferiore."),
    /* 35 */
    ("\n\nSensore giallo (YE): nel campo di posizionamento è stata rilevata un'ampiezza bassa "
     "inferiore al 30%,\ntogliere almeno uno spessore per ridurre la distanza tra sensore e "
     "scala."),
    /* 36 */
    ("\n\nSensore giallo (YE): nel campo di posizionamento è stata rilevata un'ampiezza alta "
     "superiore al 95%,\naggiungere uno spessore per aumentare la distanza tra sensore e scala."),
    /* 37 */
    ("\n\nSensore bianco (WH): nel campo di posizionamento è stata rilevata un'ampiezza bassa "
     "inferiore al 30%,\ntogliere almeno uno spessore per ridurre la distanza tra sensore e "
     "scala."),
    /* 38 */
    ("\n\nSensore bianco (WH): nel campo di posizionamento è stata rilevata un'ampiezza alta "
     "superiore al 95%,\naggiungere uno spessore per aumentare la distanza tra sensore e scala."),
    /* 39 */ "Teach-In fallito !\n\nPremere \"OK\" per uscire",
    /* 40 */
    ("!!! ERRORE !!!\nIl sistema di misura non è pronto per l'uso\nIl Teach-In deve essere "
     "ripetuto"),
    /* 41 */ "Teach-In riuscito\n\nPremere \"OK\" per uscire",
    /* 42 */
    ("Nota:\nORVA Box, elettronica di misura e testine di misura sono ora associate tra loro.\nOra "
     "un Teach-In è necessario solo se uno di questi componenti\ndeve essere sostituito."),
    /* 43 */ "Non è stato eseguito alcun Teach-In.\n\nConfermare questo messaggio premendo \"OK\"",
    /* 44 */
    ("Attenzione:\nL'associazione tra elettronica di misura e sensore NON è stata "
     "aggiornata.\nDopo la sostituzione di parti KAVO/ORVA\nè sempre necessario eseguire il "
     "Teach-In del sistema di misura."),
    /* 45 */ "Attendere… Ricerca interfaccia COM",
    /* 46 */ "TEACH-IN",
    /* 47 */ "Ridurre la distanza del sensore!",
    /* 48 */ "Togliere spessori",
    /* 49 */ "Aggiungere spessori",
    /* 50 */ "Distanza sensore ok.",
    /* 51 */ "Circa",
    /* 52 */ "giri/min",
    /* 53 */ "INFO",
    /* 54 */ "Box: ",
    /* 55 */ "Pos: ",
    /* 56 */ "Finestra Teach-In",
    /* 57 */
    ("L'ORVA Box è stata resettata per questo Teach-In.\nSe si annulla ora, il sistema di misura "
     "non è pronto per l'uso\nfinché non viene completato un Teach-In.\n\nAnnullare davvero il "
     "Teach-In?"),
    /* 58 */ "Ruotare più lentamente: meno di 3 giri/min",
};
const char* const kSpanish[kRows] = {
    /* 0 */ ("Los parámetros de funcionamiento guardados en la ORVA Box\n deben borrarse antes del "
             "Teach-In"),
    /* 1 */
    ("Ajuste la distancia del sensor amarillo (YE) con suplementos\nhasta que su amplitud esté "
     "entre 45% y 80%."),
    /* 2 */
    ("Ajuste la distancia del sensor blanco (WH) con suplementos\nhasta que su amplitud esté entre "
     "45% y 80%."),
    /* 3 */
    ("\n\nSi no es posible ajustar la distancia del sensor dentro del rango de amplitud verde,\nla "
     "causa puede ser: "),
    /* 4 */
    ("\n\n- El conector del sensor no está bien enchufado. Esto produce una amplitud baja "
     "constante.\n   Compruebe que el sensor esté conectado a la ORVA Box. Otra causa puede ser un "
     "cable del sensor dañado."),
    /* 5 */
    ("\n\n- Sensor defectuoso. Esto se indica normalmente por valores de amplitud de alrededor del "
     "100% o más con el sensor sin montar.\n   En este caso, sustituya el sensor.\n   Atención: el "
     "cabezal del sensor no debe tocar la arandela …esto puede destruir el sensor. Presionar el "
     "sensor a mano no causa daños."),
    /* 6 */
    ("\n\n- La cota de distancia 'A' (define la distancia del sensor a la arandela del eje, ver "
     "las instrucciones de montaje del rodamiento) es demasiado grande o demasiado pequeña.\n   "
     "Compruebe que la cota 'A' corresponde a las instrucciones de montaje y que todas las "
     "superficies de contacto están limpias y sin rebabas."),
    /* 7 */
    ("\n\n- La diferencia de altura entre el sensor y la arandela del eje es demasiado grande "
     "(aprox. > 1mm respecto al valor nominal)"),
    /* 8 */ "\n\n- Sensor montado al revés. Respete el sentido de montaje de los sensores.",
    /* 9 */
    ("\n\nSi las variaciones de amplitud durante la rotación del rodamiento son tan grandes\nque "
     "no se puede realizar el Teach-In del sistema, la causa puede ser la siguiente:\nArandela del "
     "eje del rodamiento no suficientemente centrada. \n   Esto se manifiesta en amplitudes "
     "crecientes o decrecientes \n   de los sensores blanco y amarillo.\n   "),
    /* 10 */
    ("La arandela del eje del rodamiento no está bien centrada. Esto se manifiesta en amplitudes "
     "crecientes\n   y decrecientes opuestas entre sí en los cabezales de medición blanco y "
     "amarillo.\n   Posibles causas: una posición descentrada, un ajuste que no corresponde\n   a "
     "las especificaciones del fabricante o tornillos de fijación del rodamiento no aflojados "
     "antes del montaje.\n   Nota: la excentricidad radial de la arandela del eje no debe "
     "comprobarse con palpadores metálicos (magnetismo residual)\n   Utilice puntas de palpador de "
     "rubí o de plástico."),
    /* 11 */
    ("\n\n- Si se producen saltos de amplitud, la codificación magnética puede estar dañada. En "
     "tal caso,\n   grabe las señales de medición en modo diagnóstico y envíelas a VELKA para su "
     "evaluación:\n\n   Póngase en contacto con el servicio técnico del fabricante de su "
     "máquina."),
    /* 12 */
    ("Nota:\n\nLa amplitud de la señal ha salido del rango óptimo (50...80%).\nCompruebe si es "
     "posible obtener una amplitud mejor\nañadiendo/quitando suplementos.\nAmplitudes de señal "
     "cercanas a los límites rojos pueden provocar fallos/pérdida de precisión\nsegún la carga del "
     "rodamiento.\n\n¿Desea reajustar la distancia del sensor ?\n\nSí: volver al ajuste del "
     "sensor.\nNo: ignorar estos mensajes."),
    /* 13 */
    ("PASO 3: Teach-In de las señales incrementales.\n\nMueva el eje a <= 3 revoluciones por "
     "minuto.\nEl movimiento puede realizarse a mano o por CNC."),
    /* 14 */
    ("PASO 4: Teach-In de la señal de referencia.\n\nMueva el eje a <= 3 revoluciones por minuto, "
     "al menos 15 grados.\nEl movimiento puede realizarse a mano o por CNC."),
    /* 15 */
    ("PASO 5: Teach-In de la posición absoluta.\n\nMueva el eje a <= 3 revoluciones por minuto, al "
     "menos 30..60 grados.\nEl movimiento puede realizarse a mano o por CNC."),
    /* 16 */ "Teach-In realizado con éxito\n\nPulse el botón \"Siguiente >\" para continuar",
    /* 17 */ "Esperando respuesta de la ORVA Box...",
    /* 18 */ "ORVA Box conectada.",
    /* 19 */ "Espere hasta que la ORVA-Box se reinicie...",
    /* 20 */ "Reajuste la distancia de los sensores\na una amplitud del 45...80 por ciento !",
    /* 21 */ " ",
    /* 22 */
    "ERROR: Teach-In fallido !\nEl sistema de medición no está listo. Reinicie el Teach-In.",
    /* 23 */ "Amplitud del sensor demasiado alta:\nAñada un suplemento adicional",
    /* 24 */ "Amplitud del sensor demasiado baja:\nQuite al menos un suplemento",
    /* 25 */ "Gire el eje...",
    /* 26 */
    ("Interferencias de señal demasiado altas !\nCompruebe el apantallamiento de los cables y la "
     "puesta a tierra de la ORVA-Box."),
    /* 27 */ "Teach-In finalizado con éxito",
    /* 28 */ "Teach-In fallido !\nReinicie el Teach-In.",
    /* 29 */ "Siguiente >",
    /* 30 */ "Cancelar\nTeach-In",
    /* 31 */ "Repetir",
    /* 32 */ "< Atrás",
    /* 33 */ "Es necesario reajustar la distancia del sensor:\n",
    /* 34 */
    ("¿Arandela del eje no centrada ?\n\nLa amplitud del sensor sobrepasa los límites de amplitud "
     "superior e inferior."),
    /* 35 */
    ("\n\nSensor amarillo (YE): se ha detectado una amplitud baja inferior al 30% en el rango de "
     "posicionamiento,\nquite al menos un suplemento para reducir la distancia entre el sensor y "
     "la escala."),
    /* 36 */
    ("\n\nSensor amarillo (YE): se ha detectado una amplitud alta superior al 95% en el rango de "
     "posicionamiento,\nañada un suplemento para aumentar la distancia entre el sensor y la "
     "escala."),
    /* 37 */
    ("\n\nSensor blanco (WH): se ha detectado una amplitud baja inferior al 30% en el rango de "
     "posicionamiento,\nquite al menos un suplemento para reducir la distancia entre el sensor y "
     "la escala."),
    /* 38 */
    ("\n\nSensor blanco (WH): se ha detectado una amplitud alta superior al 95% en el rango de "
     "posicionamiento,\nañada un suplemento para aumentar la distancia entre el sensor y la "
     "escala."),
    /* 39 */ "Teach-In fallido !\n\nPulse \"OK\" para salir",
    /* 40 */
    ("!!! ERROR !!!\nEl sistema de medición no está listo para el uso\nEs necesario repetir el "
     "Teach-In"),
    /* 41 */ "Teach-In realizado con éxito\n\nPulse \"OK\" para salir",
    /* 42 */
    ("Tenga en cuenta:\nORVA Box, electrónica de medición y cabezales de medición están ahora "
     "asignados entre sí.\nAhora solo es necesario un Teach-In si alguno de estos "
     "componentes\ntiene que sustituirse."),
    /* 43 */ "No se ha realizado ningún Teach-In.\n\nConfirme este mensaje pulsando \"OK\"",
    /* 44 */
    ("Atención:\nLa asignación entre electrónica de medición y sensor NO se ha actualizado.\nTras "
     "sustituir piezas KAVO/ORVA\nsiempre es necesario realizar el Teach-In del sistema de "
     "medición."),
    /* 45 */ "Espere… Buscando interfaz COM",
    /* 46 */ "TEACH-IN",
    /* 47 */ "Reduzca la distancia del sensor!",
    /* 48 */ "Quitar suplementos",
    /* 49 */ "Añadir suplementos",
    /* 50 */ "Distancia del sensor ok.",
    /* 51 */ "Aprox.",
    /* 52 */ "rpm",
    /* 53 */ "INFO",
    /* 54 */ "Box: ",
    /* 55 */ "Pos: ",
    /* 56 */ "Diálogo Teach-In",
    /* 57 */
    ("La ORVA Box se ha reiniciado para este Teach-In.\nSi cancela ahora, el sistema de medición "
     "no "
     "está listo para el uso\nhasta que se complete un Teach-In.\n\n¿Desea realmente cancelar el "
     "Teach-In?"),
    /* 58 */ "Girar más despacio: menos de 3 rpm",
};

} // namespace

const TextTableData teachInTexts = {kRows, {kEnglish, kGerman, kFrench, kItalian, kSpanish}};
