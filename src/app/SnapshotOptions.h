// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --snapshot OUT.png [--velocity | --tempo | --lead | --spread] [--align-by number|position|score] [--event
// N [--tail T]]
// [--width W] [--height H] [--yaw DEG] [--pitch DEG] [--log-axes]
// [--identity-line] [--colour-by-time] [--event-range FROM-TO]
// [FILE [FILE...] | --scatter FILE.csv]`: start as usual without asking
// anything, draw one frame, save the plot as PNG or JPEG (by OUT's
// extension), exit. The first FILE is the main performance, the others are
// compared with it.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/AnalysisOptions.h"
#include "model/ComparedAlignment.h"
#include "model/ValueKind.h"
#include "plot/EventRange.h"
#include "plot/PlotTheme.h"
#include "plot/RobustRange.h"

namespace rp {

enum class SnapshotFormat { Png, Jpeg, Svg };

// The plot window's client area, in the desktop's units: the size of a
// snapshot without --width and --height on an unscaled desktop.
inline constexpr int kSnapshotWidth = 606;
inline constexpr int kSnapshotHeight = 443;
// The most pixels either side of a snapshot may have.
inline constexpr int kMaxSnapshotSide = 8192;
// The points' size may be scaled by this much either way.
inline constexpr double kMaxPointSize = 10.0;
// Above this many events a snapshot has no connecting lines and no floor
// shadows unless --lines and --shadows ask for them, and its points are drawn
// smaller (kLongPiecePointSize): a long piece's path only tangles.
inline constexpr std::int32_t kLongPieceEvents = 3000;
inline constexpr double kLongPiecePointSize = 0.6;

struct SnapshotOptions {
  std::string output;  // the picture to write
  SnapshotFormat format = SnapshotFormat::Png;
  bool velocity = false;              // velocity values instead of timing
  bool tempo = false;                 // beat periods instead of timing
  bool lead = false;                  // melody leads instead of timing
  bool spread = false;                // chord spreads instead of timing
  std::optional<AlignBy> alignBy;     // how compared files are aligned (else as the windows decide)
  std::optional<std::int32_t> event;  // show the tail of this event
  std::int32_t tail = 10;             // its length
  bool tailGiven = false;             // --tail named on the command line
  std::optional<std::int32_t> width;  // pixels: the same picture, scaled
  std::optional<std::int32_t> height;
  double yawDegrees = 0;                  // the plot turned about its vertical axis
  double pitchDegrees = 0;                // and tipped towards the viewer
  std::optional<std::string> file;        // the performance
  std::vector<std::string> compareFiles;  // shown beside it
  std::optional<std::string> scatter;     // or a scatter file
  AnalysisOptions analysis;               // over the defaults, never the stored settings
  bool logAxes = false;                   // logarithmic axes
  bool identityLine = false;              // the line of equal values
  bool colourByTime = false;              // the points from early to late (one performance only)
  std::optional<EventSpan> eventRange;    // --event-range: the full view's events; nothing: all
  std::optional<std::string> title;       // the picture's title (empty: none); unset: the default
  std::optional<ValueRange> range;        // --range: the values at the cube's faces
  std::vector<std::string> scaleFrom;     // --scale-from: the scale of all these performances together
  PlotTheme theme = PlotTheme::Dark;      // --theme
  // The display switches as the menu has them; unset: as the window starts.
  std::optional<bool> lines, dropLines, shadows, glass;
  bool legend = true;
  std::optional<double> pointSize;  // times the usual radius
  TempoMeasure tempoMeasure;        // --beat, --tempo-unit: how --tempo counts

  // Every file the snapshot reads.
  std::vector<std::string> Inputs() const;
  // The factor the desktop is scaled by for --width and --height (1 without
  // either): the width's over 606, else the height's over 443.
  double ScaleFactor() const;
  // The values the options choose, and the option that chose them (empty for timing).
  ValueKind Values() const;
  std::string_view ValuesOption() const;
};

inline constexpr std::string_view kSnapshotUsage =
    "--snapshot OUT.png|OUT.jpg|OUT.svg [--velocity | --tempo | --lead | --spread] [--align-by number|position|score] "
    "[--event N [--tail T]] "
    "[--width W] [--height H] [--yaw DEG] [--pitch DEG] [--log-axes] [--identity-line] [--colour-by-time] "
    "[--event-range FROM-TO] [--title TEXT] [--range LO:HI | --scale-from FILE...] [--theme dark|light] "
    "[--lines on|off] [--drop-lines on|off] [--shadows on|off] [--glass on|off] [--legend on|off] "
    "[--point-size F] [--beat B] [--tempo-unit ms|bpm] [--cluster-ms MS] [--delay D] [--times-unit s|ms] "
    "[--event-velocity first|loudest|highest] "
    "[FILE [FILE...] | --scatter FILE.csv]";

// The arguments after "--snapshot". On a usage error: a message on `err`
// and nothing.
std::optional<SnapshotOptions> ParseSnapshotOptions(const std::vector<std::string>& args, std::ostream& err);

}  // namespace rp
