// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/NoteAlignment.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <tuple>

#include "model/BeatOnset.h"

namespace rp {

namespace {

// Played notes closer than this to their cluster's first note are one onset.
constexpr double kClusterMs = 30.0;
// How far from its expected time a note may be matched, in the first and the
// later rounds of the note-level match.
constexpr double kFirstWindowMs = 300.0;
constexpr double kWindowMs = 200.0;
// A grace note is expected this long before its main note.
constexpr double kGraceLeadMs = 80.0;
constexpr int kRounds = 2;
// The second warping pass: how far from the expected time a cluster costs a
// whole mismatch (it grows with the square of the distance), and over how
// long before and after each chord's time the first pass's map is smoothed.
constexpr double kTimingScaleMs = 600.0;
constexpr double kSmoothingMs = 4000.0;
// A chord spread wider than this is not followed further.
constexpr double kMaxSpreadMs = 800.0;

struct PitchSet {
  std::array<std::uint64_t, 2> bits{};
  int count = 0;
  void Add(std::uint8_t key) {
    auto& word = bits[key >> 6u];
    const std::uint64_t bit = std::uint64_t{1} << (key & 63u);
    if ((word & bit) == 0) ++count;
    word |= bit;
  }
  bool Has(std::uint8_t key) const { return (bits[key >> 6u] >> (key & 63u) & 1u) != 0; }
};

int Common(const PitchSet& a, const PitchSet& b) {
  return std::popcount(a.bits[0] & b.bits[0]) + std::popcount(a.bits[1] & b.bits[1]);
}

struct Group {
  std::size_t first = 0;  // of its notes, a range of the score's or the played notes
  std::size_t end = 0;
  PitchSet pitches;
};

// The score's chords: its notes by position, grace notes left out.
std::vector<Group> ScoreChords(const Score& score) {
  std::vector<Group> chords;
  for (std::size_t i = 0; i < score.notes.size(); ++i) {
    if (chords.empty() || score.notes[chords.back().first].positionWhole != score.notes[i].positionWhole) {
      chords.push_back({i, i, {}});
    }
    chords.back().end = i + 1;
    if (!score.notes[i].grace) chords.back().pitches.Add(score.notes[i].pitch);
  }
  std::erase_if(chords, [](const Group& g) { return g.pitches.count == 0; });
  return chords;
}

std::vector<Group> PlayedClusters(const std::vector<PlayedNote>& played) {
  std::vector<Group> clusters;
  for (std::size_t i = 0; i < played.size(); ++i) {
    if (clusters.empty() || played[i].onsetMs - played[clusters.back().first].onsetMs > kClusterMs) {
      clusters.push_back({i, i, {}});
    }
    clusters.back().end = i + 1;
    clusters.back().pitches.Add(played[i].key);
  }
  return clusters;
}

// One step back along a table of steps (0 diagonal, 1 from the row before,
// 2 from the column before) from cell (i, j).
void StepBack(std::uint8_t step, std::size_t& i, std::size_t& j) {
  if (step != 2) --i;
  if (step != 1) --j;
}

// The warping path as pairs (chord, cluster), from the start; empty when cancelled.
std::vector<std::pair<std::size_t, std::size_t>> WarpingPath(const std::vector<Group>& chords,
                                                             const std::vector<Group>& clusters,
                                                             const std::function<bool()>& cancelled,
                                                             const std::vector<double>& expectedMs = {},
                                                             const std::vector<double>& clusterMs = {}) {
  const std::size_t n = chords.size();
  const std::size_t m = clusters.size();
  // 0 diagonal, 1 from the chord before (one cluster, several chords), 2
  // from the cluster before (one chord, several clusters).
  std::vector<std::uint8_t> steps(n * m);
  constexpr float kFar = std::numeric_limits<float>::infinity();
  std::vector<float> before(m, kFar);
  std::vector<float> now(m, kFar);
  for (std::size_t i = 0; i < n; ++i) {
    if ((i & 255u) == 0 && cancelled && cancelled()) return {};
    for (std::size_t j = 0; j < m; ++j) {
      const PitchSet& chord = chords[i].pitches;
      const PitchSet& cluster = clusters[j].pitches;
      const auto common = static_cast<float>(Common(chord, cluster));
      // A chord met afresh: one minus the Dice overlap, counted twice as a
      // step up and one across would be. A further cluster of the same chord
      // (a spread chord): its notes the chord lacks. A further chord in the
      // same cluster (a missed or hurried onset): its notes the cluster lacks.
      float spread = 1.0f - common / static_cast<float>(cluster.count);
      float crowded = 1.0f - common / static_cast<float>(chord.count);
      float fresh = 2.0f * (1.0f - 2.0f * common / static_cast<float>(chord.count + cluster.count));
      if (!expectedMs.empty()) {
        // The second pass: a cluster far from the time the first expected of
        // the chord costs more, up to a whole mismatch.
        const double off = (clusterMs[j] - expectedMs[i]) / kTimingScaleMs;
        const auto late = static_cast<float>(std::min(1.0, off * off));
        spread += late;
        crowded += late;
        fresh += 2.0f * late;
      }
      float best = i == 0 && j == 0 ? fresh : kFar;
      std::uint8_t step = 0;
      if (i > 0 && j > 0 && before[j - 1] + fresh < best) best = before[j - 1] + fresh;
      if (i > 0 && before[j] + crowded < best) {
        best = before[j] + crowded;
        step = 1;
      }
      if (j > 0 && now[j - 1] + spread < best) {
        best = now[j - 1] + spread;
        step = 2;
      }
      now[j] = best;
      steps[i * m + j] = step;
    }
    std::swap(before, now);
  }
  std::vector<std::pair<std::size_t, std::size_t>> path;
  std::size_t i = n - 1;
  std::size_t j = m - 1;
  while (true) {
    path.emplace_back(i, j);
    if (i == 0 && j == 0) break;
    StepBack(steps[i * m + j], i, j);
  }
  std::reverse(path.begin(), path.end());
  return path;
}

// The played notes of each key, by onset.
using NotesByKey = std::array<std::vector<std::int32_t>, 128>;

double ExpectedMs(const ScoreNote& note, const ScoreTimeMap& map) {
  return map.TimeAt(note.positionQuarters) - (note.grace ? kGraceLeadMs : 0.0);
}

// Each score note takes the played note of its pitch nearest its expected
// time within `windowMs`, all candidate pairs nearest first.
void MatchInWindows(const Score& score, const std::vector<PlayedNote>& played, const NotesByKey& byKey,
                    const ScoreTimeMap& map, const std::vector<double>& windowMs, NoteAlignment& alignment) {
  struct Candidate {
    float distance;
    std::int32_t scoreNote;
    std::int32_t playedNote;
  };
  std::vector<Candidate> candidates;
  for (std::size_t s = 0; s < score.notes.size(); ++s) {
    if (alignment.playedOf[s] >= 0) continue;
    const ScoreNote& note = score.notes[s];
    const double expected = ExpectedMs(note, map);
    const double window = windowMs[s];
    const auto& keyNotes = byKey[note.pitch];
    auto it = std::lower_bound(keyNotes.begin(), keyNotes.end(), expected - window, [&](std::int32_t p, double t) {
      return played[static_cast<std::size_t>(p)].onsetMs < t;
    });
    for (; it != keyNotes.end() && played[static_cast<std::size_t>(*it)].onsetMs <= expected + window; ++it) {
      const double distance = std::abs(played[static_cast<std::size_t>(*it)].onsetMs - expected);
      candidates.push_back({static_cast<float>(distance), static_cast<std::int32_t>(s), *it});
    }
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return std::tie(a.distance, a.scoreNote, a.playedNote) < std::tie(b.distance, b.scoreNote, b.playedNote);
  });
  for (const Candidate& c : candidates) {
    auto& p = alignment.playedOf[static_cast<std::size_t>(c.scoreNote)];
    auto& s = alignment.scoreOf[static_cast<std::size_t>(c.playedNote)];
    if (p >= 0 || s >= 0) continue;
    p = c.playedNote;
    s = c.scoreNote;
  }
}

// The same as an order-keeping match for each key: the score notes of a key
// (by expected time) and its played notes (by onset) are paired so that
// neither order is crossed, at the least total distance, a note left over
// costing its window. A repeated note then cannot take its neighbour's
// played note and leave its own over.
void MatchInOrder(const Score& score, const std::vector<PlayedNote>& played, const NotesByKey& byKey,
                  const ScoreTimeMap& map, const std::vector<double>& windowMs, NoteAlignment& alignment) {
  std::array<std::vector<std::int32_t>, 128> scoreByKey;
  for (std::size_t s = 0; s < score.notes.size(); ++s)
    scoreByKey[score.notes[s].pitch].push_back(static_cast<std::int32_t>(s));
  std::vector<double> expected(score.notes.size());
  for (std::size_t s = 0; s < score.notes.size(); ++s) expected[s] = ExpectedMs(score.notes[s], map);
  std::vector<float> cost;
  std::vector<std::uint8_t> steps;
  for (std::size_t key = 0; key < 128; ++key) {
    std::vector<std::int32_t>& notes = scoreByKey[key];
    const std::vector<std::int32_t>& keyPlayed = byKey[key];
    if (notes.empty() || keyPlayed.empty()) continue;
    std::stable_sort(notes.begin(), notes.end(), [&](std::int32_t a, std::int32_t b) {
      return expected[static_cast<std::size_t>(a)] < expected[static_cast<std::size_t>(b)];
    });
    const std::size_t a = notes.size();
    const std::size_t b = keyPlayed.size();
    cost.assign((a + 1) * (b + 1), 0.0f);
    steps.assign((a + 1) * (b + 1), 0);
    const auto at = [b](std::size_t i, std::size_t j) { return i * (b + 1) + j; };
    for (std::size_t j = 1; j <= b; ++j) {
      cost[at(0, j)] = cost[at(0, j - 1)] + static_cast<float>(kWindowMs);
      steps[at(0, j)] = 2;
    }
    for (std::size_t i = 1; i <= a; ++i) {
      const auto s = static_cast<std::size_t>(notes[i - 1]);
      const auto window = static_cast<float>(windowMs[s]);
      cost[at(i, 0)] = cost[at(i - 1, 0)] + window;
      steps[at(i, 0)] = 1;
      for (std::size_t j = 1; j <= b; ++j) {
        float best = cost[at(i - 1, j)] + window;  // the score note left over
        std::uint8_t step = 1;
        if (cost[at(i, j - 1)] + static_cast<float>(kWindowMs) < best) {  // the played note left over
          best = cost[at(i, j - 1)] + static_cast<float>(kWindowMs);
          step = 2;
        }
        const auto distance =
            static_cast<float>(std::abs(played[static_cast<std::size_t>(keyPlayed[j - 1])].onsetMs - expected[s]));
        if (distance <= window && cost[at(i - 1, j - 1)] + distance < best) {
          best = cost[at(i - 1, j - 1)] + distance;
          step = 0;
        }
        cost[at(i, j)] = best;
        steps[at(i, j)] = step;
      }
    }
    for (std::size_t i = a, j = b; i > 0 || j > 0;) {
      const std::uint8_t step = steps[at(i, j)];
      if (step == 0) {
        const std::int32_t s = notes[i - 1];
        const std::int32_t p = keyPlayed[j - 1];
        alignment.playedOf[static_cast<std::size_t>(s)] = p;
        alignment.scoreOf[static_cast<std::size_t>(p)] = s;
      }
      StepBack(step, i, j);
    }
  }
}

// The pairs the warping path makes: each chord's notes take the played
// notes of their pitches in the clusters the path gives the chord.
void MatchAlongPath(const Score& score, const std::vector<PlayedNote>& played, const std::vector<Group>& chords,
                    const std::vector<Group>& clusters, const std::vector<std::pair<std::size_t, std::size_t>>& path,
                    NoteAlignment& alignment) {
  for (const auto& [i, j] : path) {
    for (std::size_t p = clusters[j].first; p < clusters[j].end; ++p) {
      if (alignment.scoreOf[p] >= 0) continue;
      for (std::size_t s = chords[i].first; s < chords[i].end; ++s) {
        if (score.notes[s].grace || score.notes[s].pitch != played[p].key || alignment.playedOf[s] >= 0) continue;
        alignment.playedOf[s] = static_cast<std::int32_t>(p);
        alignment.scoreOf[p] = static_cast<std::int32_t>(s);
        break;
      }
    }
  }
}

// Each note's window: the usual one widened by how far the notes of its
// chord were spread (an arpeggiated chord).
std::vector<double> Windows(const Score& score, const std::vector<PlayedNote>& played, const ScoreTimeMap& map,
                            const NoteAlignment& alignment) {
  std::vector<double> windows(score.notes.size(), kWindowMs);
  for (std::size_t s = 0; s < score.notes.size();) {
    std::size_t end = s;
    double spread = 0.0;
    const double expected = map.TimeAt(score.notes[s].positionQuarters);
    for (; end < score.notes.size() && score.notes[end].positionWhole == score.notes[s].positionWhole; ++end) {
      const std::int32_t p = alignment.playedOf[end];
      if (p >= 0) spread = std::max(spread, std::abs(played[static_cast<std::size_t>(p)].onsetMs - expected));
    }
    for (; s < end; ++s) windows[s] += std::min(spread, kMaxSpreadMs);
  }
  return windows;
}

// The rolled chord score note `s` belongs to, among the notes of its
// position from `first`: the index of the first marked note of its part,
// staff and voice (a roll is marked on the notes of one chord), or none.
std::int32_t RollOf(const Score& score, std::size_t first, std::size_t s) {
  const ScoreNote& note = score.notes[s];
  if (!note.arpeggio || note.grace) return kNotRolled;
  for (std::size_t k = first;; ++k) {
    const ScoreNote& other = score.notes[k];
    if (other.arpeggio && !other.grace && other.part == note.part && other.staff == note.staff &&
        other.voice == note.voice)
      return static_cast<std::int32_t>(k);
  }
}

}  // namespace

