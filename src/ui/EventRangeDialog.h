// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Event range...": asks which events the full view shows, as FROM-TO.

#include <optional>

#include "plot/EventRange.h"

class QWidget;

namespace rp {

// What the user chose: an empty answer means all events (first and last
// 0); nothing when the dialog was cancelled. An answer that is not FROM-TO
// is said and asked again.
std::optional<EventSpan> AskEventRange(QWidget* parent, const EventSpan& shown, std::int32_t eventCount);

}  // namespace rp
