<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>returnplot</name>
    <message>
        <source>No hardware support found. Switching to reference rasterizer.</source>
        <translation>Keine Hardwareunterstützung gefunden. Es wird der Software-Renderer verwendet.</translation>
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
</context>
<context>
    <name>rp::AnalysisSettingsDialog</name>
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
        <source>Where the replay goes: the built-in synthesizer or a MIDI output</source>
        <translation>Wohin die Wiedergabe geht: der eingebaute Synthesizer oder ein MIDI-Ausgang</translation>
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
        <source>The current event; drag to move through the performance</source>
        <translation>Das aktuelle Ereignis; ziehen, um sich durch die Aufführung zu bewegen</translation>
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
        <source>The shown performances have velocities of different kinds (MIDI and dB).</source>
        <translation>Die gezeigten Aufführungen haben Anschlagstärken verschiedener Art (MIDI und dB).</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>of</source>
        <translation>von</translation>
    </message>
</context>
<context>
    <name>rp::PlotMenuBar</name>
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
</context>
<context>
    <name>rp::ProgressWindow</name>
    <message>
        <source>Processing....</source>
        <translation>Verarbeitung....</translation>
    </message>
</context>
</TS>
