<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
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
        <translation>Wettkampfcode:</translation>
    </message>
    <message>
        <source>server time offset:</source>
        <translation>Zeitversatz zum Server:</translation>
    </message>
    <message>
        <source>Measure the server time offset again</source>
        <translation>Den Zeitversatz zum Server neu messen</translation>
    </message>
    <message>
        <source>The results could not be uploaded to AtletiekNu: %1</source>
        <translation>Die Ergebnisse konnten nicht zu AtletiekNu hochgeladen werden: %1</translation>
    </message>
</context>
<context>
    <name>BurgerMenu</name>
    <message>
        <source>Schedule</source>
        <translation>Zeitplan</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Geräte</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Standalone</source>
        <translation>Eigenständig</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
</context>
<context>
    <name>DevicesDialog</name>
    <message>
        <source>Devices</source>
        <translation>Geräte</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Discus Throw</source>
        <translation>Diskuswurf</translation>
    </message>
    <message>
        <source>Pole Vault</source>
        <translation>Stabhochsprung</translation>
    </message>
    <message>
        <source>Long or Triple Jump</source>
        <translation>Weit- oder Dreisprung</translation>
    </message>
    <message>
        <source>Javelin Throw</source>
        <translation>Speerwurf</translation>
    </message>
    <message>
        <source>Shot Put</source>
        <translation>Kugelstoßen</translation>
    </message>
    <message>
        <source>Hammer Throw</source>
        <translation>Hammerwurf</translation>
    </message>
    <message>
        <source>No event chosen</source>
        <translation>Keine Disziplin gewählt</translation>
    </message>
    <message>
        <source>Distance %1 m, horizontal angle %2°, vertical angle %3°, horizontal distance %4 m</source>
        <translation>Entfernung %1 m, Horizontalwinkel %2°, Vertikalwinkel %3°, Horizontaldistanz %4 m</translation>
    </message>
    <message>
        <source>Port already used</source>
        <translation>Anschluss bereits belegt</translation>
    </message>
    <message>
        <source>The port is already in use by another device.</source>
        <translation>Der Anschluss wird bereits von einem anderen Gerät verwendet.</translation>
    </message>
    <message>
        <source>Send text to scoreboard</source>
        <translation>Text an die Anzeigetafel senden</translation>
    </message>
    <message>
        <source>Fill in some text to send to the scoreboard</source>
        <translation>Geben Sie einen Text für die Anzeigetafel ein</translation>
    </message>
    <message>
        <source>Brightness %1/%2</source>
        <translation>Helligkeit %1/%2</translation>
    </message>
    <message>
        <source>Result: N/A</source>
        <translation>Ergebnis: k. A.</translation>
    </message>
    <message>
        <source>Result: %1 m/s</source>
        <translation>Ergebnis: %1 m/s</translation>
    </message>
    <message>
        <source>not measured</source>
        <translation>nicht gemessen</translation>
    </message>
    <message>
        <source>Board %1, point %2: %3</source>
        <translation>Balken %1, Punkt %2: %3</translation>
    </message>
    <message>
        <source>Reference: %1</source>
        <translation>Referenz: %1</translation>
    </message>
    <message>
        <source>Delta: %1 m</source>
        <translation>Delta: %1 m</translation>
    </message>
    <message>
        <source>Scoreboard</source>
        <translation>Anzeigetafel</translation>
    </message>
    <message>
        <source>Videoscoreboard</source>
        <translation>Videowand</translation>
    </message>
    <message>
        <source>Windspeed</source>
        <translation>Windgeschwindigkeit</translation>
    </message>
    <message>
        <source>EDM</source>
        <translation>EDM</translation>
    </message>
    <message>
        <source>Countdown</source>
        <translation>Countdown</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Anschluss:</translation>
    </message>
    <message>
        <source>Scoreboard type:</source>
        <translation>Typ der Anzeigetafel:</translation>
    </message>
    <message>
        <source>Scoreboard layout:</source>
        <translation>Layout der Anzeigetafel:</translation>
    </message>
    <message>
        <source>Clear scoreboard after a result</source>
        <translation>Anzeigetafel nach einem Ergebnis löschen</translation>
    </message>
    <message>
        <source>Timeout:</source>
        <translation>Wartezeit:</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Adjust the brightness of the scoreboard</source>
        <translation>Helligkeit der Anzeigetafel einstellen</translation>
    </message>
    <message>
        <source>Send demo participants data of a horizontal field event</source>
        <translation>Demo-Teilnehmerdaten einer horizontalen Disziplin senden</translation>
    </message>
    <message>
        <source>Send demo results data of a horizontal field event</source>
        <translation>Demo-Ergebnisse einer horizontalen Disziplin senden</translation>
    </message>
    <message>
        <source>Send demo participants data of a vertical field event</source>
        <translation>Demo-Teilnehmerdaten einer vertikalen Disziplin senden</translation>
    </message>
    <message>
        <source>Send demo results data of a vertical field event</source>
        <translation>Demo-Ergebnisse einer vertikalen Disziplin senden</translation>
    </message>
    <message>
        <source>Clear the scoreboard</source>
        <translation>Anzeigetafel löschen</translation>
    </message>
    <message>
        <source>Send text data</source>
        <translation>Text senden</translation>
    </message>
    <message>
        <source>Clear the video scoreboard</source>
        <translation>Videowand löschen</translation>
    </message>
    <message>
        <source>Start a windspeed test measurement</source>
        <translation>Eine Testmessung der Windgeschwindigkeit starten</translation>
    </message>
    <message>
        <source>Serial settings</source>
        <translation>Serielle Einstellungen</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Databits</source>
        <translation>Datenbits</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parität</translation>
    </message>
    <message>
        <source>Stopbits</source>
        <translation>Stoppbits</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Gerade</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Ungerade</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>EDM type:</source>
        <translation>EDM-Typ:</translation>
    </message>
    <message>
        <source>Take-off boards:</source>
        <translation>Absprungbalken:</translation>
    </message>
    <message>
        <source>Board 1</source>
        <translation>Balken 1</translation>
    </message>
    <message>
        <source>Board 2</source>
        <translation>Balken 2</translation>
    </message>
    <message>
        <source>Change the event type</source>
        <translation>Disziplin wechseln</translation>
    </message>
    <message>
        <source>Measure the first reference point</source>
        <translation>Den ersten Referenzpunkt messen</translation>
    </message>
    <message>
        <source>Measure the second reference point</source>
        <translation>Den zweiten Referenzpunkt messen</translation>
    </message>
    <message>
        <source>Take a test measurement</source>
        <translation>Eine Testmessung vornehmen</translation>
    </message>
    <message>
        <source>Test the device</source>
        <translation>Das Gerät testen</translation>
    </message>
    <message>
        <source>Test measurements:</source>
        <translation>Testmessungen:</translation>
    </message>
    <message>
        <source>Countdown layout:</source>
        <translation>Layout des Countdowns:</translation>
    </message>
    <message>
        <source>Start countdown clock immediately after CALL</source>
        <translation>Countdown sofort nach AUFRUF starten</translation>
    </message>
    <message>
        <source>Adjust the minutes</source>
        <translation>Minuten einstellen</translation>
    </message>
    <message>
        <source>Adjust the tens of a second</source>
        <translation>Zehnersekunden einstellen</translation>
    </message>
    <message>
        <source>Adjust the seconds</source>
        <translation>Sekunden einstellen</translation>
    </message>
    <message>
        <source>Send a value to the countdown clock</source>
        <translation>Einen Wert an den Countdown senden</translation>
    </message>
    <message>
        <source>Adjust the brightness of the countdown clock</source>
        <translation>Helligkeit des Countdowns einstellen</translation>
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
        <translation>Typ</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Regel</translation>
    </message>
