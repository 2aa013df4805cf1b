// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/Session.h"

#include <algorithm>
#include <utility>

#include "analysis/AddComparedPerformances.h"
#include "analysis/ChordSplitting.h"
#include "analysis/PerformanceFileDialog.h"
#include "analysis/PerformanceLoader.h"
#include "analysis/Reanalysis.h"
#include "base/TranslatableText.h"
#include "frontend/BackgroundJob.h"
#include "frontend/Dialogs.h"
#include "model/TimeDisplay.h"
#include "replay/MidiOutputPort.h"
#include "replay/RecordingReplay.h"
#include "replay/ReplayEngine.h"
#include "take/TakeRecorder.h"

namespace rp {

namespace {

// Posts through `post` what runs only while `alive` says the session is: a
// notification of the port, a load or a take that arrives after the session
// is gone is dropped.
PostToUi WhileAlive(PostToUi post, std::shared_ptr<bool> alive) {
  return [post = std::move(post), alive = std::move(alive)](UiTask task) {
    post([alive, task = std::move(task)] {
      if (*alive) task();
    });
  };
}

}  // namespace

Session::Session(Dialogs& dialogs, PostToUi post)
    : dialogs_(dialogs),
      alive_(std::make_shared<bool>(true)),
      post_(WhileAlive(std::move(post), alive_)),
      loadJob_(std::make_unique<BackgroundJob>(post_, progress_)) {
  states_.SetListener([this](ProgramState) { Announce(SessionChange::State); });
}

Session::~Session() {
  *alive_ = false;
  loadJob_.reset();
  recorder_.reset();
  engine_.reset();
  recordingPlayer_.reset();
  port_.reset();
}

std::optional<std::int32_t> Session::CurrentEvent() const {
  const std::optional<std::int32_t> current = position_.currentEvent;
  if ((!fileLoaded_ && !IsRecording()) || !current) return std::nullopt;
  return ClampedEvent(*current, performance_.EventCount());
}

std::int32_t Session::EventCount() const { return fileLoaded_ || IsRecording() ? performance_.EventCount() : 0; }

const VelocityScaleChoice& Session::VelocityScale() const {
  return engine_ ? engine_->VelocityScale() : velocityScale_;
}

std::string Session::VelocityScaleText() const { return rp::VelocityScaleText(performance_, VelocityScale()); }

bool Session::IsReplaying() const {
  return states_.Is(ProgramState::OpeningOutput) || states_.Is(ProgramState::Replaying);
}

bool Session::IsRecording() const { return recorder_ && recorder_->Recording(); }

bool Session::IsPortOpen() const { return port_ && port_->State() != PortState::Closed; }

int Session::Listen(Listener listener) {
  listeners_.emplace_back(nextListener_, std::move(listener));
  return nextListener_++;
}

void Session::StopListening(int id) {
  listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(), [id](const auto& l) { return l.first == id; }),
                   listeners_.end());
}

void Session::Announce(SessionChange change) {
  // A listener may stop listening (a window closing) while it is told.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) listener(change);
}

void Session::ConnectOutput(MidiOutputSetup midi) {
  if (engine_) return;
  midi_ = std::move(midi);
  port_ = std::make_unique<MidiOutputPort>(*midi_.backend, *midi_.clock, post_);
  ReplayControls& controls = *this;
  PlotViewLink& view = *this;
  engine_ =
      std::make_unique<ReplayEngine>(*port_, controls, view, progress_, dialogs_, performance_, position_, states_);
  engine_->SetVelocityScale(velocityScale_);
  engine_->SetRecordingReplay(recordingPlayer_.get());

  TakeRecorder::Hooks hooks;
  hooks.makeInput = midi_.makeInput;
  hooks.stopReplay = [this] { Stop(); };
  hooks.recordingChanged = [this](bool recording) {
    if (recording) fileLoaded_ = true;
    states_.MoveTo(recording ? ProgramState::Recording : ProgramState::Idle);
  };
  hooks.tailLength = [this] { return tailLength_; };
  hooks.setTimeText = [this](const std::string& text) { SetTimeText(text); };
  hooks.setTimeSliderMaximum = [this](std::int32_t) { Announce(SessionChange::Position); };
  hooks.updateTimeDisplay = [this] { ShowCurrentEvent(); };
  // A take replaces the main performance as a loaded file does.
  hooks.mainReplaced = [this] {
    fileLoaded_ = true;
    compared_.clear();
    OfferValueKinds();
  };
  recorder_ =
      std::make_unique<TakeRecorder>(dialogs_, performance_, position_, view, post_, recoveryPath_, std::move(hooks));
  devices_ = engine_->ListOutputDevices();
  deviceEntry_ = DefaultOutputEntry(devices_);
  Announce(SessionChange::Devices);
}

