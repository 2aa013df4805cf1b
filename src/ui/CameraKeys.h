// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys that fly the camera: the arrows turn it, V/Y, S/X and D/C move it
// along its x, y and z axes. Qt's letter keys follow the keyboard layout, so
// Y is the key that types Y.

#include <optional>

#include "plot/ViewKeys.h"

namespace rp {

// The camera move a Qt::Key stands for; none for any other key.
std::optional<CameraMove> CameraMoveOfKey(int qtKey);

}  // namespace rp
