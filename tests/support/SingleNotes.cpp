// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SingleNotes.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace rp::test {

std::vector<double> WriteSingleNotes(const std::string& path, const std::vector<double>& intervalsMs) {
  std::ofstream out(path);
  std::vector<double> onsets{0.0};
  for (double interval : intervalsMs) onsets.push_back(onsets.back() + interval);
  int line = 1;
  for (double onset : onsets) {
    const double at = 1000.0 + onset;  // the replay counts from the first note
    out << line++ << "; /* " << at << " ms */+60 80;\n";
    out << line++ << "; /* " << at + 60.0 << " ms */-60 64;\n";
  }
  return onsets;
}

std::vector<double> IrregularIntervals(int count, double stretch) {
  std::vector<double> intervals;
  for (int i = 0; i < count; ++i) intervals.push_back(stretch * (220.0 + std::fmod(i * 97.3, 270.0)));
  return intervals;
}

std::vector<double> HeardOnsetErrors(const std::vector<double>& heardMs, const std::vector<double>& scheduledMs,
                                     double factor) {
  std::vector<double> errors;
  if (heardMs.size() != scheduledMs.size() || heardMs.empty()) return errors;
  for (std::size_t i = 0; i < heardMs.size(); ++i) {
    errors.push_back((heardMs[i] - heardMs[0]) - (scheduledMs[i] - scheduledMs[0]) / factor);
  }
  return errors;
}

std::vector<double> MatchOnsets(const std::vector<double>& heardMs, const std::vector<double>& scheduledMs,
                                double factor) {
  std::vector<double> matched;
  if (heardMs.empty() || scheduledMs.empty()) return matched;
  for (double scheduled : scheduledMs) {
    const double expected = heardMs[0] + (scheduled - scheduledMs[0]) / factor;
    double best = heardMs[0];
    for (double heard : heardMs) {
      if (std::abs(heard - expected) < std::abs(best - expected)) best = heard;
    }
    matched.push_back(best);
  }
  return matched;
}

ErrorSummary Summarise(std::vector<double> errors) {
  ErrorSummary s;
  if (errors.empty()) return s;
  for (double& e : errors) e = std::abs(e);
  std::sort(errors.begin(), errors.end());
  const auto at = [&](double q) {
    return errors[static_cast<std::size_t>(q * static_cast<double>(errors.size() - 1))];
  };
  s.median = at(0.5);
  s.p99 = at(0.99);
  s.max = errors.back();
  return s;
}

}  // namespace rp::test
