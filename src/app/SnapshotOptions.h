// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --snapshot OUT.png [--velocity | --tempo] [--align-by number|position|score] [--event N [--tail T]]
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

namespace rp {

enum class SnapshotFormat { Png, Jpeg, Svg };

// The plot window's client area, in the desktop's units: the size of a
// snapshot without --width and --height on an unscaled desktop.
inline constexpr int kSnapshotWidth = 606;
inline constexpr int kSnapshotHeight = 443;
// The most pixels either side of a snapshot may have.
inline constexpr int kMaxSnapshotSide = 8192;

struct SnapshotOptions {
  std::string output;  // the picture to write
  SnapshotFormat format = SnapshotFormat::Png;
  bool velocity = false;              // velocity values instead of timing
  bool tempo = false;                 // beat periods instead of timing
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
  std::int32_t firstEvent = 0;            // --event-range: the full view's events; 0 all
  std::int32_t lastEvent = 0;

  // Every file the snapshot reads.
  std::vector<std::string> Inputs() const;
  // The factor the desktop is scaled by for --width and --height (1 without
  // either): the width's over 606, else the height's over 443.
  double ScaleFactor() const;
};

inline constexpr std::string_view kSnapshotUsage =
    "--snapshot OUT.png|OUT.jpg [--velocity | --tempo] [--align-by number|position|score] [--event N [--tail T]] "
    "[--width W] [--height H] [--yaw DEG] [--pitch DEG] [--log-axes] [--identity-line] [--colour-by-time] "
    "[--event-range FROM-TO] [--cluster-ms MS] [--delay D] [--times-unit s|ms] "
    "[--event-velocity first|loudest|highest] "
    "[FILE [FILE...] | --scatter FILE.csv]";

// The arguments after "--snapshot". On a usage error: a message on `err`
// and nothing.
std::optional<SnapshotOptions> ParseSnapshotOptions(const std::vector<std::string>& args, std::ostream& err);

}  // namespace rp
