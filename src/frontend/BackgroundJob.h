// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Work that would hold up the windows (reading and analysing a large file)
// runs on a thread of its own: what it shows of its progress reaches the
// progress display on the UI thread through PostToUi, the user can cancel it,
// and its end is handed to the UI thread. One job at a time.
//
// The work sees a progress sink whose CancelRequested turns true on Cancel,
// so the ProgressThrottle it polls ends it with WorkCancelled. The display
// shows nothing more of a job once it is cancelled.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "frontend/ProgressSink.h"
#include "frontend/UiPost.h"

namespace rp {

class BackgroundJob {
 public:
  // Runs on the worker, showing its progress through `progress`.
  using Work = std::function<void(ProgressSink& progress)>;
  // Runs on the UI thread after the work: `cancelled` when the user cancelled
  // it (what it made is then to be dropped), `error` the text of an
  // exception it ended with (empty when none).
  using Done = std::function<void(bool cancelled, const std::string& error)>;

  // `shown` is the UI thread's progress display; it must outlive the job.
  BackgroundJob(PostToUi post, ProgressSink& shown);
  // Cancels a job still running and waits for its thread.
  ~BackgroundJob();
  BackgroundJob(const BackgroundJob&) = delete;
  BackgroundJob& operator=(const BackgroundJob&) = delete;

  // Starts `work` on a thread of its own; `done` follows on the UI thread.
  // False, with nothing started, while another job runs. Where jobs are not
  // to run in the background (SetInBackground(false)), the work runs here and
  // now, its progress straight on the display, and `done` before this returns.
  bool Start(Work work, Done done);
  // Asks the running job to end; its `done` comes with `cancelled` set.
  void Cancel();
  // From Start until its `done` has run.
  bool Running() const { return running_; }
  // Cancels the running job and waits until its thread has ended; its
  // `done` is not called.
  void CancelAndWait();

  void SetInBackground(bool inBackground) { inBackground_ = inBackground; }
  // For tests: called on the worker with each progress value the display is
  // given; it may block, holding the work at that point.
  void SetProgressHook(std::function<void(std::int64_t value)> hook) { hook_ = std::move(hook); }

 private:
  struct Shared;
  class PostedProgress;

  PostToUi post_;
  ProgressSink& shown_;
  std::shared_ptr<Shared> shared_;  // the running job's
  std::thread thread_;
  bool running_ = false;
  bool inBackground_ = true;
  std::function<void(std::int64_t)> hook_;
};

}  // namespace rp
