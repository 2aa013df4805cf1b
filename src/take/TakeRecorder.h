// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recording a take in the windows ("Record from MIDI input..."): asks for the
// input, records while the time display runs and the plot follows the newest
// complete event in its tail view, and at the end makes the take the loaded
// performance and saves it through a save dialog. While recording, the notes
// also go to a recovery file; a take that was never saved is offered from it
// at the next start, and the file is removed once the take is saved.
//
// Plain C++; the control panel supplies the widgets through the hooks, and
// calls Tick() a few times a second from its timer.

#include <functional>
#include <memory>
#include <string>

#include "frontend/UiPost.h"
#include "midi/MidiInput.h"
#include "take/TakeSession.h"

namespace rp {

class Dialogs;
class PlotViewLink;
struct Performance;
struct ReplayPosition;

class TakeRecorder {
 public:
  struct Hooks {
    std::function<std::unique_ptr<MidiInput>()> makeInput;  // the machine's inputs, listed afresh
    std::function<void()> stopReplay;
    std::function<void(bool recording)> recordingChanged;  // the panel's buttons follow
    std::function<int()> tailLength;
    std::function<void(const std::string&)> setTimeText;
    std::function<void(std::int32_t)> setTimeSliderMaximum;
    std::function<void()> updateTimeDisplay;  // to the current event, after the take
    std::function<void()> mainReplaced;       // the take is the new main performance
  };

  TakeRecorder(Dialogs& dialogs, Performance& performance, ReplayPosition& position, PlotViewLink& view, PostToUi post,
               std::string recoveryPath, Hooks hooks);
  ~TakeRecorder();

  bool Recording() const { return session_ && session_->Recording(); }
  // The menu item: Start() while idle, Stop() while recording.
  void Toggle();
  // Asks for an input and starts recording from it.
  void Start();
  // Ends the take: it becomes the loaded performance and is offered for saving.
  void Stop();
  void Tick(TakeSession::Clock::time_point now);
  // At start: a recovery file left by a take that was never saved is offered
  // for loading (and saving). True when it was loaded.
  bool OfferRecovery();
  // The end of the program: a running take is saved as by Stop (`save`), or
  // ends with everything played on disk in the recovery file, which the next
  // start offers. From here on the recovery file is never removed, whatever
  // a dialog still open answers.
  void EndForShutdown(bool save);

  const std::string& RecoveryPath() const { return recoveryPath_; }
  void SetRecoveryPath(std::string path) { recoveryPath_ = std::move(path); }

 private:
  void ShowLive(const LiveRecording& live);
  void Finish(const std::string& why);
  void LoadTake(Performance take);
  void SaveTake();

  Dialogs& dialogs_;
  Performance& performance_;
  ReplayPosition& position_;
  PlotViewLink& view_;
  PostToUi post_;
  std::string recoveryPath_;
  Hooks hooks_;
  std::unique_ptr<MidiInput> input_;
  std::unique_ptr<TakeSession> session_;
  bool closing_ = false;
};

}  // namespace rp
