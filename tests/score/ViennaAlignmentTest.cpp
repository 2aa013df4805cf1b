// SPDX-License-Identifier: GPL-3.0-or-later
// The alignment against hand-corrected ones: each Vienna 4x22 match file's
// played notes aligned to the score its snote lines make, and its note pairs
// counted where the alignment makes them too. Data: Vienna 4x22 Piano
// Corpus, W. Goebl (1999), doi:10.21939/4X22, CC BY 4.0.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "io/MatchFileReader.h"
#include "score/MatchScore.h"
#include "score/NoteAlignment.h"

namespace rp {
namespace {

namespace fs = std::filesystem;

TEST(ViennaAlignment, ReproducesTheHandMadePairs) {
  const fs::path folder = fs::path(RP_SHARED_DATA_DIR) / "vienna4x22" / "match";
  if (!fs::is_directory(folder)) GTEST_SKIP() << "the Vienna 4x22 match files are not at " << folder;
  std::size_t pairs = 0;
  std::size_t reproduced = 0;
  std::size_t files = 0;
  double worst = 1.0;
  std::string worstFile;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string path = entry.path().string();
    const MatchFile file = ReadMatchFile(path);
    const MatchScoreRead score = ReadMatchScore(path);
    ASSERT_TRUE(file.Ok()) << file.error;
    ASSERT_TRUE(score.Ok()) << score.error;
    // The performance: every played note of the file, by onset, known by its line.
    std::vector<MatchPlayedNote> notes = file.insertions;
    for (const MatchPair& pair : file.matched) notes.push_back(pair.played);
    std::sort(notes.begin(), notes.end(),
              [](const MatchPlayedNote& a, const MatchPlayedNote& b) { return a.onsetMs < b.onsetMs; });
    std::vector<PlayedNote> played;
    for (const MatchPlayedNote& n : notes) played.push_back({n.onsetMs, n.offsetMs, n.key, n.velocity, 0});
    const NoteAlignment alignment = AlignNotes(score.score, played);

    std::map<std::string, std::size_t> byAnchor;
    for (std::size_t s = 0; s < score.score.notes.size(); ++s) byAnchor[score.score.notes[s].id] = s;
    std::size_t same = 0;
    for (const MatchPair& pair : file.matched) {
      const std::int32_t p = alignment.playedOf[byAnchor.at(pair.score.anchor)];
      if (p >= 0 && notes[static_cast<std::size_t>(p)].line == pair.played.line) ++same;
    }
    pairs += file.matched.size();
    reproduced += same;
    ++files;
    const double rate = static_cast<double>(same) / static_cast<double>(file.matched.size());
    if (rate < worst) {
      worst = rate;
      worstFile = entry.path().filename().string();
    }
  }
  ASSERT_EQ(files, 88u);
  const double rate = static_cast<double>(reproduced) / static_cast<double>(pairs);
  std::printf("Vienna 4x22: %zu of %zu pairs reproduced (%.2f %%) in %zu files; lowest %.2f %% (%s)\n", reproduced,
              pairs, 100.0 * rate, files, 100.0 * worst, worstFile.c_str());
  EXPECT_GE(rate, 0.98);
}

}  // namespace
}  // namespace rp