</context>
<context>
    <name>EDMDialogs</name>
    <message>
        <source>Waiting for laser distance measurement...</source>
        <translation>Warten auf die Laser-Entfernungsmessung...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Test measurements</source>
        <translation>Testmessungen</translation>
    </message>
    <message>
        <source>What distance did you measure using a tape measure starting from the circle (m)?</source>
        <translation>Welche Entfernung haben Sie mit dem Maßband vom Kreis aus gemessen (m)?</translation>
    </message>
    <message>
        <source>Measurement of height of the crossbar</source>
        <translation>Messung der Lattenhöhe</translation>
    </message>
    <message>
        <source>What height have you measured to the center of the crossbar (m)?</source>
        <translation>Welche Höhe haben Sie bis zur Mitte der Latte gemessen (m)?</translation>
    </message>
    <message>
        <source>What distance did you measure using a tape measure starting from the take off board(m)?</source>
        <translation>Welche Entfernung haben Sie mit dem Maßband vom Absprungbalken aus gemessen (m)?</translation>
    </message>
    <message>
        <source>Height of the crossbar (m)</source>
        <translation>Höhe der Latte (m)</translation>
    </message>
    <message>
        <source>What is the reference height of the crossbar (m), accurate to 1 mm? Note: you need to measure the center of the cross bar (or 15 mm above the bottom of the cross bar)</source>
        <translation>Wie hoch ist die Bezugshöhe der Latte (m), auf 1 mm genau? Hinweis: Messen Sie die Mitte der Latte (oder 15 mm über ihrer Unterkante)</translation>
    </message>
    <message>
        <source>Missing references</source>
        <translation>Bezugspunkte fehlen</translation>
    </message>
    <message>
        <source>There are no reference measurements set for this event. First set the reference measurements before you can make a test measurement.</source>
        <translation>Für diesen Wettbewerb sind keine Bezugsmessungen gesetzt. Setzen Sie zuerst die Bezugsmessungen, bevor Sie eine Testmessung machen können.</translation>
    </message>
    <message>
        <source>No distance can be computed from this reading: the point lies on a reference point, or two reference points lie on each other. Take the measurement again.</source>
        <translation>Aus dieser Messung lässt sich keine Entfernung berechnen: Der Punkt liegt auf einem Bezugspunkt, oder zwei Bezugspunkte liegen aufeinander. Messen Sie erneut.</translation>
    </message>
    <message>
        <source>The measured distance %1 m cannot be a mark. Take the measurement again.</source>
        <translation>Die gemessene Entfernung von %1 m kann keine Leistung sein. Messen Sie erneut.</translation>
    </message>
    <message>
        <source>Measure again</source>
        <translation>Erneut messen</translation>
    </message>
