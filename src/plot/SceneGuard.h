// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ends a device or render-to-surface scene also when drawing inside it
// fails, so the next frame (or the window, after a texture scene) can be
// drawn again. End() ends it normally and lets a failure of the end through.

#include <utility>

#include "scene/GraphicsDevice.h"

namespace rp {

template <class EndScene>
class SceneGuard {
 public:
  explicit SceneGuard(EndScene endScene) : endScene_(std::move(endScene)) {}
  ~SceneGuard() {
    if (ended_) return;
    try {
      endScene_();
    } catch (const DeviceError&) {
      // The failure that brought us here is the one to report.
    }
  }
  void End() {
    ended_ = true;
    endScene_();
  }
  SceneGuard(const SceneGuard&) = delete;
  SceneGuard& operator=(const SceneGuard&) = delete;

 private:
  EndScene endScene_;
  bool ended_ = false;
};

}  // namespace rp
