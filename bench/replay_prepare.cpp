// SPDX-License-Identifier: GPL-3.0-or-later
// How long the start of a replay takes to queue its messages: queueMessages for
// 100,000 note events (target: under 50 ms).

#include <benchmark/benchmark.h>

#include <string>

#include "base/ProgramState.h"
#include "frontend/PlotViewLink.h"
#include "frontend/ProgressSink.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "replay/MidiOutputPort.h"
#include "replay/ReplayControls.h"
#include "replay/ReplayEngine.h"
#include "support/ManualReplayClock.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"
#include "support/ScriptedDialogs.h"

namespace {

class NoView final : public rp::PlotViewLink {
 public:
  void ShowFirstEvents() override {}
  void ShowTail() override {}
  void SetBorderFixed(bool) override {}
};

class NoControls final : public rp::ReplayControls {
 public:
  int ReplaySpeed() const override { return 0; }
  int TailLength() const override { return 10; }
  int ChosenDeviceEntry() const override { return 0; }
  void SetTimeSliderValue(int) override {}
  void SetTimeText(const std::string&) override {}
};

// A performance of `notes` note events: pairs of note-on and note-off, 100 ms apart.
rp::Performance MakePerformance(std::int32_t notes) {
  rp::Performance p;
  p.notes.assign(static_cast<std::size_t>(notes), rp::NoteEvent{});
  for (std::int32_t i = 1; i <= notes; ++i) {
    rp::NoteEvent& n = p.notes[static_cast<std::size_t>(i) - 1];
    n.isNoteOn = i % 2 != 0;
    n.timeMs = 50.0 * i + 0.25;
    n.noteKey = static_cast<std::uint8_t>(36 + i % 50);
    n.noteVelocity = static_cast<std::uint8_t>(i % 2 ? 20 + i % 100 : 0);
    n.opensEvent = i % 2 ? (i + 1) / 2 - 1 : -1;
  }
  return p;
}

void BmQueueMessages(benchmark::State& state) {
  const auto notes = static_cast<std::int32_t>(state.range(0));
  const rp::Performance performance = MakePerformance(notes);
  rp::ReplayPosition position;
  rp::ManualReplayClock clock;
  rp::RecordingMidiBackend backend(clock);
  rp::ManualUiQueue ui;
  rp::MidiOutputPort port(backend, clock, ui.Poster());
  NoView view;
  NoControls controls;
  rp::NullProgressSink progress;
  rp::ScriptedDialogs dialogs;
  rp::ProgramStates states;
  rp::ReplayEngine engine(port, controls, view, progress, dialogs, performance, position, states);
  for (auto _ : state) {
    port.Reset();
    std::int32_t from = 1, to = notes;
    engine.QueueMessages(from, to);
  }
  state.SetItemsProcessed(state.iterations() * notes);
}
BENCHMARK(BmQueueMessages)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
