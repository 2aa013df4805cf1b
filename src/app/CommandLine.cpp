// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <ostream>

#include "app/AlignCommand.h"
#include "app/AnalysisReport.h"
#include "app/BatchLoad.h"
#include "app/ChartCommand.h"
#include "app/ExportEvents.h"
#include "app/ExportFeatures.h"
#include "app/ExportNotes.h"
#include "app/ExportOnsets.h"
#include "app/ExportPoints.h"
#include "app/ExportTempo.h"
#include "app/RecordOptions.h"
#include "app/RenderWavOptions.h"
#include "app/SnapshotOptions.h"
#include "app/StatsCommand.h"
#include "app/ToAsciiMidi.h"
#include "model/ComparedPerformances.h"

namespace rp {

const std::vector<BatchCommand>& BatchCommands() {
  static const std::vector<BatchCommand> kCommands = {
      {"--export-points", "FILE.csv", "Load a scatter file, scale it into the plot cube and print every point as CSV.",
       RunExportPoints},
      {"--export-events", "FILE",
       "Print the analysed events of FILE as CSV (row k: onset, the intervals and velocities of events k, k+d "
       "and k+2d, empty where that event (for an interval, the one after it) does not exist; first note; "
       "for a match file also the score onset in beats, three beat periods in ms per beat and the asynchrony "
       "in ms; the velocities of a list of times are empty, those of a recording are the loudness of its "
       "events in dB).",
       &ExportEvents},
      {"--export-tempo", kExportTempoUsage,
       "Print the tempo per beat of every FILE aligned to its score (match files) as CSV: file, bar, beat in "
       "the bar, score position in beats, onset in ms, whether no note starts the beat (its onset then "
       "interpolated), tempo in ms per beat and in BPM, the tempo smoothed over BEATS (a centred window; "
       "default: not smoothed) in the chosen unit, and the velocity there. The beat is that of the time "
       "signature (a dotted quarter in 6/8) unless --beat chooses one; the columns name it.",
       &ExportTempo},
      {"--export-features", kExportFeaturesUsage,
       "Print what every FILE gives beyond its onsets as CSV, one row per event (a score position of a match "
       "file, an onset cluster of a MIDI file): file, event, bar, beat, score position in beats, played notes, "
       "the melody note's key, whether it is of the marked melody voice (else the highest key), onset and "
       "velocity, the melody lead (the mean onset of the other notes minus the melody's, ms), the spread "
       "(latest minus earliest onset, ms), the velocity difference (melody minus the others' mean), the key "
       "overlap of the melody line with its next note (release minus next onset, ms) and its ratio to the "
       "inter-onset interval, the same for the lowest notes, and the fraction of the melody note's sounding "
       "time under the sustain and the soft pedal. Empty where an event has no such value.",
       &ExportFeatures},
      {"--export-notes", "FILE", "Print the note events of FILE as CSV, with the cluster each one opens.",
       &ExportNotes},
      {"--export-onsets", "FILE",
       "Print every onset found in the recording FILE as CSV (time in ms, detection strength, loudness in dB), "
       "before onsets are grouped into events.",
       &ExportOnsets},
      {"--to-ascii-midi", "FILE.mid",
       "Print the performance of a MIDI file as an ASCII MIDI listing that reads back to the same notes.",
       &ToAsciiMidi},
      {"--align", kAlignUsage,
       "Align the notes of PERFORMANCE (a MIDI file or a listing; not a recording) to the MusicXML score and "
       "write the alignment as a match file.",
       &RunAlign},
      {"--report", "[FILE]",
       "Print a summary of FILE's analysis and its first events (the bundled example without FILE).",
       &RunAnalysisReport},
      {"--stats", kStatsUsage,
       "Print the return-map statistics of every FILE as CSV, one row per file and series (timing, velocity), "
       "the files read side by side on N threads (default: one per core) and printed in the order given; S "
       "(default 1) starts the random shuffles of the p-value and the bootstrap. --permutations, --sampen-m, "
       "--sampen-r (a fraction of the sd) and --dfa-scales choose how measures are taken; --extended adds "
       "r_d_pearson and a warning column, --header-comments each column's convention as # lines, --ci LEVEL "
       "moving-block bootstrap intervals (0.9 or 90 for 90 %), --window N or --window-bars B one row per window, "
       "--rqa the recurrence measures, --features the series melody_lead, spread and overlap (of the chords and the "
       "melody line; a series the file cannot give has n 0 and its reason in the error column). The manual page "
       "defines each measure.",
       &RunStats},
#ifdef RP_HAVE_SYNTH
      {"--chart", kChartUsage,
       "Write a chart of the Statistics window for the FILEs (the first the main performance, the others "
       "compared): the tempo curve, the Poincare view, the tempo against the score in bars, the tempo-loudness "
       "trajectory or the recurrence plot of the chosen series; windows: the --measure (default mean) over the "
       "windows of --window N [--step M] or --window-bars B; cross-recurrence: of two files aligned to a score, "
       "their values paired by score position; features: the first file's melody lead, chord spread and key "
       "overlap against the score in bars. With a legend naming every file and axes with units, as SVG, PNG "
       "(W x H pixels at 96 dpi, scaled by --dpi) or PDF; light theme for print unless --theme dark. The window's "
       "Export writes the same file.",
       nullptr},
      {"--render-wav", kRenderWavUsage,
       "Replay FILE from its first event through the built-in synthesizer into a 44.1 kHz 16-bit stereo "
       "WAV file. F is the tempo factor, 0.25 to 10 (2 or 2x plays twice as fast; default 1); S the "
       "velocity scale (see --velocity-scale).",
       nullptr},
      {"--list-devices", "", "Print the MIDI outputs and inputs, one per line, with their numbers.", nullptr},
      {"--record", kRecordUsage,
       "Record from the first MIDI input whose name contains NAME until S seconds have passed or Ctrl+C, "
       "write the take as an ASCII MIDI listing to OUT.txt (an existing one only with --overwrite; an earlier "
       "take left in OUT.txt.recording is kept and refused) and print the number of notes. The analysis "
       "options are those of the windows.",
       nullptr},
#endif
  };
  return kCommands;
}

namespace {

constexpr std::string_view kOutputOption = "--output";
constexpr std::string_view kVelocityScaleOption = "--velocity-scale";

// The options of the windows' start, given before, between or after the files.
bool IsWindowOption(std::string_view arg) {
  return IsAnalysisOption(arg) || arg == kOutputOption || arg == kVelocityScaleOption;
}

// Takes every `--output NAME` and `--velocity-scale auto|S` out of `args`
// into `plan` (the last of each counts). A missing or bad value: one line on
// `err` and false.
bool TakeReplayOptions(std::vector<std::string>& args, LaunchPlan& plan, std::ostream& err) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a != kOutputOption && a != kVelocityScaleOption) {
      rest.push_back(a);
      continue;
    }
    const std::string value = i + 1 < args.size() ? args[++i] : std::string();
    if (a == kOutputOption) {
      if (value.empty()) {
        err << "returnplot: --output needs part of the name of a MIDI output (see --list-devices)\n";
        return false;
      }
      plan.output = value;
    } else {
      plan.velocityScale = ParseVelocityScale(value);
      if (!plan.velocityScale) {
        err << "returnplot: --velocity-scale takes auto or a factor from " << kMinVelocityScale << " to "
            << kMaxVelocityScale << ", not \"" << value << "\"\n";
        return false;
      }
    }
  }
  args = std::move(rest);
  return true;
}

