// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A renderer's window for the frame benchmarks: shown at the plot's design
// size, waited for until it is on screen, its renderer started.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

#include "render/GlView.h"

namespace rp {

// False, with the benchmark told why, when there is no window or renderer.
inline bool ShowForFrames(GlView& view, benchmark::State& state) {
  view.resize(606, 443);
  view.show();
  QElapsedTimer waited;
  waited.start();
  while (!(view.windowHandle() && view.windowHandle()->isExposed()) && waited.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  if (!view.windowHandle() || !view.windowHandle()->isExposed() || !view.StartRenderer()) {
    state.SkipWithError("no window or no OpenGL 3.3 renderer");
    return false;
  }
  view.DrawFrameAndWait();  // the first frame makes the textures
  return true;
}

}  // namespace rp
