// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The performed order of a notated score: repeats, first and second endings,
// da capo, dal segno, fine and coda followed as marked, and every bar's notes
// placed in that order, ties merged into one sounding note. After a da capo
// or dal segno jump, repeats are not taken again (the usual practice) and the
// last ending is played.

#include <string>

#include "score/NotatedScore.h"
#include "score/Score.h"

namespace rp {

// Whether the repeat signs are followed or every repeated passage is played
// once (its last ending then stands in for the others).
enum class RepeatPlan { Taken, Skipped };

struct ScoreUnfolded {
  Score score;
  // Empty when the order could be made; otherwise one sentence naming the bar.
  std::string error;
  bool Ok() const { return error.empty(); }
};

// `fileName` only names the file in messages.
ScoreUnfolded UnfoldScore(const NotatedScore& notated, RepeatPlan plan, const std::string& fileName);

// Whether the score has repeat signs or endings, so the two plans differ.
bool HasRepeats(const NotatedScore& notated);

}  // namespace rp
