// SPDX-License-Identifier: GPL-3.0-or-later
// The acceptance check of the alignment on real pianists: for each piece of
// the ASAP sample, the time the alignment gives each annotated beat (where
// the beat is heard, model/BeatOnset.h) against the time the annotators
// gave it. Data: ASAP dataset, Foscarin et al.
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

struct Annotation {
  double seconds = 0.0;
  bool downbeat = false;
};

std::vector<Annotation> Annotations(const fs::path& path) {
  std::vector<Annotation> lines;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    const std::size_t label = line.rfind('\t');
    lines.push_back({std::stod(line), line.compare(label + 1, 2, "db") == 0});
  }
  return lines;
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

// The score position of each line of the score's annotations. Up to the
// first downbeat the rendering's time gives it (the tempo there is the first
// mark's); from then on the downbeats count the bars in performed order and
// the beats between them count beats, as the rendering's tempo changes may
// not be where the marks stand.
std::vector<double> AnnotatedQuarters(const Score& score, const std::vector<Annotation>& lines) {
  // A bar the file splits in two (shorter than its time signature, the
  // rest of it in the next) is one bar of the annotations.
  std::vector<BarAt> bars;
  double filled = 0.0;
  for (std::size_t b = 0; b < score.bars.size(); ++b) {
    const BarAt& at = score.bars[b];
    const double nominal = 4.0 * at.beats / at.beatType;
    if (b == 0 || filled >= nominal - 1e-9) {
      bars.push_back(at);
      filled = b == 0 ? 1e9 : 0.0;  // an upbeat is a bar of its own
    }
    if (b > 0)
      filled += (b + 1 < score.bars.size() ? score.bars[b + 1].positionQuarters : at.positionQuarters + nominal) -
                at.positionQuarters;
  }
  std::vector<double> quarters;
  std::size_t bar = 0;
  bool counting = false;
  int beat = 0;
  for (const Annotation& a : lines) {
    if (!counting && a.downbeat) {
      const double q = QuartersAtSecond(score, a.seconds);
      for (std::size_t b = 0; b < bars.size(); ++b) {
        if (std::abs(bars[b].positionQuarters - q) < std::abs(bars[bar].positionQuarters - q)) bar = b;
      }
      counting = true;
      beat = 0;
    } else if (counting && a.downbeat) {
      bar = std::min(bar + 1, bars.size() - 1);
      beat = 0;
    }
    if (!counting) {
      quarters.push_back(QuartersAtSecond(score, a.seconds));
      continue;
    }
    quarters.push_back(bars[bar].positionQuarters + beat * 4.0 / bars[bar].beatType);
    ++beat;
  }
  return quarters;
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
  const std::vector<double> scoreQuarters =
      AnnotatedQuarters(unfolded.score, Annotations(folder / "midi_score_annotations.txt"));
  const std::vector<Annotation> playedBeats = Annotations(annotations);
  EXPECT_EQ(scoreQuarters.size(), playedBeats.size());
  std::vector<double> errors;
  for (std::size_t k = 0; k < std::min(scoreQuarters.size(), playedBeats.size()); ++k) {
    const double predicted = map.TimeAt(scoreQuarters[k]);
    errors.push_back(std::abs(predicted - 1000.0 * playedBeats[k].seconds));
  }
  result.beats = errors.size();
  if (errors.empty()) return result;
  result.within50 =
      static_cast<double>(std::count_if(errors.begin(), errors.end(), [](double e) { return e <= 50.0; })) /
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
