// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A laid-out chart as an SVG document: one element per shape, texts on
// their baselines with a text-anchor (no dominant-baseline, which renderers
// treat differently), sizes in pixels of 1/96 inch.

#include <string>

#include "chart/ChartLayout.h"

namespace rp {

std::string ChartSvg(const ChartDrawing& drawing);

}  // namespace rp
