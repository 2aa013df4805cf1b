// SPDX-License-Identifier: GPL-3.0-or-later
// What the plot window costs while it shows the bundled performance and the
// user does nothing: the process's CPU time (all its threads, the software
// renderer's included) over 10 s of the running event loop, read from
// /proc/self/stat, as a share of one core; with auto-rotation off (the plot
// unchanged: aim at most 2 %) and on (turning at the display's rate, at most
// 60 frames a second). Run it with bench/plot_cpu.sh.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <fstream>
#include <sstream>
#include <string>

#include "BundledPlotWindow.h"
#include "ui/ControlPanel.h"

namespace {

using namespace rp;

// User and system CPU time of this process so far, in seconds.
double ProcessCpuSeconds() {
  std::ifstream in("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The fields after the command's closing parenthesis: state is field 3,
  // utime 14 and stime 15.
  std::istringstream rest(stat.substr(stat.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && rest >> field; ++i)
    if (i >= 14) ticks += std::stod(field);
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void BmPlotCpu(benchmark::State& state) {
  bench::BundledPlotWindow window;
  PlotWindow& form = window.form;
  if (!window.Draws()) {
    state.SkipWithError("no OpenGL renderer");
    return;
  }
  form.View().State().autoRotate = state.range(0) != 0;
  form.View().Redraw();
  // The program's own event loop for that long, nothing else.
  auto run = [](int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
  };
  run(1000);  // settle
  for (auto _ : state) {
    const double cpu = ProcessCpuSeconds();
    const std::uint64_t frames = form.FramesDrawn();
    run(10000);
    state.counters["cpu_percent"] = (ProcessCpuSeconds() - cpu) / 10.0 * 100.0;
    state.counters["frames_per_second"] = static_cast<double>(form.FramesDrawn() - frames) / 10.0;
  }
  if (form.ControlPanel()) form.ControlPanel()->close();
}
// 0: auto-rotation off, 1: on.
BENCHMARK(BmPlotCpu)->ArgName("autoRotate")->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
