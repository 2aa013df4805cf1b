// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One plotted point: its label, its data values, its place in the scene and
// its colour. The scene fields x, y, z and size are written only by the
// scaling pass; the data fields hold the values as supplied.

#include <cstdint>
#include <string>

namespace rp {

struct DataEntry {
  std::string dataName;  // the label, shown first in the hover label
  float x = 0.0f;        // scene position (y is vertical)
  float y = 0.0f;
  float z = 0.0f;
  double dataX = 0.0;       // data value on the first axis
  double dataY = 0.0;       // data value on the second axis, plotted vertically
  double dataZ = 0.0;       // data value on the third axis
  double dataSize = 0.0;    // size value as supplied
  double size = 0.0;        // scale factor of the point's sphere in the scene
  std::int32_t colour = 0;  // packed 0xAARRGGBB
  bool clipped = false;     // a value lies beyond the scale: the point stands on the cube's face
  std::string data;         // free payload carried with the point; never interpreted
  // The connecting line and shadow from the previous point are not drawn:
  // an event between the two has no point (PointCollection::Break).
  bool breaksPath = false;
};

}  // namespace rp
