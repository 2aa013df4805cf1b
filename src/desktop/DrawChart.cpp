// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/DrawChart.h"

#include <QGuiApplication>
#include <array>
#include <memory>
#include <ostream>
#include <string>

#include "app/BatchLoad.h"
#include "app/ChartCommand.h"
#include "app/OutputPath.h"
#include "app/RemovedOnSignal.h"
#include "chart/ChartLayout.h"
#include "io/FileReplacement.h"
#include "ui/ChartPainter.h"

namespace rp {

int DrawChart(const std::vector<std::string>& args, std::ostream& /*out*/, std::ostream& err) {
  const std::optional<ChartOptions> options = ParseChartOptions(args, err);
  if (!options) return kExitUsage;
  int status = 0;
  const std::optional<ChartDescription> chart = DescribeChartOfFiles(*options, err, status);
  if (!chart) return status;
  // Fonts and images need an application; the offscreen platform draws the
  // same with and without a display.
  std::unique_ptr<QGuiApplication> app;
  if (LowerExtension(options->output) != ".svg") {
    static std::array<char, 11> name{"returnplot"};
    static std::array<char, 10> platform{"-platform"};
    static std::array<char, 10> offscreen{"offscreen"};
    static std::array<char*, 4> argv{name.data(), platform.data(), offscreen.data(), nullptr};
    static int argc = 3;
    app = std::make_unique<QGuiApplication>(argc, argv.data());
  }
  // Written beside its place and renamed into place when complete; a signal
  // removes what was begun.
  FileReplacement file(options->output);
  std::string error = file.Begin();
  if (error.empty()) {
    const RemovedOnSignal interruptible(file.TemporaryPath());
    error = DrawChartFile(LayOutChart(*chart), QString::fromStdString(options->output),
                          QString::fromStdString(file.TemporaryPath()), options->dpi)
                ? file.Commit()
                : "Cannot write \"" + options->output + "\".";
  }
  if (!error.empty()) {
    err << "returnplot: " << error << '\n';
    return 1;
  }
  return 0;
}

}  // namespace rp
