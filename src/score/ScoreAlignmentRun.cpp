// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/ScoreAlignmentRun.h"

#include <filesystem>
#include <sstream>
#include <utility>
#include <vector>

#include "model/Performance.h"
#include "score/MatchFileWriter.h"
#include "score/MusicXmlReader.h"
#include "score/NoteAlignment.h"
#include "score/PlayedNotes.h"
#include "score/ScoreUnfolding.h"

namespace rp {

namespace {

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

ScoreAlignmentRun AlignToScore(const std::string& scorePath, const Performance& performance,
                               const std::string& performancePath) {
  ScoreAlignmentRun run;
  if (!IsMusicXmlPath(scorePath)) {
    run.error = "\"" + scorePath + "\" is no MusicXML score (.musicxml, .xml or .mxl)";
    return run;
  }
  if (performance.velocityKind != VelocityKind::Midi || performance.source == PerformanceSource::LabelledTimes ||
      performance.source == PerformanceSource::PlainTimes) {
    run.error = performancePath +
                " is a recording or a list of times: its onsets have no pitch, so it cannot be aligned to a score "
                "(give a MIDI file or a listing of the notes)";
    return run;
  }
  if (performance.source == PerformanceSource::ScoreAligned) {
    run.error = performancePath + " is a match file: it is aligned to its score already";
    return run;
  }
  const NotatedScoreRead notated = ReadMusicXmlFile(scorePath);
  if (!notated.Ok()) {
    run.error = notated.error;
    return run;
  }
  const std::vector<PlayedNote> played = PlayedNotesOf(performance);
  Aligned best;
  bool any = false;
  const bool repeats = HasRepeats(notated.score);
  for (const RepeatPlan plan : {RepeatPlan::Taken, RepeatPlan::Skipped}) {
    if (plan == RepeatPlan::Skipped && !repeats) break;
    ScoreUnfolded unfolded = UnfoldScore(notated.score, plan, scorePath);
    if (!unfolded.Ok()) {
      run.error = unfolded.error;
      return run;
    }
    Aligned candidate{std::move(unfolded.score), {}};
    candidate.alignment = AlignNotes(candidate.score, played);
    if (!any || Fit(candidate) > Fit(best)) best = std::move(candidate);
    any = true;
  }
  std::ostringstream text;
  MatchFileHeader header;
  header.piece = notated.score.title.empty() ? std::filesystem::path(scorePath).stem().string() : notated.score.title;
  header.composer = notated.score.composer;
  header.scoreFileName = std::filesystem::path(scorePath).filename().string();
  header.midiFileName = std::filesystem::path(performancePath).filename().string();
  WriteMatchFile(text, header, best.score, played, best.alignment, performance.controllers);
  run.matchText = std::move(text).str();
  run.matched = best.alignment.Matched();
  run.deletions = best.alignment.playedOf.size() - run.matched;
  run.insertions = played.size() - run.matched;
  return run;
}

}  // namespace rp
