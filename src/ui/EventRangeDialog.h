// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Event range...": asks which events the full view shows, as FROM-TO.

#include <optional>

#include "plot/EventRange.h"

class QWidget;

namespace rp {

// Asks, starting from `range`, and on OK sets `range` to the user's choice
// (an empty answer: nothing, all events) and says true; false when the
// dialog was cancelled. An answer that is not FROM-TO is said and asked again.
bool AskEventRange(QWidget* parent, std::optional<EventSpan>& range, std::int32_t eventCount);

}  // namespace rp
