// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --chart KIND OUT FILE...`: a chart of the Statistics window
// for the files, the first as the main performance, the others compared, as
// a file to print (SVG, PNG or PDF; light theme unless --theme dark). This
// half reads the options and the files and describes the chart; the
// desktop program draws PNG and PDF files with the toolkit.

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/ChartDescription.h"
#include "chart/StatisticsCharts.h"
#include "model/AnalysisSettings.h"

namespace rp {

inline constexpr std::string_view kChartUsage =
    "tempo|poincare|bars|worm|recurrence|windows|cross-recurrence|features OUT.png|OUT.svg|OUT.pdf "
    "[--theme light|dark] [--width W] [--height H] [--dpi N] [--title T] "
    "[--series timing|velocity|tempo|melody_lead|spread|overlap] [--against time|event] [--beat B] "
    "[--tempo-unit ms|bpm] [--smooth BEATS] [--measure NAME] [--stats options] [analysis options] [--strict] FILE...";

struct ChartOptions {
  ChartRequest request;
  std::string output;
  double dpi = 96.0;
  AnalysisSettings settings;
  StatisticsOptions measures;  // of the windows' measures
  bool strict = false;
  std::vector<std::string> files;
};

// The options after `--chart`; a usage error is one line on `err`.
std::optional<ChartOptions> ParseChartOptions(const std::vector<std::string>& args, std::ostream& err);

// Loads the files and describes their chart; a file that cannot be read is
// one line on `err`, `status` its exit status, and nothing.
std::optional<ChartDescription> DescribeChartOfFiles(const ChartOptions& options, std::ostream& err, int& status);

}  // namespace rp
