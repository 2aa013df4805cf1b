// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportPoints.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>

#include "app/BatchLoad.h"
#include "app/CommandLine.h"
#include "frontend/Dialogs.h"
#include "plot/PlotPoints.h"
#include "plot/PlotScaling.h"
#include "plot/ScatterPoints.h"

namespace rp {

namespace {

// Shortest text that reads back as the same value.
template <typename Number>
std::string Shortest(Number value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string Hex8(std::int32_t colour) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(static_cast<std::uint32_t>(colour)));
  return buffer;
}

}  // namespace

int RunExportPoints(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files = args;
  const bool strict = TakeStrictOption(files);
  if (files.size() != 1) {
    err << "usage: returnplot --export-points [--strict] FILE.csv\n";
    return 64;
  }
  // The load's messages, each a line of its own, go out as the program's.
  std::ostringstream messages;
  ConsoleDialogs dialogs(std::nullopt, &messages);
  PlotPoints view;
  const ScatterLoadOutcome outcome = LoadFile(view, dialogs, files[0], strict);
  std::istringstream lines(messages.str());
  for (std::string line; std::getline(lines, line);) err << "returnplot: " << line << '\n';
  // A file that could not be read, or holds no points, prints nothing.
  if (outcome != ScatterLoadOutcome::Loaded) return kExitCannotOpen;
  ComputeRanges(view);
  ScaleGraph(view);

  out << "# XAxisName=" << view.xAxisName << '\n'
      << "# VerticalAxisName=" << view.verticalAxisName << '\n'
      << "# DepthAxisName=" << view.depthAxisName << '\n'
      << "# SizeName=" << view.sizeName << '\n'
      << "position,name,datax,datay,dataz,size_value,x,y,z,size,color,data\n";
  std::size_t position = 0;
  for (const DataEntry& p : view.points) {
    out << ++position << ',' << p.dataName << ',' << Shortest(p.dataX) << ',' << Shortest(p.dataY) << ','
        << Shortest(p.dataZ) << ',' << Shortest(p.dataSize) << ',' << Shortest(p.x) << ',' << Shortest(p.y) << ','
        << Shortest(p.z) << ',' << Shortest(p.size) << ',' << Hex8(p.colour) << ',' << p.data << '\n';
  }
  return dialogs.ErrorCount() > 0 ? 1 : 0;
}

}  // namespace rp
