// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/LoadResult.h"

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "frontend/ProgressThrottle.h"
#include "model/Performance.h"

namespace rp {

bool KeepsPerformance(const LoadResult& result) {
  return result.status == LoadStatus::Loaded || result.status == LoadStatus::ReadError;
}

void FinishRead(Performance& performance, const std::string& path, ProgressThrottle& shown) {
  performance.sourcePath = path;
  shown.SetCaption(QT_TRANSLATE_NOOP("returnplot", "Processing..."));
  shown.HideWindow();
}

std::int64_t CountNoteOns(const Performance& performance) {
  std::int64_t count = 0;
  for (const NoteEvent& n : performance.notes) count += n.isNoteOn;
  return count;
}

void BecomeNotes(Performance& performance) {
  performance.source = PerformanceSource::Notes;
  performance.score.reset();
  performance.controllers.clear();
  performance.provenanceVelocityScale = 1.0;
}

LoadResult NotEnoughMemory(const std::string& path) {
  LoadResult result;
  result.status = LoadStatus::TooLarge;
  result.message = FormatText(QT_TRANSLATE_NOOP("returnplot", "Not enough memory to load \"%1\"."), {path});
  return result;
}

LoadResult Cancelled() {
  LoadResult result;
  result.status = LoadStatus::Cancelled;
  return result;
}

void AddWarning(LoadResult& result, const std::string& sentence) {
  if (sentence.empty()) return;
  if (!result.warning.empty()) result.warning += ' ';
  result.warning += sentence;
}

void ReportSkipped(LoadResult& result, const std::string& path, SkippedLines skipped, SkippedKind kind) {
  result.skipped = std::move(skipped);
  result.skippedKind = kind;
  AddWarning(result, SkippedLinesSummary(result.skipped, path, kind));
}

}  // namespace rp
