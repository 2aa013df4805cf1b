// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Open scatter file...": loads the chosen file into the view, scales the
// result and has the window show it.

#include <functional>
#include <string>

namespace rp {

class Dialogs;
struct PlotPoints;

// LoadFile, then the range pass, the scaling and `shown` (the window's new
// frame; may be empty), in that order and in every case (also after a
// message from LoadFile). A step that fails is reported in a message and
// ends only itself.
void LoadScatterFileShown(PlotPoints& view, Dialogs& dialogs, const std::string& path,
                          const std::function<void()>& shown);

}  // namespace rp
