// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AlignCommand.h"

#include <fstream>
#include <ostream>

#include "analysis/PerformanceLoader.h"
#include "app/BatchLoad.h"
#include "app/CommandLine.h"
#include "app/OutputPath.h"
#include "app/RemovedOnSignal.h"
#include "io/FileReplacement.h"
#include "model/Performance.h"
#include "score/MusicXmlReader.h"
#include "score/ScoreAlignmentRun.h"

namespace rp {

namespace {

constexpr std::string_view kFlag = "--align";

}  // namespace

int RunAlign(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  std::string output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) {
      output = args[++i];
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2 || output.empty()) {
    err << "returnplot: usage: returnplot " << kFlag << ' ' << kAlignUsage << '\n';
    return kExitUsage;
  }
  const std::string& scorePath = files[0];
  const std::string& performancePath = files[1];
  if (const std::string problem = OutputPathProblem(kFlag, output, {".match"}, files); !problem.empty()) {
    err << "returnplot: " << problem << '\n';
    return kExitUsage;
  }
  if (!IsMusicXmlPath(scorePath)) {
    err << "returnplot: " << kFlag << " takes a MusicXML score (.musicxml, .xml or .mxl) first, not \"" << scorePath
        << "\"\n";
    return kExitUsage;
  }
  // Loaded as for the other commands, but without their warnings about the
  // cluster window: its events play no part in the alignment.
  Performance performance = Performance::Empty();
  const LoadResult loaded = LoadPerformanceFile(performancePath, performance);
  if (loaded.status != LoadStatus::Loaded && loaded.status != LoadStatus::ReadError) {
    err << "returnplot: " << loaded.message << '\n';
    return kExitCannotOpen;
  }
  if (!loaded.message.empty()) err << "returnplot: " << loaded.message << '\n';
  if (loaded.skipped.count > 0)
    err << "returnplot: " << SkippedLinesSummary(loaded.skipped, performancePath, loaded.skippedKind) << '\n';
  const ScoreAlignmentRun run = AlignToScore(scorePath, performance, performancePath);
  if (!run.Ok()) {
    err << "returnplot: " << run.error << '\n';
    return kExitCannotOpen;
  }

  FileReplacement file(output);
  if (const std::string why = file.Begin(); !why.empty()) {
    err << "returnplot: " << why << '\n';
    return 1;
  }
  const RemovedOnSignal interruptible(file.TemporaryPath());
  {
    std::ofstream stream(file.TemporaryPath(), std::ios::binary | std::ios::trunc);
    stream << run.matchText;
    stream.flush();
    if (!stream) {
      err << "returnplot: " << file.AsFinal("Cannot write \"" + file.TemporaryPath() + "\"") << '\n';
      return 1;
    }
  }
  if (const std::string why = file.Commit(); !why.empty()) {
    err << "returnplot: " << why << '\n';
    return 1;
  }
  out << output << ": " << run.matched << " notes matched, " << run.deletions << " score notes not played (deletions), "
      << run.insertions << " played notes not in the score (insertions)\n";
  return 0;
}

}  // namespace rp
