#pragma once
// A DirectX root for tests: hands out one RecordingDirect3D and reports a
// scripted window geometry.

#include "platform/DirectX.h"
#include "platform/RecordingDevice.h"

namespace rp {

class RecordingDirectX : public DirectX {
 public:
  std::shared_ptr<Direct3D> Direct3DCreate() override {
    ++createCount;
    return available ? direct3d : nullptr;
  }
  RECT GetClientRect(WindowHandle) override {
    if (windowGone) throw DeviceError("no such window");
    return {0, 0, std::int32_t(direct3d->clientWidth), std::int32_t(direct3d->clientHeight)};
  }
  RECT GetWindowRect(WindowHandle) override {
    if (windowGone) throw DeviceError("no such window");
    return windowRect;
  }

  std::shared_ptr<RecordingDirect3D> direct3d = std::make_shared<RecordingDirect3D>();
  bool available = true;     // false: Direct3DCreate fails
  bool windowGone = false;   // true: the window rectangles cannot be read
  RECT windowRect{100, 50, 714, 520};
  int createCount = 0;
};

}  // namespace rp
