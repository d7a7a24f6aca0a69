<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AtletiekNuSettingsWidget</name>
    <message>
        <source>competition code:</source>
        <translation>code de la compétition :</translation>
    </message>
    <message>
        <source>server time offset:</source>
        <translation>décalage horaire du serveur :</translation>
    </message>
    <message>
        <source>Measure the server time offset again</source>
        <translation>Mesurer à nouveau le décalage horaire du serveur</translation>
    </message>
    <message>
        <source>The results could not be uploaded to AtletiekNu: %1</source>
        <translation>Les résultats n&apos;ont pas pu être envoyés à AtletiekNu : %1</translation>
    </message>
</context>
<context>
    <name>BurgerMenu</name>
    <message>
        <source>Schedule</source>
        <translation>Horaire</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Appareils</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Standalone</source>
        <translation>Autonome</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Infos</translation>
    </message>
</context>
<context>
    <name>DevicesDialog</name>
    <message>
        <source>Devices</source>
        <translation>Appareils</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Discus Throw</source>
        <translation>Lancer du disque</translation>
    </message>
    <message>
        <source>Pole Vault</source>
        <translation>Saut à la perche</translation>
    </message>
    <message>
        <source>Long or Triple Jump</source>
        <translation>Saut en longueur ou triple saut</translation>
    </message>
    <message>
        <source>Javelin Throw</source>
        <translation>Lancer du javelot</translation>
    </message>
    <message>
        <source>Shot Put</source>
        <translation>Lancer du poids</translation>
    </message>
    <message>
        <source>Hammer Throw</source>
        <translation>Lancer du marteau</translation>
    </message>
    <message>
        <source>No event chosen</source>
        <translation>Aucune épreuve choisie</translation>
    </message>
    <message>
        <source>Distance %1 m, horizontal angle %2°, vertical angle %3°, horizontal distance %4 m</source>
        <translation>Distance %1 m, angle horizontal %2°, angle vertical %3°, distance horizontale %4 m</translation>
    </message>
    <message>
        <source>Port already used</source>
        <translation>Port déjà utilisé</translation>
    </message>
    <message>
        <source>The port is already in use by another device.</source>
        <translation>Le port est déjà utilisé par un autre appareil.</translation>
    </message>
    <message>
        <source>Send text to scoreboard</source>
        <translation>Envoyer du texte au tableau d&apos;affichage</translation>
    </message>
    <message>
        <source>Fill in some text to send to the scoreboard</source>
        <translation>Saisissez le texte à envoyer au tableau d&apos;affichage</translation>
    </message>
    <message>
        <source>Brightness %1/%2</source>
        <translation>Luminosité %1/%2</translation>
    </message>
    <message>
        <source>Result: N/A</source>
        <translation>Résultat : N/D</translation>
    </message>
    <message>
        <source>Result: %1 m/s</source>
        <translation>Résultat : %1 m/s</translation>
    </message>
    <message>
        <source>not measured</source>
        <translation>non mesuré</translation>
    </message>
    <message>
        <source>Board %1, point %2: %3</source>
        <translation>Planche %1, point %2 : %3</translation>
    </message>
    <message>
        <source>Reference: %1</source>
        <translation>Référence : %1</translation>
    </message>
    <message>
        <source>Delta: %1 m</source>
        <translation>Delta : %1 m</translation>
    </message>
    <message>
        <source>Scoreboard</source>
        <translation>Tableau d&apos;affichage</translation>
    </message>
    <message>
        <source>Videoscoreboard</source>
        <translation>Écran vidéo</translation>
    </message>
    <message>
        <source>Windspeed</source>
        <translation>Vitesse du vent</translation>
    </message>
    <message>
        <source>EDM</source>
        <translation>EDM</translation>
    </message>
    <message>
        <source>Countdown</source>
        <translation>Compte à rebours</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Scoreboard type:</source>
        <translation>Type de tableau :</translation>
    </message>
    <message>
        <source>Scoreboard layout:</source>
        <translation>Mise en page du tableau :</translation>
    </message>
    <message>
        <source>Clear scoreboard after a result</source>
        <translation>Effacer le tableau après un résultat</translation>
    </message>
    <message>
        <source>Timeout:</source>
        <translation>Délai :</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Adjust the brightness of the scoreboard</source>
        <translation>Régler la luminosité du tableau</translation>
    </message>
    <message>
        <source>Send demo participants data of a horizontal field event</source>
        <translation>Envoyer des participants de démonstration d&apos;un concours horizontal</translation>
    </message>
    <message>
        <source>Send demo results data of a horizontal field event</source>
        <translation>Envoyer des résultats de démonstration d&apos;un concours horizontal</translation>
    </message>
    <message>
        <source>Send demo participants data of a vertical field event</source>
        <translation>Envoyer des participants de démonstration d&apos;un concours vertical</translation>
    </message>
    <message>
        <source>Send demo results data of a vertical field event</source>
        <translation>Envoyer des résultats de démonstration d&apos;un concours vertical</translation>
    </message>
    <message>
        <source>Clear the scoreboard</source>
        <translation>Effacer le tableau</translation>
    </message>
    <message>
        <source>Send text data</source>
        <translation>Envoyer du texte</translation>
    </message>
    <message>
        <source>Clear the video scoreboard</source>
        <translation>Effacer l&apos;écran vidéo</translation>
    </message>
    <message>
        <source>Start a windspeed test measurement</source>
        <translation>Lancer une mesure d&apos;essai du vent</translation>
    </message>
    <message>
        <source>Serial settings</source>
        <translation>Paramètres série</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>Débit en bauds</translation>
    </message>
    <message>
        <source>Databits</source>
        <translation>Bits de données</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parité</translation>
    </message>
    <message>
        <source>Stopbits</source>
        <translation>Bits d&apos;arrêt</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Paire</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Impaire</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>Marque</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>EDM type:</source>
        <translation>Type d&apos;EDM :</translation>
    </message>
    <message>
        <source>Take-off boards:</source>
        <translation>Planches d&apos;appel :</translation>
    </message>
    <message>
        <source>Board 1</source>
        <translation>Planche 1</translation>
    </message>
    <message>
        <source>Board 2</source>
        <translation>Planche 2</translation>
    </message>
    <message>
        <source>Change the event type</source>
        <translation>Changer le type d&apos;épreuve</translation>
    </message>
    <message>
        <source>Measure the first reference point</source>
        <translation>Mesurer le premier point de référence</translation>
    </message>
    <message>
        <source>Measure the second reference point</source>
        <translation>Mesurer le second point de référence</translation>
    </message>
    <message>
        <source>Take a test measurement</source>
        <translation>Faire une mesure d&apos;essai</translation>
    </message>
    <message>
        <source>Test the device</source>
        <translation>Tester l&apos;appareil</translation>
    </message>
    <message>
        <source>Test measurements:</source>
        <translation>Mesures d&apos;essai :</translation>
    </message>
    <message>
        <source>Countdown layout:</source>
        <translation>Mise en page du compte à rebours :</translation>
    </message>
    <message>
        <source>Start countdown clock immediately after CALL</source>
        <translation>Démarrer le compte à rebours dès l&apos;APPEL</translation>
    </message>
    <message>
        <source>Adjust the minutes</source>
        <translation>Régler les minutes</translation>
    </message>
    <message>
        <source>Adjust the tens of a second</source>
        <translation>Régler les dizaines de secondes</translation>
    </message>
    <message>
        <source>Adjust the seconds</source>
        <translation>Régler les secondes</translation>
    </message>
    <message>
        <source>Send a value to the countdown clock</source>
        <translation>Envoyer une valeur au compte à rebours</translation>
    </message>
    <message>
        <source>Adjust the brightness of the countdown clock</source>
        <translation>Régler la luminosité du compte à rebours</translation>
    </message>
