// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot of a whole piece for the benchmarks: a made-up performance of
// 7,562 events (80 to 400 ms apart, a pause of 2 to 10 s every 500th), all
// of them in the full view with connecting lines, floor shadows, ticks and
// the glass plate, at the window's design size.

#include <glm/gtc/quaternion.hpp>

#include "plot/FrameMove.h"
#include "plot/FullViewScale.h"
#include "plot/PerformancePoints.h"
#include "plot/ViewState.h"
#include "support/LongPerformance.h"
#include "support/ScriptedDialogs.h"

namespace rp {

struct WholePiece {
  static constexpr std::size_t kEvents = 7562;
  Performance performance = testing::PerformanceOfIntervals(testing::LongPieceIntervals(kEvents));
  ScriptedDialogs dialogs;
  ViewState s;

  WholePiece() {
    s.rendererReady = true;
    s.viewport = {0, 0, 606, 443, 0, 1};
    s.labelFontSource = {"DejaVu Sans", 12, 400};
    s.titleFontSource = {"DejaVu Sans Condensed", 16.5f, 700};
    FillAllEventPoints(s, dialogs, performance);
    ApplyPerformanceSettings(s, performance.settings);
    ScaleFullView(s, performance);
    FrameMove(s, 0.0f);
  }
  // On by a small turn, as auto-rotation turns it.
  void Turn() {
    s.camera.orientation = glm::normalize(s.camera.orientation * glm::angleAxis(0.002f, glm::vec3(0, 1, 0)));
  }
};

}  // namespace rp
