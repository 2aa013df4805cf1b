<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QObject</name>
    <message>
        <source>Event range</source>
        <translation>Ereignisbereich</translation>
    </message>
    <message>
        <source>Events the full view shows, FROM-TO (1 to %1; empty for all):</source>
        <translation>Ereignisse, die die Gesamtansicht zeigt, VON-BIS (1 bis %1; leer für alle):</translation>
    </message>
    <message>
        <source>Please give two event numbers FROM-TO, FROM from 1 and at most TO.</source>
        <translation>Bitte zwei Ereignisnummern VON-BIS angeben, VON ab 1 und höchstens BIS.</translation>
    </message>
</context>
<context>
    <name>returnplot</name>
    <message>
        <source>melody lead</source>
        <translation>Melodievorlauf</translation>
    </message>
    <message>
        <source>chord spread</source>
        <translation>Akkordstreuung</translation>
    </message>
    <message>
        <source>key overlap</source>
        <translation>Tastenüberlappung</translation>
    </message>
    <message>
        <source>Aligning to the score...</source>
        <translation>Ausrichten an der Partitur...</translation>
    </message>
    <message>
        <source>Open the score (MusicXML)</source>
        <translation>Partitur öffnen (MusicXML)</translation>
    </message>
    <message>
        <source>MusicXML scores</source>
        <translation>MusicXML-Partituren</translation>
    </message>
    <message>
        <source>Open the performance of the score</source>
        <translation>Aufführung zur Partitur öffnen</translation>
    </message>
    <message>
        <source>The shown performances have velocities of different kinds (MIDI and dB).</source>
        <translation>Die gezeigten Aufführungen haben Anschlagstärken verschiedener Art (MIDI und dB).</translation>
    </message>
    <message>
        <source>No graphics hardware found: the plot is drawn in software.</source>
        <translation>Keine Grafik-Hardware gefunden: die Darstellung wird in Software gezeichnet.</translation>
    </message>
    <message>
        <source>Grouping chords...</source>
        <translation>Akkorde werden gruppiert...</translation>
    </message>
    <message>
        <source>Analysing onsets...</source>
        <translation>Einsätze werden analysiert...</translation>
    </message>
    <message>
        <source>Close menu</source>
        <translation>Menu Verlassen!</translation>
    </message>
    <message>
        <source>Open scatter file...</source>
        <translation>Streudiagramm-Datei öffnen...</translation>
    </message>
    <message>
        <source>Reset orientation</source>
        <translation>Ausrichtung zurücksetzen</translation>
    </message>
    <message>
        <source>Connecting lines</source>
        <translation>Verbindungslinien</translation>
    </message>
    <message>
        <source>Drop lines</source>
        <translation>Falllinien</translation>
    </message>
    <message>
        <source>Floor shadows</source>
        <translation>Bodenplattenlinienschatten</translation>
    </message>
    <message>
        <source>Frosted glass plate</source>
        <translation>Milchglasscheibe</translation>
    </message>
    <message>
        <source>Auto-rotate</source>
        <translation>Automatisch drehen</translation>
    </message>
    <message>
        <source>Add performance for comparison...</source>
        <translation>Aufführung zum Vergleich hinzufügen...</translation>
    </message>
    <message>
        <source>Remove compared performances</source>
        <translation>Verglichene Aufführungen entfernen</translation>
    </message>
    <message>
        <source>Analysis settings...</source>
        <translation>Analyse-Einstellungen...</translation>
    </message>
    <message>
        <source>Record from MIDI input...</source>
        <translation>Vom MIDI-Eingang aufnehmen...</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufnahme beenden</translation>
    </message>
    <message>
        <source>an ASCII MIDI listing (note lines like &quot;1; /* 0 ms */+60 64;&quot;), a Standard MIDI File, a match file or a recording (WAV, FLAC, Ogg/Vorbis or MP3)</source>
        <translation>eine ASCII-MIDI-Liste (Notenzeilen wie &quot;1; /* 0 ms */+60 64;&quot;), eine Standard-MIDI-Datei, eine Match-Datei oder eine Aufnahme (WAV, FLAC, Ogg/Vorbis oder MP3)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a UTF-16 text file; returnplot reads text saved as UTF-8.</source>
        <translation>„%1“ ist eine UTF-16-Textdatei; returnplot liest Text, der als UTF-8 gespeichert ist.</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>Processing...</source>
        <translation>Verarbeitung...</translation>
    </message>
    <message>
        <source>Not enough memory to load &quot;%1&quot;.</source>
        <translation>Nicht genug Speicher, um „%1“ zu laden.</translation>
    </message>
    <message>
        <source>a note</source>
        <translation>eine Note</translation>
    </message>
    <message>
        <source>notes</source>
        <translation>Noten</translation>
    </message>
    <message>
        <source>a match-file term</source>
        <translation>ein Match-Datei-Term</translation>
    </message>
    <message>
        <source>match-file terms</source>
        <translation>Match-Datei-Terme</translation>
    </message>
    <message>
        <source>In &quot;%1&quot;, the note-on at line %2 is earlier than the note-on before it; it is kept in file order and joins the onset event before it.</source>
        <translation>In „%1“ liegt das Note-on in Zeile %2 vor dem Note-on davor; es bleibt in der Reihenfolge der Datei und gehört zum Anschlagsereignis davor.</translation>
    </message>
    <message>
        <source>In &quot;%1&quot;, %3 note-ons are earlier than the note-on before them; the first at line %2. They are kept in file order, each in the onset event before it.</source>
        <translation>In „%1“ liegen %3 Note-ons vor dem Note-on davor, das erste in Zeile %2. Sie bleiben in der Reihenfolge der Datei, jedes im Anschlagsereignis davor.</translation>
    </message>
    <message>
        <source>The times in &quot;%1&quot; were not in order; they were sorted.</source>
        <translation>Die Zeiten in „%1“ waren nicht geordnet; sie wurden sortiert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds more onsets than returnplot can load.</source>
        <translation>„%1“ enthält mehr Anschläge, als returnplot laden kann.</translation>
    </message>
    <message>
        <source>Cannot read the recording &quot;%1&quot;: %2.</source>
        <translation>Die Aufnahme „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds more notes than returnplot can load.</source>
        <translation>„%1“ enthält mehr Noten, als returnplot laden kann.</translation>
    </message>
    <message>
        <source>Nothing in &quot;%1&quot; is a performance returnplot can read: it expected %2.</source>
        <translation>Nichts in „%1“ ist eine Aufführung, die returnplot lesen kann: Erwartet wurde %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no note line (&quot;1; /* 0 ms */+60 64;&quot;): the performance is empty.</source>
        <translation>„%1“ enthält keine Notenzeile (&quot;1; /* 0 ms */+60 64;&quot;): Die Aufführung ist leer.</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Laden...</translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot; failed after %2 notes: %3</source>
        <translation>Das Lesen von „%1“ ist nach %2 Noten fehlgeschlagen: %3</translation>
    </message>
    <message>
        <source>All performances</source>
        <translation>Alle Aufführungen</translation>
    </message>
    <message>
        <source>ASCII MIDI files</source>
        <translation>ASCII-MIDI-Dateien</translation>
    </message>
    <message>
        <source>MIDI files</source>
        <translation>MIDI-Dateien</translation>
    </message>
    <message>
        <source>Match files</source>
        <translation>Match-Dateien</translation>
    </message>
    <message>
        <source>Lists of times</source>
        <translation>Zeitlisten</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>Aufnahmen</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Open ASCII MIDI File</source>
        <translation>ASCII-MIDI-Datei öffnen</translation>
    </message>
    <message>
        <source>Built-in synthesizer (General MIDI)</source>
        <translation>Eingebauter Synthesizer (General MIDI)</translation>
    </message>
    <message>
        <source>Cannot read the match file &quot;%1&quot;: %2.</source>
        <translation>Die Match-Datei „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Cannot read the MIDI file &quot;%1&quot;: %2.</source>
        <translation>Die MIDI-Datei „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>No MIDI output is available: no ALSA sequencer (/dev/snd/seq) and no JACK server was found, or they offer no output port.</source>
        <translation>Kein MIDI-Ausgang verfügbar: Es wurde weder ein ALSA-Sequencer (/dev/snd/seq) noch ein JACK-Server gefunden, oder sie bieten keinen Ausgang an.</translation>
    </message>
    <message>
        <source>No MIDI input is available: no ALSA sequencer (/dev/snd/seq) and no JACK server was found, or they offer no input.</source>
        <translation>Kein MIDI-Eingang verfügbar: Es wurde weder ein ALSA-Sequencer (/dev/snd/seq) noch ein JACK-Server gefunden, oder sie bieten keinen Eingang an.</translation>
    </message>
    <message>
        <source>There is no MIDI output device number %1.</source>
        <translation>Es gibt kein MIDI-Ausgabegerät mit der Nummer %1.</translation>
    </message>
    <message>
        <source>There is no MIDI input device number %1.</source>
        <translation>Es gibt kein MIDI-Eingabegerät mit der Nummer %1.</translation>
    </message>
    <message>
        <source>The MIDI output &quot;%1&quot; could not be opened%2.</source>
        <translation>Der MIDI-Ausgang „%1“ konnte nicht geöffnet werden%2.</translation>
    </message>
    <message>
        <source>The MIDI input &quot;%1&quot; could not be opened%2.</source>
        <translation>Der MIDI-Eingang „%1“ konnte nicht geöffnet werden%2.</translation>
    </message>
    <message>
        <source>The MIDI output is not open.</source>
        <translation>Der MIDI-Ausgang ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Sending to the MIDI output &quot;%1&quot; failed%2. The replay stopped.</source>
        <translation>Das Senden an den MIDI-Ausgang „%1“ ist fehlgeschlagen%2. Die Wiedergabe wurde angehalten.</translation>
    </message>
    <message>
        <source>The MIDI output &quot;%1&quot; is gone (unplugged, or its program ended). The replay stopped.</source>
        <translation>Der MIDI-Ausgang „%1“ ist verschwunden (ausgesteckt, oder sein Programm wurde beendet). Die Wiedergabe wurde angehalten.</translation>
    </message>
    <message>
        <source>Invalid MIDI message (%1); it was not queued.</source>
        <translation>Ungültige MIDI-Nachricht (%1); sie wurde nicht eingereiht.</translation>
    </message>
    <message>
        <source>The built-in synthesizer could not be started%2.</source>
        <translation>Der eingebaute Synthesizer konnte nicht gestartet werden%2.</translation>
    </message>
    <message>
        <source>The built-in synthesizer found no General MIDI SoundFont (install the package timgm6mb-soundfont, or place TimGM6mb.sf2 in the program&apos;s data folder)%2.</source>
        <translation>Der eingebaute Synthesizer hat keine General-MIDI-SoundFont gefunden (installieren Sie das Paket timgm6mb-soundfont oder legen Sie TimGM6mb.sf2 in den Datenordner des Programms)%2.</translation>
    </message>
    <message>
        <source>The built-in synthesizer cannot play: no sound server (PulseAudio, PipeWire or JACK) is running and there is no sound card. Choose a MIDI output device instead.</source>
        <translation>Der eingebaute Synthesizer kann nicht spielen: Es läuft kein Soundserver (PulseAudio, PipeWire oder JACK), und es gibt keine Soundkarte. Wählen Sie stattdessen ein MIDI-Ausgabegerät.</translation>
    </message>
    <message>
        <source>The built-in synthesizer could not open the sound output%2. Choose a MIDI output device instead.</source>
        <translation>Der eingebaute Synthesizer konnte die Tonausgabe nicht öffnen%2. Wählen Sie stattdessen ein MIDI-Ausgabegerät.</translation>
    </message>
    <message>
        <source>The built-in synthesizer&apos;s sound output has stopped. The replay stopped.</source>
        <translation>Die Tonausgabe des eingebauten Synthesizers ist verstummt. Die Wiedergabe wurde angehalten.</translation>
    </message>
    <message>
        <source>event n+2d</source>
        <translation>Ereignis n+2d</translation>
    </message>
    <message>
        <source>event n+d</source>
        <translation>Ereignis n+d</translation>
    </message>
    <message>
        <source>unable to add entry</source>
        <translation>Eintrag kann nicht hinzugefügt werden</translation>
    </message>
    <message>
        <source>a data row</source>
        <translation>eine Datenzeile</translation>
    </message>
    <message>
        <source>data rows</source>
        <translation>Datenzeilen</translation>
    </message>
    <message>
        <source>Comma delimited file must have at least 5 columns (name,x,y,z,size); line %1 has %2.</source>
        <translation>Eine kommagetrennte Datei muss mindestens 5 Spalten haben (name,x,y,z,size); Zeile %1 hat %2.</translation>
    </message>
    <message>
        <source>In &quot;%1&quot;, the colour at line %2 (&quot;%3&quot;) could not be read; the point has the default colour.</source>
        <translation>In „%1“ konnte die Farbe in Zeile %2 (&quot;%3&quot;) nicht gelesen werden; der Punkt erhält die Standardfarbe.</translation>
    </message>
    <message>
        <source>In &quot;%1&quot;, %4 colours could not be read; the first at line %2 (&quot;%3&quot;). Those points have the default colour.</source>
        <translation>In „%1“ konnten %4 Farben nicht gelesen werden, die erste in Zeile %2 (&quot;%3&quot;). Diese Punkte erhalten die Standardfarbe.</translation>
    </message>
    <message>
        <source>Unable to find %1</source>
        <translation>%1 wurde nicht gefunden</translation>
    </message>
    <message>
        <source>there was an error loading %1</source>
        <translation>Beim Laden von %1 ist ein Fehler aufgetreten</translation>
    </message>
    <message>
        <source>Save the take as ASCII MIDI</source>
        <translation>Aufnahme als ASCII-MIDI speichern</translation>
    </message>
    <message>
        <source>No MIDI input was found: connect a MIDI keyboard (or start the program that offers the input) and choose &quot;Record from MIDI input...&quot; again.</source>
        <translation>Es wurde kein MIDI-Eingang gefunden: Schließen Sie ein MIDI-Keyboard an (oder starten Sie das Programm, das den Eingang anbietet) und wählen Sie erneut „Vom MIDI-Eingang aufnehmen...“.</translation>
    </message>
    <message>
        <source>Record from which MIDI input?</source>
        <translation>Von welchem MIDI-Eingang aufnehmen?</translation>
    </message>
    <message>
        <source>The take holds no notes; there is nothing to save.</source>
        <translation>Die Aufnahme enthält keine Noten; es gibt nichts zu speichern.</translation>
    </message>
    <message>
        <source>The take was not saved. It stays loaded, and is kept in %1, which is offered again at the next start.</source>
        <translation>Die Aufnahme wurde nicht gespeichert. Sie bleibt geladen und wird in %1 aufbewahrt; beim nächsten Start wird sie wieder angeboten.</translation>
    </message>
    <message>
        <source>A take recorded earlier was not saved (%1). Recover it? No discards it.</source>
        <translation>Eine früher aufgenommene Aufnahme wurde nicht gespeichert (%1). Wiederherstellen? „Nein“ verwirft sie.</translation>
    </message>
    <message>
        <source>The recovery file cannot be read.</source>
        <translation>Die Wiederherstellungsdatei kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>1 note with a key above 127 was not sent: MIDI cannot carry it.</source>
        <translation>1 Note mit einer Taste über 127 wurde nicht gesendet: MIDI kann sie nicht übertragen.</translation>
    </message>
    <message>
        <source>%1 notes with keys above 127 were not sent: MIDI cannot carry them.</source>
        <translation>%1 Noten mit Tasten über 127 wurden nicht gesendet: MIDI kann sie nicht übertragen.</translation>
    </message>
    <message>
        <source>Add performance for comparison</source>
        <translation>Aufführung zum Vergleich hinzufügen</translation>
    </message>
    <message>
        <source>Preparing MIDI...</source>
        <translation>MIDI wird vorbereitet...</translation>
    </message>
    <message>
        <source>no &quot;ms */&quot; after &quot;/*&quot;</source>
        <translation>kein &quot;ms */&quot; nach &quot;/*&quot;</translation>
    </message>
    <message>
        <source>a time that is not a number</source>
        <translation>eine Zeit, die keine Zahl ist</translation>
    </message>
    <message>
        <source>no + or - after &quot;ms */&quot;</source>
        <translation>kein + oder - nach &quot;ms */&quot;</translation>
    </message>
    <message>
        <source>a key that is not a number from 0 to 255</source>
        <translation>eine Taste, die keine Zahl von 0 bis 255 ist</translation>
    </message>
    <message>
        <source>a velocity that is not a number from 0 to 255</source>
        <translation>eine Velocity, die keine Zahl von 0 bis 255 ist</translation>
    </message>
    <message>
        <source>no note line</source>
        <translation>keine Notenzeile</translation>
    </message>
    <message>
        <source>line %1: %2 (&quot;%3&quot;)</source>
        <translation>Zeile %1: %2 („%3“)</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>line %1 (&quot;%2&quot;)</source>
        <translation>Zeile %1 („%2“)</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>Zeile %1</translation>
    </message>
    <message>
        <source>1 line that looks like %1 was skipped, %3.</source>
        <translation>1 Zeile, die wie %1 aussieht, wurde übersprungen, %3.</translation>
    </message>
    <message>
        <source>%2 lines that look like %1 were skipped; the first at %3.</source>
        <translation>%2 Zeilen, die wie %1 aussehen, wurden übersprungen; die erste in %3.</translation>
    </message>
    <message>
        <source>In &quot;%4&quot;, 1 line that looks like %1 was skipped, %3.</source>
        <translation>In „%4“ wurde 1 Zeile, die wie %1 aussieht, übersprungen, %3.</translation>
    </message>
    <message>
        <source>In &quot;%4&quot;, %2 lines that look like %1 were skipped; the first at %3.</source>
        <translation>In „%4“ wurden %2 Zeilen, die wie %1 aussehen, übersprungen; die erste in %3.</translation>
    </message>
    <message>
        <source>a time that is not a tick count the program can hold</source>
        <translation>eine Zeit, die keine Tickzahl ist, die das Programm fassen kann</translation>
    </message>
    <message>
        <source>a score note with too few arguments</source>
        <translation>eine Partiturnote mit zu wenigen Argumenten</translation>
    </message>
    <message>
        <source>a score note whose onset in beats is not a number</source>
        <translation>eine Partiturnote, deren Einsatz in Schlägen keine Zahl ist</translation>
    </message>
    <message>
        <source>score note attributes without brackets</source>
        <translation>Attribute einer Partiturnote ohne Klammern</translation>
    </message>
    <message>
        <source>a played note without its seven arguments</source>
        <translation>eine gespielte Note ohne ihre sieben Argumente</translation>
    </message>
    <message>
        <source>a pitch that is no MIDI key</source>
        <translation>eine Tonhöhe, die keine MIDI-Taste ist</translation>
    </message>
    <message>
        <source>a velocity outside 0 to 127</source>
        <translation>eine Velocity außerhalb von 0 bis 127</translation>
    </message>
    <message>
        <source>an unfinished score note</source>
        <translation>eine unvollständige Partiturnote</translation>
    </message>
    <message>
        <source>a score note followed by neither -note(...) nor -deletion</source>
        <translation>eine Partiturnote, auf die weder -note(...) noch -deletion folgt</translation>
    </message>
    <message>
        <source>an unfinished inserted note</source>
        <translation>eine unvollständige eingefügte Note</translation>
    </message>
    <message>
        <source>a pedal without its time and value</source>
        <translation>ein Pedal ohne Zeit und Wert</translation>
    </message>
    <message>
        <source>a pedal value outside 0 to 127</source>
        <translation>ein Pedalwert außerhalb von 0 bis 127</translation>
    </message>
    <message>
        <source>an info term without a value</source>
        <translation>ein info-Term ohne Wert</translation>
    </message>
    <message>
        <source>a score property without a value</source>
        <translation>eine Partitur-Eigenschaft ohne Wert</translation>
    </message>
    <message>
        <source>a term not ended by &quot;.&quot;</source>
        <translation>ein Term, der nicht mit &quot;.&quot; endet</translation>
    </message>
    <message>
        <source>a played note before its score note</source>
        <translation>eine gespielte Note vor ihrer Partiturnote</translation>
    </message>
    <message>
        <source>a played note without a score note (an inserted note is written insertion-note(...))</source>
        <translation>eine gespielte Note ohne Partiturnote (eine eingefügte Note wird insertion-note(...) geschrieben)</translation>
    </message>
    <message>
        <source>an unfinished info term</source>
        <translation>ein unvollständiger info-Term</translation>
    </message>
    <message>
        <source>an unfinished score property</source>
        <translation>eine unvollständige Partitur-Eigenschaft</translation>
    </message>
    <message>
        <source>an unfinished term</source>
        <translation>ein unvollständiger Term</translation>
    </message>
    <message>
        <source>info(%1,...) is not a positive number</source>
        <translation>info(%1,...) ist keine positive Zahl</translation>
    </message>
    <message>
        <source>it does not say how long a MIDI clock tick lasts (info(midiClockUnits,...) and info(midiClockRate,...))</source>
        <translation>sie gibt nicht an, wie lange ein MIDI-Clock-Tick dauert (info(midiClockUnits,...) und info(midiClockRate,...))</translation>
    </message>
    <message>
        <source>its MIDI clock tick has no usable length</source>
        <translation>ihr MIDI-Clock-Tick hat keine brauchbare Länge</translation>
    </message>
    <message>
        <source>a label (start, tab, end, tab, label)</source>
        <translation>eine Marke (Beginn, Tab, Ende, Tab, Marke)</translation>
    </message>
    <message>
        <source>a time (a number from 0 on)</source>
        <translation>eine Zeit (eine Zahl ab 0)</translation>
    </message>
    <message>
        <source>Cannot read the list of times &quot;%1&quot;: line %2 (&quot;%3&quot;) is not %4.</source>
        <translation>Die Zeitliste „%1“ kann nicht gelesen werden: Zeile %2 („%3“) ist nicht %4.</translation>
    </message>
    <message>
        <source>Cannot read the list of times &quot;%1&quot;: %2.</source>
        <translation>Die Zeitliste „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>the recording module (%1) is not installed beside returnplot&apos;s desktop program</source>
        <translation>das Aufnahmemodul (%1) ist nicht neben dem Desktop-Programm von returnplot installiert</translation>
    </message>
    <message>
        <source>the recording module cannot be loaded: %1</source>
        <translation>das Aufnahmemodul kann nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>x%1 (chosen)</source>
        <translation>x%1 (gewählt)</translation>
    </message>
    <message>
        <source>x%1 (listing of another program)</source>
        <translation>x%1 (Listing eines anderen Programms)</translation>
    </message>
    <message>
        <source>x%1 (as played)</source>
        <translation>x%1 (wie gespielt)</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; cannot be replayed: %2.</source>
        <translation>Die Aufnahme „%1“ kann nicht wiedergegeben werden: %2.</translation>
    </message>
    <message>
        <source>The recording cannot be replayed: no sound server (PulseAudio, PipeWire or JACK) is running and there is no sound card.</source>
        <translation>Die Aufnahme kann nicht wiedergegeben werden: Es läuft kein Soundserver (PulseAudio, PipeWire oder JACK), und es gibt keine Soundkarte.</translation>
    </message>
    <message>
        <source>The recording cannot be replayed: the sound output failed%1.</source>
        <translation>Die Aufnahme kann nicht wiedergegeben werden: Die Tonausgabe ist fehlgeschlagen%1.</translation>
    </message>
    <message>
        <source>The sound output has stopped. The replay stopped.</source>
        <translation>Die Tonausgabe hat aufgehört. Die Wiedergabe wurde angehalten.</translation>
    </message>
    <message>
        <source>velocity %1</source>
        <translation>Anschlagstärke %1</translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <source>%1 ms per beat</source>
        <translation>%1 ms pro Schlag</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>event %1 at %2</source>
        <translation>Ereignis %1 bei %2</translation>
    </message>
    <message>
        <source>keys %1</source>
        <translation>Tasten %1</translation>
    </message>
    <message>
        <source>bar %1</source>
        <translation>Takt %1</translation>
    </message>
    <message>
        <source>event %1: no point (values past the end)</source>
        <translation>Ereignis %1: kein Punkt (Werte nach dem Ende)</translation>
    </message>
    <message>
        <source>event n</source>
        <translation>Ereignis n</translation>
    </message>
    <message>
        <source>Logarithmic axes</source>
        <translation>Logarithmische Achsen</translation>
    </message>
    <message>
        <source>Identity line</source>
        <translation>Identitätslinie</translation>
    </message>
    <message>
        <source>Colour by time</source>
        <translation>Nach Zeit färben</translation>
    </message>
    <message>
        <source>Event range...</source>
        <translation>Ereignisbereich...</translation>
    </message>
    <message>
        <source>Colours by time show one performance: remove the compared performances to use them.</source>
        <translation>Farben nach Zeit zeigen eine Aufführung: Entfernen Sie die verglichenen Aufführungen, um sie zu verwenden.</translation>
    </message>
    <message>
        <source>z axis = %1</source>
        <translation>z-Achse = %1</translation>
    </message>
    <message>
        <source>%1 = %2</source>
        <translation>%1 = %2</translation>
    </message>
    <message>
        <source>inter-onset interval</source>
        <translation>Einsatzabstand</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>loudness</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>velocity</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>MIDI velocity</source>
        <translation>MIDI-Velocity</translation>
    </message>
    <message>
        <source>tempo</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>ms per beat</source>
        <translation>ms pro Schlag</translation>
    </message>
    <message>
        <source>event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>onset</source>
        <translation>Einsatz</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>score position</source>
        <translation>Position in der Partitur</translation>
    </message>
    <message>
        <source>bars</source>
        <translation>Takte</translation>
    </message>
    <message>
        <source>vector i</source>
        <translation>Vektor i</translation>
    </message>
    <message>
        <source>value number</source>
        <translation>Wertnummer</translation>
    </message>
    <message>
        <source>vector j</source>
        <translation>Vektor j</translation>
    </message>
    <message>
        <source>%1 of %2 intervals between onset events are shorter than %3 ms, twice the cluster window: it may split spread chords into several events. A wider cluster window can be set in the analysis settings (--cluster-ms).</source>
        <translation>%1 von %2 Abständen zwischen Einsatzereignissen sind kürzer als %3 ms, das Doppelte des Clusterfensters: es teilt gebrochene Akkorde womöglich in mehrere Ereignisse. Ein breiteres Clusterfenster lässt sich in den Analyse-Einstellungen wählen (--cluster-ms).</translation>
    </message>
    <message>
        <source>Cannot read the scatter file &quot;%1&quot;: %2.</source>
        <translation>Die Streudiagramm-Datei &quot;%1&quot; kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>inter-onset interval (ms)</source>
        <translation>Einsatzabstand (ms)</translation>
    </message>
    <message>
        <source>loudness (dB)</source>
        <translation>Lautheit (dB)</translation>
    </message>
    <message>
        <source>events %1–%2</source>
        <translation>Ereignisse %1–%2</translation>
    </message>
    <message>
        <source>a score note without its spelled pitch</source>
        <translation>eine Partiturnote ohne notierte Tonhöhe</translation>
    </message>
    <message>
        <source>a pitch outside the MIDI keys</source>
        <translation>eine Tonhöhe außerhalb der MIDI-Tasten</translation>
    </message>
    <message>
        <source>a score note whose place or length is not a number</source>
        <translation>eine Partiturnote, deren Ort oder Länge keine Zahl ist</translation>
    </message>
    <message>
        <source>Cannot read the score of &quot;%1&quot;: line %2: %3.</source>
        <translation>Die Partitur von &quot;%1&quot; kann nicht gelesen werden: Zeile %2: %3.</translation>
    </message>
    <message>
        <source>Cannot read the score of &quot;%1&quot;: %2.</source>
        <translation>Die Partitur von &quot;%1&quot; kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Cannot read the score &quot;%1&quot;: %2.</source>
        <translation>Die Partitur &quot;%1&quot; kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Cannot read the score &quot;%1&quot;: bar %2: %3.</source>
        <translation>Die Partitur &quot;%1&quot; kann nicht gelesen werden: Takt %2: %3.</translation>
    </message>
    <message>
        <source>the divisions of a quarter note are not a count the program can hold</source>
        <translation>die Unterteilungen einer Viertelnote sind keine Anzahl, die das Programm fassen kann</translation>
    </message>
    <message>
        <source>a note without a duration</source>
        <translation>eine Note ohne Dauer</translation>
    </message>
    <message>
        <source>a note of negative duration</source>
        <translation>eine Note mit negativer Dauer</translation>
    </message>
    <message>
        <source>a pitch without a step A to G</source>
        <translation>eine Tonhöhe ohne Stufe A bis G</translation>
    </message>
    <message>
        <source>a backup or forward without a duration</source>
        <translation>ein backup oder forward ohne Dauer</translation>
    </message>
    <message>
        <source>a backup to before the bar&apos;s start</source>
        <translation>ein backup vor den Taktanfang</translation>
    </message>
    <message>
        <source>it is not a compressed MusicXML file (a zip archive)</source>
        <translation>sie ist keine komprimierte MusicXML-Datei (ein Zip-Archiv)</translation>
    </message>
    <message>
        <source>the archive holds no readable MusicXML score</source>
        <translation>das Archiv enthält keine lesbare MusicXML-Partitur</translation>
    </message>
    <message>
        <source>it is a timewise score; only partwise ones are read</source>
        <translation>sie ist eine timewise-Partitur; gelesen werden nur partwise-Partituren</translation>
    </message>
    <message>
        <source>it is not a MusicXML score</source>
        <translation>sie ist keine MusicXML-Partitur</translation>
    </message>
    <message>
        <source>part %1 has more bars than part %2</source>
        <translation>Stimme %1 hat mehr Takte als Stimme %2</translation>
    </message>
    <message>
        <source>part %1 ends here, part %2 goes on</source>
        <translation>Stimme %1 endet hier, Stimme %2 geht weiter</translation>
    </message>
    <message>
        <source>it has no bars</source>
        <translation>sie hat keine Takte</translation>
    </message>
    <message>
        <source>Cannot follow the score &quot;%1&quot;: bar %2: %3.</source>
        <translation>Der Partitur &quot;%1&quot; kann nicht gefolgt werden: Takt %2: %3.</translation>
    </message>
    <message>
        <source>the repeats and jumps never reach the end</source>
        <translation>die Wiederholungen und Sprünge erreichen nie das Ende</translation>
    </message>
    <message>
        <source>an ending that never ends</source>
        <translation>ein Schlussteil, der nie endet</translation>
    </message>
    <message>
        <source>a jump to the coda, but no later bar has a coda sign</source>
        <translation>ein Sprung zur Coda, aber kein späterer Takt hat ein Coda-Zeichen</translation>
    </message>
    <message>
        <source>a dal segno, but no bar has a segno</source>
        <translation>ein dal segno, aber kein Takt hat ein Segno</translation>
    </message>
    <message>
        <source>Scale from performances...</source>
        <translation>Skala aus Aufführungen...</translation>
    </message>
    <message>
        <source>The performances that make the scale</source>
        <translation>Die Aufführungen, die die Skala bestimmen</translation>
    </message>
    <message>
        <source>Scale of the performances shown</source>
        <translation>Skala der gezeigten Aufführungen</translation>
    </message>
    <message>
        <source>Light look for print</source>
        <translation>Helles Aussehen für den Druck</translation>
    </message>
    <message>
        <source>bar</source>
        <translation>Takt</translation>
    </message>
    <message>
        <source>whole</source>
        <translation>Ganze</translation>
    </message>
    <message>
        <source>half</source>
        <translation>Halbe</translation>
    </message>
    <message>
        <source>quarter</source>
        <translation>Viertel</translation>
    </message>
    <message>
        <source>eighth</source>
        <translation>Achtel</translation>
    </message>
    <message>
        <source>sixteenth</source>
        <translation>Sechzehntel</translation>
    </message>
    <message>
        <source>thirty-second</source>
        <translation>Zweiunddreißigstel</translation>
    </message>
    <message>
        <source>dotted whole</source>
        <translation>punktierte Ganze</translation>
    </message>
    <message>
        <source>dotted half</source>
        <translation>punktierte Halbe</translation>
    </message>
    <message>
        <source>dotted quarter</source>
        <translation>punktierte Viertel</translation>
    </message>
    <message>
        <source>dotted eighth</source>
        <translation>punktierte Achtel</translation>
    </message>
    <message>
        <source>dotted sixteenth</source>
        <translation>punktierte Sechzehntel</translation>
    </message>
    <message>
        <source>%1/%2 note</source>
        <translation>%1/%2-Note</translation>
    </message>
    <message>
        <source>BPM (%1)</source>
        <translation>BPM (%1)</translation>
    </message>
    <message>
        <source>ms per %1</source>
        <translation>ms pro %1</translation>
    </message>
    <message>
        <source>tempo in %1</source>
        <translation>Tempo in %1</translation>
    </message>
    <message>
        <source>beat period (%1)</source>
        <translation>Schlagdauer (%1)</translation>
    </message>
    <message>
        <source>%1 BPM (%2)</source>
        <translation>%1 BPM (%2)</translation>
    </message>
    <message>
        <source>%1 BPM</source>
        <translation>%1 BPM</translation>
    </message>
    <message>
        <source>%1 ms per %2</source>
        <translation>%1 ms pro %2</translation>
    </message>
    <message>
        <source>Tempo per beat...</source>
        <translation>Tempo pro Schlag...</translation>
    </message>
    <message>
        <source>Tempo in beats per minute</source>
        <translation>Tempo in Schlägen pro Minute</translation>
    </message>
    <message>
        <source>the beat of the time signature</source>
        <translation>der Schlag der Taktart</translation>
    </message>
    <message>
        <source>Count tempo per</source>
        <translation>Tempo zählen pro</translation>
    </message>
    <message>
        <source>needs two performances aligned to a score</source>
        <translation>braucht zwei an einer Partitur ausgerichtete Aufführungen</translation>
    </message>
    <message>
        <source>needs two performances</source>
        <translation>braucht zwei Aufführungen</translation>
    </message>
    <message>
        <source>vector j of the second</source>
        <translation>Vektor j der zweiten</translation>
    </message>
    <message>
        <source>paired value number</source>
        <translation>Nummer des Wertepaars</translation>
    </message>
    <message>
        <source>vector i of the first</source>
        <translation>Vektor i der ersten</translation>
    </message>
    <message>
        <source>no windows: bars need a score</source>
        <translation>keine Fenster: Takte brauchen eine Partitur</translation>
    </message>
    <message>
        <source>no windows</source>
        <translation>keine Fenster</translation>
    </message>
    <message>
        <source>first bar of the window</source>
        <translation>erster Takt des Fensters</translation>
    </message>
    <message>
        <source>first event of the window</source>
        <translation>erstes Ereignis des Fensters</translation>
    </message>
    <message>
        <source>needs a performance aligned to a score</source>
        <translation>braucht eine an einer Partitur ausgerichtete Aufführung</translation>
    </message>
    <message>
        <source>time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>A list of times has no velocities.</source>
        <translation>Eine Zeitenliste hat keine Anschlagstärken.</translation>
    </message>
    <message>
        <source>Tempo needs a performance aligned to its score (a match file).</source>
        <translation>Das Tempo braucht eine an ihrer Partitur ausgerichtete Aufführung (eine Match-Datei).</translation>
    </message>
    <message>
        <source>The melody lead needs a performance aligned to its score (a match file).</source>
        <translation>Der Melodievorlauf braucht eine an ihrer Partitur ausgerichtete Aufführung (eine Match-Datei).</translation>
    </message>
    <message>
        <source>The melody lead needs a score that marks its voices.</source>
        <translation>Der Melodievorlauf braucht eine Partitur, die ihre Stimmen kennzeichnet.</translation>
    </message>
    <message>
        <source>The chord spread needs a performance aligned to its score (a match file).</source>
        <translation>Die Akkordstreuung braucht eine an ihrer Partitur ausgerichtete Aufführung (eine Match-Datei).</translation>
    </message>
    <message>
        <source>melody lead (ms)</source>
        <translation>Melodievorlauf (ms)</translation>
    </message>
    <message>
        <source>chord spread (ms)</source>
        <translation>Akkordstreuung (ms)</translation>
    </message>
