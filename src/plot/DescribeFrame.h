// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot as a scene description (scene/SceneDescription.h), made anew for
// every frame from the view's state: one sphere per point, main and
// compared, at its scaled place; the lines; the axis-name plates and, when
// shown, the glass plate; the hover label, the caption of the vertical axis
// and, while performances are compared, the legend; the camera, the light
// and the plot's orientation.
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
// times the point's size, the point's colour.
std::vector<SphereInstance> PointSpheres(const PlotPoints& points);

}  // namespace rp