</context>
<context>
    <name>EDMPerformanceWidget</name>
    <message>
        <source>Set attempt to fail</source>
        <translation>Versuch als ungültig markieren</translation>
    </message>
    <message>
        <source>Set attempt to pass</source>
        <translation>Versuch als gültig markieren</translation>
    </message>
    <message>
        <source>Set attempt to skip</source>
        <translation>Versuch auslassen (verzichtet)</translation>
    </message>
    <message>
        <source>Set attempt to retired</source>
        <translation>Versuch auf aufgegeben setzen</translation>
    </message>
    <message>
        <source>Set attempt to no result</source>
        <translation>Versuch ohne Ergebnis</translation>
    </message>
    <message>
        <source>Resend the result to the scoreboard</source>
        <translation>Das Ergebnis erneut an die Anzeigetafel senden</translation>
    </message>
    <message>
        <source>Request an EDM measurement</source>
        <translation>EDM-Messung anfordern</translation>
    </message>
    <message>
        <source>Start a wind measurement</source>
        <translation>Windmessung starten</translation>
    </message>
    <message>
        <source>Activate the countdown clock</source>
        <translation>Den Countdown starten</translation>
    </message>
    <message>
        <source>Take-off board:</source>
        <translation>Absprungbalken:</translation>
    </message>
    <message>
        <source>Select take-off board 1 as the reference for the attempt.</source>
        <translation>Absprungbalken 1 als Bezug für den Versuch wählen.</translation>
    </message>
    <message>
        <source>Select take-off board 2 as the reference for the attempt.</source>
        <translation>Absprungbalken 2 als Bezug für den Versuch wählen.</translation>
    </message>
    <message>
        <source>Third party results output</source>
        <translation>Ergebnisausgabe für andere Systeme</translation>
    </message>
    <message>
        <source>Serial:</source>
        <translation>Seriell:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keiner</translation>
    </message>
    <message>
        <source>UDP output</source>
        <translation>UDP-Ausgabe</translation>
    </message>
    <message>
        <source>Send results over UDP</source>
        <translation>Ergebnisse über UDP senden</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Incomplete address: results still go to %1, port %2.</source>
        <translation>Unvollständige Adresse: Die Ergebnisse gehen weiter an %1, Port %2.</translation>
    </message>
    <message>
        <source>Recalculate result</source>
        <translation>Ergebnis neu berechnen</translation>
    </message>
    <message>
        <source>Do you want to recalculate the result based on take-off board %1 as the reference?</source>
        <translation>Möchten Sie das Ergebnis mit Absprungbalken %1 als Bezug neu berechnen?</translation>
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
        <translation>Name</translation>
    </message>
    <message>
        <source>Bib</source>
        <translation>Startnummer</translation>
    </message>
    <message>
        <source>Start order</source>
        <translation>Startreihenfolge</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Bestleistung</translation>
    </message>
    <message>
        <source>Best performance</source>
        <translation>Bestleistung</translation>
    </message>
    <message>
        <source>Attempt %1</source>
        <translation>Versuch %1</translation>
    </message>
    <message>
        <source>Height %1</source>
        <translation>Höhe %1</translation>
    </message>
