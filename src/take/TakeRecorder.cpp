// SPDX-License-Identifier: GPL-3.0-or-later
#include "take/TakeRecorder.h"

#include <cstdio>
#include <filesystem>

#include "analysis/PerformanceLoader.h"
#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "frontend/Dialogs.h"
#include "frontend/PlotViewLink.h"
#include "io/AsciiMidiWriter.h"
#include "model/ReplayPosition.h"
#include "model/TimeDisplay.h"

namespace rp {

namespace {

const OpenFileRequest kSaveRequest{QT_TRANSLATE_NOOP("returnplot", "Save the take as ASCII MIDI"),
                                   {{QT_TRANSLATE_NOOP("returnplot", "ASCII MIDI files"), {"*.txt"}},
                                    {QT_TRANSLATE_NOOP("returnplot", "All files"), {"*"}}},
                                   "",
                                   "txt"};

bool NonEmptyFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) && std::filesystem::file_size(path, ec) > 0 && !ec;
}

}  // namespace

TakeRecorder::TakeRecorder(Dialogs& dialogs, Performance& performance, ReplayPosition& position, PlotViewLink& view,
                           PostToUi post, std::string recoveryPath, Hooks hooks)
    : dialogs_(dialogs),
      performance_(performance),
      position_(position),
      view_(view),
      post_(std::move(post)),
      recoveryPath_(std::move(recoveryPath)),
      hooks_(std::move(hooks)) {}

// A take still running when the program ends stays in the recovery file.
TakeRecorder::~TakeRecorder() {
  if (session_) session_->Stop();
}

void TakeRecorder::Toggle() {
  if (Recording())
    Stop();
  else
    Start();
}

void TakeRecorder::Start() {
  if (Recording()) return;
  if (hooks_.stopReplay) hooks_.stopReplay();
  session_.reset();
  input_ = hooks_.makeInput ? hooks_.makeInput() : nullptr;
  const auto names = input_ ? input_->DeviceNames() : std::vector<std::string>{};
  if (names.empty()) {
    dialogs_.ShowMessage(
        QT_TRANSLATE_NOOP("returnplot",
                          "No MIDI input was found: connect a MIDI keyboard (or start the program that offers the "
                          "input) and choose \"Record from MIDI input...\" again."),
        MessageKind::Error);
    return;
  }
  const auto chosen = dialogs_.ChooseFromList(QT_TRANSLATE_NOOP("returnplot", "Record from which MIDI input?"), names);
  if (!chosen) return;
  session_ = std::make_unique<TakeSession>(*input_, post_, performance_.settings,
                                           TakeSession::Hooks{[this](const LiveRecording& live) { ShowLive(live); },
                                                              [this](const std::string& message) { Finish(message); }});
  // The recovery file's folder (the program's data folder) is made on first use.
  std::error_code ignored;
  if (const auto folder = std::filesystem::path(recoveryPath_).parent_path(); !folder.empty())
    std::filesystem::create_directories(folder, ignored);
  if (const auto failure = session_->Start(*chosen, recoveryPath_, TakeSession::Clock::now())) {
    session_.reset();
    dialogs_.ShowMessage(*failure, MessageKind::Error);
    return;
  }
  // The plot starts empty and grows with the take.
  LoadTake(session_->Live().CompletePart());
  if (hooks_.recordingChanged) hooks_.recordingChanged(true);
}

void TakeRecorder::ShowLive(const LiveRecording& live) {
  const std::int32_t before = performance_.EventCount();
  if (live.CompleteEventCount() == before) return;
  performance_ = live.CompletePart();
  position_.currentEvent = ClampedEvent(performance_.EventCount() - 1, performance_.EventCount());
  position_.tailLength = hooks_.tailLength ? hooks_.tailLength() : position_.tailLength;
  if (hooks_.setTimeSliderMaximum) hooks_.setTimeSliderMaximum(performance_.EventCount());
  view_.ShowFirstEvents();  // the scale of the full view, as during a replay
  view_.ShowTail();
}

void TakeRecorder::Tick(TakeSession::Clock::time_point now) {
  if (!Recording()) return;
  session_->Tick(now);
  if (Recording() && hooks_.setTimeText) hooks_.setTimeText(FormatTimeDisplay(session_->ElapsedMs(now)));
}

void TakeRecorder::Stop() {
  if (!Recording()) return;
  session_->Stop();
  Finish("");
}

void TakeRecorder::EndForShutdown(bool save) {
  if (save && !closing_ && Recording()) Stop();
  closing_ = true;
  if (!Recording()) return;
  session_->Stop();  // everything played is in the recovery file, on disk
  if (hooks_.recordingChanged) hooks_.recordingChanged(false);
}

void TakeRecorder::Finish(const std::string& why) {
  if (hooks_.recordingChanged) hooks_.recordingChanged(false);
  if (!why.empty()) dialogs_.ShowMessage(why, MessageKind::Information);
  if (!session_->TakeFileError().empty()) dialogs_.ShowMessage(session_->TakeFileError(), MessageKind::Error);
  LoadTake(session_->Live().Finished());
  if (performance_.notes.empty()) {
    if (!closing_) std::remove(recoveryPath_.c_str());
    dialogs_.ShowMessage(QT_TRANSLATE_NOOP("returnplot", "The take holds no notes; there is nothing to save."),
                         MessageKind::Information);
    return;
  }
  SaveTake();
}

void TakeRecorder::LoadTake(Performance take) {
  performance_ = std::move(take);
  position_.currentEvent = ClampedEvent(0, performance_.EventCount());
  if (hooks_.mainReplaced) hooks_.mainReplaced();
  if (hooks_.setTimeSliderMaximum) hooks_.setTimeSliderMaximum(performance_.EventCount());
  view_.ShowFirstEvents();
  if (hooks_.updateTimeDisplay) hooks_.updateTimeDisplay();
}

void TakeRecorder::SaveTake() {
  while (const auto path = dialogs_.SaveFile(kSaveRequest)) {
    std::string error;
    if (SaveAsciiMidiFile(*path, performance_, error)) {
      std::remove(recoveryPath_.c_str());
      return;
    }
    dialogs_.ShowMessage(error, MessageKind::Error);
  }
  dialogs_.ShowMessage(FormatText(QT_TRANSLATE_NOOP("returnplot",
                                                    "The take was not saved. It stays loaded, and is kept in %1, "
                                                    "which is offered again at the next start."),
                                  {recoveryPath_}),
                       MessageKind::Information);
}

bool TakeRecorder::OfferRecovery() {
  if (!NonEmptyFile(recoveryPath_)) return false;
  if (!dialogs_.AskYesNo(FormatText(
          QT_TRANSLATE_NOOP("returnplot", "A take recorded earlier was not saved (%1). Recover it? No discards it."),
          {recoveryPath_}))) {
    if (!closing_) std::remove(recoveryPath_.c_str());
    return false;
  }
  if (closing_) return false;
  Performance take;
  take.settings = performance_.settings;
  const LoadResult result = LoadPerformanceFile(recoveryPath_, take);
  if (!result.Ok() && result.status != LoadStatus::ReadError) {
    dialogs_.ShowMessage(
        result.message.empty() ? QT_TRANSLATE_NOOP("returnplot", "The recovery file cannot be read.") : result.message,
        MessageKind::Error);
    return false;
  }
  LoadTake(std::move(take));
  SaveTake();
  return true;
}

}  // namespace rp
