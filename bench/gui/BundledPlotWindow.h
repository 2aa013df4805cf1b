// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real plot window started on the bundled performance, as the program
// starts without a file: what the window benchmarks time.

#include <QApplication>

#include "io/DataFolder.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "support/ScriptedDialogs.h"
#include "session/Session.h"
#include "ui/PlotWindow.h"
#include "ui/QtUiPost.h"

namespace rp::bench {

struct BundledPlotWindow {
  BundledPlotWindow() {
    dialogs.fileAnswers = {ProgramDataFolder() + "performance.txt"};
    form.Start();
  }
  // Whether the window has a renderer to draw with.
  bool Draws() { return form.View().State().rendererReady; }

  ScriptedDialogs dialogs;
  Session session{dialogs, QtUiPoster(qApp)};
  Performance& performance = session.Main();
  ReplayPosition& position = session.Position();
  PlotWindow form{session, dialogs, StartOptions{}};
};

}  // namespace rp::bench
