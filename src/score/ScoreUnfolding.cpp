// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/ScoreUnfolding.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"

namespace rp {

namespace {

constexpr const char* kInBar = QT_TRANSLATE_NOOP("returnplot", "Cannot follow the score \"%1\": bar %2: %3.");

class BarOrder {
 public:
  BarOrder(const std::vector<NotatedBar>& bars, RepeatPlan plan) : bars_(bars), plan_(plan) {}

  // The bars' indices in performed order; nothing with `why` and `whyBar`
  // set when the marks cannot be followed.
  std::optional<std::vector<std::size_t>> Make();

  std::string why;
  std::size_t whyBar = 0;

 private:
  // The bar that ends the ending starting at `start`; nothing when none does.
  std::optional<std::size_t> EndingEnd(std::size_t start) const {
    for (std::size_t i = start; i < bars_.size(); ++i) {
      if (bars_[i].endingStop) return i;
      if (i > start && !bars_[i].endingNumbers.empty()) return i - 1;  // the next ending starts: this one ended
    }
    return std::nullopt;
  }
  bool LeadsBack(std::size_t start, std::size_t end) const {
    for (std::size_t i = start; i <= end; ++i) {
      if (bars_[i].repeatBackward) return true;
    }
    return false;
  }
  std::optional<std::vector<std::size_t>> Fail(std::size_t bar, const char* text) {
    why = text;
    whyBar = bar;
    return std::nullopt;
  }

  const std::vector<NotatedBar>& bars_;
  RepeatPlan plan_;
};

std::optional<std::vector<std::size_t>> BarOrder::Make() {
  std::vector<std::size_t> order;
  std::vector<int> jumpsBack(bars_.size(), 0);
  const std::size_t limit = 20 * bars_.size() + 100;
  std::size_t repeatStart = 0;
  int pass = 1;
  bool jumped = false;    // after the da capo or dal segno
  bool cameBack = false;  // this bar was reached by a repeat's jump back
  bool inEnding = false;
  std::size_t endingEnd = 0;  // the last bar of the ending played or skipped last
  std::size_t i = 0;
  while (i < bars_.size()) {
    if (order.size() > limit)
      return Fail(i, QT_TRANSLATE_NOOP("returnplot", "the repeats and jumps never reach the end"));
    const NotatedBar& bar = bars_[i];
    const bool takeRepeats = plan_ == RepeatPlan::Taken && !jumped;
    if (bar.repeatForward && !cameBack) {
      repeatStart = i;
      pass = 1;
    }
    cameBack = false;
    if (!bar.endingNumbers.empty()) {
      const std::optional<std::size_t> end = EndingEnd(i);
      if (!end) return Fail(i, QT_TRANSLATE_NOOP("returnplot", "an ending that never ends"));
      const bool play =
          takeRepeats ? std::find(bar.endingNumbers.begin(), bar.endingNumbers.end(), pass) != bar.endingNumbers.end()
                      : !LeadsBack(i, *end);
      inEnding = true;
      endingEnd = *end;
      if (!play) {
        i = *end + 1;
        continue;
      }
    } else if (inEnding && i > endingEnd) {
      // The endings are over: a later repeat starts after them.
      inEnding = false;
      repeatStart = i;
      pass = 1;
    }
    order.push_back(i);
    if (jumped && bar.fine) break;
    if (jumped && bar.toCoda) {
      std::size_t target = i + 1;
      while (target < bars_.size() && !bars_[target].coda) ++target;
      if (target == bars_.size())
        return Fail(i, QT_TRANSLATE_NOOP("returnplot", "a jump to the coda, but no later bar has a coda sign"));
      i = target;
      continue;
    }
    if (bar.repeatBackward && takeRepeats && jumpsBack[i] < bar.repeatTimes - 1) {
      ++jumpsBack[i];
      ++pass;
      i = repeatStart;
      cameBack = true;
      continue;
    }
    if (bar.repeatBackward && !inEnding) {
      repeatStart = i + 1;
      pass = 1;
    }
    if (!jumped && (bar.daCapo || bar.dalSegno)) {
      std::size_t target = 0;
      if (bar.dalSegno) {
        while (target < bars_.size() && !bars_[target].segno) ++target;
        if (target == bars_.size())
          return Fail(i, QT_TRANSLATE_NOOP("returnplot", "a dal segno, but no bar has a segno"));
      }
      jumped = true;
      inEnding = false;
      repeatStart = target;
      pass = 1;
      i = target;
      continue;
    }
    ++i;
  }
  return order;
}

// Where a note stands in its bar: the beat from 1 and what lies after it.
std::pair<int, Rational> BeatInBar(Rational inBar, int beatType) {
  const Rational beats = inBar * Rational(beatType);
  const std::int64_t whole =
      beats.Num() >= 0 ? beats.Num() / beats.Den() : -((-beats.Num() + beats.Den() - 1) / beats.Den());
  return {static_cast<int>(whole) + 1, inBar - Rational(whole, beatType)};
}

// Merges every note tied from an earlier one into it: the earlier note of the
// same part and pitch that ends exactly where it starts. A tie that finds no
// such note (after a jump) leaves the note sounding on its own.
void MergeTies(std::vector<ScoreNote>& notes, const std::vector<std::pair<bool, bool>>& ties) {
  std::vector<std::size_t> order(notes.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return notes[a].positionWhole < notes[b].positionWhole; });
  std::map<std::pair<std::string, int>, std::size_t> open;
  std::vector<bool> merged(notes.size(), false);
  for (const std::size_t i : order) {
    ScoreNote& n = notes[i];
    if (n.grace) continue;
    const auto key = std::make_pair(n.part, static_cast<int>(n.pitch));
    const auto [tieStart, tieStop] = ties[i];
    if (tieStop) {
      const auto it = open.find(key);
      if (it != open.end()) {
        ScoreNote& first = notes[it->second];
        if (first.positionWhole + first.durationWhole == n.positionWhole) {
          first.durationWhole += n.durationWhole;
          first.durationBeats += n.durationBeats;
          first.tieMerged = true;
          merged[i] = true;
          if (!tieStart) open.erase(it);
          continue;
        }
      }
    }
    if (tieStart) {
      open[key] = i;
    } else {
      open.erase(key);
    }
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < notes.size(); ++i) {
    if (merged[i]) continue;
    if (kept != i) notes[kept] = std::move(notes[i]);  // never onto itself: that would empty its texts
    ++kept;
  }
  notes.resize(kept);
}

// Keeps one of two notes of the same part and pitch that start together (the
// longer): a key cannot be struck twice at once.
void DropUnisons(std::vector<ScoreNote>& notes) {
  std::vector<ScoreNote> kept;
  kept.reserve(notes.size());
  for (ScoreNote& n : notes) {
    auto same = [&n](const ScoreNote& k) {
      return !k.grace && !n.grace && k.pitch == n.pitch && k.part == n.part && k.positionWhole == n.positionWhole;
    };
    // Notes are sorted by position: only the last few can start together.
    const auto last = kept.rbegin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(kept.size(), 24));
    const auto it = std::find_if(kept.rbegin(), last, same);
    if (it != last) {
      if (it->durationWhole < n.durationWhole) *it = std::move(n);
      continue;
    }
    kept.push_back(std::move(n));
  }
  notes = std::move(kept);
}

}  // namespace