</context>
<context>
    <name>FieldEventWidget</name>
    <message>
        <source>Field event</source>
        <translation>Technische Disziplin</translation>
    </message>
    <message>
        <source>Search participant...</source>
        <translation>Teilnehmer suchen...</translation>
    </message>
    <message>
        <source>Print the current ranking</source>
        <translation>Aktuelle Rangliste drucken</translation>
    </message>
    <message>
        <source>Send ranking to scoreboard</source>
        <translation>Rangliste an die Anzeigetafel senden</translation>
    </message>
    <message>
        <source>Adjust the starting heights of each participant</source>
        <translation>Anfangshöhe jedes Teilnehmers anpassen</translation>
    </message>
    <message>
        <source>Set a new starting height</source>
        <translation>Neue Höhe festlegen</translation>
    </message>
    <message>
        <source>Resort participants</source>
        <translation>Teilnehmer neu ordnen</translation>
    </message>
    <message>
        <source>Call selected participant</source>
        <translation>Ausgewählten Teilnehmer aufrufen</translation>
    </message>
    <message>
        <source>Request an EDM measurement</source>
        <translation>EDM-Messung anfordern</translation>
    </message>
    <message>
        <source>Set attempt to fail</source>
        <translation>Versuch als ungültig markieren</translation>
    </message>
    <message>
        <source>Set attempt to skip</source>
        <translation>Versuch auslassen (verzichtet)</translation>
    </message>
    <message>
        <source>Set attempt to pass</source>
        <translation>Versuch als gültig markieren</translation>
    </message>
    <message>
        <source>Set participant to retired from competition</source>
        <translation>Teilnehmer als aufgegeben markieren</translation>
    </message>
    <message>
        <source>Confirm the result</source>
        <translation>Ergebnis bestätigen</translation>
    </message>
    <message>
        <source>Request a wind measurement</source>
        <translation>Windmessung anfordern</translation>
    </message>
    <message>
        <source>Call a participant</source>
        <translation>Einen Teilnehmer aufrufen</translation>
    </message>
    <message>
        <source>Select take-off board 1 as the reference for the attempt.</source>
        <translation>Absprungbalken 1 als Bezug für den Versuch wählen.</translation>
    </message>
    <message>
        <source>Select take-off board 2 as the reference for the attempt.</source>
        <translation>Absprungbalken 2 als Bezug für den Versuch wählen.</translation>
    </message>
    <message>
        <source>Add %1 to result</source>
        <translation>%1 zum Ergebnis hinzufügen</translation>
    </message>
    <message>
        <source>Event finished</source>
        <translation>Wettbewerb beendet</translation>
    </message>
    <message>
        <source>The event has ended</source>
        <translation>Der Wettbewerb ist beendet</translation>
    </message>
    <message>
        <source>Start jumpoff</source>
        <translation>Stechen beginnen</translation>
    </message>
    <message>
        <source>Should we start a jumpoff competition to break the tie for the first place?</source>
        <translation>Soll ein Stechen ausgetragen werden, um den Gleichstand um den ersten Platz aufzulösen?</translation>
    </message>
    <message>
        <source>Set participant to &apos;active in competition&apos;</source>
        <translation>Teilnehmer auf „im Wettbewerb“ setzen</translation>
    </message>
    <message>
        <source>Set participant to &apos;retired from competition&apos;</source>
        <translation>Teilnehmer auf „aufgegeben“ setzen</translation>
    </message>
    <message>
        <source>Remove height</source>
        <translation>Höhe entfernen</translation>
    </message>
    <message>
        <source>There are still results available for this height. First remove all results before you are able to remove the height</source>
        <translation>Für diese Höhe liegen noch Ergebnisse vor. Entfernen Sie zuerst alle Ergebnisse, bevor Sie die Höhe entfernen können.</translation>
    </message>
    <message>
        <source>Do you want to remove the height %1?</source>
        <translation>Möchten Sie die Höhe %1 entfernen?</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>k. A.</translation>
    </message>
    <message>
        <source>%1 m/s</source>
        <translation>%1 m/s</translation>
    </message>
    <message>
        <source>Do you want to recalculate the result based on take-off board %1 as the reference?</source>
        <translation>Möchten Sie das Ergebnis mit Absprungbalken %1 als Bezug neu berechnen?</translation>
    </message>
    <message>
        <source>At most three digits before the decimal point</source>
        <translation>Höchstens drei Ziffern vor dem Komma</translation>
    </message>
    <message>
        <source>At most two decimals</source>
        <translation>Höchstens zwei Nachkommastellen</translation>
    </message>
    <message>
        <source>The mark already has a decimal point</source>
        <translation>Die Leistung hat schon ein Komma</translation>
    </message>
    <message>
        <source>0 is no mark</source>
        <translation>0 ist keine Leistung</translation>
    </message>
    <message>
        <source>At a height only 0 (cleared), X and - are entered</source>
        <translation>Bei einer Höhe werden nur 0 (übersprungen), X und - eingegeben</translation>
    </message>
    <message>
        <source>The tries at this height are complete</source>
        <translation>Die Versuche in dieser Höhe sind vollständig</translation>
    </message>
    <message>
        <source>Next: %1 · then %2</source>
        <translation>Als Nächstes: %1 · danach %2</translation>
    </message>
    <message>
        <source>Next: %1</source>
        <translation>Als Nächstes: %1</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
    <message>
        <source>Are you sure? %1 m for %2 is more than anyone has reached in this event (above %3 m).</source>
        <translation>Sind Sie sicher? %1 m für %2 ist mehr, als je jemand in dieser Disziplin erreicht hat (über %3 m).</translation>
    </message>
    <message>
        <source>at %1 m</source>
        <translation>bei %1 m</translation>
    </message>
    <message>
        <source>in attempt %1</source>
        <translation>im %1. Versuch</translation>
    </message>
    <message>
        <source>%1 already has %2 %3.