void Session::SetRecordingReplay(std::unique_ptr<RecordingReplay> player) {
  if (engine_) engine_->SetRecordingReplay(player.get());
  recordingPlayer_ = std::move(player);
}

void Session::SetLoadInBackground(bool inBackground) { loadJob_->SetInBackground(inBackground); }

void Session::SetLoadProgressHook(std::function<void(std::int64_t)> hook) {
  loadJob_->SetProgressHook(std::move(hook));
}

void Session::SetRecoveryPath(const std::string& path) {
  recoveryPath_ = path;
  if (recorder_) recorder_->SetRecoveryPath(path);
}

bool Session::ChooseOutputNamed(const std::string& name) {
  const auto named = std::find_if(devices_.begin(), devices_.end(), [&name](const std::string& device) {
    return device.find(name) != std::string::npos;
  });
  if (named == devices_.end()) return false;
  ChooseDevice(static_cast<int>(named - devices_.begin()));
  return true;
}

void Session::Start() {
  performance_ = Performance::Empty(performance_.settings);
  position_.currentEvent.reset();
  position_.tailLength = tailLength_;
  ShowCurrentEvent();
}

void Session::Open(const std::string& path, const std::vector<std::string>& compare, bool atStart) {
  std::function<void()> then;
  if (!compare.empty()) then = [this, compare] { AddCompared(compare); };
  // The score given on the command line is for the files given with it.
  StartLoad(path, atStart, std::move(then), atStart ? performance_.settings.scoreFile : std::string());
}

void Session::OpenWithScore(const std::string& scorePath, const std::string& path) {
  StartLoad(path, false, {}, scorePath);
}

void Session::ChooseAndOpenWithScore() {
  if (!states_.Allows(UserAction::OpenFile)) return;
  Stop();
  OpenFileRequest scoreRequest;
  scoreRequest.title = QT_TRANSLATE_NOOP("returnplot", "Open the score (MusicXML)");
  scoreRequest.fileTypes = {{QT_TRANSLATE_NOOP("returnplot", "MusicXML scores"), {"*.musicxml", "*.xml", "*.mxl"}},
                            {QT_TRANSLATE_NOOP("returnplot", "All files"), {"*"}}};
  if (fileMemory_.folder) scoreRequest.initialDir = fileMemory_.folder();
  const std::optional<std::string> score = dialogs_.OpenFile(scoreRequest);
  if (!score) return;
  OpenFileRequest request =
      PerformanceFileRequest(QT_TRANSLATE_NOOP("returnplot", "Open the performance of the score"));
  if (fileMemory_.folder) request.initialDir = fileMemory_.folder();
  if (const std::optional<std::string> path = dialogs_.OpenFile(request)) OpenWithScore(*score, *path);
}

void Session::ChooseAndOpen(const std::vector<std::string>& compare) {
  if (!states_.Allows(UserAction::OpenFile)) return;
  Stop();
  OpenFileRequest request = PerformanceFileRequest(QT_TRANSLATE_NOOP("returnplot", "Open ASCII MIDI File"));
  if (fileMemory_.folder) request.initialDir = fileMemory_.folder();
  if (const std::optional<std::string> path = dialogs_.OpenFile(request)) {
    Open(*path, compare);
  } else {
    AddCompared(compare);
  }
}

void Session::StartLoad(const std::string& path, bool atStart, std::function<void()> then,
                        const std::string& scorePath) {
  // A dialog's answer may come after the program began to close.
  if (!states_.Allows(UserAction::OpenFile)) return;
  Stop();
  if (!states_.MoveTo(ProgramState::Loading)) return;
  auto fresh = std::make_shared<Performance>();
  fresh->settings = performance_.settings;
  fresh->settings.scoreFile = scorePath;
  auto result = std::make_shared<LoadResult>();
  auto work = [path, fresh, result](ProgressSink& progress) { *result = ReadPerformanceFile(path, *fresh, &progress); };
  auto done = [this, path, atStart, fresh, result, then = std::move(then)](bool cancelled, const std::string& error) {
    if (!states_.MoveTo(ProgramState::Idle)) return;  // the program is closing
    progress_.HideWindow();
    if (cancelled || result->status == LoadStatus::Cancelled) return;
    if (!error.empty()) dialogs_.ShowMessage(error, MessageKind::Error);
    result->path = path;
    const bool read = KeepsPerformance(*result);
    // A cluster window that likely splits spread chords is said with the load's other warnings.
    if (read) AddWarning(*result, ChordSplittingWarning(*fresh));
    if (read) TakeLoaded(std::move(*fresh));
    if (result->status == LoadStatus::Loaded && fileMemory_.rememberFile) fileMemory_.rememberFile(path);
    if (read && !atStart && fileMemory_.rememberFolder) fileMemory_.rememberFolder(path);
    Report(*result);
    if (then) then();
  };
  loadJob_->Start(std::move(work), std::move(done));
}