</context>
<context>
    <name>DisqualificationRulesModel</name>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Règle</translation>
    </message>
</context>
<context>
    <name>EDMDialogs</name>
    <message>
        <source>Waiting for laser distance measurement...</source>
        <translation>En attente de la mesure de distance laser...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Test measurements</source>
        <translation>Mesures de contrôle</translation>
    </message>
    <message>
        <source>What distance did you measure using a tape measure starting from the circle (m)?</source>
        <translation>Quelle distance avez-vous mesurée au ruban à partir du cercle (m) ?</translation>
    </message>
    <message>
        <source>Measurement of height of the crossbar</source>
        <translation>Mesure de la hauteur de la barre</translation>
    </message>
    <message>
        <source>What height have you measured to the center of the crossbar (m)?</source>
        <translation>Quelle hauteur avez-vous mesurée jusqu&apos;au centre de la barre (m) ?</translation>
    </message>
    <message>
        <source>What distance did you measure using a tape measure starting from the take off board(m)?</source>
        <translation>Quelle distance avez-vous mesurée au ruban à partir de la planche d&apos;appel (m) ?</translation>
    </message>
    <message>
        <source>Height of the crossbar (m)</source>
        <translation>Hauteur de la barre (m)</translation>
    </message>
    <message>
        <source>What is the reference height of the crossbar (m), accurate to 1 mm? Note: you need to measure the center of the cross bar (or 15 mm above the bottom of the cross bar)</source>
        <translation>Quelle est la hauteur de référence de la barre (m), au millimètre près ? Remarque : mesurez le centre de la barre (ou 15 mm au-dessus du bas de la barre)</translation>
    </message>
    <message>
        <source>Missing references</source>
        <translation>Références manquantes</translation>
    </message>
    <message>
        <source>There are no reference measurements set for this event. First set the reference measurements before you can make a test measurement.</source>
        <translation>Aucune mesure de référence n&apos;est définie pour cette épreuve. Définissez d&apos;abord les mesures de référence avant de pouvoir faire une mesure de contrôle.</translation>
    </message>
    <message>
        <source>No distance can be computed from this reading: the point lies on a reference point, or two reference points lie on each other. Take the measurement again.</source>
        <translation>Aucune distance ne peut être calculée à partir de cette mesure : le point se trouve sur un point de référence, ou deux points de référence se confondent. Mesurez à nouveau.</translation>
    </message>
    <message>
        <source>The measured distance %1 m cannot be a mark. Take the measurement again.</source>
        <translation>La distance mesurée de %1 m ne peut pas être une performance. Mesurez à nouveau.</translation>
    </message>
    <message>
        <source>Measure again</source>
        <translation>Mesurer à nouveau</translation>
    </message>
