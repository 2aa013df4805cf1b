// SPDX-License-Identifier: GPL-3.0-or-later
// A long take recorded through JACK, against the frames its notes were played
// at: a private JACK server (dummy driver, 256-frame periods at 44.1 kHz) with
// jack_midiseq looping ten notes a second at uneven places in the periods,
// recorded in real time by the program's JACK input and recording session,
// saved as a listing and read back. Counters, in microseconds:
//   interval_err   largest difference between an interval of the input's
//                  time stamps and the frames' distance over the rate
//   drift          largest difference between a stamp's time from the first
//                  note and the frames counted since it over the rate
//   listing_interval_err, listing_drift   the same for the saved listing,
//                  whose times are rounded to 0.1 ms
//   notes          note-ons in the take; out_of_order: note-ons not in the
//                  loop's order (lost notes)
// Argument: the take's length in seconds (600 for ten minutes). Needs jackd
// and jack_midiseq (Debian package jackd2).

#include <benchmark/benchmark.h>

// The MIDI devices come with the desktop program.
#ifdef RP_HAVE_SYNTH

#include <algorithm>
#include <chrono>
#include <cmath>
#include <mutex>
#include <thread>
#include <vector>

#include "analysis/PerformanceLoader.h"
#include "devices/JackMidiInput.h"
#include "io/AsciiMidiWriter.h"
#include "support/ChildProcess.h"
#include "support/ManualUiQueue.h"
#include "support/PrivateJackServer.h"
#include "support/TempDir.h"
#include "take/TakeSession.h"

namespace {

using rp::test::PrivateJackServer;

constexpr int kLoop = PrivateJackServer::kRate;  // one second
constexpr int kNotesPerLoop = 10;
constexpr int kNoteLength = 2000;
// Where in its period each note of the loop starts.
constexpr int kOffsets[kNotesPerLoop] = {5, 37, 101, 190, 255, 13, 77, 150, 201, 233};

int Start(int note) { return note * (kLoop / kNotesPerLoop) + kOffsets[note]; }

// The input passed on to the session, with the stamp of every note-on kept.
class StampKeepingInput final : public rp::MidiInput {
 public:
  explicit StampKeepingInput(rp::MidiInput& input) : input_(input) {}
  std::vector<std::string> DeviceNames() override { return input_.DeviceNames(); }
  std::optional<rp::MidiFailure> Open(int index, rp::MidiInputHandler handler) override {
    return input_.Open(index, [this, handler](std::span<const std::uint8_t> bytes, std::int64_t timeUs) {
      if (bytes.size() == 3 && (bytes[0] & 0xF0) == 0x90 && bytes[2] > 0) {
        std::lock_guard lock(mutex_);
        noteOns_.emplace_back(bytes[1], static_cast<double>(timeUs));
      }
      handler(bytes, timeUs);
    });
  }
  void Close() override { input_.Close(); }
  bool DevicePresent() override { return input_.DevicePresent(); }

  std::vector<std::pair<int, double>> NoteOns() {
    std::lock_guard lock(mutex_);
    return noteOns_;
  }

 private:
  rp::MidiInput& input_;
  std::mutex mutex_;
  std::vector<std::pair<int, double>> noteOns_;  // key, time in us
};

struct Errors {
  double interval = 0;
  double drift = 0;
  int outOfOrder = 0;
};

// Note-ons (key, us) against the loop's frames.
Errors Measure(const std::vector<std::pair<int, double>>& ons) {
  Errors e;
  std::int64_t frames = 0;
  for (std::size_t i = 1; i < ons.size(); ++i) {
    const int a = ons[i - 1].first - 60;
    const int b = ons[i].first - 60;
    if (b != (a + 1) % kNotesPerLoop) ++e.outOfOrder;
    const int distance = ((Start(b) - Start(a)) % kLoop + kLoop) % kLoop;
    frames += distance;
    const double expectedUs = 1e6 * distance / PrivateJackServer::kRate;
    e.interval = std::max(e.interval, std::abs(ons[i].second - ons[i - 1].second - expectedUs));
    const double sinceFirstUs = 1e6 * static_cast<double>(frames) / PrivateJackServer::kRate;
    e.drift = std::max(e.drift, std::abs(ons[i].second - ons[0].second - sinceFirstUs));
  }
  return e;
}

void BmJackTakeTiming(benchmark::State& state) {
  const auto seconds = static_cast<int>(state.range(0));
  if (!rp::test::ProgramOnPath("jack_midiseq")) {
    state.SkipWithError("jack_midiseq is not installed (Debian package jackd2)");
    return;
  }
  for (auto _ : state) {
    PrivateJackServer server;
    if (!server.Start()) {
      state.SkipWithError(("no private JACK server: " + server.Why()).c_str());
      return;
    }
    std::vector<std::string> argv = {"jack_midiseq", "rp_keys", std::to_string(kLoop)};
    for (int n = 0; n < kNotesPerLoop; ++n) {
      for (int v : {Start(n), 60 + n, kNoteLength}) argv.push_back(std::to_string(v));
    }
    rp::test::ChildProcess sequencer;
    if (!server.StartClient(sequencer, argv, "rp_keys:out")) {
      state.SkipWithError("jack_midiseq did not come up");
      return;
    }
    server.UseInThisProcess();
    rp::JackMidiInput jack;
    StampKeepingInput input(jack);
    const auto names = input.DeviceNames();
    const auto found = std::find(names.begin(), names.end(), "rp_keys:out");
    const rp::test::TempDir dir("rp_bench_take_");
    rp::ManualUiQueue ui;
    rp::TakeSession session(input, ui.Poster(), {});
    using Clock = rp::TakeSession::Clock;
    if (found == names.end() ||
        session.Start(static_cast<int>(found - names.begin()), dir.Path() + "/take.recording", Clock::now())) {
      state.SkipWithError("the take could not start");
      return;
    }
    const std::int32_t wanted = seconds * kNotesPerLoop + 1;
    const auto deadline = Clock::now() + std::chrono::seconds(seconds + seconds / 5 + 30);
    while (session.Recording() && session.Live().Take().EventCount() < wanted && Clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      ui.Drain();
      session.Tick(Clock::now());
    }
    session.Stop();

    const Errors stamps = Measure(input.NoteOns());
    std::string error;
    const std::string saved = dir.Path() + "/take.txt";
    rp::Performance listing;
    if (!rp::SaveAsciiMidiFile(saved, session.Live().Finished(), error) ||
        !rp::LoadPerformanceFile(saved, listing).Ok()) {
      state.SkipWithError("the take could not be saved and read back");
      return;
    }
    std::vector<std::pair<int, double>> listed;
    for (const rp::NoteEvent& n : listing.notes) {
      if (n.isNoteOn) listed.emplace_back(n.noteKey, n.timeMs * 1000.0);
    }
    const Errors rounded = Measure(listed);
    state.counters["notes"] = static_cast<double>(listed.size());
    state.counters["out_of_order"] = stamps.outOfOrder + rounded.outOfOrder;
    state.counters["interval_err"] = stamps.interval;
    state.counters["drift"] = stamps.drift;
    state.counters["listing_interval_err"] = rounded.interval;
    state.counters["listing_drift"] = rounded.drift;
  }
}

BENCHMARK(BmJackTakeTiming)->Arg(600)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

#endif  // RP_HAVE_SYNTH

BENCHMARK_MAIN();
