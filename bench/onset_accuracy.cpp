// SPDX-License-Identifier: GPL-3.0-or-later
// How well the onsets found in a recording match the performance that was
// played: each Vienna 4x22 MIDI file is rendered to sound twice, with the
// program's own --render-wav (TimGM6mb) and with the FluidR3 GM SoundFont
// through the fluidsynth program, each rendering is read back as a recording
// (onsets grouped with the 50 ms cluster window) and its events are matched
// one to one with the MIDI file's onset events (the same window) within
// +-50 ms. Prints precision, recall, F-measure and the median and 90th
// percentile of |found - true| of the matched events, per file and overall,
// for each sound, and the analysis speed (seconds of sound per CPU second).
//
// Run: build/release/bin/bench_onset_accuracy [--corpus DIR] [--cache DIR] [--only TEXT] [--markdown]
//          [--onset-method M] [--onset-threshold T] [--onset-silence-db DB] [--onset-min-ioi-ms MS]
// The MIDI files are those of DIR (default: the shared data's
// vienna4x22/midi); the renderings are kept in DIR (default
// /tmp/rp-onset-accuracy) for the next run. Needs the packages fluidsynth and fluid-soundfont-gm.

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/PerformanceLoader.h"
#include "app/AnalysisOptions.h"
#include "model/Performance.h"
#include "support/ChildProcess.h"

#ifdef RP_HAVE_SYNTH
#include "desktop/RenderWav.h"
#endif

namespace {

namespace fs = std::filesystem;

constexpr double kToleranceMs = 50.0;
constexpr const char* kFluidR3 = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

struct Score {
  std::int64_t truth = 0;
  std::int64_t found = 0;
  std::int64_t matched = 0;
  std::vector<double> errors;        // |found - true| of the matched, ms
  std::vector<double> signedErrors;  // found - true

  void Add(const Score& other) {
    truth += other.truth;
    found += other.found;
    matched += other.matched;
    errors.insert(errors.end(), other.errors.begin(), other.errors.end());
    signedErrors.insert(signedErrors.end(), other.signedErrors.begin(), other.signedErrors.end());
  }
  double MedianSigned() const {
    if (signedErrors.empty()) return NAN;
    std::vector<double> sorted = signedErrors;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
    return sorted[sorted.size() / 2];
  }
  double Precision() const { return found > 0 ? static_cast<double>(matched) / found : 0.0; }
  double Recall() const { return truth > 0 ? static_cast<double>(matched) / truth : 0.0; }
  double F() const {
    const double p = Precision();
    const double r = Recall();
    return p + r > 0 ? 2 * p * r / (p + r) : 0.0;
  }
  // Nearest rank.
  double Percentile(double q) const {
    if (errors.empty()) return NAN;
    std::vector<double> sorted = errors;
    std::sort(sorted.begin(), sorted.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
  }
};

std::vector<double> Onsets(const rp::Performance& p) {
  std::vector<double> onsets;
  for (std::int32_t k = 1; k <= p.EventCount(); ++k)
    onsets.push_back(p.events[static_cast<std::size_t>(k) - 1].onsetMs);
  return onsets;
}

// One-to-one matching within the tolerance, the closest pairs first.
Score Compare(const std::vector<double>& truth, const std::vector<double>& found) {
  struct Pair {
    double distance;
    double difference;
    std::size_t t;
    std::size_t f;
  };
  std::vector<Pair> pairs;
  std::size_t from = 0;
  for (std::size_t t = 0; t < truth.size(); ++t) {
    while (from < found.size() && found[from] < truth[t] - kToleranceMs) ++from;
    for (std::size_t f = from; f < found.size() && found[f] <= truth[t] + kToleranceMs; ++f) {
      pairs.push_back({std::fabs(found[f] - truth[t]), found[f] - truth[t], t, f});
    }
  }
  std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) { return a.distance < b.distance; });
  std::vector<bool> truthUsed(truth.size());
  std::vector<bool> foundUsed(found.size());
  Score score;
  score.truth = static_cast<std::int64_t>(truth.size());
  score.found = static_cast<std::int64_t>(found.size());
  for (const Pair& pair : pairs) {
    if (truthUsed[pair.t] || foundUsed[pair.f]) continue;
    truthUsed[pair.t] = foundUsed[pair.f] = true;
    ++score.matched;
    score.errors.push_back(pair.distance);
    score.signedErrors.push_back(pair.difference);
  }
  return score;
}

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Sound {
  std::string name;
  // Renders `midi` to `wav`; false when it cannot.
  bool (*render)(const std::string& midi, const std::string& wav);
  // Where the rendering's time 0 lies in the MIDI file's time.
  bool startsAtFirstEvent;
};

bool RenderWithProgram(const std::string& midi, const std::string& wav) {
#ifdef RP_HAVE_SYNTH
  std::ostringstream out;
  std::ostringstream err;
  if (rp::RenderWav({wav, midi}, out, err) == 0) return true;
  std::cerr << err.str();
#else
  (void)midi;
  (void)wav;
#endif
  return false;
}