void PrintHelp(std::ostream& out) {
  out << "Usage: returnplot [ANALYSIS OPTIONS] [--output NAME] [--velocity-scale auto|S] [FILE [FILE...]]\n"
         "       returnplot COMMAND ARGS...\n\n"
         "With no arguments the plot window and the control panel open and the\n"
         "control panel asks for the first performance file; with FILE that file\n"
         "is opened at once. A performance file is an ASCII MIDI listing, a MIDI\n"
         "file, a match file (a performance aligned note by note to its score:\n"
         "one event per score position) or a list of times (an Audacity label\n"
         "track, Sonic Visualiser time instants as CSV, or one time a line: one\n"
         "event per time, without velocities). Further files (up to "
      << kMaxShownPerformances
      << " in all) are shown beside\n"
         "it for comparison, each in its own colour.\n\n"
         "--cluster-ms MS (0 to 1000, default 50): a note-on more than MS after the\n"
         "first note-on of the current onset event opens a new event.\n"
         "--delay D (1 to 50, default 1): event n is plotted against events n+D\n"
         "and n+2D.\n"
         "--times-unit s|ms (default s): the unit of a list of one time a line.\n"
         "--event-velocity first|loudest|highest (default first): an event's\n"
         "velocity is that of its first note-on, its loudest (a tie goes to the\n"
         "earliest) or that of its highest key (the melody).\n"
         "The cluster window and the event velocity do not apply to match files\n"
         "and lists of times.\n"
         "--score-onset earliest|mean|melody|highest (default earliest): the onset\n"
         "of a score position of a match file is that of its earliest played note,\n"
         "the mean of its notes' onsets, that of its melody note (the note of\n"
         "voice 1, else the highest key) or that of its highest key; with\n"
         "--event-velocity first its velocity follows the same note (the mean\n"
         "velocity for mean).\n"
         "A recording (WAV, FLAC, Ogg/Vorbis, MP3) is a performance of its onsets,\n"
         "grouped like note-ons, with each event's loudness in dB as its velocity:\n"
         "--onset-method M (default specflux): the detection function, one of\n"
         "  "
      << OnsetMethodNames()
      << ".\n"
         "--onset-threshold T (0.001 to 10, default 0.4): lower finds more onsets.\n"
         "--onset-silence-db DB (-120 to 0, default -70): nothing quieter is an onset.\n"
         "--onset-min-ioi-ms MS (0 to 1000, default 20): two onsets lie at least MS apart.\n"
         "All these analysis options also go with --export-events, --export-notes,\n"
         "--export-onsets, --export-tempo, --export-features, --report, --stats,\n"
         "--record and --snapshot. The windows start with the values last chosen in \"Analysis\n"
         "settings...\" unless these are given; the commands with the defaults.\n"
         "--output NAME: the windows start with the first MIDI output whose name\n"
         "contains NAME chosen for the replay (see --list-devices).\n"
         "--velocity-scale auto|S: the replay plays velocities S times louder\n"
         "(at most 127); auto (the default unless another scale was stored) plays\n"
         "ASCII MIDI listings of other programs 1.5 times louder and everything\n"
         "else as recorded.\n\n"
         "--strict: with --export-events, --export-notes, --report, --to-ascii-midi\n"
         "and --export-points, a line that looks like a note (or a data row) but\n"
         "cannot be read makes the command fail with exit status 2; without it the\n"
         "line is skipped and one summary on stderr says so.\n\nCommands:\n";
  for (const auto& c : BatchCommands()) {
    out << "  " << c.flag;
    if (!c.usage.empty()) out << ' ' << c.usage;
    out << "\n      " << c.help << '\n';
  }
  out << "  " << kSnapshotUsage
      << "\n      Start as usual without asking anything (messages go to stderr), draw\n"
         "      one frame of the plot, save it as PNG, JPEG or SVG (by OUT's extension)\n"
         "      and exit. --event shows the tail of event N, T events long (10\n"
         "      unless --tail). --width and --height draw the same picture with\n"
         "      more pixels (606 x 443 without them); --yaw turns the plot about its\n"
         "      vertical axis and --pitch tips it towards the viewer, in degrees.\n"
         "      --log-axes draws logarithmic axes, --identity-line the line where\n"
         "      all three values are equal, --colour-by-time the points from early\n"
         "      (blue) to late (red) with a colour bar (one performance only), and\n"
         "      --event-range shows only events FROM to TO, in the scale of the\n"
         "      whole piece.\n"
         "      Further FILEs are compared with the first. --velocity and --tempo\n"
         "      plot velocities or beat periods (ms per beat; match files only)\n"
         "      instead of intervals. --align-by sets which event of a compared\n"
         "      FILE stands beside each event of the first: the same number, the\n"
         "      nearest relative position in time, or the same score position\n"
         "      (match files of the same piece; then the default, else number).\n";
  out << "  --version\n      Print the program's name, version and licence.\n";
  out << "  --help\n      Print this text.\n\n"
         "Exit status: 0 success; 1 a command failed after it started (an output,\n"
         "standard output too, that could not be written); 2 a file could not be\n"
         "opened or holds nothing readable; 64 wrong arguments; 69 the windows'\n"
         "program is missing; 70 an internal error.\n";
}

