// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the scatter-file load and what the plot does with its points next:
// the range pass and the scaling into the plot cube.
//
// Beyond "no crash, no sanitizer report": a failed load leaves exactly the
// previous points and titles; a successful one holds only finite data
// values; after the range pass every point lies in the plot cube.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInputFile.h"
#include "frontend/Dialogs.h"
#include "plot/PlotPoints.h"
#include "plot/PlotScaling.h"
#include "plot/ScatterPoints.h"
#include "support/ScriptedDialogs.h"

namespace {

bool InCube(float value, float low, float high) {
  const float slack = 1e-4f * (high - low);
  return std::isfinite(value) && value >= low - slack && value <= high + slack;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rp;
  static fuzz::FuzzInputFile file(".csv");
  file.Write(data, size);

  ScriptedDialogs dialogs;
  PlotPoints view;
  view.xAxisName = "previous x";
  view.AddEntry(dialogs, "previous", 1.0, 2.0, 3.0, 1.0, 0, "");
  const bool failed = LoadFile(view, dialogs, file.path()) != ScatterLoadOutcome::Loaded;
  if (failed) {
    RP_FUZZ_CHECK(view.points.Count() == 1 && view.points.Item(0).dataName == "previous");
    RP_FUZZ_CHECK(view.xAxisName == "previous x");
  } else {
    for (const DataEntry& p : view.points) {
      RP_FUZZ_CHECK(std::isfinite(p.dataX) && std::isfinite(p.dataY) && std::isfinite(p.dataZ));
      RP_FUZZ_CHECK(std::isfinite(p.dataSize));
    }
  }

  ComputeRanges(view);
  ScaleGraph(view);
  for (const DataEntry& p : view.points) {
    RP_FUZZ_CHECK(InCube(p.x, -kAxisExtent, kAxisExtent));
    RP_FUZZ_CHECK(InCube(p.y, 0.0f, 2.0f * kAxisExtent));
    RP_FUZZ_CHECK(InCube(p.z, -kAxisExtent, kAxisExtent));
  }
  return 0;
}
