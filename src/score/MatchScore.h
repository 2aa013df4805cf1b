// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score a match file holds in its snote(...) terms, as a Score: so a
// performance can be aligned to the score of a match file (and a written
// file checked against the reader). The notes keep the file's anchors as
// their ids; positions come from the onsets in beats, the quarters from the
// file's first time signature.

#include <string>
#include <string_view>

#include "score/Score.h"

namespace rp {

struct MatchScoreRead {
  Score score;
  std::string error;  // empty when read
  bool Ok() const { return error.empty(); }
};

MatchScoreRead ParseMatchScore(std::string_view bytes, std::string_view fileName);
MatchScoreRead ReadMatchScore(const std::string& path);

}  // namespace rp
