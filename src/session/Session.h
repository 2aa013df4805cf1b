// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application outside its windows: the main performance and those
// compared with it, their analysis settings, the values they are plotted in,
// where the replay stands (the one truth of the current event), the replay
// and its output, the take recorder and the loads. The windows are views:
// they show the session, send it commands and listen to what it announces
// (SessionChange); none of them reaches into another.
//
// Every command checks the program's state (ProgramStates) here, in one
// place: what does not fit it is refused and changes nothing. Files are read
// on a thread of their own into a new performance that takes the loaded
// one's place only at the end; Cancel drops it.
//
// Everything here runs on the user-interface thread; the port's and the
// loads' notifications arrive there through PostToUi.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/ProgramState.h"
#include "frontend/PlotViewLink.h"
#include "frontend/ProgressSink.h"
#include "frontend/UiPost.h"
#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "model/ValueKind.h"
#include "model/VelocityScale.h"
#include "replay/ReplayControls.h"
#include "session/MidiOutputSetup.h"
#include "session/SessionChange.h"
#include "session/ValueKindOffer.h"

namespace rp {

class BackgroundJob;
class Dialogs;
class MidiOutputPort;
class RecordingReplay;
class ReplayEngine;
class TakeRecorder;
struct LoadResult;

// How a take still running at the end of the program ends: saved through the
// save dialog (the window was closed), or kept in the recovery file for the
// next start (a signal, a fatal error).
enum class TakeEnding { Save, KeepForRecovery };

// A progress display the session's work shows through: whatever the view
// that shows progress has set, or nothing.
class ProgressRelay final : public ProgressSink {
 public:
  void SetDisplay(ProgressSink* display) { display_ = display; }
  void ShowWindow() override {
    if (display_) display_->ShowWindow();
  }
  void HideWindow() override {
    if (display_) display_->HideWindow();
  }
  void SetCaption(std::string_view caption) override {
    if (display_) display_->SetCaption(caption);
  }
  void SetMinimum(std::int64_t value) override {
    if (display_) display_->SetMinimum(value);
  }
  void SetMaximum(std::int64_t value) override {
    if (display_) display_->SetMaximum(value);
  }
  void SetValue(std::int64_t value) override {
    if (display_) display_->SetValue(value);
  }
  bool CancelRequested() override { return display_ != nullptr && display_->CancelRequested(); }

 private:
  ProgressSink* display_ = nullptr;
};

class Session final : private ReplayControls, private PlotViewLink {
 public:
  // Messages and file dialogs go to `dialogs`; notifications of other
  // threads reach the user-interface thread through `post`.
  Session(Dialogs& dialogs, PostToUi post);
  ~Session() override;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // --- What the views show ---
  Performance& Main() { return performance_; }
  const Performance& Main() const { return performance_; }
  // The performances shown beside the main one.
  const ComparedPerformances& Compared() const { return compared_; }
  const ReplayPosition& Position() const { return position_; }
  ReplayPosition& Position() { return position_; }
  const AnalysisSettings& Settings() const { return performance_.settings; }
  // Whether a performance has been loaded (a file, a take), or the program
  // still waits for its first.
  bool HasPerformance() const { return fileLoaded_; }
  // The current event (an index into the main performance's events; none
  // before the first performance or in one without events) and the number
  // of events of the main performance (0 before the first).
  std::optional<std::int32_t> CurrentEvent() const;
  std::int32_t EventCount() const;
  // The time display: the current event's onset, "Starting..." while the
  // output opens, the take's length while recording.
  const std::string& TimeText() const { return timeText_; }
  ValueKind ChosenValueKind() const { return valueKind_; }
  const ValueKindOffer& OfferedValueKinds() const { return offer_; }
  int ReplaySpeed() const override { return speed_; }
  int TailLength() const override { return tailLength_; }
  // The outputs, in the order of the device layer, and the chosen one's place.
  const std::vector<std::string>& OutputDevices() const { return devices_; }
  int ChosenDeviceEntry() const override { return deviceEntry_; }
  const VelocityScaleChoice& VelocityScale() const;
  // The scale the main performance replays at, as the panel shows it.
  std::string VelocityScaleText() const;
  ProgramState State() const { return states_.Current(); }
  bool Allows(UserAction action) const { return states_.Allows(action); }
  bool IsReplaying() const;
  bool IsRecording() const;
  bool IsPortOpen() const;
  bool BorderFixed() const { return borderFixed_; }

  // --- Listening ---
  using Listener = std::function<void(SessionChange)>;
  // Returns an id for StopListening. Listeners are told in the order they
  // began to listen.
  int Listen(Listener listener);
  void StopListening(int id);

  // --- Setting up (before Start) ---
  // Where the replay goes and takes come from; lists the outputs and
  // chooses the usual one. Replays and takes are refused until it is set.
  void ConnectOutput(MidiOutputSetup midi);
  // The player of a recording's own sound (none: recordings replay their
  // onsets as notes).
  void SetRecordingReplay(std::unique_ptr<RecordingReplay> player);
  // The progress window of loads and of preparing a replay (none: nothing
  // shown). It must outlive the session's work or be unset first.
  void SetProgressDisplay(ProgressSink* display) { progress_.SetDisplay(display); }
  // Files are read on a thread of their own unless set false.
  void SetLoadInBackground(bool inBackground);
  // For tests: called on the loading thread with each progress value shown.
  void SetLoadProgressHook(std::function<void(std::int64_t)> hook);
  void SetRecoveryPath(const std::string& path);
  const std::string& RecoveryPath() const { return recoveryPath_; }
  // How work of other threads reaches the user-interface thread (for a
  // recording's player made by the desktop program).
  const PostToUi& Poster() const { return post_; }
  // Where the first folder of the file dialogs is kept (stored settings),
  // and where loaded files are remembered (recent files); both optional.
  struct FileMemory {
    std::function<std::string()> folder;                     // the file dialogs' first folder
    std::function<void(const std::string&)> rememberFolder;  // the folder of a file chosen
    std::function<void(const std::string&)> rememberFile;    // a file loaded (recent files)
  };
  void SetFileMemory(FileMemory memory) { fileMemory_ = std::move(memory); }
  // The output whose name contains `name`; false (and the usual one kept)
  // when there is none.
  bool ChooseOutputNamed(const std::string& name);

