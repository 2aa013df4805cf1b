// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Reset orientation": back to the start pose.

namespace rp {

struct ViewState;

// The plot's own turn undone (for good: a rebuild keeps the orientation as
// it is), the camera where it starts and at rest.
void ResetView(ViewState& state);

}  // namespace rp
