// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line. Batch commands (exports, conversions) run
// without windows and print to the given streams; everything else starts the
// two windows, optionally with a first file.

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/AnalysisOptions.h"
#include "model/VelocityScale.h"

namespace rp {

// One batch command: `returnplot <flag> ...`. `run` gets the arguments after
// the flag and returns the exit status. A command without `run` needs the
// synthesizer or the MIDI devices: the desktop program runs it.
struct BatchCommand {
  std::string_view flag;
  std::string_view usage;  // arguments, for --help
  std::string_view help;   // one line
  int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

// Every batch command the program knows, in --help order.
const std::vector<BatchCommand>& BatchCommands();

// What main does after reading the command line.
struct LaunchPlan {
  bool exitNow = false;  // a batch command ran, or --help, or a usage error
  int exitStatus = 0;
  std::optional<std::string> startFile;              // `returnplot FILE`
  std::vector<std::string> compareFiles;             // `returnplot FILE COMPARED...`
  AnalysisOptions analysis;                          // `--cluster-ms`, `--delay` for the windows
  std::optional<std::string> output;                 // `--output NAME`: part of the output device's name to start with
  std::optional<VelocityScaleChoice> velocityScale;  // `--velocity-scale auto|S` for this run
  // For the desktop program: window-mode options (e.g. --snapshot ...) and
  // the commands it runs (e.g. --render-wav ...).
  std::vector<std::string> windowArgs;
};

LaunchPlan ParseCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Exit status for a file that cannot be opened.
inline constexpr int kExitCannotOpen = 2;
// Exit status when the desktop program cannot be started.
inline constexpr int kExitNoDesktop = 69;
// Exit status when something went wrong that no handler foresaw.
inline constexpr int kExitInternalError = 70;

}  // namespace rp
