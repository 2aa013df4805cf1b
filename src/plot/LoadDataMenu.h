// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The popup-menu entry "Open scatter file...": asks for a scatter file,
// loads it and has the window rebuild its scene from the result.

#include <functional>

namespace rp {

class Dialogs;
struct PlotPoints;

// The window's part of the rebuild; empty functions are skipped.
struct SceneRebuildSteps {
  std::function<void()> releaseScene;          // drop the scene of the old points
  std::function<void()> buildScene;            // build the scene from the scaled points
  std::function<void()> restoreDeviceObjects;  // camera, lights and fonts
};

// Opens the file dialog in view.MediaFolder ("csv|*.csv"; a name typed
// without an extension that names no file gets ".csv"). Cancelled: nothing
// happens. Otherwise LoadFile, then releaseScene, the range pass and the
// scaling, buildScene and restoreDeviceObjects, in that order and in every
// case (also after a message from LoadFile). The steps are: load; release;
// range pass + scaling + build + restore. One that throws ends only itself.
void LoadDataFromFileMenu(PlotPoints& view, Dialogs& dialogs, const SceneRebuildSteps& scene);

}  // namespace rp