void Session::TakeLoaded(Performance&& fresh) {
  performance_ = std::move(fresh);
  fileLoaded_ = true;
  compared_.clear();
  position_.currentEvent = ClampedEvent(0, performance_.EventCount());
  OfferValueKinds();
  ShowCurrentEvent();
  Announce(SessionChange::Points);
  Announce(SessionChange::VelocityScale);
}

void Session::Report(const LoadResult& result) {
  if (!result.message.empty()) dialogs_.ShowMessage(result.message, MessageKind::Error);
  if (!result.warning.empty()) dialogs_.ShowMessage(result.warning, MessageKind::Information);
}

void Session::ChooseAndAddCompared() {
  if (!states_.Allows(UserAction::OpenFile)) return;
  Stop();
  OpenFileRequest request = PerformanceFileRequest(QT_TRANSLATE_NOOP("returnplot", "Add performance for comparison"));
  if (fileMemory_.folder) request.initialDir = fileMemory_.folder();
  AddCompared(dialogs_.OpenFiles(request));
}

void Session::AddCompared(const std::vector<std::string>& paths) {
  if (paths.empty() || !states_.Allows(UserAction::OpenFile)) return;
  Stop();
  if (!states_.MoveTo(ProgramState::Loading)) return;
  auto added = std::make_shared<ComparedPerformances>();
  auto report = std::make_shared<CompareLoadReport>();
  auto work = [paths, added, report, settings = performance_.settings,
               before = compared_.size()](ProgressSink& progress) {
    *report = rp::AddComparedPerformances(paths, *added, settings, &progress, before);
  };
  auto done = [this, added, report](bool cancelled, const std::string& error) {
    if (!states_.MoveTo(ProgramState::Idle)) return;  // the program is closing
    progress_.HideWindow();
    if (cancelled) return;
    if (!error.empty()) dialogs_.ShowMessage(error, MessageKind::Error);
    for (Performance& performance : *added) compared_.push_back(std::move(performance));
    OfferValueKinds();
    if (!added->empty()) Announce(SessionChange::Points);
    for (const std::string& message : report->messages) dialogs_.ShowMessage(message, MessageKind::Error);
  };
  loadJob_->Start(std::move(work), std::move(done));
}

void Session::RemoveCompared() {
  if (compared_.empty() || !states_.Allows(UserAction::ChangeView)) return;
  compared_.clear();
  OfferValueKinds();
  Announce(SessionChange::Points);
}

void Session::CancelLoad() {
  if (!states_.Allows(UserAction::CancelLoad)) return;
  loadJob_->Cancel();
  progress_.HideWindow();
}

void Session::Play() {
  // Before the first file there is nothing to replay.
  if (engine_ && fileLoaded_) engine_->Play();
}

void Session::Stop() {
  if (engine_) engine_->Stop();
}

void Session::StopReplayOrTake() {
  if (!states_.Allows(UserAction::Stop)) return;
  if (IsRecording())
    recorder_->Stop();
  else
    Stop();
}

void Session::TogglePlay() {
  if (states_.Allows(UserAction::Play)) {
    Play();
  } else if (IsReplaying()) {
    Stop();
  }
}

void Session::SeekTo(std::int32_t event) {
  if (engine_) {
    engine_->SeekTo(event);
  } else if (states_.Allows(UserAction::ChangeView)) {
    position_.currentEvent = ClampedEvent(event, performance_.EventCount());
    ShowCurrentEvent();
    Announce(SessionChange::Points);
    Announce(SessionChange::Tail);
  }
  // The slider shows the current event also where the seek was refused.
  Announce(SessionChange::Position);
}

