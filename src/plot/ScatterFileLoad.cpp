// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ScatterFileLoad.h"

#include <exception>
#include <string>

#include "frontend/Dialogs.h"
#include "plot/PlotPoints.h"
#include "plot/PlotScaling.h"
#include "plot/ScatterPoints.h"

namespace rp {

namespace {

// A failing step is said and ends only itself; the caller goes on with the next.
void RunStep(Dialogs& dialogs, const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    dialogs.ShowMessage(e.what(), MessageKind::Error);
  }
}

}  // namespace

void LoadScatterFileShown(PlotPoints& view, Dialogs& dialogs, const std::string& path,
                          const std::function<void()>& shown) {
  RunStep(dialogs, [&] { LoadFile(view, dialogs, path); });
  RunStep(dialogs, [&] {
    ComputeRanges(view);
    ScaleGraph(view);
    if (shown) shown();
  });
}

}  // namespace rp