</context>
<context>
    <name>EDMPerformanceWidget</name>
    <message>
        <source>Set attempt to fail</source>
        <translation>Marquer l&apos;essai comme manqué</translation>
    </message>
    <message>
        <source>Set attempt to pass</source>
        <translation>Marquer l&apos;essai comme réussi</translation>
    </message>
    <message>
        <source>Set attempt to skip</source>
        <translation>Passer l&apos;essai</translation>
    </message>
    <message>
        <source>Set attempt to retired</source>
        <translation>Déclarer l&apos;abandon pour l&apos;essai</translation>
    </message>
    <message>
        <source>Set attempt to no result</source>
        <translation>Essai sans résultat</translation>
    </message>
    <message>
        <source>Resend the result to the scoreboard</source>
        <translation>Renvoyer le résultat au tableau d&apos;affichage</translation>
    </message>
    <message>
        <source>Request an EDM measurement</source>
        <translation>Demander une mesure au télémètre (EDM)</translation>
    </message>
    <message>
        <source>Start a wind measurement</source>
        <translation>Lancer une mesure du vent</translation>
    </message>
    <message>
        <source>Activate the countdown clock</source>
        <translation>Démarrer le compte à rebours</translation>
    </message>
    <message>
        <source>Take-off board:</source>
        <translation>Planche d&apos;appel :</translation>
    </message>
    <message>
        <source>Select take-off board 1 as the reference for the attempt.</source>
        <translation>Choisir la planche d&apos;appel 1 comme référence pour l&apos;essai.</translation>
    </message>
    <message>
        <source>Select take-off board 2 as the reference for the attempt.</source>
        <translation>Choisir la planche d&apos;appel 2 comme référence pour l&apos;essai.</translation>
    </message>
    <message>
        <source>Third party results output</source>
        <translation>Sortie des résultats vers d&apos;autres systèmes</translation>
    </message>
    <message>
        <source>Serial:</source>
        <translation>Série :</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>UDP output</source>
        <translation>Sortie UDP</translation>
    </message>
    <message>
        <source>Send results over UDP</source>
        <translation>Envoyer les résultats par UDP</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Incomplete address: results still go to %1, port %2.</source>
        <translation>Adresse incomplète : les résultats vont toujours à %1, port %2.</translation>
    </message>
    <message>
        <source>Recalculate result</source>
        <translation>Recalculer le résultat</translation>
    </message>
    <message>
        <source>Do you want to recalculate the result based on take-off board %1 as the reference?</source>
        <translation>Voulez-vous recalculer le résultat en prenant la planche d&apos;appel %1 comme référence ?</translation>
    </message>
