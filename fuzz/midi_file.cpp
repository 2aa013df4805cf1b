// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the Standard MIDI File reader from bytes in memory, and the onset
// analysis of what it reads.
//
// Beyond "no crash, no sanitizer report": a file is either read or refused
// with a message naming it; what is read is in time order, within MIDI's
// ranges, no note ends before it starts and every key ends as often as it
// starts, and the analysed performance keeps the rules of a performance.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzInputFile.h"
#include "PerformanceRules.h"
#include "analysis/OnsetAnalysis.h"
#include "io/StandardMidiFileReader.h"
#include "model/Performance.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rp;
  MidiFileReadResult result = ParseStandardMidiFile(std::span<const std::uint8_t>(data, size), "fuzz.mid");
  if (!result.Ok()) {
    RP_FUZZ_CHECK(result.error.find("fuzz.mid") != std::string::npos);
    return 0;
  }
  std::array<std::int64_t, 256> sounding{};
  for (std::size_t j = 0; j < result.events.size(); ++j) {
    const NoteEvent& n = result.events[j];
    RP_FUZZ_CHECK(std::isfinite(n.timeMs) && n.timeMs >= 0);
    RP_FUZZ_CHECK(n.noteKey < 128 && n.noteVelocity < 128);
    if (j > 0) RP_FUZZ_CHECK(result.events[j - 1].timeMs <= n.timeMs);
    // No note ends before it starts, or the replay would leave it sounding.
    sounding[n.noteKey] += n.isNoteOn ? 1 : -1;
    RP_FUZZ_CHECK(sounding[n.noteKey] >= 0);
  }
  for (std::int64_t left : sounding) RP_FUZZ_CHECK(left == 0);

  Performance performance;
  performance.notes = std::move(result.events);
  AnalyseOnsets(performance);
  fuzz::CheckPerformanceRules(performance);
  return 0;
}
