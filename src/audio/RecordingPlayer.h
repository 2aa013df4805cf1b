// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop program's replay of a recording (replay/RecordingReplay.h):
// a thread of its own reads the recording through the recording module (the
// last one read is kept for the next Play), opens the sound output the
// built-in synthesizer uses (PulseAudio first), waits until the new stream
// is played, and then follows the sound: each event is reported when the
// output says its onset is heard (RecordingSoundSource::HeardAt), the end
// when the recording's last frame is.

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "frontend/UiPost.h"
#include "io/RecordingSamples.h"
#include "midi/ReplayClock.h"
#include "replay/RecordingReplay.h"

namespace rp {

class AudioOutput;
class RecordingSoundSource;

struct RecordingPlayerOptions {
  // Sound outputs to try in order (see OpenAudioOutput); nothing: those this
  // machine appears to have.
  std::optional<std::vector<std::string>> audioDrivers;
  int periodFrames = 256;
  int bufferPeriods = 4;
};

class RecordingPlayer final : public RecordingReplay {
 public:
  explicit RecordingPlayer(PostToUi postToUi, RecordingPlayerOptions options = {});
  ~RecordingPlayer() override;
  RecordingPlayer(const RecordingPlayer&) = delete;
  RecordingPlayer& operator=(const RecordingPlayer&) = delete;

  void SetNotifications(Notifications notifications) override;
  void Start(const RecordingCue& cue) override;
  void Stop() override;
  void SetFactor(double factor) override;

 private:
  struct Channel;
  void Run(RecordingCue cue);  // on the player's thread
  bool LoadSamples(const std::string& path);
  std::unique_ptr<AudioOutput> OpenOutput(RecordingSoundSource& source, std::string& error);
  // Waits until `until` or a stop; false on a stop.
  bool WaitUntil(ReplayClock::Time until);
  void Post(std::function<void(const Notifications&)> call);

  PostToUi post_;
  RecordingPlayerOptions options_;
  std::shared_ptr<Channel> channel_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::atomic<bool> stop_{false};
  double factor_ = 1.0;                     // under mutex_
  RecordingSoundSource* source_ = nullptr;  // under mutex_
  // The last recording read and its file's state then (player's thread only).
  std::string samplesPath_;
  std::filesystem::file_time_type samplesTime_;
  std::uintmax_t samplesSize_ = 0;
  RecordingSamples samples_;
};

}  // namespace rp