</context>
<context>
    <name>FieldEventParticipantsModel</name>
    <message>
        <source>(r)</source>
        <translation>(r)</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Bib</source>
        <translation>Dossard</translation>
    </message>
    <message>
        <source>Start order</source>
        <translation>Ordre de passage</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>Rang</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Meilleure</translation>
    </message>
    <message>
        <source>Best performance</source>
        <translation>Meilleure performance</translation>
    </message>
    <message>
        <source>Attempt %1</source>
        <translation>Essai %1</translation>
    </message>
    <message>
        <source>Height %1</source>
        <translation>Hauteur %1</translation>
    </message>
</context>
<context>
    <name>FieldEventWidget</name>
    <message>
        <source>Field event</source>
        <translation>Concours</translation>
    </message>
    <message>
        <source>Search participant...</source>
        <translation>Rechercher un athlète...</translation>
    </message>
    <message>
        <source>Print the current ranking</source>
        <translation>Imprimer le classement actuel</translation>
    </message>
    <message>
        <source>Send ranking to scoreboard</source>
        <translation>Envoyer le classement au tableau d&apos;affichage</translation>
    </message>
    <message>
        <source>Adjust the starting heights of each participant</source>
        <translation>Modifier la hauteur de départ de chaque athlète</translation>
    </message>
    <message>
        <source>Set a new starting height</source>
        <translation>Définir une nouvelle hauteur</translation>
    </message>
    <message>
        <source>Resort participants</source>
        <translation>Réordonner les athlètes</translation>
    </message>
    <message>
        <source>Call selected participant</source>
        <translation>Appeler l&apos;athlète sélectionné</translation>
    </message>
    <message>
        <source>Request an EDM measurement</source>
        <translation>Demander une mesure au télémètre (EDM)</translation>
    </message>
    <message>
        <source>Set attempt to fail</source>
        <translation>Marquer l&apos;essai comme manqué</translation>
    </message>
    <message>
        <source>Set attempt to skip</source>
        <translation>Passer l&apos;essai</translation>
    </message>
    <message>
        <source>Set attempt to pass</source>
        <translation>Marquer l&apos;essai comme réussi</translation>
    </message>
    <message>
        <source>Set participant to retired from competition</source>
        <translation>Déclarer l&apos;abandon de l&apos;athlète</translation>
    </message>
    <message>
        <source>Confirm the result</source>
        <translation>Valider le résultat</translation>
    </message>
    <message>
        <source>Request a wind measurement</source>
        <translation>Demander une mesure du vent</translation>
    </message>
    <message>
        <source>Call a participant</source>
        <translation>Appeler un athlète</translation>
    </message>
    <message>
        <source>Select take-off board 1 as the reference for the attempt.</source>
        <translation>Choisir la planche d&apos;appel 1 comme référence pour l&apos;essai.</translation>
    </message>
    <message>
        <source>Select take-off board 2 as the reference for the attempt.</source>
        <translation>Choisir la planche d&apos;appel 2 comme référence pour l&apos;essai.</translation>
    </message>
    <message>
        <source>Add %1 to result</source>
        <translation>Ajouter %1 au résultat</translation>
    </message>
    <message>
        <source>Event finished</source>
        <translation>Épreuve terminée</translation>
    </message>
    <message>
        <source>The event has ended</source>
        <translation>L&apos;épreuve est terminée</translation>
    </message>
    <message>
        <source>Start jumpoff</source>
        <translation>Commencer le barrage</translation>
    </message>
    <message>
        <source>Should we start a jumpoff competition to break the tie for the first place?</source>
        <translation>Faut-il lancer un barrage pour départager les ex æquo à la première place ?</translation>
    </message>
    <message>
        <source>Set participant to &apos;active in competition&apos;</source>
        <translation>Remettre l&apos;athlète en compétition</translation>
    </message>
    <message>
        <source>Set participant to &apos;retired from competition&apos;</source>
        <translation>Déclarer l&apos;abandon de l&apos;athlète</translation>
    </message>
    <message>
        <source>Remove height</source>
        <translation>Supprimer la hauteur</translation>
    </message>
    <message>
        <source>There are still results available for this height. First remove all results before you are able to remove the height</source>
        <translation>Il reste des résultats à cette hauteur. Supprimez d&apos;abord tous les résultats avant de pouvoir supprimer la hauteur.</translation>
    </message>
    <message>
        <source>Do you want to remove the height %1?</source>
        <translation>Voulez-vous supprimer la hauteur %1 ?</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>n/d</translation>
    </message>
    <message>
        <source>%1 m/s</source>
        <translation>%1 m/s</translation>
    </message>
    <message>
        <source>Do you want to recalculate the result based on take-off board %1 as the reference?</source>
        <translation>Voulez-vous recalculer le résultat en prenant la planche d&apos;appel %1 comme référence ?</translation>
    </message>
    <message>
        <source>At most three digits before the decimal point</source>
        <translation>Au plus trois chiffres avant la virgule</translation>
    </message>
    <message>
        <source>At most two decimals</source>
        <translation>Au plus deux décimales</translation>
    </message>
    <message>
        <source>The mark already has a decimal point</source>
        <translation>La marque a déjà une virgule</translation>
    </message>
    <message>
        <source>0 is no mark</source>
        <translation>0 n&apos;est pas une marque</translation>
    </message>
    <message>
        <source>At a height only 0 (cleared), X and - are entered</source>
        <translation>À une hauteur, seuls 0 (franchi), X et - sont saisis</translation>
    </message>
    <message>
        <source>The tries at this height are complete</source>
        <translation>Les essais à cette hauteur sont complets</translation>
    </message>
    <message>
        <source>Next: %1 · then %2</source>
        <translation>Suivant : %1 · puis %2</translation>
    </message>
    <message>
        <source>Next: %1</source>
        <translation>Suivant : %1</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Êtes-vous sûr ?</translation>
    </message>
    <message>
        <source>Are you sure? %1 m for %2 is more than anyone has reached in this event (above %3 m).</source>
        <translation>Êtes-vous sûr ? %1 m pour %2, c&apos;est plus que quiconque n&apos;a jamais réalisé dans cette épreuve (au-dessus de %3 m).</translation>
    </message>
    <message>
        <source>at %1 m</source>
        <translation>à %1 m</translation>
    </message>
    <message>
        <source>in attempt %1</source>
        <translation>à l&apos;essai %1</translation>
    </message>
    <message>
        <source>%1 already has %2 %3.
