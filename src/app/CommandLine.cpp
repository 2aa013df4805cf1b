#include "app/CommandLine.h"

#include <ostream>

#include "app/AnalysisReport.h"
#include "app/ExportEvents.h"
#include "app/ExportNotes.h"
#include "app/ExportPoints.h"
#include "app/RecordOptions.h"
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
       "Print the analysed events of FILE as CSV (onset, three intervals, three velocities, first note).",
       &ExportEvents},
      {"--export-notes", "FILE", "Print the note events of FILE as CSV, with the cluster each one opens.",
       &ExportNotes},
      {"--to-ascii-midi", "FILE.mid",
       "Print the performance of a MIDI file as an ASCII MIDI listing that reads back to the same notes.",
       &ToAsciiMidi},
      {"--report", "[FILE]",
       "Print a summary of FILE's analysis and its first events (the bundled example without FILE).",
       &RunAnalysisReport},
      {"--stats", kStatsUsage,
       "Print the return-map statistics of every FILE as CSV, one row per file and series (timing, velocity), "
       "the files read side by side on N threads (default: one per core) and printed in the order given; S "
       "(default 1) starts the random shuffles of the p-value. The manual page defines each measure.",
       &RunStats},
#ifdef RP_HAVE_SYNTH
      {"--render-wav", "OUT.wav [--speed S] FILE",
       "Replay FILE from its first event through the built-in synthesizer into a 44.1 kHz 16-bit stereo "
       "WAV file, S being the \"Replay speed\" slider's value (default 0).",
       nullptr},
      {"--list-devices", "", "Print the MIDI outputs and inputs, one per line, with their numbers.", nullptr},
      {"--record", kRecordUsage,
       "Record from the first MIDI input whose name contains NAME until S seconds have passed or Ctrl+C, "
       "write the take as an ASCII MIDI listing to OUT.txt and print the number of notes. MS (0 to 1000, "
       "default 50) is the cluster window and D (1 to 50, default 1) the delay of the analysis.",
       nullptr},
#endif
  };
  return kCommands;
}

namespace {

void PrintHelp(std::ostream& out) {
  out << "Usage: returnplot [--cluster-ms MS] [--delay D] [FILE [FILE...]]\n"
         "       returnplot COMMAND ARGS...\n\n"
         "With no arguments the plot window and the control panel open and the\n"
         "control panel asks for the first performance file; with FILE that file\n"
         "is opened at once. Further files (up to "
      << kMaxShownPerformances
      << " in all) are shown beside\n"
         "it for comparison, each in its own colour.\n\n"
         "--cluster-ms MS (0 to 1000, default 50): a note-on more than MS after the\n"
         "first note-on of the current onset event opens a new event.\n"
         "--delay D (1 to 50, default 1): event n is plotted against events n+D\n"
         "and n+2D. Both also go with --export-events, --export-notes, --report,\n"
         "--stats and --snapshot. The windows start with the values last chosen in\n"
         "\"Analysis settings...\" unless these are given; the commands with the\n"
         "defaults.\n\nCommands:\n";
  for (const auto& c : BatchCommands()) {
    out << "  " << c.flag;
    if (!c.usage.empty()) out << ' ' << c.usage;
    out << "\n      " << c.help << '\n';
  }
  out << "  " << kSnapshotUsage
      << "\n      Start as usual without asking anything (messages go to stderr), draw\n"
         "      one frame of the plot, save it as PNG and exit. --event shows the\n"
         "      tail of event N, T events long (10 unless --tail). Further FILEs are\n"
         "      compared with the first.\n";
  out << "  --version\n      Print the program's name and version.\n";
  out << "  --help\n      Print this text.\n";
}

// `--cluster-ms MS --delay D COMMAND ...` as `COMMAND --cluster-ms MS --delay D ...`:
// the command comes first, whatever analysis options lead.
std::vector<std::string> CommandFirst(const std::vector<std::string>& args) {
  std::size_t i = 0;
  while (i < args.size() && IsAnalysisOption(args[i])) i += 2;
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
    out << "returnplot " << RP_VERSION << '\n';
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
  if (first.size() > 1 && first[0] == '-' && first.rfind("--", 0) == 0 && !IsAnalysisOption(first)) {
    // Window-mode options are handled by the program; pass them on.
    plan.windowArgs = args;
    return plan;
  }
  const std::optional<AnalysisOptions> analysis = TakeAnalysisOptions(args, err);
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
