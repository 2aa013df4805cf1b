// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A performance aligned to its MusicXML score, as a match file's text: what
// `--align` writes and what a performance opened with its score is read
// from, so both give the same events. A score with repeats is aligned as the
// repeats are taken and as they are skipped, and the better of the two kept.

#include <cstddef>
#include <string>

namespace rp {

struct Performance;

struct ScoreAlignmentRun {
  std::string error;      // one sentence naming the file (and the bar) when it failed
  std::string matchText;  // the match file
  std::size_t matched = 0;
  std::size_t deletions = 0;   // score notes not played
  std::size_t insertions = 0;  // played notes not in the score
  bool Ok() const { return error.empty(); }
};

// Aligns `performance`, read from `performancePath` (a MIDI file, a listing
// or a take: notes with keys), to the score at `scorePath`.
ScoreAlignmentRun AlignToScore(const std::string& scorePath, const Performance& performance,
                               const std::string& performancePath);

}  // namespace rp
