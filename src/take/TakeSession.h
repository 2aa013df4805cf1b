// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recording a take from a MIDI input: the input's messages are handed from the
// MIDI system's thread to the UI thread (through PostToUi), turned into note
// and onset events there, and every note is appended to the take file. The UI
// thread never waits for the MIDI system.
//
// All methods are called on the UI thread. Tick() is called regularly (a few
// times a second): it keeps the take file current and notices an input that
// has gone, which ends the take with a message; what was played is kept.

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "analysis/LiveRecording.h"
#include "frontend/UiPost.h"
#include "io/TakeWriter.h"
#include "midi/MidiInput.h"

namespace rp {

class TakeSession {
 public:
  using Clock = TakeWriter::Clock;

  struct Hooks {
    std::function<void(const LiveRecording&)> notesAdded;   // after new notes arrived
    std::function<void(const std::string& message)> ended;  // the input went away; the take has stopped
  };

  // `input` must outlive the session.
  TakeSession(MidiInput& input, PostToUi post, AnalysisSettings settings, Hooks hooks = {});
  ~TakeSession();
  TakeSession(const TakeSession&) = delete;
  TakeSession& operator=(const TakeSession&) = delete;

  // Opens input `deviceIndex` and the take file at `takePath`. On failure a
  // message for the user, and nothing is recording.
  std::optional<std::string> Start(int deviceIndex, const std::string& takePath, Clock::time_point now);
  void Tick(Clock::time_point now);
  // Closes the input and takes in every message it delivered before; the
  // take file is complete and closed. Nothing happens when not recording.
  void Stop();

  bool Recording() const { return recording_; }
  const std::string& DeviceName() const { return deviceName_; }
  const LiveRecording& Live() const { return live_; }
  // Wall-clock time since Start, for the time display.
  double ElapsedMs(Clock::time_point now) const;
  // A take file that could not be written to the end; empty when all went well.
  const std::string& TakeFileError() const { return takeFileError_; }

 private:
  struct Message {
    std::vector<std::uint8_t> bytes;
    std::int64_t timeUs;
  };
  // Filled on the MIDI thread, emptied on the UI thread.
  struct Inbox {
    std::mutex mutex;
    std::vector<Message> messages;
    bool drainPosted = false;
    TakeSession* owner = nullptr;  // read and reset on the UI thread only
  };

  void Drain(Clock::time_point now);

  MidiInput& input_;
  PostToUi post_;
  Hooks hooks_;
  LiveRecording live_;
  TakeWriter take_;
  std::shared_ptr<Inbox> inbox_;
  bool recording_ = false;
  std::string deviceName_;
  std::string takeFileError_;
  Clock::time_point started_{};
};

}  // namespace rp
