// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ManualUiQueue.h"

namespace rp {

void ManualUiQueue::Post(UiTask task) {
  std::lock_guard lock(mutex_);
  tasks_.push_back(std::move(task));
}

std::size_t ManualUiQueue::Drain() {
  std::size_t ran = 0;
  for (;;) {
    std::vector<UiTask> batch;
    {
      std::lock_guard lock(mutex_);
      batch.swap(tasks_);
    }
    if (batch.empty()) return ran;
    for (auto& task : batch) {
      task();
      ++ran;
    }
  }
}

std::size_t ManualUiQueue::Pending() const {
  std::lock_guard lock(mutex_);
  return tasks_.size();
}

PostToUi ManualUiQueue::Poster() {
  return [this](UiTask task) { Post(std::move(task)); };
}

}  // namespace rp