Remove it?</source>
        <translation>%1 a déjà %2 %3.
La supprimer ?</translation>
    </message>
    <message>
        <source>%1 already has %2 %3.
Replace it with %4?</source>
        <translation>%1 a déjà %2 %3.
La remplacer par %4 ?</translation>
    </message>
    <message>
        <source>Change a stored mark</source>
        <translation>Modifier une marque enregistrée</translation>
    </message>
    <message>
        <source>Are you sure? A bar at %1 m is more than anyone has cleared in this event (above %2 m).</source>
        <translation>Êtes-vous sûr ? Une barre à %1 m est plus haute que ce que quiconque a jamais franchi dans cette épreuve (au-dessus de %2 m).</translation>
    </message>
    <message>
        <source>Result sheet saved</source>
        <translation>Feuille de résultats enregistrée</translation>
    </message>
    <message>
        <source>No printer is available; the result sheet was saved as
%1</source>
        <translation>Aucune imprimante n&apos;est disponible ; la feuille de résultats a été enregistrée sous
%1</translation>
    </message>
    <message>
        <source>Result sheet not printed</source>
        <translation>Feuille de résultats non imprimée</translation>
    </message>
    <message>
        <source>The result sheet could not be printed.</source>
        <translation>La feuille de résultats n&apos;a pas pu être imprimée.</translation>
    </message>
    <message>
        <source>The result sheet could not be saved as
%1</source>
        <translation>La feuille de résultats n&apos;a pas pu être enregistrée sous
%1</translation>
    </message>
    <message>
        <source>Recalculate result</source>
        <translation>Recalculer le résultat</translation>
    </message>
</context>
<context>
    <name>FolderInfoDialog</name>
    <message>
        <source>Server connection</source>
        <translation>Connexion au serveur</translation>
    </message>
    <message>
        <source>Meetwise server</source>
        <translation>Serveur Meetwise</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>HeatWaitingBanner</name>
    <message>
        <source>This heat is not on this tablet yet; it loads as soon as the server answers</source>
        <translation>Cette série n&apos;est pas encore sur cette tablette ; elle se charge dès que le serveur répond</translation>
    </message>
