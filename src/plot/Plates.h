// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The flat parts of the plot, in its own space: the name plates of the x and
// the depth axis, and the glass plate on the floor.

#include <array>
#include <cstdint>

#include "scene/SceneDescription.h"

namespace rp {

// The name plate of `axis` (0 x, 2 depth; the vertical axis is named by the
// caption): a 4 x 0.5 front face facing -z in its anchor's space and the
// back face 0.01 behind it with u mirrored, so the name reads left to right
// from both sides; white, showing line `axis` of the axis-name texture. The
// x plate's anchor stands at (0, 0, -6), the depth plate's at (6, 0, 0)
// turned -90 degrees about y.
std::array<Quad, 2> AxisNamePlate(std::int32_t axis);

// The glass plate: a 10 x 10 x 0.1 box lying on the floor (a box standing
// on its edge, turned 90 degrees about x), light grey at alpha 0.2; its six
// faces in the order -x, +x, -y, +y, -z, +z of the box.
std::array<Quad, 6> GlassPlate();

}  // namespace rp
