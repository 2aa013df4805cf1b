// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/LoadDataMenu.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <string>

#include "base/Dialogs.h"
#include "plot/PlotPoints.h"
#include "plot/PlotScaling.h"
#include "plot/ScatterPoints.h"

namespace rp {

namespace {

// The dialog's default extension: a name without one that is not itself a
// file means the .csv file of that name.
std::string WithDefaultExtension(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::path(path).has_extension() || fs::is_regular_file(path, ec)) return path;
  return path + ".csv";
}

// A failing step ends only itself; the handler goes on with the next.
void RunStep(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

void LoadDataFromFileMenu(PlotPoints& view, Dialogs& dialogs, const std::function<void()>& shown) {
  OpenFileRequest request;
  request.title = "Open";
  request.filter = "csv|*.csv";
  request.initialDir = view.mediaFolder;
  const std::optional<std::string> chosen = dialogs.OpenFile(request);
  if (!chosen || chosen->empty()) return;
  const std::string path = WithDefaultExtension(*chosen);

  RunStep([&] { LoadFile(view, dialogs, path); });
  RunStep([&] {
    ComputeRanges(view);
    ScaleGraph(view);
    if (shown) shown();
  });
}

}  // namespace rp