std::size_t NoteAlignment::Matched() const {
  return static_cast<std::size_t>(
      std::count_if(playedOf.begin(), playedOf.end(), [](std::int32_t p) { return p >= 0; }));
}

ScoreTimeMap AlignedTimeMap(const Score& score, const std::vector<PlayedNote>& played, const NoteAlignment& alignment,
                            ChordTime chordTime) {
  std::vector<TimedPosition> points;
  std::vector<double> onsets;
  std::vector<BeatNote> beatNotes;
  double highestOnset = 0.0;
  for (std::size_t s = 0; s < score.notes.size();) {
    const double position = score.notes[s].positionQuarters;
    const std::size_t first = s;
    onsets.clear();
    beatNotes.clear();
    for (; s < score.notes.size() && score.notes[s].positionQuarters == position; ++s) {
      const std::int32_t p = alignment.playedOf[s];
      if (p < 0 || (score.notes[s].grace && chordTime != ChordTime::Beat)) continue;
      // The notes of a position come by pitch: the last is the highest.
      highestOnset = played[static_cast<std::size_t>(p)].onsetMs;
      onsets.push_back(highestOnset);
      if (chordTime == ChordTime::Beat) beatNotes.push_back({highestOnset, RollOf(score, first, s)});
    }
    if (onsets.empty()) continue;
    std::sort(onsets.begin(), onsets.end());
    const double time = chordTime == ChordTime::Beat         ? BeatOnsetMs(beatNotes)
                        : chordTime == ChordTime::MiddleNote ? onsets[(onsets.size() - 1) / 2]
                        : chordTime == ChordTime::Highest    ? highestOnset
                                                             : onsets.front();
    points.push_back({position, time});
  }
  return ScoreTimeMap(std::move(points));
}

