// SPDX-License-Identifier: GPL-3.0-or-later
// The acceptance check of the alignment on real pianists: for each piece of
// the ASAP sample, the time the alignment gives each annotated beat against
// the time the annotators gave it. Data: ASAP dataset, Foscarin et al.
// (2020), CC BY-NC-SA 4.0.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "io/StandardMidiFileReader.h"
#include "score/MusicXmlReader.h"
#include "score/NoteAlignment.h"
#include "score/PlayedNotes.h"
#include "score/ScoreUnfolding.h"

namespace rp {
namespace {

namespace fs = std::filesystem;

const fs::path kAsap = fs::path(RP_SHARED_DATA_DIR) / "asap-sample";

// The first column (seconds) of an annotation file.
std::vector<double> AnnotationSeconds(const fs::path& path) {
  std::vector<double> seconds;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty()) seconds.push_back(std::stod(line));
  }
  return seconds;
}

// Seconds of the score played as written (its tempo marks, 120 quarters a
// minute before the first) back to a position in quarters.
double QuartersAtSecond(const Score& score, double second) {
  double quarters = 0.0;
  double at = 0.0;
  double qpm = 120.0;
  for (const TempoAt& t : score.tempos) {
    const double reached = at + (t.positionQuarters - quarters) * 60.0 / qpm;
    if (reached > second) break;
    at = reached;
    quarters = t.positionQuarters;
    qpm = t.quartersPerMinute;
  }
  return quarters + (second - at) * qpm / 60.0;
}

struct PieceResult {
  std::string piece;
  std::size_t beats = 0;
  double within50 = 0.0;  // fraction
  double medianMs = 0.0;
};

PieceResult AlignPiece(const fs::path& folder) {
  PieceResult result{folder.filename().string()};
  fs::path midi, annotations;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".mid") midi = entry.path();
    if (name.ends_with("_annotations.txt") && name != "midi_score_annotations.txt") annotations = entry.path();
  }
  const NotatedScoreRead notated = ReadMusicXmlFile((folder / "xml_score.musicxml").string());
  EXPECT_TRUE(notated.Ok()) << notated.error;
  const ScoreUnfolded unfolded = UnfoldScore(notated.score, RepeatPlan::Taken, "xml_score.musicxml");
  EXPECT_TRUE(unfolded.Ok()) << unfolded.error;
  const MidiFileReadResult read = ReadStandardMidiFile(midi.string());
  EXPECT_TRUE(read.Ok()) << read.error;
  Performance performance;
  performance.notes = read.events;
  const std::vector<PlayedNote> played = PlayedNotesOf(performance);
  const NoteAlignment alignment = AlignNotes(unfolded.score, played);
  const ScoreTimeMap map = AlignedTimeMap(unfolded.score, played, alignment);

  const std::vector<double> scoreSeconds = AnnotationSeconds(folder / "midi_score_annotations.txt");
  const std::vector<double> playedSeconds = AnnotationSeconds(annotations);
  EXPECT_EQ(scoreSeconds.size(), playedSeconds.size());
  std::vector<double> errors;
  for (std::size_t k = 0; k < std::min(scoreSeconds.size(), playedSeconds.size()); ++k) {
    const double quarters = QuartersAtSecond(unfolded.score, scoreSeconds[k]);
    errors.push_back(std::abs(map.TimeAt(quarters) - 1000.0 * playedSeconds[k]));
  }
  result.beats = errors.size();
  if (errors.empty()) return result;
  result.within50 = static_cast<double>(std::count_if(errors.begin(), errors.end(), [](double e) { return e <= 50.0; })) /
                    static_cast<double>(errors.size());
  std::nth_element(errors.begin(), errors.begin() + static_cast<std::ptrdiff_t>(errors.size() / 2), errors.end());
  result.medianMs = errors[errors.size() / 2];
  return result;
}

TEST(AsapAlignment, EveryAnnotatedBeatNearItsAlignedTime) {
  if (!fs::is_directory(kAsap)) GTEST_SKIP() << "the ASAP sample is not at " << kAsap;
  std::vector<fs::path> pieces;
  for (const auto& entry : fs::directory_iterator(kAsap)) {
    if (entry.is_directory()) pieces.push_back(entry.path());
  }
  std::sort(pieces.begin(), pieces.end());
  ASSERT_EQ(pieces.size(), 8u);
  std::printf("| piece | beats | within 50 ms | median error |\n|---|---|---|---|\n");
  for (const fs::path& folder : pieces) {
    const PieceResult r = AlignPiece(folder);
    std::printf("| %s | %zu | %.1f %% | %.1f ms |\n", r.piece.c_str(), r.beats, 100.0 * r.within50, r.medianMs);
    EXPECT_GE(r.within50, 0.95) << r.piece;
    EXPECT_LT(r.medianMs, 20.0) << r.piece;
  }
}

}  // namespace
}  // namespace rp