</context>
<context>
    <name>LaneSelectionDialog</name>
    <message>
        <source>Lane selection</source>
        <translation>Choix du couloir</translation>
    </message>
    <message>
        <source>Other lane</source>
        <translation>Autre couloir</translation>
    </message>
    <message>
        <source>Enter lane number</source>
        <translation>Saisir le numéro de couloir</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Schedule</source>
        <translation>Horaire</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Appareils</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Standalone</source>
        <translation>Autonome</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Infos</translation>
    </message>
    <message>
        <source>Local database</source>
        <translation>Base de données locale</translation>
    </message>
    <message>
        <source>The local database cannot be opened, so results cannot be stored on this device. Do not use this device to enter results.

%1</source>
        <translation>La base de données locale ne peut pas être ouverte : les résultats ne peuvent donc pas être enregistrés sur cet appareil. N&apos;utilisez pas cet appareil pour saisir des résultats.

%1</translation>
    </message>
    <message>
        <source>Unposted results: %1</source>
        <translation>Résultats non transmis : %1</translation>
    </message>
    <message>
        <source>The last change could not be stored on this device, so it is not shown as entered. What was typed is still there: press Enter to try again, and write it down on the field card.</source>
        <translation>La dernière modification n&apos;a pas pu être enregistrée sur cet appareil ; elle n&apos;est donc pas affichée comme saisie. Ce qui a été tapé est toujours là : appuyez sur Entrée pour réessayer, et notez-le sur la feuille de concours.</translation>
    </message>
    <message>
        <source>The local database cannot be written, so results cannot be stored on this device. Do not use this device to enter results.

%1</source>
        <translation>La base de données locale ne peut pas être écrite ; les résultats ne peuvent donc pas être enregistrés sur cet appareil. N&apos;utilisez pas cet appareil pour saisir des résultats.

%1</translation>
    </message>
    <message>
        <source>The local database is damaged, so results cannot be stored in it. Results not yet posted to the server are only in that file; it is kept as it is. A new database can be started beside it. Until then, do not use this device to enter results.

%1</source>
        <translation>La base de données locale est endommagée ; les résultats ne peuvent donc pas y être enregistrés. Les résultats pas encore envoyés au serveur ne se trouvent que dans ce fichier ; il est conservé tel quel. Une nouvelle base de données peut être créée à côté. D&apos;ici là, n&apos;utilisez pas cet appareil pour saisir des résultats.

%1</translation>
    </message>
    <message>
        <source>Start a new database</source>
        <translation>Créer une nouvelle base de données</translation>
    </message>
    <message>
        <source>A new local database could not be started. Do not use this device to enter results.

%1</source>
        <translation>Aucune nouvelle base de données locale n&apos;a pu être créée. N&apos;utilisez pas cet appareil pour saisir des résultats.

%1</translation>
    </message>
    <message>
        <source>A new local database has been started. The damaged one is kept as %1.</source>
        <translation>Une nouvelle base de données locale a été créée. L&apos;ancienne, endommagée, est conservée sous %1.</translation>
    </message>
    <message>
        <source>The local database %1 was made by a newer version of Stadionix (database version %2; this version reads up to %3). It is left as it is, with everything in it. Use the newer version of Stadionix on this device; until then, do not use this device to enter results.</source>
        <translation>La base de données locale %1 a été créée par une version plus récente de Stadionix (version de base %2 ; cette version lit jusqu’à la %3). Elle est laissée telle quelle, avec tout son contenu. Utilisez la version plus récente de Stadionix sur cet appareil ; d’ici là, n’utilisez pas cet appareil pour saisir des résultats.</translation>
    </message>
    <message>
        <source>The file %1 is not a Stadionix database. It is left as it is. Move it elsewhere, so that a new database can be started there; until then, do not use this device to enter results.

%2</source>
        <translation>Le fichier %1 n’est pas une base de données Stadionix. Il est laissé tel quel. Déplacez-le ailleurs pour qu’une nouvelle base puisse être créée à sa place ; d’ici là, n’utilisez pas cet appareil pour saisir des résultats.

%2</translation>
    </message>
