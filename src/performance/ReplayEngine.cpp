#include "performance/ReplayEngine.h"

#include <algorithm>
#include <cmath>

#include "performance/PlotViewLink.h"
#include "performance/ReplayControls.h"
#include "performance/TimeDisplay.h"
#include "performance/global.h"
#include "platform/Dialogs.h"
#include "platform/ProgressThrottle.h"

namespace rp {

namespace {

constexpr int kNoteOn = 144;   // channel 1
constexpr int kNoteOff = 128;  // channel 1

// The port's error codes that are not for the user.
bool Silent(int code) { return code == 0 || code == 8; }

const PlotEvent& PlotEventAt(std::int32_t k) {
  static const PlotEvent kNone{};
  if (k < 0 || static_cast<std::size_t>(k) >= global::PlotEvents.size()) return kNone;
  return global::PlotEvents[static_cast<std::size_t>(k)];
}

}  // namespace

int ScaledVelocity(std::uint8_t velocity) {
  // 1.5 v is a whole number or a half: round the half to the even neighbour.
  const int triple = 3 * velocity;
  int scaled = triple / 2;
  if (triple % 2 != 0 && scaled % 2 != 0) ++scaled;
  return std::min(scaled, 127);
}

double ReplayStartMs(const NoteEvent& first) { return std::nearbyint(first.TimeMs); }

MidiMessage ReplayMessage(const NoteEvent& note, double startMs) {
  MidiMessage m;
  m.tag = note.ClusterIndex;
  m.timeMs = note.TimeMs - startMs;
  m.status = note.IsNoteOn != kFalse ? kNoteOn : kNoteOff;
  m.data1 = note.NoteKey;
  m.data2 = ScaledVelocity(note.NoteVelocity);
  return m;
}

ReplayEngine::ReplayEngine(MidiOutputPort& port, ReplayControls& controls, PlotViewLink& view, ProgressSink& progress,
                           Dialogs& dialogs)
    : port_(port), controls_(controls), view_(view), progress_(progress), dialogs_(dialogs) {
  port_.setNotifications({
      [this](int code, const std::string& text) { PortError(code, text); },
      [this](int tag) { MessageSent(tag); },
      [this] { ReplayEnded(); },
  });
}

ReplayEngine::~ReplayEngine() { port_.setNotifications({}); }

std::vector<std::string> ReplayEngine::ListOutputDevices() {
  std::vector<std::string> names;
  const int count = port_.deviceCount();
  for (int i = -1; i < count; ++i) {
    port_.setDeviceIndex(i);
    names.push_back(port_.deviceName());
  }
  port_.setDeviceIndex(count - 1);
  return names;
}

void ReplayEngine::PlayButton_Click() {
  controls_.DoEvents();
  port_.reset();
  controls_.SetPlayEnabled(false);
  UpdateTime();
  global::PlayFrom = PlotEventAt(global::CurrentEvent).FirstNote;
  global::PlayTo = global::NoteEventCount;
  PrepareMidi(global::PlayFrom, global::PlayTo);
  StartPlay();
}

void ReplayEngine::PrepareMidi(std::int32_t& from, std::int32_t& to) {
  const std::int32_t count = global::NoteEventCount;
  if (from > to) {
    from -= 10;
    to += 10;
  }
  if (from < 1) from = 1;
  if (from > count) from = count - 1;
  if (to > count) to = count;
  if (count <= 0) return;
  // The array always reaches the count; this only guards the loop's indices.
  const auto last = static_cast<std::int32_t>(global::NoteEvents.size()) - 1;
  const std::int32_t end = std::min(to, last);

  const double start = ReplayStartMs(global::NoteEvents[static_cast<std::size_t>(from)]);
  ProgressThrottle shown(progress_);
  shown.ShowWindow();
  shown.SetCaption("Preparing MIDI...");
  shown.SetMinimum(from);
  shown.SetMaximum(to);
  for (std::int32_t i = from; i <= end; ++i) {
    port_.append(ReplayMessage(global::NoteEvents[static_cast<std::size_t>(i)], start));
    shown.ShowEvent(i);
    shown.SetValue(i);
    shown.ShowNumberEvents(count);
    if ((i & 255) == 0) shown.Poll();
  }
  shown.Flush();
  shown.HideWindow();
}

void ReplayEngine::OpenOutput() {
  port_.setReplaySpeed(controls_.PlaybackRateSliderValue());
  global::TailLength = controls_.SchwanzLaengenSliderValue();
  port_.setDeviceIndex(controls_.OutputDevComboIndex() - 1);
  port_.open();
}

void ReplayEngine::StartPlay() {
  const std::uint64_t stopsBefore = stops_;
  OpenOutput();
  if (port_.state() == PortState::Closed) {
    // The port could not be opened and says why in its error notification;
    // there is nothing to follow, so the panel goes back to stopped at once.
    StopPlay();
    return;
  }
  view_.setBorderFixed(true);
  controls_.DoEvents();
  // A stop among those events (the Stop button, a resize, a load) wins.
  if (stops_ != stopsBefore) return;
  port_.start();
}

void ReplayEngine::StopPlay() {
  ++stops_;
  port_.stop();
  CloseOutput();
  controls_.SetPlayEnabled(true);
  view_.setBorderFixed(false);
}

void ReplayEngine::CloseOutput() {
  controls_.DoEvents();
  if (port_.state() > PortState::Closed) {
    port_.reset();
    port_.close();
  }
}

void ReplayEngine::PlaybackRateSlider_Change() { port_.setReplaySpeed(controls_.PlaybackRateSliderValue()); }

void ReplayEngine::SchwanzLaengenSlider_Change() { global::TailLength = controls_.SchwanzLaengenSliderValue(); }

void ReplayEngine::TimeSlider_MouseUp(int sliderValue) {
  StopPlay();
  // Until the first file is loaded the slider reaches 1000 over five empty
  // events: only an existing event can become the current one.
  global::CurrentEvent = std::clamp(sliderValue, 1, std::max(1, global::PlotEventCount));
  UpdateTime();
  view_.showFirstEvents();
  view_.showTail();
}

void ReplayEngine::UpdateTime() {
  controls_.SetTimeSliderValue(global::CurrentEvent);
  controls_.SetTimeText(FormatTimeDisplay(PlotEventAt(global::CurrentEvent).OnsetMs));
}

void ReplayEngine::PortError(int code, const std::string& text) {
  if (!Silent(code)) dialogs_.ShowMessage(text, MessageKind::Error);
}

void ReplayEngine::MessageSent(int tag) {
  // Tags beyond the loaded clusters could only come from an earlier file.
  if (tag < 1 || tag > global::PlotEventCount) return;
  global::CurrentEvent = tag;
  view_.showTail();
  UpdateTime();
  progress_.ShowNumberEvents(global::PlotEventCount);
  progress_.ShowEvent(tag);
}

}  // namespace rp
