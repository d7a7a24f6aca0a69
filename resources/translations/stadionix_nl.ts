<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>Over</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versie:</translation>
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
        <translation>wedstrijdcode:</translation>
    </message>
    <message>
        <source>server time offset:</source>
        <translation>tijdverschil met de server:</translation>
    </message>
    <message>
        <source>Measure the server time offset again</source>
        <translation>Het tijdverschil met de server opnieuw meten</translation>
    </message>
    <message>
        <source>The results could not be uploaded to AtletiekNu: %1</source>
        <translation>De uitslagen konden niet naar AtletiekNu worden verzonden: %1</translation>
    </message>
</context>
<context>
    <name>BurgerMenu</name>
    <message>
        <source>Schedule</source>
        <translation>Tijdschema</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Apparaten</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Standalone</source>
        <translation>Zelfstandig</translation>
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
        <translation>Apparaten</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Discus Throw</source>
        <translation>Discuswerpen</translation>
    </message>
    <message>
        <source>Pole Vault</source>
        <translation>Polsstokhoogspringen</translation>
    </message>
    <message>
        <source>Long or Triple Jump</source>
        <translation>Ver- of hinkstapspringen</translation>
    </message>
    <message>
        <source>Javelin Throw</source>
        <translation>Speerwerpen</translation>
    </message>
    <message>
        <source>Shot Put</source>
        <translation>Kogelstoten</translation>
    </message>
    <message>
        <source>Hammer Throw</source>
        <translation>Kogelslingeren</translation>
    </message>
    <message>
        <source>No event chosen</source>
        <translation>Geen onderdeel gekozen</translation>
    </message>
    <message>
        <source>Distance %1 m, horizontal angle %2°, vertical angle %3°, horizontal distance %4 m</source>
        <translation>Afstand %1 m, horizontale hoek %2°, verticale hoek %3°, horizontale afstand %4 m</translation>
    </message>
    <message>
        <source>Port already used</source>
        <translation>Poort al in gebruik</translation>
    </message>
    <message>
        <source>The port is already in use by another device.</source>
        <translation>De poort wordt al door een ander apparaat gebruikt.</translation>
    </message>
    <message>
        <source>Send text to scoreboard</source>
        <translation>Tekst naar scorebord sturen</translation>
    </message>
    <message>
        <source>Fill in some text to send to the scoreboard</source>
        <translation>Vul tekst in om naar het scorebord te sturen</translation>
    </message>
    <message>
        <source>Brightness %1/%2</source>
        <translation>Helderheid %1/%2</translation>
    </message>
    <message>
        <source>Result: N/A</source>
        <translation>Resultaat: n.v.t.</translation>
    </message>
    <message>
        <source>Result: %1 m/s</source>
        <translation>Resultaat: %1 m/s</translation>
    </message>
    <message>
        <source>not measured</source>
        <translation>niet gemeten</translation>
    </message>
    <message>
        <source>Board %1, point %2: %3</source>
        <translation>Balk %1, punt %2: %3</translation>
    </message>
    <message>
        <source>Reference: %1</source>
        <translation>Referentie: %1</translation>
    </message>
    <message>
        <source>Delta: %1 m</source>
        <translation>Delta: %1 m</translation>
    </message>
    <message>
        <source>Scoreboard</source>
        <translation>Scorebord</translation>
    </message>
    <message>
        <source>Videoscoreboard</source>
        <translation>Videoscorebord</translation>
    </message>
    <message>
        <source>Windspeed</source>
        <translation>Windsnelheid</translation>
    </message>
    <message>
        <source>EDM</source>
        <translation>EDM</translation>
    </message>
    <message>
        <source>Countdown</source>
        <translation>Aftelklok</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Poort:</translation>
    </message>
    <message>
        <source>Scoreboard type:</source>
        <translation>Type scorebord:</translation>
    </message>
    <message>
        <source>Scoreboard layout:</source>
        <translation>Indeling scorebord:</translation>
    </message>
    <message>
        <source>Clear scoreboard after a result</source>
        <translation>Scorebord wissen na een resultaat</translation>
    </message>
    <message>
        <source>Timeout:</source>
        <translation>Wachttijd:</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Adjust the brightness of the scoreboard</source>
        <translation>Helderheid van het scorebord aanpassen</translation>
    </message>
    <message>
        <source>Send demo participants data of a horizontal field event</source>
        <translation>Demo-deelnemersgegevens van een horizontaal onderdeel sturen</translation>
    </message>
    <message>
        <source>Send demo results data of a horizontal field event</source>
        <translation>Demo-resultaten van een horizontaal onderdeel sturen</translation>
    </message>
    <message>
        <source>Send demo participants data of a vertical field event</source>
        <translation>Demo-deelnemersgegevens van een verticaal onderdeel sturen</translation>
    </message>
    <message>
        <source>Send demo results data of a vertical field event</source>
        <translation>Demo-resultaten van een verticaal onderdeel sturen</translation>
    </message>
    <message>
        <source>Clear the scoreboard</source>
        <translation>Scorebord wissen</translation>
    </message>
    <message>
        <source>Send text data</source>
        <translation>Tekst sturen</translation>
    </message>
    <message>
        <source>Clear the video scoreboard</source>
        <translation>Videoscorebord wissen</translation>
    </message>
    <message>
        <source>Start a windspeed test measurement</source>
        <translation>Een testmeting van de windsnelheid starten</translation>
    </message>
    <message>
        <source>Serial settings</source>
        <translation>Seriële instellingen</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Databits</source>
        <translation>Databits</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Pariteit</translation>
    </message>
    <message>
        <source>Stopbits</source>
        <translation>Stopbits</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Oneven</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Geen</translation>
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
        <translation>Type EDM:</translation>
    </message>
    <message>
        <source>Take-off boards:</source>
        <translation>Afzetbalken:</translation>
    </message>
    <message>
        <source>Board 1</source>
        <translation>Balk 1</translation>
    </message>
    <message>
        <source>Board 2</source>
        <translation>Balk 2</translation>
    </message>
    <message>
        <source>Change the event type</source>
        <translation>Het onderdeel wijzigen</translation>
    </message>
    <message>
        <source>Measure the first reference point</source>
        <translation>Het eerste referentiepunt meten</translation>
    </message>
    <message>
        <source>Measure the second reference point</source>
        <translation>Het tweede referentiepunt meten</translation>
    </message>
    <message>
        <source>Take a test measurement</source>
        <translation>Een testmeting doen</translation>
    </message>
    <message>
        <source>Test the device</source>
        <translation>Het apparaat testen</translation>
    </message>
    <message>
        <source>Test measurements:</source>
        <translation>Testmetingen:</translation>
    </message>
    <message>
        <source>Countdown layout:</source>
        <translation>Indeling aftelklok:</translation>
    </message>
    <message>
        <source>Start countdown clock immediately after CALL</source>
        <translation>Aftelklok meteen na OPROEPEN starten</translation>
    </message>
    <message>
        <source>Adjust the minutes</source>
        <translation>De minuten aanpassen</translation>
    </message>
    <message>
        <source>Adjust the tens of a second</source>
        <translation>De tientallen seconden aanpassen</translation>
    </message>
    <message>
        <source>Adjust the seconds</source>
        <translation>De seconden aanpassen</translation>
    </message>
    <message>
        <source>Send a value to the countdown clock</source>
        <translation>Een waarde naar de aftelklok sturen</translation>
    </message>
    <message>
        <source>Adjust the brightness of the countdown clock</source>
        <translation>Helderheid van de aftelklok aanpassen</translation>
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
        <translation>Taal</translation>
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
        <translation>Wachten op de laserafstandsmeting...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Test measurements</source>
        <translation>Testmetingen</translation>
    </message>
    <message>
        <source>What distance did you measure using a tape measure starting from the circle (m)?</source>
        <translation>Welke afstand hebt u met een meetlint gemeten vanaf de cirkel (m)?</translation>
    </message>
    <message>
        <source>Measurement of height of the crossbar</source>
        <translation>Meting van de hoogte van de lat</translation>
    </message>
    <message>
        <source>What height have you measured to the center of the crossbar (m)?</source>
        <translation>Welke hoogte hebt u gemeten tot het midden van de lat (m)?</translation>
    </message>
    <message>
        <source>What distance did you measure using a tape measure starting from the take off board(m)?</source>
        <translation>Welke afstand hebt u met een meetlint gemeten vanaf de afzetbalk (m)?</translation>
    </message>
    <message>
        <source>Height of the crossbar (m)</source>
        <translation>Hoogte van de lat (m)</translation>
    </message>
    <message>
        <source>What is the reference height of the crossbar (m), accurate to 1 mm? Note: you need to measure the center of the cross bar (or 15 mm above the bottom of the cross bar)</source>
        <translation>Wat is de referentiehoogte van de lat (m), tot op 1 mm nauwkeurig? Let op: meet het midden van de lat (of 15 mm boven de onderkant van de lat)</translation>
    </message>
    <message>
        <source>Missing references</source>
        <translation>Referenties ontbreken</translation>
    </message>
    <message>
        <source>There are no reference measurements set for this event. First set the reference measurements before you can make a test measurement.</source>
        <translation>Er zijn geen referentiemetingen ingesteld voor dit onderdeel. Stel eerst de referentiemetingen in voordat u een testmeting kunt doen.</translation>
    </message>
    <message>
        <source>No distance can be computed from this reading: the point lies on a reference point, or two reference points lie on each other. Take the measurement again.</source>
        <translation>Uit deze meting kan geen afstand worden berekend: het punt ligt op een referentiepunt, of twee referentiepunten liggen op elkaar. Meet opnieuw.</translation>
    </message>
    <message>
        <source>The measured distance %1 m cannot be a mark. Take the measurement again.</source>
        <translation>De gemeten afstand van %1 m kan geen prestatie zijn. Meet opnieuw.</translation>
    </message>
    <message>
        <source>Measure again</source>
        <translation>Opnieuw meten</translation>
    </message>