  // --- Commands ---
  // The start: the program holds no performance until the first file.
  void Start();
  // Reads `path` (in the background) as the new main performance; the
  // compared ones go, and `compare` are added once it is loaded. `atStart`:
  // the command line's file, whose folder is not remembered for the dialogs.
  void Open(const std::string& path, const std::vector<std::string>& compare = {}, bool atStart = false);
  // Asks for a file and opens it, then adds `compare`; a cancelled dialog
  // adds them alone.
  void ChooseAndOpen(const std::vector<std::string>& compare = {});
  // "Open performance with score...": asks for the MusicXML score, then the
  // performance (MIDI file, listing, take), and opens the performance
  // aligned to the score; compared files added later are aligned to it too.
  void ChooseAndOpenWithScore();
  void OpenWithScore(const std::string& scorePath, const std::string& path);
  // Adds `paths` for comparison (in the background); asks when empty.
  void AddCompared(const std::vector<std::string>& paths);
  void ChooseAndAddCompared();
  void RemoveCompared();
  // The progress window's Cancel: the load ends, nothing of it is kept.
  void CancelLoad();
  void Play();
  // Stops a replay (not a take).
  void Stop();
  // The stop button: a take ends, or the replay stops.
  void StopReplayOrTake();
  // The space bar: Play when stopped, Stop while a replay opens or runs.
  void TogglePlay();
  // The current event becomes `event` (an index, clamped to the events there
  // are) as from the time slider; the replay stops.
  void SeekTo(std::int32_t event);
  void ChooseValueKind(ValueKind kind);
  void SetReplaySpeed(int speed);
  void SetTailLength(int length);
  void ChooseDevice(int entry);
  void SetVelocityScale(const VelocityScaleChoice& choice);
  // New analysis settings: the replay stops and the loaded performances are
  // analysed again (no file is read again); the current event keeps its
  // onset where it still exists. False, with nothing changed, when the state
  // refuses it.
  bool ApplyAnalysisSettings(const AnalysisSettings& settings);
  // "Record from MIDI input..." / "Stop recording".
  void ToggleRecording();
  // A few times a second while recording: the take file and the time display.
  void RecordingTick();
  // At start: a take left unsaved in the recovery file is loaded and offered
  // for saving. True when it was.
  bool OfferRecovery();
  // Stops the replay and closes the output (the control panel's close).
  void CloseOutput();
  // The end of the program: a load is cancelled, the replay stops (all-notes-
  // off and reset-all-controllers on an external port), a running take ends
  // as `ending` says, the port closes; then everything is refused.
  void Shutdown(TakeEnding ending);

  // For tests: the replay engine and the take recorder (null before
  // ConnectOutput).
  ReplayEngine* Replay() { return engine_.get(); }
  TakeRecorder* Recorder() { return recorder_.get(); }

 private:
  // ReplayControls: the engine moves the time display.
  void SetTimeSliderValue(int value) override;
  void SetTimeText(const std::string& text) override;
  // PlotViewLink: what the engine and the recorder ask of the plot, told to
  // the views.
  void ShowFirstEvents() override { Announce(SessionChange::Points); }
  void ShowTail() override { Announce(SessionChange::Tail); }
  void SetBorderFixed(bool fixed) override;
  void ShowValuesAgain() override { Announce(SessionChange::ValuesChosen); }
  void TailLengthChanged() override {}

  void Announce(SessionChange change);
  void StartLoad(const std::string& path, bool atStart, std::function<void()> then, const std::string& scorePath);
  void TakeLoaded(Performance&& fresh);
  void Report(const LoadResult& result);
  // Offers the value kinds the shown performances have; a chosen kind no
  // longer offered falls back to Timing.
  void OfferValueKinds();
  void ShowCurrentEvent();

  Dialogs& dialogs_;
  std::shared_ptr<bool> alive_;  // false once the session is gone
  PostToUi post_;
  Performance performance_;
  ComparedPerformances compared_;
  ReplayPosition position_;
  ProgramStates states_;
  ProgressRelay progress_;
  FileMemory fileMemory_;
  ValueKind valueKind_ = ValueKind::Timing;
  ValueKindOffer offer_;
  std::string timeText_ = "0:00:00.0";
  int speed_ = 0;
  int tailLength_ = 10;
  std::vector<std::string> devices_;
  int deviceEntry_ = 0;
  VelocityScaleChoice velocityScale_;  // until the engine exists
  bool fileLoaded_ = false;
  bool borderFixed_ = false;
  std::string recoveryPath_;
  std::vector<std::pair<int, Listener>> listeners_;
  int nextListener_ = 1;

  // Destroyed in reverse: the engine lets go of the port's notifications
  // before the port stops its thread, and the port before its device.
  MidiOutputSetup midi_;
  std::unique_ptr<MidiOutputPort> port_;
  std::unique_ptr<RecordingReplay> recordingPlayer_;
  std::unique_ptr<ReplayEngine> engine_;
  std::unique_ptr<TakeRecorder> recorder_;
  std::unique_ptr<BackgroundJob> loadJob_;
};

}  // namespace rp
