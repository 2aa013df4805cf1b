// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A laid-out chart drawn with QPainter: on the window, into a PNG image and
// into a PDF page, shape by shape as the SVG writer writes them.

#include <QString>
#include <vector>

#include "chart/ChartLayout.h"

class QPainter;

namespace rp {

void PaintChartItems(QPainter& painter, const std::vector<DrawItem>& items);

// The chart in the format `path`'s extension names, written to `to`:
// ".svg" (the SVG writer), ".pdf" (a page of the chart's size) or ".png"
// (`dpi` pixels an inch; 96 gives one pixel a chart pixel). False when it
// could not be written.
bool DrawChartFile(const ChartDrawing& drawing, const QString& path, const QString& to, double dpi);

// The same written beside `path` and renamed into place when complete
// (io/FileReplacement), so a failed write leaves an earlier file as it was.
bool WriteChartFile(const ChartDrawing& drawing, const QString& path, double dpi);

}  // namespace rp
