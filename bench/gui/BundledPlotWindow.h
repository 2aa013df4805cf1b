// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real plot window started on the bundled performance, as the program
// starts without a file: what the window benchmarks time.

#include "io/DataFolder.h"
#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "support/ScriptedDialogs.h"
#include "ui/PlotWindow.h"

namespace rp::bench {

struct BundledPlotWindow {
  BundledPlotWindow() {
    dialogs.fileAnswers = {ProgramDataFolder() + "performance.txt"};
    form.Start();
  }
  // Whether the window has a renderer to draw with.
  bool Draws() { return form.View().State().rendererReady; }

  ScriptedDialogs dialogs;
  Performance performance;
  ReplayPosition position;
  ComparedPerformances compared;
  PlotWindow form{dialogs, StartOptions{}, performance, position, compared};
};

}  // namespace rp::bench