// `--cluster-ms MS --delay D COMMAND ...` as `COMMAND --cluster-ms MS --delay D ...`:
// the command comes first, whatever analysis options lead.
std::vector<std::string> CommandFirst(const std::vector<std::string>& args) {
  std::size_t i = 0;
  while (i < args.size() && (IsWindowOption(args[i]) || args[i] == kStrictOption))
    i += args[i] == kStrictOption ? 1 : 2;
  if (i == 0 || i >= args.size() || args[i].rfind("--", 0) != 0) return args;
  std::vector<std::string> moved{args[i]};
  moved.insert(moved.end(), args.begin(), args.begin() + static_cast<std::ptrdiff_t>(i));
  moved.insert(moved.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  return moved;
}

}  // namespace

LaunchPlan ParseCommandLine(const std::vector<std::string>& given, std::ostream& out, std::ostream& err) {
  LaunchPlan plan;
  if (given.empty()) return plan;
  std::vector<std::string> args = CommandFirst(given);
  const std::string first = args.front();
  if (first == "--help" || first == "-h") {
    PrintHelp(out);
    plan.exitNow = true;
    return plan;
  }
  if (first == "--version") {
    out << "returnplot " << RP_VERSION << '\n'
        << "Copyright 2026 returnplot developers\n"
        << "License GPL-3.0-or-later: GNU General Public License, version 3 or later\n"
        << "<https://www.gnu.org/licenses/gpl.html>. This is free software: you are free to\n"
        << "change and redistribute it. There is NO WARRANTY, to the extent permitted by law.\n";
    plan.exitNow = true;
    return plan;
  }
  for (const auto& c : BatchCommands()) {
    if (first == c.flag) {
      if (c.run == nullptr) {
        plan.windowArgs = args;
        return plan;
      }
      plan.exitNow = true;
      plan.exitStatus = c.run({args.begin() + 1, args.end()}, out, err);
      return plan;
    }
  }
  if (first.size() > 1 && first[0] == '-' && first.rfind("--", 0) == 0 && !IsWindowOption(first)) {
    // Window-mode options are handled by the program; pass them on.
    plan.windowArgs = args;
    return plan;
  }
  const std::optional<AnalysisOptions> analysis =
      TakeReplayOptions(args, plan, err) ? TakeAnalysisOptions(args, err) : std::nullopt;
  if (!analysis) {
    plan.exitNow = true;
    plan.exitStatus = 64;
    return plan;
  }
  plan.analysis = *analysis;
  if (args.empty()) return plan;
  if (args.size() > kMaxShownPerformances) {
    err << "returnplot: at most " << kMaxShownPerformances << " performances at once (the main one and "
        << kMaxComparedPerformances << " for comparison), not " << args.size() << "\n";
    plan.exitNow = true;
    plan.exitStatus = 64;
    return plan;
  }
  plan.startFile = args.front();
  plan.compareFiles.assign(args.begin() + 1, args.end());
  return plan;
}

}  // namespace rp