</context>
<context>
    <name>rp::AlignByMenu</name>
    <message>
        <source>Event number</source>
        <translation>Ereignisnummer</translation>
    </message>
    <message>
        <source>Relative position in time</source>
        <translation>Relative Position in der Zeit</translation>
    </message>
    <message>
        <source>Score position</source>
        <translation>Position in der Partitur</translation>
    </message>
    <message>
        <source>Align compared by</source>
        <translation>Verglichene ausrichten nach</translation>
    </message>
    <message>
        <source>Needs every shown performance aligned to the score of the same piece (match files with the same piece).</source>
        <translation>Dazu muss jede gezeigte Aufführung an der Partitur desselben Stücks ausgerichtet sein (Match-Dateien desselben Stücks).</translation>
    </message>
</context>
<context>
    <name>rp::AnalysisSettingsDialog</name>
    <message>
        <source>its earliest note</source>
        <translation>seine früheste Note</translation>
    </message>
    <message>
        <source>the mean of its notes</source>
        <translation>das Mittel seiner Noten</translation>
    </message>
    <message>
        <source>its melody note</source>
        <translation>seine Melodienote</translation>
    </message>
    <message>
        <source>its highest note</source>
        <translation>seine höchste Note</translation>
    </message>
    <message>
        <source>Which played notes give a score position its onset (performances aligned to their score): the melody is the voice the file marks as melody, else the highest note.</source>
        <translation>Welche gespielten Noten einer Partiturposition ihren Einsatz geben (an der Partitur ausgerichtete Aufführungen): die Melodie ist die Stimme, die die Datei als Melodie kennzeichnet, sonst die höchste Note.</translation>
    </message>
    <message>
        <source>Onset of a score position:</source>
        <translation>Einsatz einer Partiturposition:</translation>
    </message>
    <message>
        <source>Analysis settings</source>
        <translation>Analyse-Einstellungen</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>A note-on more than this after the first note-on of the current onset event opens a new event.</source>
        <translation>Ein Note-on, das mehr als so lange nach dem ersten Note-on des aktuellen Einsatzereignisses kommt, beginnt ein neues Ereignis.</translation>
    </message>
    <message>
        <source>Event n is plotted against events n+d and n+2d.</source>
        <translation>Ereignis n wird gegen die Ereignisse n+d und n+2d aufgetragen.</translation>
    </message>
    <message>
        <source>The detection function that finds the onsets in a recording.</source>
        <translation>Die Erkennungsfunktion, die die Einsätze in einer Aufnahme findet.</translation>
    </message>
    <message>
        <source>Lower finds more onsets in a recording, also some that were not played.</source>
        <translation>Niedriger findet mehr Einsätze in einer Aufnahme, auch einige, die nicht gespielt wurden.</translation>
    </message>
    <message>
        <source> dB</source>
        <translation> dB</translation>
    </message>
    <message>
        <source>Nothing quieter than this is an onset.</source>
        <translation>Nichts Leiseres als dies ist ein Einsatz.</translation>
    </message>
    <message>
        <source>Two onsets of a recording lie at least this far apart.</source>
        <translation>Zwei Einsätze einer Aufnahme liegen mindestens so weit auseinander.</translation>
    </message>
    <message>
        <source>Cluster window:</source>
        <translation>Gruppierungsfenster:</translation>
    </message>
    <message>
        <source>Delay d:</source>
        <translation>Verzögerung d:</translation>
    </message>
    <message>
        <source>Onsets of a recording:</source>
        <translation>Einsätze einer Aufnahme:</translation>
    </message>
    <message>
        <source>Detection function:</source>
        <translation>Erkennungsfunktion:</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>Schwelle:</translation>
    </message>
    <message>
        <source>Silence below:</source>
        <translation>Stille unter:</translation>
    </message>
    <message>
        <source>At least apart:</source>
        <translation>Mindestabstand:</translation>
    </message>
    <message>
        <source>OK analyses the loaded performance again.</source>
        <translation>OK analysiert die geladene Aufführung neu.</translation>
    </message>
    <message>
        <source>Event velocity:</source>
        <translation>Velocity eines Ereignisses:</translation>
    </message>
    <message>
        <source>seconds (s)</source>
        <translation>Sekunden (s)</translation>
    </message>
    <message>
        <source>milliseconds (ms)</source>
        <translation>Millisekunden (ms)</translation>
    </message>
    <message>
        <source>The unit of the numbers in a plain list of times, one time a line.</source>
        <translation>Die Einheit der Zahlen in einer einfachen Zeitenliste, eine Zeit pro Zeile.</translation>
    </message>
    <message>
        <source>The cluster window does not apply to match files: their events are the score&apos;s.</source>
        <translation>Das Cluster-Fenster gilt nicht für Match-Dateien: Ihre Ereignisse sind die der Partitur.</translation>
    </message>
    <message>
        <source>Plain list of times in:</source>
        <translation>Einfache Zeitenliste in:</translation>
    </message>