</context>
<context>
    <name>EDMPerformanceWidget</name>
    <message>
        <source>Set attempt to fail</source>
        <translation>Poging als ongeldig markeren</translation>
    </message>
    <message>
        <source>Set attempt to pass</source>
        <translation>Poging als geldig markeren</translation>
    </message>
    <message>
        <source>Set attempt to skip</source>
        <translation>Poging overslaan (pas)</translation>
    </message>
    <message>
        <source>Set attempt to retired</source>
        <translation>Poging op opgegeven zetten</translation>
    </message>
    <message>
        <source>Set attempt to no result</source>
        <translation>Poging zonder resultaat</translation>
    </message>
    <message>
        <source>Resend the result to the scoreboard</source>
        <translation>Het resultaat opnieuw naar het scorebord sturen</translation>
    </message>
    <message>
        <source>Request an EDM measurement</source>
        <translation>Een EDM-meting aanvragen</translation>
    </message>
    <message>
        <source>Start a wind measurement</source>
        <translation>Een windmeting starten</translation>
    </message>
    <message>
        <source>Activate the countdown clock</source>
        <translation>De afteltimer starten</translation>
    </message>
    <message>
        <source>Take-off board:</source>
        <translation>Afzetbalk:</translation>
    </message>
    <message>
        <source>Select take-off board 1 as the reference for the attempt.</source>
        <translation>Afzetbalk 1 als referentie voor de poging kiezen.</translation>
    </message>
    <message>
        <source>Select take-off board 2 as the reference for the attempt.</source>
        <translation>Afzetbalk 2 als referentie voor de poging kiezen.</translation>
    </message>
    <message>
        <source>Third party results output</source>
        <translation>Resultaatuitvoer voor andere systemen</translation>
    </message>
    <message>
        <source>Serial:</source>
        <translation>Serieel:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Geen</translation>
    </message>
    <message>
        <source>UDP output</source>
        <translation>UDP-uitvoer</translation>
    </message>
    <message>
        <source>Send results over UDP</source>
        <translation>Resultaten via UDP versturen</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adres:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Poort:</translation>
    </message>
    <message>
        <source>Incomplete address: results still go to %1, port %2.</source>
        <translation>Onvolledig adres: de resultaten gaan nog naar %1, poort %2.</translation>
    </message>
    <message>
        <source>Recalculate result</source>
        <translation>Resultaat herberekenen</translation>
    </message>
    <message>
        <source>Do you want to recalculate the result based on take-off board %1 as the reference?</source>
        <translation>Wilt u het resultaat herberekenen met afzetbalk %1 als referentie?</translation>
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
        <translation>Naam</translation>
    </message>
    <message>
        <source>Bib</source>
        <translation>Startnummer</translation>
    </message>
    <message>
        <source>Start order</source>
        <translation>Startvolgorde</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>Plaats</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Beste</translation>
    </message>
    <message>
        <source>Best performance</source>
        <translation>Beste prestatie</translation>
    </message>
    <message>
        <source>Attempt %1</source>
        <translation>Poging %1</translation>
    </message>
    <message>
        <source>Height %1</source>
        <translation>Hoogte %1</translation>
    </message>
