#pragma once
// Hands work from another thread to the user-interface thread, to run there
// later between other window events. The Qt windows pass a function that
// queues onto the Qt event loop; tests pass a ManualUiQueue and run what is
// queued when they choose.

#include <cstddef>
#include <functional>
#include <mutex>
#include <vector>

namespace rp {

using UiTask = std::function<void()>;
using PostToUi = std::function<void(UiTask)>;

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
