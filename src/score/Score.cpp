// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/Score.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace rp {

std::string KeyName(const KeySignatureAt& key) {
  // The tonic of each number of fifths, -7 to 7.
  static constexpr std::array<const char*, 15> kMajor = {"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C",
                                                         "G",  "D",  "A",  "E",  "B",  "F#", "C#"};
  static constexpr std::array<const char*, 15> kMinor = {"Ab", "Eb", "Bb", "F",  "C",  "G",  "D", "A",
                                                         "E",  "B",  "F#", "C#", "G#", "D#", "A#"};
  const int i = std::clamp(key.fifths, -7, 7) + 7;
  return std::string(key.minor ? kMinor[i] : kMajor[i]) + (key.minor ? " min" : " Maj");
}

void SortScoreNotes(Score& score) {
  std::stable_sort(score.notes.begin(), score.notes.end(), [](const ScoreNote& a, const ScoreNote& b) {
    // Grace notes keep the order the file gives them.
    return std::make_tuple(a.positionWhole, !a.grace, a.grace ? 0 : a.pitch) <
           std::make_tuple(b.positionWhole, !b.grace, b.grace ? 0 : b.pitch);
  });
}

}  // namespace rp
