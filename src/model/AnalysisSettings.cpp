// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/AnalysisSettings.h"

#include "model/ShortestNumber.h"

namespace rp {

bool IsValidClusterWindow(double ms) { return ms >= kMinClusterWindowMs && ms <= kMaxClusterWindowMs; }

bool IsValidDelay(std::int64_t d) { return d >= kMinDelay && d <= kMaxDelay; }

std::string_view EventVelocityName(EventVelocity choice) {
  switch (choice) {
    case EventVelocity::Loudest:
      return "loudest";
    case EventVelocity::Highest:
      return "highest";
    case EventVelocity::First:
      break;
  }
  return "first";
}

std::optional<EventVelocity> EventVelocityFromName(std::string_view name) {
  for (const EventVelocity choice : {EventVelocity::First, EventVelocity::Loudest, EventVelocity::Highest}) {
    if (name == EventVelocityName(choice)) return choice;
  }
  return std::nullopt;
}

std::string_view ScoreOnsetName(ScoreOnset choice) {
  switch (choice) {
    case ScoreOnset::Mean:
      return "mean";
    case ScoreOnset::Melody:
      return "melody";
    case ScoreOnset::Highest:
      return "highest";
    case ScoreOnset::Earliest:
      break;
  }
  return "earliest";
}

std::optional<ScoreOnset> ScoreOnsetFromName(std::string_view name) {
  for (const ScoreOnset choice : {ScoreOnset::Earliest, ScoreOnset::Mean, ScoreOnset::Melody, ScoreOnset::Highest}) {
    if (name == ScoreOnsetName(choice)) return choice;
  }
  return std::nullopt;
}

std::string AnalysisSettingsNote(const AnalysisSettings& settings) {
  const AnalysisSettings defaults;
  std::string note;
  const auto add = [&note](const std::string& part) { note += (note.empty() ? "" : ", ") + part; };
  if (settings.delay != defaults.delay) add("d = " + std::to_string(settings.delay));
  if (settings.clusterWindowMs != defaults.clusterWindowMs) {
    add("cluster " + ShortestNumber(settings.clusterWindowMs) + " ms");
  }
  if (settings.eventVelocity == EventVelocity::Loudest) add("velocity of the loudest note");
  if (settings.eventVelocity == EventVelocity::Highest) add("velocity of the highest key");
  if (settings.scoreOnset != defaults.scoreOnset) add(std::string(ScoreOnsetName(settings.scoreOnset)) + " onsets");
  return note;
}

}  // namespace rp