</context>
<context>
    <name>FieldEventWidget</name>
    <message>
        <source>Field event</source>
        <translation>Technisch nummer</translation>
    </message>
    <message>
        <source>Search participant...</source>
        <translation>Deelnemer zoeken...</translation>
    </message>
    <message>
        <source>Print the current ranking</source>
        <translation>Het huidige klassement afdrukken</translation>
    </message>
    <message>
        <source>Send ranking to scoreboard</source>
        <translation>Klassement naar het scorebord sturen</translation>
    </message>
    <message>
        <source>Adjust the starting heights of each participant</source>
        <translation>De beginhoogte van elke deelnemer aanpassen</translation>
    </message>
    <message>
        <source>Set a new starting height</source>
        <translation>Een nieuwe hoogte instellen</translation>
    </message>
    <message>
        <source>Resort participants</source>
        <translation>Deelnemers herschikken</translation>
    </message>
    <message>
        <source>Call selected participant</source>
        <translation>Geselecteerde deelnemer oproepen</translation>
    </message>
    <message>
        <source>Request an EDM measurement</source>
        <translation>Een EDM-meting aanvragen</translation>
    </message>
    <message>
        <source>Set attempt to fail</source>
        <translation>Poging als ongeldig markeren</translation>
    </message>
    <message>
        <source>Set attempt to skip</source>
        <translation>Poging overslaan (pas)</translation>
    </message>
    <message>
        <source>Set attempt to pass</source>
        <translation>Poging als geldig markeren</translation>
    </message>
    <message>
        <source>Set participant to retired from competition</source>
        <translation>Deelnemer als opgegeven markeren</translation>
    </message>
    <message>
        <source>Confirm the result</source>
        <translation>Resultaat bevestigen</translation>
    </message>
    <message>
        <source>Request a wind measurement</source>
        <translation>Een windmeting aanvragen</translation>
    </message>
    <message>
        <source>Call a participant</source>
        <translation>Een deelnemer oproepen</translation>
    </message>
    <message>
        <source>Select take-off board 1 as the reference for the attempt.</source>
        <translation>Afzetbalk 1 als referentie voor de poging kiezen.</translation>
    </message>
    <message>
        <source>Select take-off board 2 as the reference for the attempt.</source>
        <translation>Afzetbalk 2 als referentie voor de poging kiezen.</translation>
    </message>
    <message>
        <source>Add %1 to result</source>
        <translation>%1 aan het resultaat toevoegen</translation>
    </message>
    <message>
        <source>Event finished</source>
        <translation>Onderdeel afgelopen</translation>
    </message>
    <message>
        <source>The event has ended</source>
        <translation>Het onderdeel is afgelopen</translation>
    </message>
    <message>
        <source>Start jumpoff</source>
        <translation>Barrage starten</translation>
    </message>
    <message>
        <source>Should we start a jumpoff competition to break the tie for the first place?</source>
        <translation>Wilt u een barrage starten om de gelijke stand om de eerste plaats te beslissen?</translation>
    </message>
    <message>
        <source>Set participant to &apos;active in competition&apos;</source>
        <translation>Deelnemer op &apos;actief in de wedstrijd&apos; zetten</translation>
    </message>
    <message>
        <source>Set participant to &apos;retired from competition&apos;</source>
        <translation>Deelnemer op &apos;opgegeven&apos; zetten</translation>
    </message>
    <message>
        <source>Remove height</source>
        <translation>Hoogte verwijderen</translation>
    </message>
    <message>
        <source>There are still results available for this height. First remove all results before you are able to remove the height</source>
        <translation>Er zijn nog resultaten op deze hoogte. Verwijder eerst alle resultaten voordat u de hoogte kunt verwijderen.</translation>
    </message>
    <message>
        <source>Do you want to remove the height %1?</source>
        <translation>Wilt u de hoogte %1 verwijderen?</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>n.v.t.</translation>
    </message>
    <message>
        <source>%1 m/s</source>
        <translation>%1 m/s</translation>
    </message>
    <message>
        <source>Do you want to recalculate the result based on take-off board %1 as the reference?</source>
        <translation>Wilt u het resultaat herberekenen met afzetbalk %1 als referentie?</translation>
    </message>
    <message>
        <source>At most three digits before the decimal point</source>
        <translation>Hoogstens drie cijfers voor de komma</translation>
    </message>
    <message>
        <source>At most two decimals</source>
        <translation>Hoogstens twee decimalen</translation>
    </message>
    <message>
        <source>The mark already has a decimal point</source>
        <translation>De prestatie heeft al een komma</translation>
    </message>
    <message>
        <source>0 is no mark</source>
        <translation>0 is geen prestatie</translation>
    </message>
    <message>
        <source>At a height only 0 (cleared), X and - are entered</source>
        <translation>Op een hoogte worden alleen 0 (over), X en - ingevoerd</translation>
    </message>
    <message>
        <source>The tries at this height are complete</source>
        <translation>De pogingen op deze hoogte zijn compleet</translation>
    </message>
    <message>
        <source>Next: %1 · then %2</source>
        <translation>Volgende: %1 · daarna %2</translation>
    </message>
    <message>
        <source>Next: %1</source>
        <translation>Volgende: %1</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Weet u het zeker?</translation>
    </message>
    <message>
        <source>Are you sure? %1 m for %2 is more than anyone has reached in this event (above %3 m).</source>
        <translation>Weet u het zeker? %1 m voor %2 is meer dan ooit iemand in dit onderdeel bereikte (boven %3 m).</translation>
    </message>
    <message>
        <source>at %1 m</source>
        <translation>op %1 m</translation>
    </message>
    <message>
        <source>in attempt %1</source>
        <translation>in poging %1</translation>
    </message>
    <message>
        <source>%1 already has %2 %3.