</context>
<context>
    <name>rp::ChartView</name>
    <message>
        <source>PNG image</source>
        <translation>PNG-Bild</translation>
    </message>
    <message>
        <source>SVG drawing</source>
        <translation>SVG-Zeichnung</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;.</source>
        <translation>&quot;%1&quot; kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>PDF document</source>
        <translation>PDF-Dokument</translation>
    </message>
</context>
<context>
    <name>rp::ControlPanel</name>
    <message>
        <source>Control panel</source>
        <translation>Steuerung</translation>
    </message>
    <message>
        <source>No MIDI output</source>
        <translation>Kein MIDI-Ausgang</translation>
    </message>
    <message>
        <source>Back to the first event</source>
        <translation>Zurück zum ersten Ereignis</translation>
    </message>
    <message>
        <source>Replay from the current event (Space)</source>
        <translation>Ab dem aktuellen Ereignis wiedergeben (Leertaste)</translation>
    </message>
    <message>
        <source>Stop the replay or the recording (Space)</source>
        <translation>Wiedergabe oder Aufnahme beenden (Leertaste)</translation>
    </message>
    <message>
        <source>The onset time of the current event</source>
        <translation>Die Einsatzzeit des aktuellen Ereignisses</translation>
    </message>
    <message>
        <source>Open performance...</source>
        <translation>Aufführung öffnen...</translation>
    </message>
    <message>
        <source>Open a performance: ASCII MIDI, Standard MIDI File, match file, list of times or recording</source>
        <translation>Eine Aufführung öffnen: ASCII-MIDI, Standard-MIDI-Datei, Match-Datei, Zeitenliste oder Aufnahme</translation>
    </message>
    <message>
        <source>The current event</source>
        <translation>Das aktuelle Ereignis</translation>
    </message>
    <message>
        <source>The number of onset events</source>
        <translation>Die Zahl der Einsatzereignisse</translation>
    </message>
    <message>
        <source>Timing</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>Plot the inter-onset intervals</source>
        <translation>Die Einsatzabstände auftragen</translation>
    </message>
    <message>
        <source>Velocity</source>
        <translation>Anschlagstärke</translation>
    </message>
    <message>
        <source>Plot the velocities</source>
        <translation>Die Anschlagstärken auftragen</translation>
    </message>
    <message>
        <source>The replay&apos;s tempo against the performance&apos;s</source>
        <translation>Das Tempo der Wiedergabe gegenüber dem der Aufführung</translation>
    </message>
    <message>
        <source>Replay speed</source>
        <translation>Wiedergabetempo</translation>
    </message>
    <message>
        <source>How many events before the current one the plot shows</source>
        <translation>Wie viele Ereignisse vor dem aktuellen die Darstellung zeigt</translation>
    </message>
    <message>
        <source>Length of tail</source>
        <translation>Länge des Schweifs</translation>
    </message>
    <message>
        <source>No MIDI output&apos;s name contains &quot;%1&quot;; the replay goes to &quot;%2&quot;.</source>
        <translation>Kein MIDI-Ausgang enthält „%1“ im Namen; die Wiedergabe geht an „%2“.</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>of</source>
        <translation>von</translation>
    </message>
    <message>
        <source>Velocities by file</source>
        <translation>Velocity nach Datei</translation>
    </message>
    <message>
        <source>Velocities x%1</source>
        <translation>Velocity x%1</translation>
    </message>
    <message>
        <source>How loud the replay plays the velocities: by file, listings of other programs 1.5 times louder and everything else as recorded; or one scale for every file</source>
        <translation>Wie laut die Wiedergabe die Velocity spielt: nach Datei, Listings anderer Programme 1,5-mal lauter und alles andere wie aufgenommen; oder ein Faktor für jede Datei</translation>
    </message>
    <message>
        <source>Where the replay goes: the built-in synthesizer or a MIDI output (a recording is always replayed through the sound output)</source>
        <translation>Wohin die Wiedergabe geht: der eingebaute Synthesizer oder ein MIDI-Ausgang (eine Aufnahme wird immer über die Tonausgabe wiedergegeben)</translation>
    </message>
    <message>
        <source>The current event; click, drag or use the keys to move through the performance</source>
        <translation>Das aktuelle Ereignis; klicken, ziehen oder die Tasten benutzen, um sich durch die Aufführung zu bewegen</translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Plot the beat periods (ms per beat) of performances aligned to their score</source>
        <translation>Die Schlagdauern (ms pro Schlag) von an ihrer Partitur ausgerichteten Aufführungen darstellen</translation>
    </message>
    <message>
        <source>Plot how far each melody note comes before the other notes of its chord (ms), of performances aligned to their score</source>
        <translation>Den Vorlauf jeder Melodienote vor den anderen Noten ihres Akkords (ms) von an ihrer Partitur ausgerichteten Aufführungen darstellen</translation>
    </message>
    <message>
        <source>Plot how far the notes of each chord are spread (latest minus earliest onset, ms), of performances aligned to their score</source>
        <translation>Die Streuung der Noten jedes Akkords (spätester minus frühester Einsatz, ms) von an ihrer Partitur ausgerichteten Aufführungen darstellen</translation>
    </message>
    <message>
        <source>Melody lead</source>
        <translation>Melodievorlauf</translation>
    </message>
    <message>
        <source>Chord spread</source>
        <translation>Akkordstreuung</translation>
    </message>