bool HasRepeats(const NotatedScore& notated) {
  return std::any_of(notated.bars.begin(), notated.bars.end(),
                     [](const NotatedBar& b) { return b.repeatBackward || !b.endingNumbers.empty(); });
}

ScoreUnfolded UnfoldScore(const NotatedScore& notated, RepeatPlan plan, const std::string& fileName) {
  ScoreUnfolded result;
  BarOrder orderMaker(notated.bars, plan);
  const std::optional<std::vector<std::size_t>> order = orderMaker.Make();
  if (!order) {
    result.error =
        FormatText(kInBar, {fileName, std::to_string(notated.bars[orderMaker.whyBar].number), orderMaker.why});
    return result;
  }
  Score& score = result.score;
  score.title = notated.title;
  score.composer = notated.composer;
  std::vector<std::pair<bool, bool>> ties;
  std::vector<int> passes(notated.bars.size(), 0);
  Rational start;  // of the bar, in whole notes
  double startBeats = 0.0;

  for (std::size_t k = 0; k < order->size(); ++k) {
    const std::size_t index = (*order)[k];
    const NotatedBar& bar = notated.bars[index];
    const int pass = ++passes[index];
    // A bar that holds nothing lasts what its time signature says.
    const Rational length = bar.length == Rational(0) ? bar.nominal : bar.length;
    // An upbeat: the first bar, shorter than its time signature; its notes
    // stand at the end of the bar's beats.
    const bool upbeat = index == 0 && length < bar.nominal;
    const Rational shift = upbeat ? bar.nominal - length : Rational(0);
    if (k == 0 && upbeat) score.upbeatBeats = (length * Rational(bar.beatType)).ToDouble();
    score.bars.push_back({bar.number, (start * Rational(4)).ToDouble(), startBeats, bar.beats, bar.beatType});
    const auto& times = score.timeSignatures;
    if (times.empty() || times.back().beats != bar.beats || times.back().beatType != bar.beatType)
      score.timeSignatures.push_back({startBeats, bar.number, bar.beats, bar.beatType});
    const auto& keys = score.keySignatures;
    if (keys.empty() || keys.back().fifths != bar.fifths || keys.back().minor != bar.minor)
      score.keySignatures.push_back({startBeats, bar.number, bar.fifths, bar.minor});
    for (const NotatedTempo& t : bar.tempos) {
      score.tempos.push_back({((start + t.onset) * Rational(4)).ToDouble(), t.quartersPerMinute});
    }
    for (const NotatedNote& n : bar.notes) {
      ScoreNote s;
      s.id = n.id + "-" + std::to_string(pass);
      s.part = n.part;
      s.staff = n.staff;
      s.voice = n.voice;
      s.bar = bar.number;
      std::tie(s.beat, s.offsetInBeat) = BeatInBar(n.onset + shift, bar.beatType);
      s.positionWhole = start + n.onset;
      s.positionQuarters = (s.positionWhole * Rational(4)).ToDouble();
      s.positionBeats = startBeats + (n.onset * Rational(bar.beatType)).ToDouble();
      s.durationWhole = n.duration;
      s.durationBeats = (n.duration * Rational(bar.beatType)).ToDouble();
      s.pitch = n.pitch;
      s.step = n.step;
      s.alter = n.alter;
      s.octave = n.octave;
      s.grace = n.grace;
      s.arpeggio = n.arpeggio;
      score.notes.push_back(std::move(s));
      ties.emplace_back(n.tieStart, n.tieStop);
    }
    start += length;
    startBeats += (length * Rational(bar.beatType)).ToDouble();
  }
  MergeTies(score.notes, ties);
  SortScoreNotes(score);
  DropUnisons(score.notes);
  return result;
}

}  // namespace rp