Remove it?</source>
        <translation>%1 hat schon %2 %3.
Entfernen?</translation>
    </message>
    <message>
        <source>%1 already has %2 %3.
Replace it with %4?</source>
        <translation>%1 hat schon %2 %3.
Durch %4 ersetzen?</translation>
    </message>
    <message>
        <source>Change a stored mark</source>
        <translation>Gespeicherte Leistung ändern</translation>
    </message>
    <message>
        <source>Are you sure? A bar at %1 m is more than anyone has cleared in this event (above %2 m).</source>
        <translation>Sind Sie sicher? Eine Latte bei %1 m ist höher, als je jemand in dieser Disziplin übersprungen hat (über %2 m).</translation>
    </message>
    <message>
        <source>Result sheet saved</source>
        <translation>Ergebnisblatt gespeichert</translation>
    </message>
    <message>
        <source>No printer is available; the result sheet was saved as
%1</source>
        <translation>Kein Drucker verfügbar; das Ergebnisblatt wurde gespeichert als
%1</translation>
    </message>
    <message>
        <source>Result sheet not printed</source>
        <translation>Ergebnisblatt nicht gedruckt</translation>
    </message>
    <message>
        <source>The result sheet could not be printed.</source>
        <translation>Das Ergebnisblatt konnte nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>The result sheet could not be saved as
