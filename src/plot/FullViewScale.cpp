// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/FullViewScale.h"

#include <string>

#include "model/Performance.h"
#include "model/ValueKind.h"
#include "plot/EventRange.h"
#include "plot/PlotScaling.h"
#include "plot/TimeColours.h"
#include "plot/ViewState.h"

namespace rp {

namespace {

std::string UnitOf(const ViewState& s, const Performance& performance) {
  const ValueKind kind = s.valueKind;
  return ValueKindUnit(kind, performance, s.display.tempo);
}

// A scale chosen for many pictures replaces the one of this picture's own
// values; a logarithmic one needs both faces above 0.
void FixScale(ViewState& s) {
  const std::optional<ValueRange>& fixed = s.display.fixedScale;
  if (!fixed || !(fixed->high > fixed->low)) return;
  if (s.scale.logarithmic && !(fixed->low > 0.0)) s.scale.logarithmic = false;
  s.scale.low = fixed->low;
  s.scale.high = fixed->high;
}

}  // namespace

void ScaleFullView(ViewState& s, const Performance& performance) {
  ComputeCommonScale(s, s.display.logarithmic);
  FixScale(s);
  s.valueUnit = UnitOf(s, performance);
  KeepEventRange(s, s.display.eventRange);
  s.showColourBar = false;
  if (s.display.colourByTime && s.compared.empty()) ColourByTime(s, performance);
  ScaleGraph(s);
}

}  // namespace rp
