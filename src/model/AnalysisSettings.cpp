// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/AnalysisSettings.h"

#include <charconv>

namespace rp {

namespace {

// The shortest text that reads back to `ms` ("30", "12.5").
std::string MillisecondsText(double ms) {
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, ms);
  (void)ec;  // 64 characters always hold a double
  return {text, end};
}

}  // namespace

bool IsValidClusterWindow(double ms) { return ms >= kMinClusterWindowMs && ms <= kMaxClusterWindowMs; }

bool IsValidDelay(std::int64_t d) { return d >= kMinDelay && d <= kMaxDelay; }

std::string AnalysisSettingsNote(const AnalysisSettings& settings) {
  const AnalysisSettings defaults;
  std::string note;
  if (settings.delay != defaults.delay) note = "d = " + std::to_string(settings.delay);
  if (settings.clusterWindowMs != defaults.clusterWindowMs) {
    if (!note.empty()) note += ", ";
    note += "cluster " + MillisecondsText(settings.clusterWindowMs) + " ms";
  }
  return note;
}

}  // namespace rp