%1</source>
        <translation>Das Ergebnisblatt konnte nicht gespeichert werden als
%1</translation>
    </message>
    <message>
        <source>Recalculate result</source>
        <translation>Ergebnis neu berechnen</translation>
    </message>
</context>
<context>
    <name>FolderInfoDialog</name>
    <message>
        <source>Server connection</source>
        <translation>Serververbindung</translation>
    </message>
    <message>
        <source>Meetwise server</source>
        <translation>Meetwise-Server</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>HeatWaitingBanner</name>
    <message>
        <source>This heat is not on this tablet yet; it loads as soon as the server answers</source>
        <translation>Dieser Lauf ist noch nicht auf diesem Tablet; er wird geladen, sobald der Server antwortet</translation>
    </message>
</context>
<context>
    <name>LaneSelectionDialog</name>
    <message>
        <source>Lane selection</source>
        <translation>Bahnauswahl</translation>
    </message>
    <message>
        <source>Other lane</source>
        <translation>Andere Bahn</translation>
    </message>
    <message>
        <source>Enter lane number</source>
        <translation>Bahnnummer eingeben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Schedule</source>
        <translation>Zeitplan</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Geräte</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Standalone</source>
        <translation>Eigenständig</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Local database</source>
        <translation>Lokale Datenbank</translation>
    </message>
    <message>
        <source>The local database cannot be opened, so results cannot be stored on this device. Do not use this device to enter results.

%1</source>
        <translation>Die lokale Datenbank kann nicht geöffnet werden, daher können auf diesem Gerät keine Ergebnisse gespeichert werden. Verwenden Sie dieses Gerät nicht zur Eingabe von Ergebnissen.

%1</translation>
    </message>
    <message>
        <source>Unposted results: %1</source>
        <translation>Nicht übermittelte Ergebnisse: %1</translation>
    </message>
    <message>
        <source>The last change could not be stored on this device, so it is not shown as entered. What was typed is still there: press Enter to try again, and write it down on the field card.</source>
        <translation>Die letzte Änderung konnte auf diesem Gerät nicht gespeichert werden und wird daher nicht als eingegeben angezeigt. Das Eingetippte steht noch da: Drücken Sie Enter, um es erneut zu versuchen, und notieren Sie es auf der Wettkampfkarte.</translation>
    </message>
    <message>
        <source>The local database cannot be written, so results cannot be stored on this device. Do not use this device to enter results.

%1</source>
        <translation>In die lokale Datenbank kann nicht geschrieben werden, daher können auf diesem Gerät keine Ergebnisse gespeichert werden. Verwenden Sie dieses Gerät nicht zur Eingabe von Ergebnissen.

%1</translation>
    </message>
    <message>
        <source>The local database is damaged, so results cannot be stored in it. Results not yet posted to the server are only in that file; it is kept as it is. A new database can be started beside it. Until then, do not use this device to enter results.

%1</source>
        <translation>Die lokale Datenbank ist beschädigt, daher können keine Ergebnisse darin gespeichert werden. Noch nicht an den Server gesendete Ergebnisse sind nur in dieser Datei; sie bleibt unverändert erhalten. Daneben kann eine neue Datenbank angelegt werden. Verwenden Sie dieses Gerät bis dahin nicht zur Eingabe von Ergebnissen.

%1</translation>
    </message>
    <message>
        <source>Start a new database</source>
        <translation>Neue Datenbank anlegen</translation>
    </message>
    <message>
        <source>A new local database could not be started. Do not use this device to enter results.

%1</source>
        <translation>Es konnte keine neue lokale Datenbank angelegt werden. Verwenden Sie dieses Gerät nicht zur Eingabe von Ergebnissen.

