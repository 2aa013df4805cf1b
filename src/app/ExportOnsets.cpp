// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportOnsets.h"

#include <cstdio>
#include <filesystem>
#include <ostream>

#include "app/AnalysisOptions.h"
#include "app/BatchLoad.h"
#include "app/CommandLine.h"
#include "io/CsvWriter.h"
#include "io/RecordingReader.h"
#include "io/RecordingSignature.h"

namespace rp {

namespace {

// A regular file (a FIFO would keep the open waiting) that starts as a recording.
bool IsRecordingFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::uint8_t head[kRecordingSignatureBytes] = {};
  const std::size_t got = std::fread(head, 1, sizeof head, file);
  std::fclose(file);
  return LooksLikeRecording({head, got});
}

}  // namespace

int ExportOnsets(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files = args;
  const std::optional<AnalysisOptions> options = TakeAnalysisOptions(files, err);
  if (!options) return kExitUsage;
  if (files.size() != 1) {
    err << "returnplot: usage: returnplot --export-onsets " << kAnalysisOptionsUsage << " FILE\n";
    return kExitUsage;
  }
  const std::string& path = files.front();
  if (!IsRecordingFile(path)) {
    err << "returnplot: --export-onsets reads recordings (WAV, FLAC, Ogg/Vorbis or MP3); \"" << path
        << "\" cannot be opened or is none\n";
    return kExitCannotOpen;
  }
  const RecordingRead read = ReadRecording(path, options->Over().onsets);
  if (!read.Ok()) {
    err << "returnplot: Cannot read the recording \"" << path << "\": " << read.error << ".\n";
    return kExitCannotOpen;
  }
  CsvWriter csv(out);
  csv.Text("onset,time_ms,strength,loudness_db").EndRow();
  std::int64_t k = 0;
  for (const DetectedOnset& onset : read.onsets) {
    csv.Integer(++k).Number(onset.timeMs).Number(onset.strength).Number(onset.loudnessDb).EndRow();
  }
  csv.Flush();
  return 0;
}

}  // namespace rp
