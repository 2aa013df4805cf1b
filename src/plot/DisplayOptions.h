// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the plot shows a performance's values besides the line switches: the
// kind of scale, the identity line, colours by time and which events the
// full view shows, and what makes a figure of it: a scale fixed for many
// pictures, the look, the title, the legend and the points' size. Chosen in
// the View menu or by --snapshot flags; the first three are kept between
// runs.

#include <cstdint>
#include <optional>
#include <string>

#include "model/ValueKind.h"
#include "plot/EventRange.h"
#include "plot/PlotTheme.h"
#include "plot/RobustRange.h"

namespace rp {

struct DisplayOptions {
  bool logarithmic = false;   // logarithmic axes instead of linear ones
  bool identityLine = false;  // the cube's diagonal, where all three values are equal
  bool colourByTime = false;  // the full view's points from early to late on a colour ramp (one performance only)
  // The events the full view shows; nothing: all.
  std::optional<EventSpan> eventRange;
  // The values at the cube's low and high faces, instead of the scale made
  // from the performances shown (a logarithmic scale takes it only when both
  // lie above 0).
  std::optional<ValueRange> fixedScale;
  PlotTheme theme = PlotTheme::Dark;
  // The picture's title; unset: the main performance's file name, or the
  // piece when compared performances share its score; empty: none.
  std::optional<std::string> title;
  bool legend = true;      // the names of the performances shown (one performance: only with a title of its own)
  float pointSize = 1.0f;  // times the points' usual radius
  TempoMeasure tempo;      // the beat and unit Tempo values are counted in
};

}  // namespace rp