%1</translation>
    </message>
    <message>
        <source>A new local database has been started. The damaged one is kept as %1.</source>
        <translation>Eine neue lokale Datenbank wurde angelegt. Die beschädigte ist als %1 erhalten.</translation>
    </message>
    <message>
        <source>The local database %1 was made by a newer version of Stadionix (database version %2; this version reads up to %3). It is left as it is, with everything in it. Use the newer version of Stadionix on this device; until then, do not use this device to enter results.</source>
        <translation>Die lokale Datenbank %1 wurde von einer neueren Version von Stadionix angelegt (Datenbankversion %2; diese Version liest bis %3). Sie bleibt, wie sie ist, mit allem, was sie enthält. Verwenden Sie auf diesem Gerät die neuere Version von Stadionix; verwenden Sie dieses Gerät bis dahin nicht zur Eingabe von Ergebnissen.</translation>
    </message>
    <message>
        <source>The file %1 is not a Stadionix database. It is left as it is. Move it elsewhere, so that a new database can be started there; until then, do not use this device to enter results.

%2</source>
        <translation>Die Datei %1 ist keine Stadionix-Datenbank. Sie bleibt, wie sie ist. Verschieben Sie sie an einen anderen Ort, damit dort eine neue Datenbank angelegt werden kann; verwenden Sie dieses Gerät bis dahin nicht zur Eingabe von Ergebnissen.

%2</translation>
    </message>
</context>
<context>
    <name>MeetwiseSettingsWidget</name>
    <message>
        <source>server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>competition</source>
        <translation>Wettkampf</translation>
    </message>
    <message>
        <source>sessions</source>
        <translation>Wettkampfabschnitte</translation>
    </message>
    <message>
        <source>days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Server not listed? Type its address</source>
        <translation>Server nicht in der Liste? Geben Sie seine Adresse ein</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Benutzer:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Looking for servers on the network...</source>
        <translation>Server im Netzwerk werden gesucht...</translation>
    </message>
    <message>
        <source>Servers cannot be looked for on this network. Type the server&apos;s address below.</source>
        <translation>In diesem Netzwerk können keine Server gesucht werden. Geben Sie unten die Adresse des Servers ein.</translation>
    </message>
    <message>
        <source>Asking %1 for its competitions...</source>
        <translation>Wettkämpfe werden bei %1 abgefragt...</translation>
    </message>
    <message>
        <source>%1 did not answer: %2</source>
        <translation>%1 hat nicht geantwortet: %2</translation>
    </message>
    <message>
        <source>%1 has no competitions.</source>
        <translation>%1 hat keine Wettkämpfe.</translation>
    </message>
</context>
<context>
    <name>NewHeightFieldVerticalDialog</name>
    <message>
        <source>New Height</source>
        <translation>Neue Höhe</translation>
    </message>
    <message>
        <source>New height:</source>
        <translation>Neue Höhe:</translation>
    </message>
    <message>
        <source>according height</source>
        <translation>reguläre Höhe</translation>
    </message>
    <message>
        <source>jumpoff</source>
        <translation>Stechen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
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
        <translation>Keiner</translation>
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
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
</context>
<context>
    <name>ResortParticipationsDialog</name>
    <message>
        <source>Resort participants</source>
        <translation>Teilnehmer neu ordnen</translation>
    </message>
    <message>
        <source>Are you sure you want to change the number of participants and possibly the order for the next attempts?</source>
        <translation>Möchten Sie die Anzahl der Teilnehmer und gegebenenfalls die Reihenfolge für die nächsten Versuche wirklich ändern?</translation>
    </message>
    <message>
        <source>What is the maximum rank of the participants who get the extra attempts? (insert 0 for all)</source>
        <translation>Bis zu welchem Platz erhalten die Teilnehmer die weiteren Versuche? (0 für alle eingeben)</translation>
    </message>
    <message>
        <source>Number of participants</source>
        <translation>Anzahl der Teilnehmer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
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
        <translation>keine Reaktionszeit</translation>
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
        <translation>Ergebnisauswahl</translation>
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
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Custom rule...</source>
        <translation>Eigene Regel...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
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
        <translation>Beste</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>heat %1</source>
        <translation>Lauf %1</translation>
    </message>
    <message>
        <source>Heights %1 to %2</source>
        <translation>Höhen %1 bis %2</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Bib</source>
        <translation>Startnummer</translation>
    </message>
    <message>
        <source>Club</source>
        <translation>Verein</translation>
    </message>
    <message>
        <source>Referee</source>
        <translation>Schiedsrichter</translation>
    </message>
    <message>
        <source>Judge</source>
        <translation>Kampfrichter</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>Gedruckt %1</translation>
    </message>
