// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --chart`: the chart described by app/ChartCommand, written as
// SVG by the plain writer, or drawn as PNG or PDF with QPainter on the
// toolkit's offscreen platform (no display needed), as the Statistics
// window's Export draws it.

#include <iosfwd>
#include <string>
#include <vector>

namespace rp {

int DrawChart(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