</context>
<context>
    <name>rp::PlotMenuBar</name>
    <message>
        <source>Open performance with &amp;score...</source>
        <translation>Aufführung mit &amp;Partitur öffnen...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Ctrl+Shift+O</source>
        <translation>Ctrl+Shift+O</translation>
    </message>
    <message>
        <source>Export &amp;events as CSV...</source>
        <translation>&amp;Ereignisse als CSV exportieren...</translation>
    </message>
    <message>
        <source>Export &amp;picture as PNG...</source>
        <translation>&amp;Bild als PNG exportieren...</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Handbuch</translation>
    </message>
    <message>
        <source>&amp;About returnplot</source>
        <translation>Ü&amp;ber returnplot</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Handbuch</translation>
    </message>
    <message>
        <source>The manual is the manual page: type &quot;man returnplot&quot; in a terminal.</source>
        <translation>Das Handbuch ist die Manual-Seite: „man returnplot“ in einem Terminal eingeben.</translation>
    </message>
    <message>
        <source>About returnplot</source>
        <translation>Über returnplot</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;returnplot %1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Onset events of music performances as rotatable 3D return plots, with replay.&lt;/p&gt;&lt;p&gt;This program is free software under the GNU General Public License, version 3 or later. It comes with no warranty.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;returnplot %1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Einsatzereignisse musikalischer Aufführungen als drehbare 3D-Return-Plots, mit Wiedergabe.&lt;/p&gt;&lt;p&gt;Dieses Programm ist freie Software unter der GNU General Public License, Version 3 oder später. Es kommt ohne jede Gewährleistung.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>rp::PlotWindow</name>
    <message>
        <source>Open scatter file</source>
        <translation>Streudiagramm-Datei öffnen</translation>
    </message>
    <message>
        <source>Scatter files</source>
        <translation>Streudiagramm-Dateien</translation>
    </message>
    <message>
        <source>Return plot in 3 dimensions</source>
        <translation>Return-Plot in 3 Dimensionen</translation>
    </message>
    <message>
        <source>Software rendering</source>
        <translation>Software-Darstellung</translation>
    </message>
    <message>
        <source>There are no events to export: open a performance first.</source>
        <translation>Es gibt keine Ereignisse zu exportieren: zuerst eine Aufführung öffnen.</translation>
    </message>
    <message>
        <source>Export events as CSV</source>
        <translation>Ereignisse als CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>CSV-Dateien</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Export picture as PNG</source>
        <translation>Bild als PNG exportieren</translation>
    </message>
    <message>
        <source>PNG pictures</source>
        <translation>PNG-Bilder</translation>
    </message>
    <message>
        <source>Cannot write %1.</source>
        <translation>%1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Statistics...</source>
        <translation>Statistik...</translation>
    </message>
    <message>
        <source>Play or stop</source>
        <translation>Abspielen oder anhalten</translation>
    </message>