NoteAlignment AlignNotes(const Score& score, const std::vector<PlayedNote>& played,
                         const std::function<bool()>& cancelled) {
  NoteAlignment none;
  none.playedOf.assign(score.notes.size(), -1);
  none.scoreOf.assign(played.size(), -1);
  const std::vector<Group> chords = ScoreChords(score);
  const std::vector<Group> clusters = PlayedClusters(played);
  if (chords.empty() || clusters.empty()) return none;
  auto path = WarpingPath(chords, clusters, cancelled);
  if (path.empty()) return none;
  NoteAlignment alignment = none;
  MatchAlongPath(score, played, chords, clusters, path, alignment);
  // The second pass: the same warping, with the time the first pass's map
  // (smoothed) expects of each chord.
  {
    const ScoreTimeMap smooth = AlignedTimeMap(score, played, alignment, ChordTime::MiddleNote).Smoothed(kSmoothingMs);
    std::vector<double> expected;
    std::vector<double> clusterMs;
    for (const Group& c : chords) expected.push_back(smooth.TimeAt(score.notes[c.first].positionQuarters));
    for (const Group& c : clusters) clusterMs.push_back(played[c.first].onsetMs);
    path = WarpingPath(chords, clusters, cancelled, expected, clusterMs);
    if (path.empty()) return none;
    alignment = none;
    MatchAlongPath(score, played, chords, clusters, path, alignment);
  }
  NotesByKey byKey;
  for (std::size_t p = 0; p < played.size(); ++p) byKey[played[p].key].push_back(static_cast<std::int32_t>(p));
  ScoreTimeMap map = AlignedTimeMap(score, played, alignment, ChordTime::MiddleNote);
  MatchInWindows(score, played, byKey, map, std::vector<double>(score.notes.size(), kFirstWindowMs), alignment);
  for (int round = 0; round < kRounds; ++round) {
    if (cancelled && cancelled()) return none;
    map = AlignedTimeMap(score, played, alignment, ChordTime::MiddleNote);
    const std::vector<double> windows = Windows(score, played, map, alignment);
    alignment = none;
    MatchInOrder(score, played, byKey, map, windows, alignment);
  }
  return alignment;
}

}  // namespace rp
