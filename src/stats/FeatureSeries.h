// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The series of the measures beyond onsets (features/PerformanceFeatures.h)
// that the statistics are taken over, undefined values left out:
// - melody_lead: the melody lead of each event whose chord has more than
//   one note, ms;
// - spread: the spread of each such event's onsets, ms;
// - overlap: the key overlap time of each melody note with the next, ms.
// A series a performance cannot give (melody lead and overlap without a
// marked melody voice; all three without played notes) is empty and says why.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "stats/PerformanceSeries.h"

namespace rp {

struct PerformanceFeatures;
struct EventWindow;

struct FeatureSeries {
  std::string_view name;  // "melody_lead", "spread", "overlap": the names in the CSV output
  std::vector<double> values;
  std::vector<std::int32_t> events;  // for each value, the 0-based index of its event
  std::string missing;               // why the series is empty; empty when it is not
};

// The three series of `features`, in the order above; of the window's events
// only when `window` is given.
std::vector<FeatureSeries> SeriesOfFeatures(const PerformanceFeatures& features, const EventWindow* window = nullptr);

// Those of the three series `features` give, as series of their kinds (the
// Statistics window's rows and charts).
std::vector<NamedSeries> NamedFeatureSeries(const PerformanceFeatures& features);

}  // namespace rp
