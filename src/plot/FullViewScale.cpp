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
  return std::string(ValueKindUnit(kind, performance.velocityKind));
}

}  // namespace

void ScaleFullView(ViewState& s, const Performance& performance) {
  ComputeCommonScale(s, s.display.logarithmic);
  s.valueUnit = UnitOf(s, performance);
  KeepEventRange(s, s.display.firstEvent, s.display.lastEvent);
  s.showColourBar = false;
  if (s.display.colourByTime && s.compared.empty()) ColourByTime(s, performance);
  ScaleGraph(s);
}

}  // namespace rp