</context>
<context>
    <name>MeetwiseSettingsWidget</name>
    <message>
        <source>server</source>
        <translation>serveur</translation>
    </message>
    <message>
        <source>competition</source>
        <translation>compétition</translation>
    </message>
    <message>
        <source>sessions</source>
        <translation>sessions</translation>
    </message>
    <message>
        <source>days</source>
        <translation>jours</translation>
    </message>
    <message>
        <source>Server not listed? Type its address</source>
        <translation>Serveur absent de la liste ? Saisissez son adresse</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Utilisateur :</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>Looking for servers on the network...</source>
        <translation>Recherche de serveurs sur le réseau...</translation>
    </message>
    <message>
        <source>Servers cannot be looked for on this network. Type the server&apos;s address below.</source>
        <translation>Impossible de rechercher des serveurs sur ce réseau. Saisissez l&apos;adresse du serveur ci-dessous.</translation>
    </message>
    <message>
        <source>Asking %1 for its competitions...</source>
        <translation>Demande des compétitions à %1...</translation>
    </message>
    <message>
        <source>%1 did not answer: %2</source>
        <translation>%1 n&apos;a pas répondu : %2</translation>
    </message>
    <message>
        <source>%1 has no competitions.</source>
        <translation>%1 n&apos;a aucune compétition.</translation>
    </message>
</context>
<context>
    <name>NewHeightFieldVerticalDialog</name>
    <message>
        <source>New Height</source>
        <translation>Nouvelle hauteur</translation>
    </message>
    <message>
        <source>New height:</source>
        <translation>Nouvelle hauteur :</translation>
    </message>
    <message>
        <source>according height</source>
        <translation>hauteur normale</translation>
    </message>
    <message>
        <source>jumpoff</source>
        <translation>barrage</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>OutputDevice</name>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
</context>
<context>
    <name>ResortParticipationsDialog</name>
    <message>
        <source>Resort participants</source>
        <translation>Réordonner les athlètes</translation>
    </message>
    <message>
        <source>Are you sure you want to change the number of participants and possibly the order for the next attempts?</source>
        <translation>Voulez-vous vraiment modifier le nombre d&apos;athlètes et éventuellement l&apos;ordre de passage des prochains essais ?</translation>
    </message>
    <message>
        <source>What is the maximum rank of the participants who get the extra attempts? (insert 0 for all)</source>
        <translation>Jusqu&apos;à quel rang les athlètes ont-ils droit aux essais supplémentaires ? (saisir 0 pour tous)</translation>
    </message>
    <message>
        <source>Number of participants</source>
        <translation>Nombre d&apos;athlètes</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Sélectionner</translation>
    </message>
</context>
<context>
    <name>ResultFormatter</name>
    <message>
        <source>DNF</source>
        <translation>DNF</translation>
    </message>
    <message>
        <source>DNS</source>
        <translation>DNS</translation>
    </message>
    <message>
        <source>DQ</source>
        <translation>DQ</translation>
    </message>
    <message>
        <source>RUP</source>
        <translation>RUP</translation>
    </message>
    <message>
        <source>no reaction time</source>
        <translation>pas de temps de réaction</translation>
    </message>
    <message>
        <source>NR</source>
        <translation>NR</translation>
    </message>
</context>
<context>
    <name>ResultSelectionDialog</name>
    <message>
        <source>Result selection</source>
        <translation>Choix du résultat</translation>
    </message>
    <message>
        <source>NR</source>
        <translation>NR</translation>
    </message>
    <message>
        <source>DNS</source>
        <translation>DNS</translation>
    </message>
    <message>
        <source>DNF</source>
        <translation>DNF</translation>
    </message>
    <message>
        <source>DQ</source>
        <translation>DQ</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personnalisée</translation>
    </message>
    <message>
        <source>Custom rule...</source>
        <translation>Règle personnalisée...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>ResultSheet</name>
    <message>
        <source>(r)</source>
        <translation>(r)</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Meilleure</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>heat %1</source>
        <translation>série %1</translation>
    </message>
    <message>
        <source>Heights %1 to %2</source>
        <translation>Hauteurs %1 à %2</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>Rang</translation>
    </message>
    <message>
        <source>Bib</source>
        <translation>Dossard</translation>
    </message>
    <message>
        <source>Club</source>
        <translation>Club</translation>
    </message>
    <message>
        <source>Referee</source>
        <translation>Juge-arbitre</translation>
    </message>
    <message>
        <source>Judge</source>
        <translation>Juge</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>Imprimé le %1</translation>
    </message>
