// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Independent jobs on a few threads with their results taken in order: the
// batch commands that go through many files run them side by side, yet print
// in the order the files were named, each file's output as soon as it and all
// before it are done.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace rp {

// Runs `job(i)` for i = 0..count−1 on up to `threads` threads (all on the
// calling thread when that is 1) and calls `deliver(result)` on the calling
// thread for i = 0, 1, 2, ... in turn. `job` must not throw; it may run on
// any of the threads, so it shares nothing unguarded with the others.
template <class Job, class Deliver>
void RunJobsInOrder(std::size_t count, unsigned threads, Job job, Deliver deliver) {
  using Result = decltype(job(std::size_t{}));
  if (threads <= 1 || count <= 1) {
    for (std::size_t i = 0; i < count; ++i) deliver(job(i));
    return;
  }
  std::vector<std::optional<Result>> results(count);
  std::mutex mutex;
  std::condition_variable finished;
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      Result result = job(i);
      {
        const std::lock_guard lock(mutex);
        results[i] = std::move(result);
      }
      finished.notify_one();
    }
  };
  std::vector<std::jthread> workers;
  for (unsigned t = 0; t < threads && t < count; ++t) workers.emplace_back(work);
  for (std::size_t i = 0; i < count; ++i) {
    std::optional<Result> result;
    {
      std::unique_lock lock(mutex);
      finished.wait(lock, [&] { return results[i].has_value(); });
      result.swap(results[i]);
    }
    deliver(std::move(*result));
  }
}

}  // namespace rp