Remove it?</source>
        <translation>%1 heeft al %2 %3.
Verwijderen?</translation>
    </message>
    <message>
        <source>%1 already has %2 %3.
Replace it with %4?</source>
        <translation>%1 heeft al %2 %3.
Vervangen door %4?</translation>
    </message>
    <message>
        <source>Change a stored mark</source>
        <translation>Opgeslagen prestatie wijzigen</translation>
    </message>
    <message>
        <source>Are you sure? A bar at %1 m is more than anyone has cleared in this event (above %2 m).</source>
        <translation>Weet u het zeker? Een lat op %1 m is hoger dan ooit iemand in dit onderdeel overging (boven %2 m).</translation>
    </message>
    <message>
        <source>Result sheet saved</source>
        <translation>Uitslagblad opgeslagen</translation>
    </message>
    <message>
        <source>No printer is available; the result sheet was saved as
%1</source>
        <translation>Er is geen printer; het uitslagblad is opgeslagen als
%1</translation>
    </message>
    <message>
        <source>Result sheet not printed</source>
        <translation>Uitslagblad niet afgedrukt</translation>
    </message>
    <message>
        <source>The result sheet could not be printed.</source>
        <translation>Het uitslagblad kon niet worden afgedrukt.</translation>
    </message>
    <message>
        <source>The result sheet could not be saved as
