// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportTempo.h"

#include <optional>
#include <ostream>

#include "app/AnalysisOptions.h"
#include "app/BatchLoad.h"
#include "app/TempoMeasureOption.h"
#include "io/CsvWriter.h"
#include "model/NumberReading.h"
#include "model/Performance.h"
#include "stats/BeatTempo.h"
#include "stats/PerformanceSeries.h"

namespace rp {

namespace {

struct TempoRequest {
  AnalysisSettings settings;
  TempoMeasure tempo;  // its beat from each file's time signature when none is chosen
  double smoothBeats = 0.0;
  bool strict = false;
  std::vector<std::string> files;
};

struct FileTempo {
  std::string path;
  BeatTempo tempo;
  VelocityKind velocityKind = VelocityKind::Midi;
};

std::optional<TempoRequest> ReadRequest(const std::vector<std::string>& args, std::ostream& err) {
  std::vector<std::string> rest = args;
  TempoRequest request;
  request.strict = TakeStrictOption(rest);
  const std::optional<AnalysisOptions> analysis = TakeAnalysisOptions(rest, err);
  if (!analysis) return std::nullopt;
  request.settings = analysis->Over();
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const std::string& a = rest[i];
    const bool takesValue = IsTempoMeasureOption(a) || a == "--smooth";
    if (!takesValue) {
      if (a.size() > 2 && a.rfind("--", 0) == 0) {
        err << "returnplot: --export-tempo does not know " << a << '\n';
        return std::nullopt;
      }
      request.files.push_back(a);
      continue;
    }
    const std::string value = i + 1 < rest.size() ? rest[++i] : std::string();
    if (IsTempoMeasureOption(a)) {
      if (const std::optional<std::string> error = ReadTempoMeasureOption(a, value, request.tempo)) {
        err << "returnplot: " << *error << '\n';
        return std::nullopt;
      }
    } else {
      const std::optional<double> beats = StrictNumber<double>(value);
      if (!beats || !(*beats >= 0.0 && *beats <= kMaxSmoothBeats)) {
        err << "returnplot: --smooth takes a number of beats from 0 to " << kMaxSmoothBeats << ", not \"" << value
            << "\"\n";
        return std::nullopt;
      }
      request.smoothBeats = *beats;
    }
  }
  if (request.files.empty()) {
    err << "returnplot: usage: returnplot --export-tempo " << kExportTempoUsage << '\n';
    return std::nullopt;
  }
  return request;
}

void WriteRows(const std::vector<FileTempo>& files, const TempoRequest& request, std::ostream& out) {
  const Beat& beat = files.front().tempo.beat;
  CsvWriter csv(out);
  csv.Text("file,bar,beat").Text(PositionColumnName(beat)).Text("onset_ms,interpolated");
  csv.Text(TempoColumnName(TempoUnit::MsPerBeat, beat)).Text(TempoColumnName(TempoUnit::Bpm, beat));
  csv.Text("smoothed_" + TempoColumnName(request.tempo.unit, beat));
  csv.Text(files.front().velocityKind == VelocityKind::Decibel ? "loudness_db" : "velocity").EndRow();
  const auto value = [&csv](double v) -> CsvWriter& { return IsDefined(v) ? csv.Number(v) : csv.Text({}); };
  for (const FileTempo& file : files) {
    for (const BeatRow& row : file.tempo.rows) {
      csv.Field(file.path).Integer(row.bar).Number(row.beatInBar).Number(row.position).Number(row.onsetMs);
      csv.Integer(row.interpolated ? 1 : 0);
      value(row.msPerBeat);
      value(IsDefined(row.msPerBeat) ? TempoInUnit(row.msPerBeat, TempoUnit::Bpm) : kUndefinedValue);
      value(IsDefined(row.smoothedMsPerBeat) ? TempoInUnit(row.smoothedMsPerBeat, request.tempo.unit)
                                             : kUndefinedValue);
      value(row.loudness).EndRow();
    }
  }
  csv.Flush();
}

}  // namespace

int ExportTempo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<TempoRequest> request = ReadRequest(args, err);
  if (!request) return kExitUsage;
  std::vector<FileTempo> files;
  for (const std::string& path : request->files) {
    Performance performance = Performance::Empty(request->settings);
    int status = 0;
    if (!LoadFileForBatch(path, performance, err, status, nullptr, request->strict)) return status;
    const std::optional<ScoredEvents> events = ScoredEventsOf(performance);
    if (!events) {
      err << "returnplot: \"" << path
          << "\" has no tempo per beat: that needs a performance aligned to its score (a match file) with a time "
             "signature N/D\n";
      return 1;
    }
    const Beat beat = request->tempo.beat.value_or(BeatOfTimeSignature(events->signature));
    files.push_back({path, MakeBeatTempo(*events, beat, request->smoothBeats), performance.velocityKind});
    const Beat& firstBeat = files.front().tempo.beat;
    if (BeatName(beat) != BeatName(firstBeat)) {
      err << "returnplot: \"" << path << "\" counts tempo per " << BeatName(beat) << ", \"" << files.front().path
          << "\" per " << BeatName(firstBeat) << ": choose one beat for all with --beat\n";
      return kExitUsage;
    }
  }
  WriteRows(files, *request, out);
  return 0;
}

}  // namespace rp
