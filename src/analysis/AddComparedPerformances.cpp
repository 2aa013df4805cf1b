// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/AddComparedPerformances.h"

#include <filesystem>

#include "analysis/PerformanceLoader.h"
#include "frontend/ProgressSink.h"

namespace rp {

namespace {

// The progress window and its bar, without the control panel's count labels:
// those keep showing the main performance.
class WindowOnlyProgress final : public NullProgressSink {
 public:
  explicit WindowOnlyProgress(ProgressSink& sink) : sink_(sink) {}
  void ShowWindow() override { sink_.ShowWindow(); }
  void HideWindow() override { sink_.HideWindow(); }
  void SetCaption(std::string_view caption) override { sink_.SetCaption(caption); }
  void SetMinimum(std::int64_t value) override { sink_.SetMinimum(value); }
  void SetMaximum(std::int64_t value) override { sink_.SetMaximum(value); }
  void SetValue(std::int64_t value) override { sink_.SetValue(value); }
  bool CancelRequested() override { return sink_.CancelRequested(); }

 private:
  ProgressSink& sink_;
};

std::string BaseName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

CompareLoadReport AddComparedPerformances(const std::vector<std::string>& paths, ComparedPerformances& compared,
                                          const AnalysisSettings& settings, ProgressSink* progress,
                                          std::size_t comparedElsewhere) {
  CompareLoadReport report;
  NullProgressSink none;
  WindowOnlyProgress shown(progress ? *progress : none);

  std::string leftOut;
  for (const std::string& path : paths) {
    if (comparedElsewhere + compared.size() >= kMaxComparedPerformances) {
      leftOut += (leftOut.empty() ? "" : ", ") + BaseName(path);
      continue;
    }
    Performance performance = Performance::Empty(settings);
    const LoadResult result = LoadPerformanceFile(path, performance, &shown);
    if (result.status == LoadStatus::Cancelled) throw WorkCancelled();
    if (!result.message.empty()) report.messages.push_back(result.message);
    if (!result.warning.empty()) report.messages.push_back(result.warning);
    // A read that failed half-way keeps what it read, as for the main one.
    if (result.status != LoadStatus::Loaded && result.status != LoadStatus::ReadError) continue;
    compared.push_back(std::move(performance));
    ++report.added;
  }
  if (!leftOut.empty()) {
    report.messages.push_back(
        "At most " + std::to_string(kMaxShownPerformances) + " performances can be shown at once (the main one and " +
        std::to_string(kMaxComparedPerformances) + " for comparison). Not added: " + leftOut + ".");
  }
  return report;
}

}  // namespace rp
