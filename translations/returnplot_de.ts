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
    <message>
        <source>Event velocity:</source>
        <translation>Velocity eines Ereignisses:</translation>
    </message>
</context>
<context>
    <name>rp::ChartView</name>
    <message>
        <source>inter-onset interval (ms)</source>
        <translation>Einsatzabstand (ms)</translation>
    </message>
    <message>
        <source>velocity</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>tempo (ms per beat)</source>
        <translation>Tempo (ms pro Schlag)</translation>
    </message>
    <message>
        <source>PNG image|*.png|SVG drawing|*.svg</source>
        <translation>PNG-Bild|*.png|SVG-Zeichnung|*.svg</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;.</source>
        <translation>&quot;%1&quot; kann nicht geschrieben werden.</translation>
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
    <message>
        <source>Statistics...</source>
        <translation>Statistik...</translation>
    </message>
</context>
<context>
    <name>rp::PoincareView</name>
    <message>
        <source>Poincaré view</source>
        <translation>Poincaré-Ansicht</translation>
    </message>
    <message>
        <source>x(k): %1</source>
        <translation>x(k): %1</translation>
    </message>
    <message>
        <source>x(k+d): %1</source>
        <translation>x(k+d): %1</translation>
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
        <source>The permutation p-value of r_d: (1 + the number of 999 shuffles of the series whose |r_d| is at least the observed |r_d|) / 1000, the shuffles drawn from random state 1.</source>
        <translation>Der Permutations-p-Wert von r_d: (1 + die Anzahl der 999 Mischungen der Reihe, deren |r_d| mindestens das beobachtete |r_d| ist) / 1000, die Mischungen aus Zufallszustand 1 gezogen.</translation>
    </message>
    <message>
        <source>Detrended fluctuation analysis: the least-squares slope of ln F(n) against ln n, F(n) the root mean square of the profile&apos;s residuals from straight lines over windows of n values, n = floor(4*2^(j/4)) &lt;= N/4. Empty with fewer than 4 scales.</source>
        <translation>Trendbereinigte Fluktuationsanalyse: die Steigung (kleinste Quadrate) von ln F(n) gegen ln n, F(n) der quadratische Mittelwert der Abweichungen des Profils von Geraden über Fenster von n Werten, n = floor(4*2^(j/4)) &lt;= N/4. Leer bei weniger als 4 Skalen.</translation>
    </message>
    <message>
        <source>Sample entropy, m = 2, r = 0.2 * sd: -ln(A/B), B the pairs of 2-value templates within r, A those still within r at the third value; over at most the first 20,000 values.</source>
        <translation>Stichprobenentropie, m = 2, r = 0.2 * sd: -ln(A/B), B die Paare von Vorlagen aus 2 Werten innerhalb von r, A die auch beim dritten Wert noch innerhalb von r; über höchstens die ersten 20.000 Werte.</translation>
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
</context>
<context>
    <name>rp::TempoCurveView</name>
    <message>
        <source>Tempo curve</source>
        <translation>Tempokurve</translation>
    </message>
    <message>
        <source>event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>onset (s)</source>
        <translation>Einsatz (s)</translation>
    </message>
</context>
</TS>
