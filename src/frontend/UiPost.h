// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hands work from another thread to the user-interface thread, to run there
// later between other window events. The Qt windows pass a function that
// queues onto the Qt event loop; tests queue the work and run it when they
// choose.

#include <functional>

namespace rp {

using UiTask = std::function<void()>;
using PostToUi = std::function<void(UiTask)>;

}  // namespace rp
