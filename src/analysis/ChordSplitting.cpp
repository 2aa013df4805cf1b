// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ChordSplitting.h"

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "model/Performance.h"
#include "model/ShortestNumber.h"

namespace rp {

std::optional<ChordSplitting> FindChordSplitting(const Performance& performance) {
  if (!UsesClusterWindow(performance) || performance.velocityKind != VelocityKind::Midi) return std::nullopt;
  ChordSplitting found;
  found.limitMs = 2.0 * performance.settings.clusterWindowMs;
  const auto& events = performance.events;
  for (std::size_t k = 1; k < events.size(); ++k) {
    ++found.intervals;
    if (events[k].onsetMs - events[k - 1].onsetMs < found.limitMs) ++found.shortIntervals;
  }
  if (found.shortIntervals <= kChordSplittingShare * found.intervals) return std::nullopt;
  return found;
}

std::string ChordSplittingWarning(const Performance& performance) {
  const std::optional<ChordSplitting> found = FindChordSplitting(performance);
  if (!found) return {};
  return FormatText(
      QT_TRANSLATE_NOOP("returnplot",
                        "%1 of %2 intervals between onset events are shorter than %3 ms, twice the "
                        "cluster window: it may split spread chords into several events. A wider "
                        "cluster window can be set in the analysis settings (--cluster-ms)."),
      {std::to_string(found->shortIntervals), std::to_string(found->intervals), ShortestNumber(found->limitMs)});
}

}  // namespace rp
