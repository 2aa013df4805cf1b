// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A user-interface queue for tests: the port's notifications wait here until
// the test runs them.

#include <cstddef>
#include <mutex>
#include <vector>

#include "frontend/UiPost.h"

namespace rp {

class ManualUiQueue {
 public:
  void Post(UiTask task);
  // Runs every queued task, including those queued while draining; returns
  // how many ran.
  std::size_t Drain();
  std::size_t Pending() const;
  PostToUi Poster();

 private:
  mutable std::mutex mutex_;
  std::vector<UiTask> tasks_;
};

}  // namespace rp
