// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AnalysisReport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>

#include "analysis/PerformanceLoader.h"
#include "app/AnalysisOptions.h"
#include "app/BatchLoad.h"
#include "app/BundledExample.h"
#include "model/Performance.h"
#include "model/ShortestNumber.h"
#include "model/UndefinedValue.h"

namespace rp {

namespace {

constexpr std::int32_t kEventsShown = 40;

// Beyond this a number is shown as the exports show it (1e+30), not with
// thirty digits of which most mean nothing.
constexpr double kLargestFixed = 1e15;

// `value` with `decimals` decimals; a very large or odd one (inf, nan) as
// its shortest text, as the exports write it.
std::string Fixed(double value, int decimals) {
  if (!(std::abs(value) < kLargestFixed)) return ShortestNumber(value);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// `text` right-aligned in `width` columns (longer text keeps all of itself).
std::string RightAligned(const std::string& text, int width) {
  const auto columns = static_cast<std::size_t>(std::max(width, 0));
  return text.size() >= columns ? text : std::string(columns - text.size(), ' ') + text;
}

// "m:ss.s" for a time in ms; a time of more minutes than make sense in ms.
std::string MinutesSeconds(double ms) {
  if (!(std::abs(ms) < kLargestFixed)) return ShortestNumber(ms) + " ms";
  const double seconds = ms / 1000.0;
  const auto minutes = static_cast<std::int64_t>(seconds / 60.0);
  char text[64];
  std::snprintf(text, sizeof text, "%lld:%04.1f", static_cast<long long>(minutes),
                seconds - 60.0 * static_cast<double>(minutes));
  return text;
}

// `value` with `decimals` decimals right-aligned in `width` columns; an
// undefined value is "–".
std::string Cell(double value, int width, int decimals) {
  if (!IsDefined(value)) return std::string(static_cast<std::size_t>(std::max(width - 1, 0)), ' ') + "\u2013";
  return RightAligned(Fixed(value, decimals), width);
}

// What a match file says about its piece, and what of it was not read.
void PrintScoreInfo(const ScoreInfo& score, std::ostream& out) {
  const auto known = [](const std::string& text) { return text.empty() ? std::string("unknown") : text; };
  out << "  piece " << known(score.piece) << ", composer " << known(score.composer) << ", performer "
      << known(score.performer) << ", time signature " << known(score.timeSignature) << ", key "
      << known(score.keySignature) << "\n";
  const SkippedLines& other = score.otherLines;
  if (other.count == 0) return;
  out << "  " << other.count << (other.count == 1 ? " line" : " lines") << " of other kinds skipped (the first, line "
      << other.firstLine << ": " << other.firstText << ")\n";
}

}  // namespace

int PrintAnalysisReport(const std::string& path, const AnalysisSettings& settings, std::ostream& out, std::ostream& err,
                        bool strict) {
  int status = 0;
  Performance performance;
  performance.settings = settings;
  LoadResult loaded;
  if (!LoadFileForBatch(path, performance, err, status, &loaded, strict)) return status;
  const std::int64_t noteOns = loaded.noteOnCount;
  const auto& events = performance.events;
  const std::int32_t noteCount = performance.NoteCount();
  const std::int32_t eventCount = performance.EventCount();

  if (performance.velocityKind == VelocityKind::Decibel) {
    const OnsetDetectionSettings& onsets = settings.onsets;
    out << path << "\n  " << noteCount << " onsets found (method " << OnsetMethodName(onsets.method) << ", threshold "
        << ShortestNumber(onsets.threshold) << ", silence " << ShortestNumber(onsets.silenceDb) << " dB, at least "
        << ShortestNumber(onsets.minIoiMs) << " ms apart), " << eventCount << " onset events (onsets within "
        << ShortestNumber(settings.clusterWindowMs) << " ms count as one)\n";
  } else if (UsesClusterWindow(performance)) {
    out << path << "\n  " << noteCount << " note events (" << noteOns << " note-ons), " << eventCount
        << " onset events (note-ons within " << ShortestNumber(settings.clusterWindowMs) << " ms count as one)\n";
  } else if (performance.score) {
    out << path << "\n  " << noteCount << " note events (" << noteOns << " note-ons), " << eventCount
        << " onset events, one per score position (the cluster window does not apply)\n";
    PrintScoreInfo(*performance.score, out);
  } else {
    out << path << "\n  " << noteCount << " note events (" << noteOns << " note-ons), " << eventCount
        << " onset events, one per time of the list (the cluster window does not apply; no velocities)\n";
  }
  if (UsesClusterWindow(performance) && settings.eventVelocity == EventVelocity::Loudest) {
    out << "  an event's velocity is that of its loudest note-on (of equally loud ones the earliest)\n";
  } else if (UsesClusterWindow(performance) && settings.eventVelocity == EventVelocity::Highest) {
    out << "  an event's velocity is that of the note-on of its highest key (of equal keys the earliest)\n";
  }
  if (performance.score && settings.scoreOnset != ScoreOnset::Earliest) {
    const bool mean = settings.scoreOnset == ScoreOnset::Mean;
    out << "  a score position's onset is "
        << (mean                                        ? "the mean onset of its notes"
            : settings.scoreOnset == ScoreOnset::Melody ? "that of its melody note (voice 1, else its highest key)"
                                                        : "that of its highest key");
    if (settings.eventVelocity == EventVelocity::First)
      out << (mean ? ", its velocity their mean" : ", and so is its velocity");
    out << "\n";
  }
  if (loaded.skipped.count > 0) out << "  " << SkippedLinesSummary(loaded.skipped, {}, loaded.skippedKind) << "\n";
  if (settings.delay != AnalysisSettings{}.delay) {
    out << "  interval1 and vel1 are those of event k+" << settings.delay << ", interval2 and vel2 of event k+"
        << 2 * settings.delay << "\n";
  }
  const bool decibels = performance.velocityKind == VelocityKind::Decibel;
  if (eventCount > 0) {
    const double span = events.back().onsetMs - events.front().onsetMs;
    double velocitySum = 0.0;
    std::int32_t velocityCount = 0;
    double low = 0.0;
    double high = 0.0;
    for (const OnsetEvent& e : events) {
      const double v = e.velocity0;
      if (!IsDefined(v)) continue;
      low = velocityCount == 0 ? v : std::min(low, v);
      high = velocityCount == 0 ? v : std::max(high, v);
      velocitySum += v;
      ++velocityCount;
    }
    out << "  first to last onset " << MinutesSeconds(span);
    if (eventCount > 1) {
      out << ", mean inter-onset interval " << Fixed(span / (eventCount - 1), 1) << " ms (" << eventCount - 1
          << (eventCount == 2 ? " interval)" : " intervals)");
    }
    out << "\n";
    const std::string used = " (" + std::to_string(velocityCount) + (velocityCount == 1 ? " event)" : " events)");
    if (velocityCount == 0) {
      // Nothing to average.
    } else if (decibels) {
      out << "  loudness of the events: mean " << Fixed(velocitySum / velocityCount, 1) << " dB" << used << ", from "
          << Fixed(low, 1) << " to " << Fixed(high, 1) << " dB\n";
    } else if (HasVelocity(performance)) {
      out << "  velocity of the events: mean " << Fixed(velocitySum / velocityCount, 1) << used << ", from "
          << ShortestNumber(low) << " to " << ShortestNumber(high) << "\n";
    }
  }
  out << (decibels ? "\n  event   onset ms  interval0  interval1  interval2  vel0 dB vel1 dB vel2 dB  first note\n"
                   : "\n  event   onset ms  interval0  interval1  interval2  vel0 vel1 vel2  first note\n");
  const std::int32_t shown = std::min(eventCount, kEventsShown);
  for (std::int32_t k = 1; k <= shown; ++k) {
    const OnsetEvent& p = events[static_cast<std::size_t>(k - 1)];
    std::string row = "  " + RightAligned(std::to_string(k), 5) + " " + Cell(p.onsetMs, 10, 1) + " " +
                      Cell(p.interval0, 10, 1) + " " + Cell(p.interval1, 10, 1) + " " + Cell(p.interval2, 10, 1) + "  ";
    if (decibels) {
      row += Cell(p.velocity0, 7, 1) + " " + Cell(p.velocity1, 7, 1) + " " + Cell(p.velocity2, 7, 1);
    } else if (HasVelocity(performance)) {
      row += Cell(p.velocity0, 4, 0) + " " + Cell(p.velocity1, 4, 0) + " " + Cell(p.velocity2, 4, 0);
    } else {
      row += "   -    -    -";
    }
    out << row << "  " << RightAligned(std::to_string(p.firstNote + 1), 10) << '\n';
  }
  if (eventCount > shown) {
    out << "  ... " << eventCount - shown << " more events; returnplot --export-events FILE prints them all\n";
  }
  return 0;
}

int RunAnalysisReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files = args;
  const bool strict = TakeStrictOption(files);
  const std::optional<AnalysisOptions> options = TakeAnalysisOptions(files, err);
  if (!options) return kExitUsage;
  if (files.size() > 1) {
    err << "usage: returnplot --report " << kAnalysisOptionsUsage << " [--strict] [FILE]\n";
    return kExitUsage;
  }
  return PrintAnalysisReport(files.empty() ? BundledExamplePath() : files[0], options->Over(), out, err, strict);
}

}  // namespace rp
