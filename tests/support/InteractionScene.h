// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot's state for the interaction tests: points already scaled into the
// scene, the running window's camera, and where a point shows.

#include <string>

#include "plot/DescribeFrame.h"
#include "plot/FrameMove.h"
#include "plot/ViewState.h"
#include "scene/ScenePick.h"

namespace rp::testing {

// As after the window's start-up: the renderer draws, the camera stands at
// (0, 4, -20) looking along +z, the client is 606 x 443.
inline void StartedView(ViewState& s) {
  s.rendererReady = true;
  s.viewport = {0, 0, 606, 443, 0, 1};
  FrameMove(s, 0.0f);
}

inline DataEntry MakePoint(std::string name, float x, float y, float z, double size = 1.0) {
  DataEntry e;
  e.dataName = std::move(name);
  e.x = x;
  e.y = y;
  e.z = z;
  e.size = size;
  e.dataSize = size;
  return e;
}

// Where a point of the plot's space shows in the window now.
inline glm::vec3 ScreenOf(const ViewState& s, const glm::vec3& p) { return WindowPosition(DescribeFrame(s), p); }

}  // namespace rp::testing
