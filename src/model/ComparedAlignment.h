// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which event of a compared performance stands beside an event of the main
// one: the same event number; the event at the nearest relative position in
// time; or, for performances aligned to the score of the same piece, the
// event at the same score position (none where it has none, so a deleted
// note shifts nothing).

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/ComparedPerformances.h"

namespace rp {

enum class AlignBy { EventNumber, RelativePosition, ScorePosition };

// The name on the command line and in the stored settings: "number",
// "position", "score"; and back (nothing for any other text).
std::string_view AlignByName(AlignBy by);
std::optional<AlignBy> AlignByFromName(std::string_view name);

// True when every shown performance is aligned to a score of the same piece.
bool CanAlignByScore(const Performance& main, const ComparedPerformances& compared);

// What the plot aligns by: the user's choice where it can, score position
// where it can and nothing was chosen, else event number.
AlignBy EffectiveAlignBy(std::optional<AlignBy> chosen, const Performance& main, const ComparedPerformances& compared);

// The event (an index from 0) of `other` shown with event k (an index from 0)
// of `main`; nothing for none. By relative position: the event whose (onset -
// first onset) / (last onset - first onset) lies nearest to event k's, a tie
// going to the earlier.
std::optional<std::int32_t> AlignedEvent(const Performance& main, std::int32_t k, const Performance& other, AlignBy by);

}  // namespace rp
