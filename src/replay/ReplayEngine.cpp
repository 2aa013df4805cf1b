// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/ReplayEngine.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

#include "base/ProgramState.h"
#include "base/TranslatableText.h"
#include "frontend/Dialogs.h"
#include "frontend/PlotViewLink.h"
#include "frontend/ProgressThrottle.h"
#include "model/TimeDisplay.h"
#include "replay/RecordingReplay.h"
#include "replay/ReplayControls.h"
#include "replay/TempoMapping.h"

namespace rp {

namespace {

bool HoldsWord(const std::string& name, std::string_view lowerWord) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower.find(lowerWord) != std::string::npos;
}

}  // namespace

int DefaultOutputEntry(const std::vector<std::string>& entries) {
  for (std::size_t i = entries.size(); i-- > 1;)
    if (!HoldsWord(entries[i], "through") && !HoldsWord(entries[i], "loopback")) return static_cast<int>(i);
  return 0;
}

ReplayEngine::ReplayEngine(MidiOutputPort& port, ReplayControls& controls, PlotViewLink& view, ProgressSink& progress,
                           Dialogs& dialogs, const Performance& performance, ReplayPosition& position,
                           ProgramStates& states)
    : port_(port),
      controls_(controls),
      view_(view),
      progress_(progress),
      dialogs_(dialogs),
      performance_(performance),
      position_(position),
      states_(states) {
  position_.tailLength = controls_.TailLength();
  port_.SetNotifications({
      [this](MidiError code, const std::string& text) { OnPortError(code, text); },
      [this](int tag) {
        if (const std::optional<std::int32_t> event = TaggedEvent(tag)) OnMessageSent(*event);
      },
      [this] { OnReplayEnded(); },
      [this] { OnOutputOpened(); },
  });
}

ReplayEngine::~ReplayEngine() {
  port_.SetNotifications({});
  SetRecordingReplay(nullptr);
}

void ReplayEngine::SetRecordingReplay(RecordingReplay* recording) {
  if (recording_ != nullptr) {
    recording_->Stop();
    recording_->SetNotifications({});
  }
  recording_ = recording;
  if (recording_ == nullptr) return;
  recording_->SetNotifications({
      [this] { OnOutputOpened(); },
      [this](int event) { OnMessageSent(event); },
      [this] { OnReplayEnded(); },
      [this](const std::string& text) {
        Stop();
        dialogs_.ShowMessage(text, MessageKind::Error);
      },
  });
}

bool ReplayEngine::PlaysRecording() const {
  return recording_ != nullptr && performance_.velocityKind == VelocityKind::Decibel &&
         !performance_.sourcePath.empty() && performance_.EventCount() > 0;
}

const OnsetEvent& ReplayEngine::EventAt(std::optional<std::int32_t> event) const {
  static const OnsetEvent kNone{};
  if (!event || *event < 0 || *event >= performance_.EventCount()) return kNone;
  return performance_.events[static_cast<std::size_t>(*event)];
}

std::vector<std::string> ReplayEngine::ListOutputDevices() {
  std::vector<std::string> names;
  const int count = port_.DeviceCount();
  for (int i = 0; i < count; ++i) names.push_back(port_.DeviceName(i));
  return names;
}

void ReplayEngine::Play() {
  if (!states_.Allows(UserAction::Play) || !states_.MoveTo(ProgramState::OpeningOutput)) return;
  if (PlaysRecording()) {
    PlayRecording();
    return;
  }
  port_.Reset();
  UpdateTimeDisplay();
  position_.playFrom = EventAt(position_.currentEvent).firstNote;
  position_.playTo = performance_.NoteCount() - 1;
  const int skipped = QueueMessages(position_.playFrom, position_.playTo);
  if (skipped > 0) dialogs_.ShowMessage(SkippedNotesText(skipped), MessageKind::Information);
  // A stop (or the end of the program) may have come while the message was up.
  if (!states_.Is(ProgramState::OpeningOutput)) return;
  StartSending();
}

void ReplayEngine::PlayRecording() {
  CloseOutput();
  const std::int32_t first = std::clamp(position_.currentEvent.value_or(0), 0, performance_.EventCount() - 1);
  position_.currentEvent = first;
  position_.tailLength = controls_.TailLength();
  RecordingCue cue;
  cue.path = performance_.sourcePath;
  cue.fromMs = EventAt(position_.currentEvent).onsetMs;
  cue.factor = TempoFactor(controls_.ReplaySpeed());
  cue.firstEvent = first;
  for (auto e = static_cast<std::size_t>(first); e < performance_.events.size(); ++e) {
    cue.onsetsMs.push_back(performance_.events[e].onsetMs);
  }
  controls_.SetTimeText(kStartingText);
  recording_->Start(cue);
}