</context>
<context>
    <name>ScheduleTableWidget</name>
    <message>
        <source>Display track events</source>
        <translation>Afficher les courses</translation>
    </message>
    <message>
        <source>Display field events</source>
        <translation>Afficher les concours</translation>
    </message>
    <message>
        <source>Connect to remote database</source>
        <translation>Se connecter à la base de données distante</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Resync the events from the remote database&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Resynchroniser les épreuves depuis la base de données distante&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Search...</source>
        <translation>Rechercher...</translation>
    </message>
    <message>
        <source>Server connection</source>
        <translation>Connexion au serveur</translation>
    </message>
    <message>
        <source>The server settings could not be saved in %1.</source>
        <translation>Les paramètres du serveur n&apos;ont pas pu être enregistrés dans %1.</translation>
    </message>
</context>
<context>
    <name>Scoreboard</name>
    <message>
        <source>r</source>
        <translation>r</translation>
    </message>
</context>
<context>
    <name>SetStartingHeightsDialog</name>
    <message>
        <source>Set starting heights</source>
        <translation>Définir les hauteurs de départ</translation>
    </message>
    <message>
        <source>Default settings:</source>
        <translation>Réglages par défaut :</translation>
    </message>
    <message>
        <source>Starting height (m):</source>
        <translation>Hauteur de départ (m) :</translation>
    </message>
    <message>
        <source>Interval (m):</source>
        <translation>Montée de barre (m) :</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Langue :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TrackEventWidget</name>
    <message>
        <source>Go to the previous heat</source>
        <translation>Aller à la série précédente</translation>
    </message>
    <message>
        <source>Go to the next heat</source>
        <translation>Aller à la série suivante</translation>
    </message>
    <message>
        <source>Reset lanes to initial value</source>
        <translation>Rétablir les couloirs d&apos;origine</translation>
    </message>
    <message>
        <source>Load this heat again</source>
        <translation>Recharger cette série</translation>
    </message>
    <message>
        <source>Lane %1 is shared: %2 and %3</source>
        <translation>Le couloir %1 est partagé : %2 et %3</translation>
    </message>
</context>
<context>
    <name>TrackParticipantsModel</name>
    <message>
        <source>LocalID</source>
        <translation>ID local</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Lane</source>
        <translation>Couloir</translation>
    </message>
    <message>
        <source>Bib</source>
        <translation>Dossard</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Infos</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
</context>
<context>
    <name>UnconfirmedActionsDialog</name>
    <message>
        <source>Remove unprocessed actions</source>
        <translation>Supprimer les actions non traitées</translation>
    </message>
    <message>
        <source>Are you sure you want to remove unprocessed actions? This data is not yet posted and processed by the server.</source>
        <translation>Voulez-vous vraiment supprimer les actions non traitées ? Ces données n&apos;ont pas encore été transmises au serveur ni traitées par celui-ci.</translation>
    </message>
    <message>
        <source>Unposted results</source>
        <translation>Résultats non transmis</translation>
    </message>
    <message>
        <source>Remove all changes</source>
        <translation>Supprimer toutes les modifications</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>UnconfirmedActionsModel</name>
    <message>
        <source>insert</source>
        <translation>insertion</translation>
    </message>
    <message>
        <source>update</source>
        <translation>mise à jour</translation>
    </message>
    <message>
        <source>delete</source>
        <translation>suppression</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nom</translation>
    </message>
    <message>
        <source>bib</source>
        <translation>dossard</translation>
    </message>
    <message>
        <source>action</source>
        <translation>action</translation>
    </message>
    <message>
        <source>table</source>
        <translation>table</translation>
    </message>
    <message>
        <source>value</source>
        <translation>valeur</translation>
    </message>
    <message>
        <source>attempt</source>
        <translation>essai</translation>
    </message>
    <message>
        <source>height</source>
        <translation>hauteur</translation>
    </message>
    <message>
        <source>performed</source>
        <translation>effectué</translation>
    </message>
</context>
<context>
    <name>VideoScoreboard</name>
    <message>
        <source>r</source>
        <translation>r</translation>
    </message>
</context>
<context>
    <name>WindspeedInputDialog</name>
    <message>
        <source>Manual windspeed result</source>
        <translation>Saisie manuelle du vent</translation>
    </message>
    <message>
        <source>Fill in a windspeed result:</source>
        <translation>Saisissez la vitesse du vent :</translation>
    </message>
    <message>
        <source>value</source>
        <translation>valeur</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Type the wind, or Cancel when it was not measured</source>
        <translation>Saisissez le vent, ou Annuler s&apos;il n&apos;a pas été mesuré</translation>
    </message>
    <message>
        <source>Wind must lie between -8 and 8 m/s</source>
        <translation>Le vent doit être compris entre -8 et 8 m/s</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
</TS>
