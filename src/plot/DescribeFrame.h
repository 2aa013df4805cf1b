// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot as a scene description (scene/SceneDescription.h), made anew for
// every frame from the view's state: one sphere per point, main and
// compared, at its scaled place; the lines; the axis-name plates and, when
// shown, the glass plate; the title, the caption (the quantity on the axes
// with its unit, the delay, the events shown when not all, the vertical
// axis), the legend and the hover label, kept apart from each other; the
// camera, the light and the plot's orientation; in the chosen look
// (PlotTheme).
//
// Run ScaleGraph first: only the scene fields of the points are read.

#include "scene/SceneDescription.h"

namespace rp {

struct PlotPoints;
struct ViewState;

// The whole frame.
SceneDescription DescribeFrame(const ViewState& state);

// Only what a pick needs: the camera, the orientation and the spheres.
SceneDescription DescribePickScene(const ViewState& state);

// The spheres of the main points, then of each compared group: radius 0.1
// times the point's size times `pointSize`, the point's colour.
std::vector<SphereInstance> PointSpheres(const PlotPoints& points, float pointSize = 1.0f);

}  // namespace rp
