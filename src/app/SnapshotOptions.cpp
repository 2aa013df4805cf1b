// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SnapshotOptions.h"

#include <charconv>
#include <ostream>

#include "model/ComparedPerformances.h"

namespace rp {

namespace {

std::optional<std::int32_t> ParseInt(const std::string& text) {
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<SnapshotOptions> ParseSnapshotOptions(const std::vector<std::string>& given, std::ostream& err) {
  std::vector<std::string> args = given;
  const std::optional<AnalysisOptions> analysis = TakeAnalysisOptions(args, err);
  if (!analysis) return std::nullopt;
  const auto usage = [&err](const std::string& problem) {
    err << "returnplot: " << problem << "\nusage: returnplot " << kSnapshotUsage << '\n';
    return std::nullopt;
  };
  if (args.empty() || args[0].empty() || args[0][0] == '-') return usage("--snapshot needs the PNG to write");

  SnapshotOptions o;
  o.analysis = *analysis;
  o.output = args[0];
  bool tailGiven = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--velocity") {
      o.velocity = true;
    } else if (a == "--event" || a == "--tail") {
      if (!hasValue) return usage(a + " needs a number");
      const std::optional<std::int32_t> n = ParseInt(args[++i]);
      if (!n) return usage(a + " needs a whole number, not \"" + args[i] + "\"");
      if (a == "--event") {
        o.event = *n;
      } else {
        if (*n < 0) return usage("--tail cannot be negative");
        o.tail = *n;
        tailGiven = true;
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
  if (tailGiven && !o.event) return usage("--tail goes with --event");
  if (o.file && o.scatter) return usage("a performance file or --scatter, not both");
  return o;
}

}  // namespace rp
