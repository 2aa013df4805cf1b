// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/EventRange.h"

#include <string>
#include <vector>

#include "model/NumberReading.h"
#include "plot/PlotPoints.h"

namespace rp {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::optional<std::int32_t> EventNumber(std::string_view text) {
  text = Trimmed(text);
  const std::optional<std::int32_t> n = StrictNumber<std::int32_t>(text);
  if (!n || *n < 1) return std::nullopt;
  return n;
}

bool Within(std::optional<std::int32_t> event, const EventSpan& span) {
  return event && *event >= span.first && *event <= span.last;
}

}  // namespace

std::optional<EventSpan> ParseEventSpan(std::string_view text) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const std::optional<std::int32_t> first = EventNumber(text.substr(0, dash));
  const std::optional<std::int32_t> last = EventNumber(text.substr(dash + 1));
  if (!first || !last || *first > *last) return std::nullopt;
  return EventSpan{*first - 1, *last - 1};
}

void KeepEventRange(PlotPoints& view, const std::optional<EventSpan>& span) {
  if (!span) return;
  PointCollection kept;
  std::vector<std::optional<std::int32_t>> keptEvents;
  for (std::size_t i = 0; i < view.points.Count(); ++i) {
    const std::optional<std::int32_t> event = i < view.pointEvents.size() ? view.pointEvents[i] : std::nullopt;
    if (!Within(event, *span)) continue;
    kept.Add(view.points.Item(i));
    keptEvents.push_back(event);
  }
  view.points = std::move(kept);
  view.pointEvents = std::move(keptEvents);
  // A compared point stays with the main event it stands beside (by the
  // chosen alignment, not by its own number).
  for (PointGroup& group : view.compared) {
    PointCollection keptGroup;
    std::vector<AlignedPoint> keptAligned;
    for (std::size_t i = 0; i < group.points.Count(); ++i) {
      if (i >= group.pointEvents.size() || !Within(group.pointEvents[i].mainEvent, *span)) continue;
      keptGroup.Add(group.points.Item(i));
      keptAligned.push_back(group.pointEvents[i]);
    }
    group.points = std::move(keptGroup);
    group.pointEvents = std::move(keptAligned);
  }
}

}  // namespace rp