%1</source>
        <translation>Het uitslagblad kon niet worden opgeslagen als
%1</translation>
    </message>
    <message>
        <source>Recalculate result</source>
        <translation>Resultaat herberekenen</translation>
    </message>
</context>
<context>
    <name>FolderInfoDialog</name>
    <message>
        <source>Server connection</source>
        <translation>Serververbinding</translation>
    </message>
    <message>
        <source>Meetwise server</source>
        <translation>Meetwise-server</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
</context>
<context>
    <name>HeatWaitingBanner</name>
    <message>
        <source>This heat is not on this tablet yet; it loads as soon as the server answers</source>
        <translation>Deze serie staat nog niet op deze tablet; ze wordt geladen zodra de server antwoordt</translation>
    </message>
</context>
<context>
    <name>LaneSelectionDialog</name>
    <message>
        <source>Lane selection</source>
        <translation>Baankeuze</translation>
    </message>
    <message>
        <source>Other lane</source>
        <translation>Andere baan</translation>
    </message>
    <message>
        <source>Enter lane number</source>
        <translation>Baannummer invoeren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Schedule</source>
        <translation>Tijdschema</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Apparaten</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Standalone</source>
        <translation>Zelfstandig</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Local database</source>
        <translation>Lokale database</translation>
    </message>
    <message>
        <source>The local database cannot be opened, so results cannot be stored on this device. Do not use this device to enter results.