</context>
<context>
    <name>ScheduleTableWidget</name>
    <message>
        <source>Display track events</source>
        <translation>Laufwettbewerbe anzeigen</translation>
    </message>
    <message>
        <source>Display field events</source>
        <translation>Technische Wettbewerbe anzeigen</translation>
    </message>
    <message>
        <source>Connect to remote database</source>
        <translation>Mit der entfernten Datenbank verbinden</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Resync the events from the remote database&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Wettbewerbe erneut aus der entfernten Datenbank abgleichen&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Search...</source>
        <translation>Suchen...</translation>
    </message>
    <message>
        <source>Server connection</source>
        <translation>Serververbindung</translation>
    </message>
    <message>
        <source>The server settings could not be saved in %1.</source>
        <translation>Die Servereinstellungen konnten nicht in %1 gespeichert werden.</translation>
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
        <translation>Anfangshöhen festlegen</translation>
    </message>
    <message>
        <source>Default settings:</source>
        <translation>Standardeinstellungen:</translation>
    </message>
    <message>
        <source>Starting height (m):</source>
        <translation>Anfangshöhe (m):</translation>
    </message>
    <message>
        <source>Interval (m):</source>
        <translation>Steigerung (m):</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Sprache:</translation>
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
        <translation>Zum vorherigen Lauf</translation>
    </message>
    <message>
        <source>Go to the next heat</source>
        <translation>Zum nächsten Lauf</translation>
    </message>
    <message>
        <source>Reset lanes to initial value</source>
        <translation>Bahnen auf die ursprüngliche Einteilung zurücksetzen</translation>
    </message>
    <message>
        <source>Load this heat again</source>
        <translation>Diesen Lauf neu laden</translation>
    </message>
    <message>
        <source>Lane %1 is shared: %2 and %3</source>
        <translation>Bahn %1 ist doppelt belegt: %2 und %3</translation>
    </message>
</context>
<context>
    <name>TrackParticipantsModel</name>
    <message>
        <source>LocalID</source>
        <translation>Lokale ID</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Lane</source>
        <translation>Bahn</translation>
    </message>
    <message>
        <source>Bib</source>
        <translation>Startnummer</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
</context>
<context>
    <name>UnconfirmedActionsDialog</name>
    <message>
        <source>Remove unprocessed actions</source>
        <translation>Unverarbeitete Aktionen entfernen</translation>
    </message>
    <message>
        <source>Are you sure you want to remove unprocessed actions? This data is not yet posted and processed by the server.</source>
        <translation>Möchten Sie die unverarbeiteten Aktionen wirklich entfernen? Diese Daten wurden noch nicht an den Server übermittelt und von ihm verarbeitet.</translation>
    </message>
    <message>
        <source>Unposted results</source>
        <translation>Nicht übermittelte Ergebnisse</translation>
    </message>
    <message>
        <source>Remove all changes</source>
        <translation>Alle Änderungen entfernen</translation>
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
        <translation>einfügen</translation>
    </message>
    <message>
        <source>update</source>
        <translation>aktualisieren</translation>
    </message>
    <message>
        <source>delete</source>
        <translation>löschen</translation>
    </message>
    <message>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>bib</source>
        <translation>Startnummer</translation>
    </message>
    <message>
        <source>action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>table</source>
        <translation>Tabelle</translation>
    </message>
    <message>
        <source>value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>attempt</source>
        <translation>Versuch</translation>
    </message>
    <message>
        <source>height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>performed</source>
        <translation>ausgeführt</translation>
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
        <translation>Manuelle Windmessung</translation>
    </message>
    <message>
        <source>Fill in a windspeed result:</source>
        <translation>Windgeschwindigkeit eingeben:</translation>
    </message>
    <message>
        <source>value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Type the wind, or Cancel when it was not measured</source>
        <translation>Wind eingeben, oder Abbrechen, wenn er nicht gemessen wurde</translation>
    </message>
    <message>
        <source>Wind must lie between -8 and 8 m/s</source>
        <translation>Der Wind muss zwischen -8 und 8 m/s liegen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
</TS>
