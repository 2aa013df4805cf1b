// SPDX-License-Identifier: GPL-3.0-or-later
// The features of a generated performance of 100,000 played notes aligned
// to its score: chords of four notes in four voices (voice 1 the melody), a
// sustain pedal line every few positions, some arpeggiated chords. Target:
// the features (asynchrony, key overlap, pedals) of the loaded performance
// in under a second, and the whole load with them likewise.

#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <string>

#include "analysis/GivenEvents.h"
#include "analysis/ScoreAlignedEvents.h"
#include "features/PerformanceFeatures.h"
#include "io/MatchFileReader.h"
#include "model/Performance.h"

namespace {

constexpr int kNotes = 100000;
constexpr int kVoices = 4;

std::string MakeMatchText() {
  std::ostringstream out;
  out << "info(matchFileVersion,4.0).\ninfo(piece,Bench).\ninfo(midiClockUnits,4000).\ninfo(midiClockRate,500000).\n"
         "info(timeSignature,[4/4]).\n";
  std::mt19937 random(11);
  long ticks = 4000;
  for (int note = 0; note < kNotes; ++note) {
    const int position = note / kVoices;
    const int voice = note % kVoices + 1;
    if (voice == 1) {
      ticks += 3000 + static_cast<long>(random() % 800);
      if (position % 3 == 0) out << "sustain(" << ticks - 100 << ',' << (position % 2 == 0 ? 100 : 0) << ").\n";
    }
    const double beats = position * 0.5;
    const int key = 84 - 10 * voice + static_cast<int>(random() % 5);
    const long onset = ticks + static_cast<long>(random() % 300);
    out << "snote(n" << note << ",[C,n],4," << position / 8 + 1 << ':' << position % 8 / 2 + 1 << ",0,1/8," << beats
        << ',' << beats + 0.5 << ",[" << voice << (position % 50 == 0 ? ",arp" : "") << "])-note(" << note << ',' << key
        << ',' << onset << ',' << onset + 2500 + static_cast<long>(random() % 1500) << ',' << 30 + random() % 80
        << ",0,1).\n";
  }
  return out.str();
}

rp::Performance Loaded(const std::string& text) {
  const rp::MatchFile file = rp::ParseMatchFile(text, "bench.match");
  rp::Performance performance;
  rp::StoreScoreAligned(performance, file, rp::MakeScoreAlignedEvents(file));
  return performance;
}

const std::string& MatchText() {
  static const std::string kText = MakeMatchText();
  return kText;
}

void BmFeaturesOfLoadedPerformance(benchmark::State& state) {
  const rp::Performance performance = Loaded(MatchText());
  if (performance.score->notes.size() != static_cast<std::size_t>(kNotes)) state.SkipWithError("notes lost");
  for (auto _ : state) {
    const rp::PerformanceFeatures features = rp::FeaturesOf(performance);
    benchmark::DoNotOptimize(features.events.data());
  }
  state.counters["events"] = static_cast<double>(performance.events.size());
}
BENCHMARK(BmFeaturesOfLoadedPerformance)->Unit(benchmark::kMillisecond);

// From the file's text: read, events, features.
void BmReadAndFeatures(benchmark::State& state) {
  for (auto _ : state) {
    const rp::PerformanceFeatures features = rp::FeaturesOf(Loaded(MatchText()));
    benchmark::DoNotOptimize(features.events.data());
  }
}
BENCHMARK(BmReadAndFeatures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