bool RenderWithFluidSynth(const std::string& midi, const std::string& wav) {
  return rp::test::RunToEnd({"fluidsynth", "-ni", "-q", "-r", "44100", "-F", wav, kFluidR3, midi}, {},
                            std::chrono::minutes(10)) == 0 &&
         fs::exists(wav);
}

std::string Fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const std::optional<rp::AnalysisOptions> options = rp::TakeAnalysisOptions(args, std::cerr);
  if (!options) return 64;
  std::string cache = "/tmp/rp-onset-accuracy";
  std::string only;
  bool markdown = false;
  fs::path corpus = fs::path(RP_SHARED_DATA_DIR) / "vienna4x22" / "midi";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--cache" && i + 1 < args.size()) {
      cache = args[++i];
    } else if (args[i] == "--corpus" && i + 1 < args.size()) {
      corpus = args[++i];
    } else if (args[i] == "--only" && i + 1 < args.size()) {
      only = args[++i];
    } else if (args[i] == "--markdown") {
      markdown = true;
    } else {
      std::cerr << "usage: bench_onset_accuracy [--corpus DIR] [--cache DIR] [--only TEXT] [--markdown] "
                   "[analysis options]\n";
      return 64;
    }
  }
  if (!fs::is_directory(corpus)) {
    std::cerr << "bench_onset_accuracy: no Vienna 4x22 corpus in " << corpus << "\n";
    return 1;
  }
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    if (entry.path().extension() == ".mid" && entry.path().filename().string().find(only) != std::string::npos) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  const std::vector<Sound> sounds = {{"TimGM6mb (--render-wav)", &RenderWithProgram, true},
                                     {"FluidR3 (fluidsynth)", &RenderWithFluidSynth, false}};
  const rp::AnalysisSettings settings = options->Over();

  std::vector<Score> overall(sounds.size());
  double audioSeconds = 0.0;
  double cpuSeconds = 0.0;
  const char* rowFormat = markdown ? "| %s | %s | %s |\n" : "%-30s %s  %s\n";
  const std::string between = markdown ? " | " : " ";
  if (markdown) {
    std::printf("| file | P | R | F | med | p90 | P | R | F | med | p90 |\n");
    std::printf("|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n");
  } else {
    std::printf(rowFormat, "file", "TimGM6mb: P R F med p90", "FluidR3: P R F med p90");
  }
  const auto cellsOf = [&between](const Score& score) {
    return Fixed(score.Precision(), 3) + between + Fixed(score.Recall(), 3) + between + Fixed(score.F(), 3) + between +
           Fixed(score.Percentile(0.5), 1) + between + Fixed(score.Percentile(0.9), 1);
  };
  for (const fs::path& midi : files) {
    rp::Performance truthPerformance;
    if (!rp::LoadPerformanceFile(midi.string(), truthPerformance).Ok()) {
      std::cerr << "cannot load " << midi << "\n";
      return 1;
    }
    const std::vector<double> truthMs = Onsets(truthPerformance);
    std::string cells[2];
    for (std::size_t s = 0; s < sounds.size(); ++s) {
      const fs::path dir = fs::path(cache) / (s == 0 ? "timgm6mb" : "fluidr3");
      fs::create_directories(dir);
      const fs::path wav = dir / (midi.stem().string() + ".wav");
      if (!fs::exists(wav) && !sounds[s].render(midi.string(), wav.string())) {
        std::cerr << "cannot render " << midi << " with " << sounds[s].name << "\n";
        return 1;
      }
      rp::Performance found;
      found.settings = settings;
      const double before = CpuSeconds();
      const rp::LoadResult loaded = rp::LoadPerformanceFile(wav.string(), found);
      cpuSeconds += CpuSeconds() - before;
      if (!loaded.Ok()) {
        std::cerr << loaded.message << "\n";
        return 1;
      }
      audioSeconds += static_cast<double>(fs::file_size(wav) - 44) / (4.0 * 44100.0);
      const double shift = sounds[s].startsAtFirstEvent && !truthMs.empty() ? std::nearbyint(truthMs.front()) : 0.0;
      std::vector<double> truth = truthMs;
      for (double& t : truth) t -= shift;
      const Score score = Compare(truth, Onsets(found));
      overall[s].Add(score);
      cells[s] = cellsOf(score);
    }
    std::printf(rowFormat, midi.stem().string().c_str(), cells[0].c_str(), cells[1].c_str());
    std::fflush(stdout);
  }
  std::string totals[2];
  for (std::size_t s = 0; s < sounds.size(); ++s) {
    const Score& score = overall[s];
    totals[s] = cellsOf(score);
  }
  std::printf(rowFormat, markdown ? "**all**" : "ALL", totals[0].c_str(), totals[1].c_str());
  std::printf("\nmedian found - true: %.1f ms (TimGM6mb), %.1f ms (FluidR3)\n", overall[0].MedianSigned(),
              overall[1].MedianSigned());
  std::printf("\nanalysis: %.0f s of sound in %.1f CPU s, %.0f x real time\n", audioSeconds, cpuSeconds,
              cpuSeconds > 0 ? audioSeconds / cpuSeconds : 0.0);
  return 0;
}
