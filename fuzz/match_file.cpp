// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the match-file reader from bytes in memory, the score-aligned events
// made of what it reads, and their values for two delays.
//
// Beyond "no crash, no sanitizer report": a file is read or refused with a
// message naming it; every played note lies within MIDI's ranges and ends
// no earlier than it starts; events are in strictly rising score order, each
// opened by one of its notes; and the performance keeps the rules of a
// performance.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzInputFile.h"
#include "PerformanceRules.h"
#include "analysis/GivenEvents.h"
#include "analysis/Reanalysis.h"
#include "analysis/ScoreAlignedEvents.h"
#include "io/MatchFileReader.h"
#include "model/Performance.h"
#include "model/ScoreAlignment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rp;
  const MatchFile file = ParseMatchFile(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.match");
  if (!file.Ok()) {
    RP_FUZZ_CHECK(file.error.find("fuzz.match") != std::string::npos);
    return 0;
  }
  const ScoreAlignedEvents given = MakeScoreAlignedEvents(file);
  for (const MatchPlayedNote& n : given.notes) {
    RP_FUZZ_CHECK(std::isfinite(n.onsetMs) && n.onsetMs >= 0 && n.offsetMs >= n.onsetMs);
    RP_FUZZ_CHECK(n.key < 128 && n.velocity < 128);
  }
  for (std::size_t i = 0; i < given.events.size(); ++i) {
    const ScoreAlignedEvent& e = given.events[i];
    if (i > 0) RP_FUZZ_CHECK(e.onsetBeats - given.events[i - 1].onsetBeats > kSamePositionBeats);
    RP_FUZZ_CHECK(e.firstNote < given.notes.size() &&
                  given.notes[e.firstNote].onsetMs ==
                      e.onsetBy[static_cast<std::size_t>(ScoreOnset::Earliest)].onsetMs);
    RP_FUZZ_CHECK(e.asynchronyMs >= 0);
  }

  Performance performance;
  StoreScoreAligned(performance, file, given);
  fuzz::CheckPerformanceRules(performance);
  RP_FUZZ_CHECK(performance.score && performance.score->events.size() == given.events.size());
  for (std::int32_t k = 0; k < performance.EventCount(); ++k) {
    RP_FUZZ_CHECK(EventAtScorePosition(performance, ScoreEventOf(performance, k)->onsetBeats) == k);
  }
  Reanalyse(performance, AnalysisSettings{50, 3});
  fuzz::CheckPerformanceRules(performance);
  return 0;
}
