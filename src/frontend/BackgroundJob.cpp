// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/BackgroundJob.h"

#include <exception>
#include <string_view>
#include <utility>

namespace rp {

// What one job's worker and its posted tasks share with the job. `live` and
// `shown` are read and written on the UI thread only.
struct BackgroundJob::Shared {
  std::atomic<bool> cancelled{false};
  bool live = true;  // false once cancelled or once the job is gone: its tasks do nothing
  ProgressSink* shown = nullptr;
  BackgroundJob* job = nullptr;
};

// The worker's view of the display: every call becomes a task on the UI
// thread, which drops it once the job is no longer live.
class BackgroundJob::PostedProgress final : public ProgressSink {
 public:
  PostedProgress(std::shared_ptr<Shared> shared, PostToUi post, std::function<void(std::int64_t)> hook)
      : shared_(std::move(shared)), post_(std::move(post)), hook_(std::move(hook)) {}

  void ShowWindow() override {
    Post([](ProgressSink& s) { s.ShowWindow(); });
  }
  void HideWindow() override {
    Post([](ProgressSink& s) { s.HideWindow(); });
  }
  void SetCaption(std::string_view caption) override {
    Post([text = std::string(caption)](ProgressSink& s) { s.SetCaption(text); });
  }
  void SetMinimum(std::int64_t value) override {
    Post([value](ProgressSink& s) { s.SetMinimum(value); });
  }
  void SetMaximum(std::int64_t value) override {
    Post([value](ProgressSink& s) { s.SetMaximum(value); });
  }
  void SetValue(std::int64_t value) override {
    if (hook_) hook_(value);
    Post([value](ProgressSink& s) { s.SetValue(value); });
  }
  bool CancelRequested() override { return shared_->cancelled; }

 private:
  template <class Call>
  void Post(Call call) {
    post_([shared = shared_, call = std::move(call)] {
      if (shared->live && !shared->cancelled) call(*shared->shown);
    });
  }

  std::shared_ptr<Shared> shared_;
  PostToUi post_;
  std::function<void(std::int64_t)> hook_;
};

namespace {

// Runs `work`; the text of the exception it ended with, empty when none (or
// when it was cancelled).
std::string RunWork(const BackgroundJob::Work& work, ProgressSink& progress) {
  try {
    work(progress);
  } catch (const WorkCancelled&) {
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

}  // namespace

BackgroundJob::BackgroundJob(PostToUi post, ProgressSink& shown) : post_(std::move(post)), shown_(shown) {}

BackgroundJob::~BackgroundJob() { CancelAndWait(); }

bool BackgroundJob::Start(Work work, Done done) {
  if (running_) return false;
  if (thread_.joinable()) thread_.join();  // a job that has ended
  shared_ = std::make_shared<Shared>();
  shared_->shown = &shown_;
  shared_->job = this;
  running_ = true;
  if (!inBackground_) {
    const std::string error = RunWork(work, shown_);
    running_ = false;
    done(false, error);
    return true;
  }
  thread_ = std::thread(
      [shared = shared_, post = post_, hook = hook_, work = std::move(work), done = std::move(done)]() mutable {
        PostedProgress progress(shared, post, std::move(hook));
        std::string error = RunWork(work, progress);
        post([shared, done = std::move(done), error = std::move(error)] {
          if (!shared->job || shared->job->shared_ != shared) return;  // the job is gone, or waited for
          shared->job->running_ = false;
          shared->live = false;
          done(shared->cancelled, error);
        });
      });
  return true;
}

void BackgroundJob::Cancel() {
  if (!running_ || !shared_) return;
  shared_->cancelled = true;
}

void BackgroundJob::CancelAndWait() {
  if (shared_) {
    shared_->cancelled = true;
    shared_->live = false;
    shared_->job = nullptr;
  }
  if (thread_.joinable()) thread_.join();
  running_ = false;
}

}  // namespace rp