</context>
<context>
    <name>rp::PoincareView</name>
    <message>
        <source>Poincaré view</source>
        <translation>Poincaré-Ansicht</translation>
    </message>
</context>
<context>
    <name>rp::ProgressWindow</name>
    <message>
        <source>Processing....</source>
        <translation>Verarbeitung....</translation>
    </message>
</context>
<context>
    <name>rp::StatisticsWindow</name>
    <message>
        <source>melody lead</source>
        <translation>Melodievorlauf</translation>
    </message>
    <message>
        <source>chord spread</source>
        <translation>Akkordstreuung</translation>
    </message>
    <message>
        <source>key overlap</source>
        <translation>Tastenüberlappung</translation>
    </message>
    <message>
        <source>timing</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>velocity</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>tempo</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>N: the number of values x_1..x_N of the series.</source>
        <translation>N: die Anzahl der Werte x_1..x_N der Reihe.</translation>
    </message>
    <message>
        <source>m: the mean of the values.</source>
        <translation>m: der Mittelwert der Werte.</translation>
    </message>
    <message>
        <source>The standard deviation of the values, divisor N-1.</source>
        <translation>Die Standardabweichung der Werte, Divisor N-1.</translation>
    </message>
    <message>
        <source>sd / mean; empty when the mean is 0 or less.</source>
        <translation>sd / Mittelwert; leer, wenn der Mittelwert 0 oder kleiner ist.</translation>
    </message>
    <message>
        <source>The standard deviation (divisor M-1) of (x_k - x_k+d)/sqrt(2), k = 1..M, M = N-d: the spread across the identity line.</source>
        <translation>Die Standardabweichung (Divisor M-1) von (x_k - x_k+d)/sqrt(2), k = 1..M, M = N-d: die Streuung quer zur Identitätslinie.</translation>
    </message>
    <message>
        <source>The standard deviation (divisor M-1) of (x_k + x_k+d)/sqrt(2), k = 1..M, M = N-d: the spread along the identity line.</source>
        <translation>Die Standardabweichung (Divisor M-1) von (x_k + x_k+d)/sqrt(2), k = 1..M, M = N-d: die Streuung entlang der Identitätslinie.</translation>
    </message>
    <message>
        <source>sd1 / sd2.</source>
        <translation>sd1 / sd2.</translation>
    </message>
    <message>
        <source>pi * sd1 * sd2: the area of the ellipse.</source>
        <translation>pi * sd1 * sd2: die Fläche der Ellipse.</translation>
    </message>
    <message>
        <source>The lag-d autocorrelation: sum over k = 1..N-d of (x_k - m)(x_k+d - m), divided by the sum over k = 1..N of (x_k - m)^2.</source>
        <translation>Die Autokorrelation bei Verzögerung d: Summe über k = 1..N-d von (x_k - m)(x_k+d - m), geteilt durch die Summe über k = 1..N von (x_k - m)^2.</translation>
    </message>
    <message>
        <source>Detrended fluctuation analysis: the least-squares slope of ln F(n) against ln n, F(n) the root mean square of the profile&apos;s residuals from straight lines over windows of n values, n = floor(4*2^(j/4)) &lt;= N/4. Empty with fewer than 4 scales.</source>
        <translation>Trendbereinigte Fluktuationsanalyse: die Steigung (kleinste Quadrate) von ln F(n) gegen ln n, F(n) der quadratische Mittelwert der Abweichungen des Profils von Geraden über Fenster von n Werten, n = floor(4*2^(j/4)) &lt;= N/4. Leer bei weniger als 4 Skalen.</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>performance</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>The file, in its plot colour.</source>
        <translation>Die Datei, in ihrer Farbe im Plot.</translation>
    </message>
    <message>
        <source>series</source>
        <translation>Reihe</translation>
    </message>
    <message>
        <source>timing: x_k = onset(k+1) - onset(k) in ms; velocity: x_k = the velocity of event k; tempo: the timing divided by the score distance in beats (ms per beat).</source>
        <translation>Timing: x_k = Einsatz(k+1) - Einsatz(k) in ms; Velocity: x_k = die Velocity von Ereignis k; Tempo: das Timing geteilt durch den Abstand in der Partitur in Schlägen (ms pro Schlag).</translation>
    </message>
    <message>
        <source>Copy as CSV</source>
        <translation>Als CSV kopieren</translation>
    </message>
    <message>
        <source>Curve against onset time</source>
        <translation>Kurve über der Einsatzzeit</translation>
    </message>
    <message>
        <source>Curve against event number</source>
        <translation>Kurve über der Ereignisnummer</translation>
    </message>
    <message>
        <source>Export tempo curve...</source>
        <translation>Tempokurve exportieren...</translation>
    </message>
    <message>
        <source>Export Poincaré view...</source>
        <translation>Poincaré-Ansicht exportieren...</translation>
    </message>
    <message>
        <source>Computing...</source>
        <translation>Wird berechnet...</translation>
    </message>
    <message>
        <source>Over the first %1 of %2 values.</source>
        <translation>Über die ersten %1 von %2 Werten.</translation>
    </message>
    <message>
        <source>Export tempo curve</source>
        <translation>Tempokurve exportieren</translation>
    </message>
    <message>
        <source>Export Poincaré view</source>
        <translation>Poincaré-Ansicht exportieren</translation>
    </message>
    <message>
        <source>The permutation p-value of r_d: (1 + the number of the S shuffles of the series whose |r_d| is at least the observed |r_d|) / (S + 1), the shuffles drawn from random state 1; S as chosen below (999 unless changed, 0: none).</source>
        <translation>Der Permutations-p-Wert von r_d: (1 + die Zahl der S Mischungen der Reihe, deren |r_d| mindestens das beobachtete |r_d| ist) / (S + 1), die Mischungen aus dem Zufallszustand 1 gezogen; S wie unten gewählt (999, wenn nicht geändert; 0: keine).</translation>
    </message>
    <message>
        <source>Sample entropy, m and r as chosen below (2 and 0.2 unless changed): -ln(A/B), B the pairs of m-value templates within r * sd, A those still within it at the value after; over at most the first 20,000 values.</source>
        <translation>Stichprobenentropie, m und r wie unten gewählt (2 und 0,2, wenn nicht geändert): -ln(A/B), B die Paare von Mustern aus m Werten innerhalb r * sd, A die beim folgenden Wert noch darin liegenden; über höchstens die ersten 20.000 Werte.</translation>
    </message>
    <message>
        <source>The shuffles of rd_p&apos;s permutation test (--permutations); 0: no rd_p.</source>
        <translation>Die Mischungen des Permutationstests von rd_p (--permutations); 0: kein rd_p.</translation>
    </message>
    <message>
        <source>The template length m of sampen (--sampen-m).</source>
        <translation>Die Musterlänge m von sampen (--sampen-m).</translation>
    </message>
    <message>
        <source>The tolerance r of sampen as a fraction of the sd (--sampen-r).</source>
        <translation>Die Toleranz r von sampen als Anteil der sd (--sampen-r).</translation>
    </message>
    <message>
        <source>Shuffles of rd_p</source>
        <translation>Mischungen für rd_p</translation>
    </message>
    <message>
        <source>sampen m</source>
        <translation>sampen m</translation>
    </message>
    <message>
        <source>sampen r (× sd)</source>
        <translation>sampen r (× sd)</translation>
    </message>
    <message>
        <source>Dimension m</source>
        <translation>Dimension m</translation>
    </message>
    <message>
        <source>Delay τ</source>
        <translation>Verzögerung τ</translation>
    </message>
    <message>
        <source>Theiler window w</source>
        <translation>Theiler-Fenster w</translation>
    </message>
    <message>
        <source>for 5% recurrences</source>
        <translation>für 5 % Rekurrenzen</translation>
    </message>
    <message>
        <source>The radius in the series&apos; unit; at 0 it is chosen so that 5% of the cells recur.</source>
        <translation>Der Radius in der Einheit der Reihe; bei 0 so gewählt, dass 5 % der Zellen rekurrieren.</translation>
    </message>
    <message>
        <source>Radius ε</source>
        <translation>Radius ε</translation>
    </message>
    <message>
        <source>Poincaré view</source>
        <translation>Poincaré-Ansicht</translation>
    </message>
    <message>
        <source>Tempo against bars</source>
        <translation>Tempo über Takten</translation>
    </message>
    <message>
        <source>Tempo–loudness</source>
        <translation>Tempo–Lautstärke</translation>
    </message>
    <message>
        <source>Recurrence</source>
        <translation>Rekurrenz</translation>
    </message>
    <message>
        <source>Beat of the time signature</source>
        <translation>Schlag der Taktart</translation>
    </message>
    <message>
        <source>ms per beat</source>
        <translation>ms pro Schlag</translation>
    </message>
    <message>
        <source>BPM</source>
        <translation>BPM</translation>
    </message>
    <message>
        <source>bars as played, trajectory over a bar</source>
        <translation>Takte wie gespielt, Bahn über einen Takt</translation>
    </message>
    <message>
        <source>The centred window the tempo and loudness are smoothed over, in beats.</source>
        <translation>Das zentrierte Fenster, über das Tempo und Lautstärke geglättet werden, in Schlägen.</translation>
    </message>
    <message>
        <source>Smooth over (beats)</source>
        <translation>Glätten über (Schläge)</translation>
    </message>
    <message>
        <source>Export chart...</source>
        <translation>Diagramm exportieren...</translation>
    </message>
    <message>
        <source>The chart of the tab shown, in the light theme for print, as returnplot --chart writes it.</source>
        <translation>Das Diagramm des gezeigten Reiters, im hellen Design für den Druck, wie returnplot --chart es schreibt.</translation>
    </message>
    <message>
        <source>Export chart</source>
        <translation>Diagramm exportieren</translation>
    </message>
    <message>
        <source>No intervals</source>
        <translation>Keine Intervalle</translation>
    </message>
    <message>
        <source>%1% intervals</source>
        <translation>%1-%-Intervalle</translation>
    </message>
    <message>
        <source>Beside each measure the percentile interval of a moving-block bootstrap at this level (--ci): 1000 resamples of blocks of the cube root of N values, drawn from random state 1.</source>
        <translation>Neben jedem Maß das Perzentil-Intervall eines Moving-Block-Bootstraps auf diesem Niveau (--ci): 1000 Stichproben aus Blöcken von der Kubikwurzel aus N Werten, gezogen aus Zufallszustand 1.</translation>
    </message>
    <message>
        <source>No windows</source>
        <translation>Keine Fenster</translation>
    </message>
    <message>
        <source>Windows of events</source>
        <translation>Fenster aus Ereignissen</translation>
    </message>
    <message>
        <source>Windows of bars</source>
        <translation>Fenster aus Takten</translation>
    </message>
    <message>
        <source>The events (at least 2) or bars of a window.</source>
        <translation>Die Ereignisse (mindestens 2) oder Takte eines Fensters.</translation>
    </message>
    <message>
        <source>a window&apos;s size</source>
        <translation>Fenstergröße</translation>
    </message>
    <message>
        <source>How many events or bars the next window begins after the one before (--step).</source>
        <translation>Wie viele Ereignisse oder Takte nach dem vorigen das nächste Fenster beginnt (--step).</translation>
    </message>
    <message>
        <source>every</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>The selected performance alone, or crossed with another aligned to the same score: values paired by score position, only the positions both played.</source>
        <translation>Die gewählte Aufführung allein oder gekreuzt mit einer anderen, an derselben Partitur ausgerichteten: Werte nach Partiturposition gepaart, nur die Positionen, die beide spielten.</translation>
    </message>
    <message>
        <source>Measure over the windows</source>
        <translation>Maß über die Fenster</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Fenster</translation>
    </message>
    <message>
        <source>Features against score</source>
        <translation>Merkmale über der Partitur</translation>
    </message>
    <message>
        <source>Alone</source>
        <translation>Allein</translation>
    </message>
    <message>
        <source>Crossed with %1</source>
        <translation>Gekreuzt mit %1</translation>
    </message>
    <message>
        <source>The lower end of %1&apos;s bootstrap interval (%2).</source>
        <translation>Das untere Ende des Bootstrap-Intervalls von %1 (%2).</translation>
    </message>
    <message>
        <source>The upper end of %1&apos;s bootstrap interval (%2).</source>
        <translation>Das obere Ende des Bootstrap-Intervalls von %1 (%2).</translation>
    </message>
    <message>
        <source>The smallest box of dfa_alpha, in values (--dfa-scales MIN:MAX).</source>
        <translation>Die kleinste Box von dfa_alpha, in Werten (--dfa-scales MIN:MAX).</translation>
    </message>
    <message>
        <source>N/4</source>
        <translation>N/4</translation>
    </message>
    <message>
        <source>The largest box of dfa_alpha, in values; N/4: a quarter of the series.</source>
        <translation>Die größte Box von dfa_alpha, in Werten; N/4: ein Viertel der Reihe.</translation>
    </message>
    <message>
        <source>DFA scales</source>
        <translation>DFA-Skalen</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
</context>
<context>
    <name>rp::TempoCurveView</name>
    <message>
        <source>Tempo curve</source>
        <translation>Tempokurve</translation>
    </message>
</context>
</TS>
