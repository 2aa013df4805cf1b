// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the reader of lists of times from bytes in memory (the first byte
// picks the unit of a plain list) and the events and clicks made of them.
//
// Beyond "no crash, no sanitizer report": a list is read or refused with a
// message naming the file and a line; the times read are finite, from 0 on
// and in order; each becomes one event opened by its own click; and the
// performance keeps the rules of a performance, also in the other unit.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzInputFile.h"
#include "PerformanceRules.h"
#include "analysis/GivenEvents.h"
#include "analysis/Reanalysis.h"
#include "io/TimesListReader.h"
#include "model/Performance.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rp;
  if (size == 0) return 0;
  const TimesUnit unit = data[0] % 2 == 0 ? TimesUnit::Seconds : TimesUnit::Milliseconds;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  (void)LooksLikeTimesList(bytes);
  const TimesList list = ParseTimesList(bytes, unit, "fuzz.txt");
  if (!list.Ok()) {
    RP_FUZZ_CHECK(list.error.find("fuzz.txt") != std::string::npos && list.error.find("line ") != std::string::npos);
    RP_FUZZ_CHECK(list.timesMs.empty());
    return 0;
  }
  for (std::size_t i = 0; i < list.timesMs.size(); ++i) {
    RP_FUZZ_CHECK(std::isfinite(list.timesMs[i]) && list.timesMs[i] >= 0);
    if (i > 0) RP_FUZZ_CHECK(list.timesMs[i - 1] <= list.timesMs[i]);
  }

  Performance performance;
  performance.settings.timesUnit = unit;
  StoreTimes(performance, list.timesMs, PerformanceSource::PlainTimes);
  fuzz::CheckPerformanceRules(performance);
  RP_FUZZ_CHECK(performance.EventCount() == static_cast<std::int32_t>(list.timesMs.size()));
  for (std::int32_t k = 1; k <= performance.EventCount(); ++k) {
    const OnsetEvent& p = performance.events[static_cast<std::size_t>(k) - 1];
    RP_FUZZ_CHECK(performance.notes[static_cast<std::size_t>(p.firstNote)].timeMs == p.onsetMs);
  }
  AnalysisSettings other = performance.settings;
  other.timesUnit = unit == TimesUnit::Seconds ? TimesUnit::Milliseconds : TimesUnit::Seconds;
  Reanalyse(performance, other);
  fuzz::CheckPerformanceRules(performance);
  return 0;
}
