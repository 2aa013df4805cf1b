// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The replay of a recording's own sound, for a performance read from a
// recording: the sound output plays the recording from a point on, and each
// event becomes current when its onset is heard (as with the built-in
// synthesizer, the sound server's latency is waited for). The desktop
// program plays it through its sound output (audio/RecordingPlayer); tests
// may fake it.
//
// Threads: every method is called from the user-interface thread, and every
// notification arrives there. Once Stop() has returned, no notification of
// the replay it ended is delivered.

#include <functional>
#include <string>
#include <vector>

namespace rp {

// Where a replay starts and what it passes.
struct RecordingCue {
  std::string path;  // the recording
  double fromMs = 0.0;
  double factor = 1.0;  // the tempo factor; the pitch stays
  // The onsets of events firstEvent, firstEvent + 1, ... (indices into the
  // performance's events; ms from the recording's first sample), in order.
  std::vector<double> onsetsMs;
  int firstEvent = 0;
};

class RecordingReplay {
 public:
  struct Notifications {
    std::function<void()> started;                       // the sound is on its way
    std::function<void(int event)> eventHeard;           // that event's onset is heard now
    std::function<void()> ended;                         // the recording's end is heard
    std::function<void(const std::string& text)> error;  // the replay cannot start or go on
  };

  virtual ~RecordingReplay() = default;
  virtual void SetNotifications(Notifications notifications) = 0;
  // Reads the recording (the first time) and opens the sound output in the
  // background: `started` or `error` follows.
  virtual void Start(const RecordingCue& cue) = 0;
  virtual void Stop() = 0;
  // Takes effect at once, from where the replay stands.
  virtual void SetFactor(double factor) = 0;
};

}  // namespace rp