%1</source>
        <translation>De lokale database kan niet worden geopend, dus resultaten kunnen niet op dit apparaat worden opgeslagen. Gebruik dit apparaat niet om resultaten in te voeren.

%1</translation>
    </message>
    <message>
        <source>Unposted results: %1</source>
        <translation>Niet verzonden resultaten: %1</translation>
    </message>
    <message>
        <source>The last change could not be stored on this device, so it is not shown as entered. What was typed is still there: press Enter to try again, and write it down on the field card.</source>
        <translation>De laatste wijziging kon niet op dit apparaat worden opgeslagen en wordt daarom niet als ingevoerd getoond. Wat is ingetikt staat er nog: druk op Enter om het opnieuw te proberen, en noteer het op de veldkaart.</translation>
    </message>
    <message>
        <source>The local database cannot be written, so results cannot be stored on this device. Do not use this device to enter results.

%1</source>
        <translation>Er kan niet in de lokale database worden geschreven, dus resultaten kunnen niet op dit apparaat worden opgeslagen. Gebruik dit apparaat niet om resultaten in te voeren.

%1</translation>
    </message>
    <message>
        <source>The local database is damaged, so results cannot be stored in it. Results not yet posted to the server are only in that file; it is kept as it is. A new database can be started beside it. Until then, do not use this device to enter results.

%1</source>
        <translation>De lokale database is beschadigd, dus resultaten kunnen er niet in worden opgeslagen. Resultaten die nog niet naar de server zijn verzonden staan alleen in dat bestand; het blijft bewaard zoals het is. Ernaast kan een nieuwe database worden gestart. Gebruik dit apparaat tot dan niet om resultaten in te voeren.

%1</translation>
    </message>
    <message>
        <source>Start a new database</source>
        <translation>Nieuwe database starten</translation>
    </message>
    <message>
        <source>A new local database could not be started. Do not use this device to enter results.

%1</source>
        <translation>Er kon geen nieuwe lokale database worden gestart. Gebruik dit apparaat niet om resultaten in te voeren.

%1</translation>
    </message>
    <message>
        <source>A new local database has been started. The damaged one is kept as %1.</source>
        <translation>Er is een nieuwe lokale database gestart. De beschadigde is bewaard als %1.</translation>
    </message>
    <message>
        <source>The local database %1 was made by a newer version of Stadionix (database version %2; this version reads up to %3). It is left as it is, with everything in it. Use the newer version of Stadionix on this device; until then, do not use this device to enter results.</source>
        <translation>De lokale database %1 is gemaakt door een nieuwere versie van Stadionix (databaseversie %2; deze versie leest tot en met %3). Hij blijft zoals hij is, met alles erin. Gebruik de nieuwere versie van Stadionix op dit apparaat; gebruik dit apparaat tot dan niet om resultaten in te voeren.</translation>
    </message>
    <message>
        <source>The file %1 is not a Stadionix database. It is left as it is. Move it elsewhere, so that a new database can be started there; until then, do not use this device to enter results.

