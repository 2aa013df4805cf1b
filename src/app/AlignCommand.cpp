// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AlignCommand.h"

#include <filesystem>
#include <fstream>
#include <ostream>

#include "analysis/PerformanceLoader.h"
#include "app/BatchLoad.h"
#include "app/CommandLine.h"
#include "app/OutputPath.h"
#include "app/RemovedOnSignal.h"
#include "io/FileReplacement.h"
#include "model/Performance.h"
#include "score/MatchFileWriter.h"
#include "score/MusicXmlReader.h"
#include "score/NoteAlignment.h"
#include "score/PlayedNotes.h"
#include "score/ScoreUnfolding.h"

namespace rp {

namespace {

constexpr std::string_view kFlag = "--align";

struct Aligned {
  Score score;
  NoteAlignment alignment;
};

// How well an alignment fits: matched notes, less half of those left over
// on either side (so a repeat the pianist skipped is not credited with the
// notes it could have had).
double Fit(const Aligned& a) {
  const auto matched = static_cast<double>(a.alignment.Matched());
  const auto scoreNotes = static_cast<double>(a.alignment.playedOf.size());
  const auto playedNotes = static_cast<double>(a.alignment.scoreOf.size());
  return matched - 0.5 * ((scoreNotes - matched) + (playedNotes - matched));
}

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
  const NotatedScoreRead notated = ReadMusicXmlFile(scorePath);
  if (!notated.Ok()) {
    err << "returnplot: " << notated.error << '\n';
    return kExitCannotOpen;
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
  if (performance.velocityKind != VelocityKind::Midi || performance.source == PerformanceSource::LabelledTimes ||
      performance.source == PerformanceSource::PlainTimes) {
    err << "returnplot: " << performancePath
        << " is a recording or a list of times: its onsets have no pitch, so it cannot be aligned to a score "
           "(give a MIDI file or a listing of the notes)\n";
    return kExitCannotOpen;
  }
  const std::vector<PlayedNote> played = PlayedNotesOf(performance);

  Aligned best;
  bool any = false;
  const bool repeats = HasRepeats(notated.score);
  for (const RepeatPlan plan : {RepeatPlan::Taken, RepeatPlan::Skipped}) {
    if (plan == RepeatPlan::Skipped && !repeats) break;
    ScoreUnfolded unfolded = UnfoldScore(notated.score, plan, scorePath);
    if (!unfolded.Ok()) {
      err << "returnplot: " << unfolded.error << '\n';
      return kExitCannotOpen;
    }
    Aligned candidate{std::move(unfolded.score), {}};
    candidate.alignment = AlignNotes(candidate.score, played);
    if (!any || Fit(candidate) > Fit(best)) best = std::move(candidate);
    any = true;
  }

  FileReplacement file(output);
  if (const std::string why = file.Begin(); !why.empty()) {
    err << "returnplot: " << why << '\n';
    return 1;
  }
  const RemovedOnSignal interruptible(file.TemporaryPath());
  {
    std::ofstream stream(file.TemporaryPath(), std::ios::binary | std::ios::trunc);
    MatchFileHeader header;
    header.piece = notated.score.title.empty() ? std::filesystem::path(scorePath).stem().string() : notated.score.title;
    header.composer = notated.score.composer;
    header.scoreFileName = std::filesystem::path(scorePath).filename().string();
    header.midiFileName = std::filesystem::path(performancePath).filename().string();
    WriteMatchFile(stream, header, best.score, played, best.alignment, performance.controllers);
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
  const std::size_t matched = best.alignment.Matched();
  out << output << ": " << matched << " notes matched, " << best.alignment.playedOf.size() - matched
      << " score notes not played (deletions), " << played.size() - matched
      << " played notes not in the score (insertions)\n";
  return 0;
}

}  // namespace rp