void Session::ChooseValueKind(ValueKind kind) {
  // Before the first file any kind may be chosen; a load that cannot show
  // it shows timing.
  if (fileLoaded_ && !offer_.Offers(kind)) kind = ValueKind::Timing;
  const bool changed = kind != valueKind_;
  valueKind_ = kind;
  if (changed) Announce(SessionChange::ValuesOffered);
  if (states_.Allows(UserAction::ChooseValues)) Announce(SessionChange::ValuesChosen);
}

void Session::SetReplaySpeed(int speed) {
  speed_ = speed;
  if (engine_) engine_->OnSpeedChanged();
  Announce(SessionChange::Speed);
}

void Session::SetTailLength(int length) {
  tailLength_ = length;
  if (engine_) {
    engine_->OnTailLengthChanged();
  } else {
    position_.tailLength = length;
  }
  Announce(SessionChange::TailLength);
}

void Session::ChooseDevice(int entry) {
  if (entry < 0 || entry >= static_cast<int>(devices_.size())) return;
  deviceEntry_ = entry;
  if (engine_) engine_->OnDeviceChosen();
  Announce(SessionChange::Devices);
}

void Session::SetVelocityScale(const VelocityScaleChoice& choice) {
  velocityScale_ = choice;
  if (engine_) engine_->SetVelocityScale(choice);
  Announce(SessionChange::VelocityScale);
}

bool Session::ApplyAnalysisSettings(const AnalysisSettings& chosen) {
  if (!states_.Allows(UserAction::ChangeView)) return false;
  Stop();
  // The score the performance was read against is no analysis setting the dialog offers: it stays.
  AnalysisSettings settings = chosen;
  settings.scoreFile = performance_.settings.scoreFile;
  // Compared performances are always analysed as the main one is.
  std::string messages;
  for (Performance& other : compared_) messages += Reanalyse(other, settings);
  if (!fileLoaded_) {
    performance_.settings = settings;
  } else {
    messages += ReanalyseKeepingPosition(performance_, position_, settings);
  }
  if (!messages.empty()) dialogs_.ShowMessage(messages, MessageKind::Error);
  if (fileLoaded_) ShowCurrentEvent();
  // The views rebuild what they show in the new events, as they showed it.
  Announce(SessionChange::Settings);
  return true;
}

void Session::ToggleRecording() {
  if (!recorder_) return;
  if (recorder_->Recording()) {
    if (states_.Allows(UserAction::Stop)) recorder_->Stop();
  } else if (states_.Allows(UserAction::OpenFile)) {
    recorder_->Start();
  }
}

void Session::RecordingTick() {
  if (recorder_ && states_.Allows(UserAction::RecordingTick)) recorder_->Tick(std::chrono::steady_clock::now());
}

bool Session::OfferRecovery() { return recorder_ && recorder_->OfferRecovery(); }

void Session::CloseOutput() {
  if (engine_) engine_->CloseOutput();
}

void Session::Shutdown(TakeEnding ending) {
  if (!states_.MoveTo(ProgramState::Closing)) return;
  loadJob_->CancelAndWait();
  progress_.HideWindow();
  if (engine_) engine_->StopForShutdown();
  if (recorder_) recorder_->EndForShutdown(ending == TakeEnding::Save);
  states_.MoveTo(ProgramState::Closed);
}

void Session::SetTimeSliderValue(int /*value*/) { Announce(SessionChange::Position); }

void Session::SetTimeText(const std::string& text) {
  timeText_ = text;
  Announce(SessionChange::Position);
}

void Session::SetBorderFixed(bool fixed) {
  borderFixed_ = fixed;
  Announce(SessionChange::BorderFixed);
}

void Session::OfferValueKinds() {
  std::vector<const Performance*> shown = {&performance_};
  for (const Performance& other : compared_) shown.push_back(&other);
  offer_ = rp::OfferValueKinds(shown);
  if (!offer_.Offers(valueKind_)) valueKind_ = ValueKind::Timing;
  Announce(SessionChange::ValuesOffered);
}

void Session::ShowCurrentEvent() {
  if (engine_) {
    engine_->UpdateTimeDisplay();
    return;
  }
  const std::optional<std::int32_t> current = position_.currentEvent;
  const double onset = current && *current >= 0 && *current < performance_.EventCount()
                           ? performance_.events[static_cast<std::size_t>(*current)].onsetMs
                           : 0.0;
  SetTimeText(FormatTimeDisplay(onset));
}

}  // namespace rp