%2</source>
        <translation>Het bestand %1 is geen Stadionix-database. Het blijft zoals het is. Verplaats het naar een andere plek, zodat daar een nieuwe database kan worden gestart; gebruik dit apparaat tot dan niet om resultaten in te voeren.

%2</translation>
    </message>
</context>
<context>
    <name>MeetwiseSettingsWidget</name>
    <message>
        <source>server</source>
        <translation>server</translation>
    </message>
    <message>
        <source>competition</source>
        <translation>wedstrijd</translation>
    </message>
    <message>
        <source>sessions</source>
        <translation>sessies</translation>
    </message>
    <message>
        <source>days</source>
        <translation>dagen</translation>
    </message>
    <message>
        <source>Server not listed? Type its address</source>
        <translation>Server niet in de lijst? Typ zijn adres</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adres:</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Gebruiker:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Wachtwoord:</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Looking for servers on the network...</source>
        <translation>Servers op het netwerk zoeken...</translation>
    </message>
    <message>
        <source>Servers cannot be looked for on this network. Type the server&apos;s address below.</source>
        <translation>Op dit netwerk kunnen geen servers gezocht worden. Typ hieronder het adres van de server.</translation>
    </message>
    <message>
        <source>Asking %1 for its competitions...</source>
        <translation>Wedstrijden opvragen bij %1...</translation>
    </message>
    <message>
        <source>%1 did not answer: %2</source>
        <translation>%1 antwoordde niet: %2</translation>
    </message>
    <message>
        <source>%1 has no competitions.</source>
        <translation>%1 heeft geen wedstrijden.</translation>
    </message>
</context>
<context>
    <name>NewHeightFieldVerticalDialog</name>
    <message>
        <source>New Height</source>
        <translation>Nieuwe hoogte</translation>
    </message>
    <message>
        <source>New height:</source>
        <translation>Nieuwe hoogte:</translation>
    </message>
    <message>
        <source>according height</source>
        <translation>gewone hoogte</translation>
    </message>
    <message>
        <source>jumpoff</source>
        <translation>barrage</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
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
        <translation>Geen</translation>
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
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nee</translation>
    </message>
</context>
<context>
    <name>ResortParticipationsDialog</name>
    <message>
        <source>Resort participants</source>
        <translation>Deelnemers herschikken</translation>
    </message>
    <message>
        <source>Are you sure you want to change the number of participants and possibly the order for the next attempts?</source>
        <translation>Weet u zeker dat u het aantal deelnemers en mogelijk de volgorde voor de volgende pogingen wilt wijzigen?</translation>
    </message>
    <message>
        <source>What is the maximum rank of the participants who get the extra attempts? (insert 0 for all)</source>
        <translation>Tot en met welke plaats krijgen deelnemers de extra pogingen? (vul 0 in voor iedereen)</translation>
    </message>
    <message>
        <source>Number of participants</source>
        <translation>Aantal deelnemers</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Kiezen</translation>
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
        <translation>geen reactietijd</translation>
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
        <translation>Resultaat kiezen</translation>
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
        <translation>Aangepast</translation>
    </message>
    <message>
        <source>Custom rule...</source>
        <translation>Aangepaste regel...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
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
        <translation>Naam</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Pagina %1 van %2</translation>
    </message>
    <message>
        <source>heat %1</source>
        <translation>serie %1</translation>
    </message>
    <message>
        <source>Heights %1 to %2</source>
        <translation>Hoogtes %1 tot %2</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>Plaats</translation>
    </message>
    <message>
        <source>Bib</source>
        <translation>Startnummer</translation>
    </message>
    <message>
        <source>Club</source>
        <translation>Vereniging</translation>
    </message>
    <message>
        <source>Referee</source>
        <translation>Scheidsrechter</translation>
    </message>
    <message>
        <source>Judge</source>
        <translation>Jurylid</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>Afgedrukt %1</translation>
    </message>
