// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportFeatures.h"

#include <optional>
#include <ostream>

#include "app/AnalysisOptions.h"
#include "app/BatchLoad.h"
#include "features/FeatureColumns.h"
#include "features/PerformanceFeatures.h"
#include "io/CsvWriter.h"
#include "model/Performance.h"

namespace rp {

namespace {

CsvWriter& Value(CsvWriter& csv, double v) { return IsDefined(v) ? csv.Number(v) : csv.Text({}); }

void WriteFileRows(CsvWriter& csv, const std::string& path, const PerformanceFeatures& features) {
  for (std::size_t k = 0; k < features.events.size(); ++k) {
    const EventFeatures& e = features.events[k];
    const std::size_t colon = e.barBeat.find(':');
    const bool barBeat = colon != std::string::npos;
    csv.Field(path).Integer(static_cast<std::int64_t>(k) + 1);
    csv.Field(barBeat ? std::string_view(e.barBeat).substr(0, colon) : std::string_view());
    csv.Field(barBeat ? std::string_view(e.barBeat).substr(colon + 1) : std::string_view());
    Value(csv, e.scoreBeats).Integer(e.notes);
    if (e.notes == 0) {
      for (std::size_t c = 5; c < kFeatureColumns.size(); ++c) csv.Text({});
      csv.EndRow();
      continue;
    }
    csv.Integer(e.melodyKey).Integer(e.melodyByVoice ? 1 : 0);
    Value(csv, e.melodyOnsetMs);
    Value(csv, e.melodyVelocity);
    Value(csv, e.melodyLeadMs);
    Value(csv, e.spreadMs);
    Value(csv, e.velocityDifference);
    Value(csv, e.overlapMs);
    Value(csv, e.overlapRatio);
    Value(csv, e.lowOverlapMs);
    Value(csv, e.lowOverlapRatio);
    Value(csv, e.sustainFraction);
    Value(csv, e.softFraction).EndRow();
  }
}

}  // namespace

int ExportFeatures(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> rest = args;
  const bool strict = TakeStrictOption(rest);
  const std::optional<AnalysisOptions> analysis = TakeAnalysisOptions(rest, err);
  if (!analysis) return kExitUsage;
  for (const std::string& a : rest) {
    if (a.size() > 2 && a.rfind("--", 0) == 0) {
      err << "returnplot: --export-features does not know " << a << '\n';
      return kExitUsage;
    }
  }
  if (rest.empty()) {
    err << "returnplot: usage: returnplot --export-features " << kExportFeaturesUsage << '\n';
    return kExitUsage;
  }
  // Every file is read before anything is printed: a file that cannot be read leaves no half table.
  std::vector<PerformanceFeatures> measured;
  measured.reserve(rest.size());
  for (const std::string& path : rest) {
    Performance performance = Performance::Empty(analysis->Over());
    int status = 0;
    if (!LoadFileForBatch(path, performance, err, status, nullptr, strict)) return status;
    measured.push_back(FeaturesOf(performance));
  }
  CsvWriter csv(out);
  csv.Text("file");
  for (const std::string_view name : kFeatureColumns) csv.Text(name);
  csv.EndRow();
  for (std::size_t i = 0; i < rest.size(); ++i) WriteFileRows(csv, rest[i], measured[i]);
  csv.Flush();
  return 0;
}

}  // namespace rp
