// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The popup-menu entry "Open scatter file...": asks for a scatter file,
// loads it, scales the result and has the window show it.

#include <functional>

namespace rp {

class Dialogs;
struct PlotPoints;

// Opens the file dialog in view.MediaFolder ("csv|*.csv"; a name typed
// without an extension that names no file gets ".csv"). Cancelled: nothing
// happens. Otherwise LoadFile, then the range pass, the scaling and
// `shown` (the window's new frame; may be empty), in that order and in every
// case (also after a message from LoadFile). The steps are: load; range
// pass + scaling + shown. One that throws ends only itself.
void LoadDataFromFileMenu(PlotPoints& view, Dialogs& dialogs, const std::function<void()>& shown);

}  // namespace rp