</context>
<context>
    <name>ScheduleTableWidget</name>
    <message>
        <source>Display track events</source>
        <translation>Loopnummers tonen</translation>
    </message>
    <message>
        <source>Display field events</source>
        <translation>Technische nummers tonen</translation>
    </message>
    <message>
        <source>Connect to remote database</source>
        <translation>Verbinden met de externe database</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Resync the events from the remote database&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;De onderdelen opnieuw ophalen uit de externe database&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Search...</source>
        <translation>Zoeken...</translation>
    </message>
    <message>
        <source>Server connection</source>
        <translation>Serververbinding</translation>
    </message>
    <message>
        <source>The server settings could not be saved in %1.</source>
        <translation>De serverinstellingen konden niet worden opgeslagen in %1.</translation>
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
        <translation>Beginhoogtes instellen</translation>
    </message>
    <message>
        <source>Default settings:</source>
        <translation>Standaardinstellingen:</translation>
    </message>
    <message>
        <source>Starting height (m):</source>
        <translation>Beginhoogte (m):</translation>
    </message>
    <message>
        <source>Interval (m):</source>
        <translation>Ophoging (m):</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Taal:</translation>
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
        <translation>Naar de vorige serie</translation>
    </message>
    <message>
        <source>Go to the next heat</source>
        <translation>Naar de volgende serie</translation>
    </message>
    <message>
        <source>Reset lanes to initial value</source>
        <translation>Banen terugzetten naar de oorspronkelijke indeling</translation>
    </message>
    <message>
        <source>Load this heat again</source>
        <translation>Deze serie opnieuw laden</translation>
    </message>
    <message>
        <source>Lane %1 is shared: %2 and %3</source>
        <translation>Baan %1 is gedeeld: %2 en %3</translation>
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
        <translation>Baan</translation>
    </message>
    <message>
        <source>Bib</source>
        <translation>Startnummer</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultaat</translation>
    </message>
</context>
<context>
    <name>UnconfirmedActionsDialog</name>
    <message>
        <source>Remove unprocessed actions</source>
        <translation>Onverwerkte acties verwijderen</translation>
    </message>
    <message>
        <source>Are you sure you want to remove unprocessed actions? This data is not yet posted and processed by the server.</source>
        <translation>Weet u zeker dat u de onverwerkte acties wilt verwijderen? Deze gegevens zijn nog niet naar de server verzonden en door de server verwerkt.</translation>
    </message>
    <message>
        <source>Unposted results</source>
        <translation>Niet verzonden resultaten</translation>
    </message>
    <message>
        <source>Remove all changes</source>
        <translation>Alle wijzigingen verwijderen</translation>
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
        <translation>invoegen</translation>
    </message>
    <message>
        <source>update</source>
        <translation>bijwerken</translation>
    </message>
    <message>
        <source>delete</source>
        <translation>verwijderen</translation>
    </message>
    <message>
        <source>name</source>
        <translation>naam</translation>
    </message>
    <message>
        <source>bib</source>
        <translation>startnummer</translation>
    </message>
    <message>
        <source>action</source>
        <translation>actie</translation>
    </message>
    <message>
        <source>table</source>
        <translation>tabel</translation>
    </message>
    <message>
        <source>value</source>
        <translation>waarde</translation>
    </message>
    <message>
        <source>attempt</source>
        <translation>poging</translation>
    </message>
    <message>
        <source>height</source>
        <translation>hoogte</translation>
    </message>
    <message>
        <source>performed</source>
        <translation>uitgevoerd</translation>
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
        <translation>Handmatige windmeting</translation>
    </message>
    <message>
        <source>Fill in a windspeed result:</source>
        <translation>Vul de windsnelheid in:</translation>
    </message>
    <message>
        <source>value</source>
        <translation>waarde</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Type the wind, or Cancel when it was not measured</source>
        <translation>Voer de wind in, of Annuleren als hij niet gemeten is</translation>
    </message>
    <message>
        <source>Wind must lie between -8 and 8 m/s</source>
        <translation>De wind moet tussen -8 en 8 m/s liggen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
</context>
</TS>
