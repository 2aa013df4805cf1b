// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SnapshotOptions.h"

#include <cmath>
#include <ostream>

#include "app/OutputPath.h"
#include "app/TempoMeasureOption.h"
#include "model/ComparedPerformances.h"
#include "model/NumberReading.h"
#include "plot/EventRange.h"

namespace rp {

std::vector<std::string> SnapshotOptions::Inputs() const {
  std::vector<std::string> inputs = compareFiles;
  if (file) inputs.insert(inputs.begin(), *file);
  if (scatter) inputs.push_back(*scatter);
  inputs.insert(inputs.end(), scaleFrom.begin(), scaleFrom.end());
  return inputs;
}

double SnapshotOptions::ScaleFactor() const {
  if (width) return *width / static_cast<double>(kSnapshotWidth);
  if (height) return *height / static_cast<double>(kSnapshotHeight);
  return 1.0;
}

ValueKind SnapshotOptions::Values() const {
  if (velocity) return ValueKind::Velocity;
  if (tempo) return ValueKind::Tempo;
  if (lead) return ValueKind::MelodyLead;
  if (spread) return ValueKind::Spread;
  return ValueKind::Timing;
}

std::string_view SnapshotOptions::ValuesOption() const {
  switch (Values()) {
    case ValueKind::Timing:
      return {};
    case ValueKind::Velocity:
      return "--velocity";
    case ValueKind::Tempo:
      return "--tempo";
    case ValueKind::MelodyLead:
      return "--lead";
    case ValueKind::Spread:
      return "--spread";
  }
  return {};
}

namespace {

std::optional<bool> OnOff(const std::string& text) {
  if (text == "on") return true;
  if (text == "off") return false;
  return std::nullopt;
}

// "LO:HI", both numbers, LO below HI.
std::optional<ValueRange> ParseRange(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const std::optional<double> low = StrictNumber<double>(text.substr(0, colon));
  const std::optional<double> high = StrictNumber<double>(text.substr(colon + 1));
  if (!low || !high || !std::isfinite(*low) || !std::isfinite(*high) || !(*low < *high)) return std::nullopt;
  return ValueRange{*low, *high};
}

}  // namespace

std::optional<SnapshotOptions> ParseSnapshotOptions(const std::vector<std::string>& given, std::ostream& err) {
  std::vector<std::string> args = given;
  const std::optional<AnalysisOptions> analysis = TakeAnalysisOptions(args, err);
  if (!analysis) return std::nullopt;
  const auto usage = [&err](const std::string& problem) {
    err << "returnplot: " << problem << "; usage: returnplot " << kSnapshotUsage << '\n';
    return std::nullopt;
  };
  if (args.empty() || args[0].empty() || args[0][0] == '-') return usage("--snapshot needs the picture to write");

  SnapshotOptions o;
  o.analysis = *analysis;
  o.output = args[0];
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--velocity") {
      o.velocity = true;
    } else if (a == "--log-axes") {
      o.logAxes = true;
    } else if (a == "--identity-line") {
      o.identityLine = true;
    } else if (a == "--colour-by-time") {
      o.colourByTime = true;
    } else if (a == "--event-range") {
      const std::optional<EventSpan> span = hasValue ? ParseEventSpan(args[++i]) : std::nullopt;
      if (!span) return usage("--event-range needs two event numbers FROM-TO, FROM from 1 and at most TO");
      o.eventRange = span;
    } else if (a == "--tempo") {
      o.tempo = true;
    } else if (a == "--lead") {
      o.lead = true;
    } else if (a == "--spread") {
      o.spread = true;
    } else if (a == "--align-by") {
      if (!hasValue) return usage("--align-by needs number, position or score");
      o.alignBy = AlignByFromName(args[++i]);
      if (!o.alignBy) return usage("--align-by takes number, position or score, not \"" + args[i] + "\"");
    } else if (a == "--event" || a == "--tail" || a == "--width" || a == "--height") {
      if (!hasValue) return usage(a + " needs a number");
      const std::optional<std::int32_t> n = StrictNumber<std::int32_t>(args[++i]);
      if (!n) return usage(a + " needs a whole number, not \"" + args[i] + "\"");
      if (a == "--event") {
        o.event = *n;
      } else if (a == "--tail") {
        if (*n < 0) return usage("--tail cannot be negative");
        o.tail = *n;
        o.tailGiven = true;
      } else {
        if (*n < 1 || *n > kMaxSnapshotSide) {
          return usage(a + " takes a number of pixels from 1 to " + std::to_string(kMaxSnapshotSide));
        }
        (a == "--width" ? o.width : o.height) = *n;
      }
    } else if (a == "--yaw" || a == "--pitch") {
      if (!hasValue) return usage(a + " needs an angle in degrees");
      const std::optional<double> degrees = StrictNumber<double>(args[++i]);
      const double limit = a == "--yaw" ? 360.0 : 90.0;
      if (!degrees || !(std::abs(*degrees) <= limit)) {
        return usage(a + " takes an angle in degrees from " + std::to_string(static_cast<int>(-limit)) + " to " +
                     std::to_string(static_cast<int>(limit)) + ", not \"" + args[i] + "\"");
      }
      (a == "--yaw" ? o.yawDegrees : o.pitchDegrees) = *degrees;
    } else if (a == "--title") {
      if (!hasValue) return usage("--title needs a text ('' for none)");
      o.title = args[++i];
    } else if (a == "--range") {
      o.range = hasValue ? ParseRange(args[++i]) : std::nullopt;
      if (!o.range) return usage("--range needs two numbers LO:HI, LO below HI");
    } else if (a == "--scale-from") {
      if (!hasValue) return usage("--scale-from needs a performance file");
      o.scaleFrom.push_back(args[++i]);
    } else if (a == "--theme") {
      const std::optional<PlotTheme> theme = hasValue ? PlotThemeFromName(args[++i]) : std::nullopt;
      if (!theme) return usage("--theme takes dark or light");
      o.theme = *theme;
    } else if (a == "--lines" || a == "--drop-lines" || a == "--shadows" || a == "--glass" || a == "--legend") {
      const std::optional<bool> on = hasValue ? OnOff(args[++i]) : std::nullopt;
      if (!on) return usage(a + " takes on or off");
      if (a == "--lines") o.lines = on;
      if (a == "--drop-lines") o.dropLines = on;
      if (a == "--shadows") o.shadows = on;
      if (a == "--glass") o.glass = on;
      if (a == "--legend") o.legend = *on;
    } else if (a == "--point-size") {
      const std::optional<double> size = hasValue ? StrictNumber<double>(args[++i]) : std::nullopt;
      if (!size || !(*size >= 1.0 / kMaxPointSize && *size <= kMaxPointSize)) {
        return usage("--point-size takes a factor from 0.1 to 10");
      }
      o.pointSize = *size;
    } else if (IsTempoMeasureOption(a)) {
      if (!hasValue) return usage(a + " needs a value");
      if (const std::optional<std::string> error = ReadTempoMeasureOption(a, args[++i], o.tempoMeasure)) {
        return usage(*error);
      }
    } else if (a == "--scatter") {
      if (!hasValue) return usage("--scatter needs a file");
      o.scatter = args[++i];
    } else if (!a.empty() && a[0] == '-') {
      return usage("unknown option " + a);
    } else if (!o.file) {
      o.file = a;
    } else if (o.compareFiles.size() < kMaxComparedPerformances) {
      o.compareFiles.push_back(a);
    } else {
      return usage("at most " + std::to_string(kMaxShownPerformances) + " performance files");
    }
  }
  // One side alone keeps the plot's shape; the other side it gives keeps the limit too.
  if (o.height && !o.width && std::lround(kSnapshotWidth * o.ScaleFactor()) > kMaxSnapshotSide) {
    const auto highest = kMaxSnapshotSide * kSnapshotHeight / kSnapshotWidth;
    return usage("--height " + std::to_string(*o.height) + " alone would make the picture wider than " +
                 std::to_string(kMaxSnapshotSide) + " pixels; give at most " + std::to_string(highest) +
                 " or a --width too");
  }
  if (o.tailGiven && !o.event) return usage("--tail goes with --event");
  if (static_cast<int>(o.velocity) + static_cast<int>(o.tempo) + static_cast<int>(o.lead) + static_cast<int>(o.spread) >
      1)
    return usage("one of --velocity, --tempo, --lead and --spread, not more");
  if (o.file && o.scatter) return usage("a performance file or --scatter, not both");
  if (o.colourByTime && !o.compareFiles.empty())
    return usage("--colour-by-time shows one performance, not compared ones");
  if (o.eventRange && o.event) return usage("--event-range is for the full view, not with --event");
  if (o.range && !o.scaleFrom.empty()) return usage("--range or --scale-from, not both");
  if (o.range && o.logAxes && !(o.range->low > 0.0)) return usage("--range with --log-axes needs LO above 0");
  if ((o.range || !o.scaleFrom.empty()) && o.scatter) return usage("--range and --scale-from are for performances");
  if (const std::string problem =
          OutputPathProblem("--snapshot", o.output, {".png", ".jpg", ".jpeg", ".svg"}, o.Inputs());
      !problem.empty()) {
    return usage(problem);
  }
  const std::string extension = LowerExtension(o.output);
  o.format = extension == ".png"   ? SnapshotFormat::Png
             : extension == ".svg" ? SnapshotFormat::Svg
                                   : SnapshotFormat::Jpeg;
  return o;
}

}  // namespace rp
