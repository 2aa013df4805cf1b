// SPDX-License-Identifier: GPL-3.0-or-later
// Aligning a sonata movement of 13,000 notes to its score: a generated score
// of chords and runs, played with a wandering tempo, spread chords, timing
// noise, a few wrong, missing and extra notes. Target: under 10 s on one
// core.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "score/NoteAlignment.h"

namespace {

constexpr int kNotes = 13000;

struct Piece {
  rp::Score score;
  std::vector<rp::PlayedNote> played;
};

Piece MakePiece() {
  Piece piece;
  std::mt19937 random(11);
  double quarters = 0.0;
  double ms = 1000.0;
  int bassKey = 48;
  while (static_cast<int>(piece.score.notes.size()) < kNotes) {
    // A bar of 4/4: a chord in the left hand on each beat, sixteenths above.
    const double msPerQuarter = 500.0 + 150.0 * std::sin(quarters / 40.0);
    for (int beat = 0; beat < 4; ++beat) {
      bassKey = 40 + static_cast<int>(random() % 16);
      for (int sixteenth = 0; sixteenth < 4; ++sixteenth) {
        const double at = quarters + beat + sixteenth / 4.0;
        std::vector<int> keys{60 + static_cast<int>(random() % 24)};
        if (sixteenth == 0) keys.insert(keys.end(), {bassKey, bassKey + 4, bassKey + 7});
        for (std::size_t k = 0; k < keys.size(); ++k) {
          rp::ScoreNote n;
          n.id = "n" + std::to_string(piece.score.notes.size());
          n.pitch = static_cast<std::uint8_t>(keys[k]);
          n.positionWhole = rp::Rational(static_cast<std::int64_t>(std::lround(at * 4)), 16);
          n.positionQuarters = at;
          n.positionBeats = at;
          piece.score.notes.push_back(n);
          const int fate = static_cast<int>(random() % 100);
          if (fate == 0) continue;  // missed
          const double spread = k == 0 ? 0.0 : 15.0 * static_cast<double>(k);
          const double noise = static_cast<double>(random() % 30) - 15.0;
          const double onset = ms + (beat + sixteenth / 4.0) * msPerQuarter + spread + noise;
          const int key = fate == 1 ? keys[k] + 1 : keys[k];  // a wrong note
          piece.played.push_back({onset, onset + 100.0, static_cast<std::uint8_t>(key), 64, 0});
          if (fate == 2)
            piece.played.push_back({onset + 40.0, onset + 90.0, static_cast<std::uint8_t>(key + 2), 40, 0});
        }
      }
    }
    quarters += 4.0;
    ms += 4.0 * msPerQuarter;
  }
  rp::SortScoreNotes(piece.score);
  std::sort(piece.played.begin(), piece.played.end(),
            [](const rp::PlayedNote& a, const rp::PlayedNote& b) { return a.onsetMs < b.onsetMs; });
  return piece;
}

void AlignSonataMovement(benchmark::State& state) {
  const Piece piece = MakePiece();
  std::size_t matched = 0;
  for (auto _ : state) {
    const rp::NoteAlignment alignment = rp::AlignNotes(piece.score, piece.played);
    matched = alignment.Matched();
    benchmark::DoNotOptimize(matched);
  }
  state.counters["score_notes"] = static_cast<double>(piece.score.notes.size());
  state.counters["played_notes"] = static_cast<double>(piece.played.size());
  state.counters["matched"] = static_cast<double>(matched);
}
BENCHMARK(AlignSonataMovement)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
