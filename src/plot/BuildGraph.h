// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds the plot scene from the scaled points: one sphere per point, sorted
// by the floor plane into an upper and a lower group (the compared groups'
// spheres likewise, into ComparedUpper and ComparedLower), the glass plate, the
// two name-plate anchors, and the three axis names written into
// AxisNameTexture. The user's accumulated turn (RotationSum) is applied to
// the new root, so a rebuild keeps the view as it was.
//
// Run ScaleGraph first: only the scene fields of the points are read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rp {

class GraphicsDevice;
struct ViewState;

// Does nothing until the device exists (DeviceReady). A failing call ends
// the build at that step and is passed on; the members then hold what was
// built so far.
void BuildGraph(ViewState& state, GraphicsDevice* dev);

// The name a point's node carries: its 1-based position in Points with one
// leading blank (" 1", " 2", ...). The hover pick reads it back.
std::string PointNodeName(std::size_t position);

// A compared group's point: the 1-based group in Compared and the 1-based
// position in its Points.
struct ComparedPointRef {
  std::size_t group = 0;
  std::size_t position = 0;
};

// The name a compared point's node carries, "c<group>:<position>", and the
// reading back of it (nothing for any other name).
std::string ComparedPointNodeName(ComparedPointRef point);
std::optional<ComparedPointRef> ReadComparedPointNodeName(std::string_view name);

}  // namespace rp