int ReplayEngine::QueueMessages(std::int32_t& from, std::int32_t& to) {
  const std::int32_t count = performance_.NoteCount();
  if (from > to) {
    from -= 10;
    to += 10;
  }
  if (from > count - 1) from = count - 2;
  if (from < 0) from = 0;
  if (to > count - 1) to = count - 1;
  if (count <= 0) return 0;
  ProgressThrottle shown(progress_);
  shown.ShowWindow();
  shown.SetCaption(QT_TRANSLATE_NOOP("returnplot", "Preparing MIDI..."));
  // The bar counts notes as users do, from 1.
  shown.SetRange(from + 1, to + 1);
  const int skipped = ForEachReplayMessage(
      performance_, static_cast<std::size_t>(from), static_cast<std::size_t>(to), VelocityScaleInUse(),
      [this](const MidiMessage& message) { port_.Append(message); },
      [&shown](std::size_t index) {
        const auto i = static_cast<std::int32_t>(index + 1);
        shown.SetValue(i);
        if ((i & 255) == 0) shown.Poll();
      });
  shown.Flush();
  shown.HideWindow();
  return skipped;
}

void ReplayEngine::OpenOutput() {
  port_.SetReplaySpeed(controls_.ReplaySpeed());
  position_.tailLength = controls_.TailLength();
  port_.SetDeviceIndex(controls_.ChosenDeviceEntry());
  port_.Open();
}

void ReplayEngine::StartSending() {
  OpenOutput();
  switch (port_.State()) {
    case PortState::Closed:
      // The port could not be opened and says why in its error notification;
      // there is nothing to follow, so the panel goes back to stopped at once.
      Stop();
      return;
    case PortState::Opening:
      controls_.SetTimeText(kStartingText);
      return;  // OnOutputOpened goes on
    case PortState::Open:
    case PortState::Replaying:
      BeginReplay();
      return;
  }
}

void ReplayEngine::OnOutputOpened() {
  if (states_.Is(ProgramState::OpeningOutput)) BeginReplay();
}

void ReplayEngine::BeginReplay() {
  if (!states_.MoveTo(ProgramState::Replaying)) return;
  UpdateTimeDisplay();
  view_.SetBorderFixed(true);
  // A recording's sound is under way already.
  if (!PlaysRecording()) port_.Start();
}

void ReplayEngine::Stop() {
  if (recording_ != nullptr) recording_->Stop();
  port_.Stop();
  CloseOutput();
  view_.SetBorderFixed(false);
  const bool starting = states_.Is(ProgramState::OpeningOutput);
  if (starting || states_.Is(ProgramState::Replaying)) states_.MoveTo(ProgramState::Idle);
  if (starting) UpdateTimeDisplay();  // no longer "Starting..."
}

void ReplayEngine::StopForShutdown() {
  if (recording_ != nullptr) recording_->Stop();
  port_.CloseResettingDevice();
  port_.Reset();
  view_.SetBorderFixed(false);
}

void ReplayEngine::CloseOutput() {
  if (port_.State() != PortState::Closed) {
    port_.Reset();
    port_.Close();
  }
}

void ReplayEngine::OnSpeedChanged() {
  port_.SetReplaySpeed(controls_.ReplaySpeed());
  if (recording_ != nullptr) recording_->SetFactor(TempoFactor(controls_.ReplaySpeed()));
}

void ReplayEngine::OnTailLengthChanged() {
  position_.tailLength = controls_.TailLength();
  view_.TailLengthChanged();
}

void ReplayEngine::OnDeviceChosen() {
  if (states_.Allows(UserAction::ChangeView)) Stop();
}

void ReplayEngine::SeekTo(int event) {
  if (!states_.Allows(UserAction::ChangeView)) return;
  Stop();
  position_.currentEvent = ClampedEvent(event, performance_.EventCount());
  UpdateTimeDisplay();
  view_.ShowFirstEvents();
  view_.ShowTail();
}

void ReplayEngine::UpdateTimeDisplay() {
  controls_.SetTimeSliderValue(position_.currentEvent.value_or(0));
  controls_.SetTimeText(FormatTimeDisplay(EventAt(position_.currentEvent).onsetMs));
}

void ReplayEngine::OnPortError(MidiError /*code*/, const std::string& text) {
  // An output that failed to open in the background: the replay is over.
  if (states_.Is(ProgramState::OpeningOutput) && port_.State() == PortState::Closed) Stop();
  dialogs_.ShowMessage(text, MessageKind::Error);
}

void ReplayEngine::OnMessageSent(std::int32_t event) {
  if (!states_.Is(ProgramState::Replaying)) return;
  // Events beyond the loaded clusters could only come from an earlier file.
  if (event < 0 || event >= performance_.EventCount()) return;
  position_.currentEvent = event;
  view_.ShowTail();
  UpdateTimeDisplay();
}

}  // namespace rp
