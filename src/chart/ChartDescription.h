// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart of the Statistics window as plain data: what it shows (axes with
// their quantity, unit and ticks, the performances' series, the legend, the
// title, the current event when one is marked), in which theme and at which
// size. `LayOutChart` turns it into shapes in pixels, which the SVG writer
// and the window's painter both draw, so a file shows what the window shows.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

// The charts there are: besides those of one series, a measure over the
// windows, the cross-recurrence plot of two performances by score position,
// and the chord and melody features against the score.
enum class ChartKind { Tempo, Poincare, Bars, Worm, Recurrence, Windows, CrossRecurrence, Features };

// "tempo", "poincare", "bars", "worm", "recurrence", "windows",
// "cross-recurrence", "features"; nothing for another text.
std::optional<ChartKind> ParseChartKind(std::string_view text);
std::string_view ChartKindName(ChartKind kind);

// Dark for the screen; light (white paper, dark text) for print.
enum class ChartTheme { Dark, Light };
std::optional<ChartTheme> ParseChartTheme(std::string_view text);

struct ChartAxis {
  std::string quantity;  // "tempo"
  std::string unit;      // "ms per dotted quarter"; empty for a count
  double min = 0.0;
  double max = 1.0;
  std::vector<double> ticks;

  // "tempo (ms per dotted quarter)", "tempo, BPM (quarter)", or the
  // quantity alone.
  std::string Title() const;
};

struct ChartPoint {
  double x = 0.0;
  double y = 0.0;
};

enum class SeriesShape {
  Line,        // points joined in order
  Points,      // a dot at each point
  Outline,     // a closed line (an ellipse)
  FadingPath,  // a line whose part before `head` fades the further back it lies
};

struct ChartSeries {
  std::size_t performance = 0;  // the legend entry, which gives the colour
  SeriesShape shape = SeriesShape::Line;
  std::vector<ChartPoint> points;
  bool emphasised = false;  // drawn wider: the selected performance
  std::size_t head = 0;     // of a fading path: the point it has reached
};

// A recurrence plot: cell (row i, column j) is drawn at x = j + 1, y = i + 1.
struct ChartRaster {
  std::size_t rows = 0;
  std::size_t columns = 0;
  std::vector<std::uint8_t> cells;  // row by row, 1 where the vectors recur
  std::size_t performance = 0;      // whose colour the cells take
};

struct ChartLegendEntry {
  std::string name;
  std::size_t performance = 0;  // which gives the colour
};

// The replay's current event, in the chart's coordinates.
struct ChartCursor {
  ChartPoint at;
  bool verticalLine = false;  // a dashed line through it across the plot
};

struct ChartDescription {
  ChartKind kind = ChartKind::Tempo;
  ChartTheme theme = ChartTheme::Dark;
  double width = 800.0;  // in pixels of 1/96 inch
  double height = 500.0;
  std::string title;  // none when empty
  ChartAxis x;
  ChartAxis y;
  bool square = false;                   // the same scale both ways (a return map)
  bool identityLine = false;             // y = x, dashed
  std::vector<ChartLegendEntry> legend;  // every performance drawn
  std::vector<ChartSeries> series;       // in drawing order
  std::optional<ChartRaster> raster;
  std::vector<std::string> notes;  // lines beside the plot, under the legend
  std::optional<ChartCursor> cursor;
};

// Round ticks across [min, max], about `count` of them.
std::vector<double> RoundTicks(double min, double max, int count);

}  // namespace rp
