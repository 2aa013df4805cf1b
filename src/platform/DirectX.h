#pragma once
// The root object of the 3D interface: it makes the Direct3D object that
// enumerates adapters and creates devices, and answers the questions about
// the device window that device set-up asks (client and outer rectangles).

#include <memory>

#include "platform/GraphicsDevice.h"

namespace rp {

class DirectX {
 public:
  virtual ~DirectX() = default;
  // nullptr when the interface is not available at all.
  virtual std::shared_ptr<Direct3D> Direct3DCreate() = 0;
  // Client area (left, top 0) in pixels; throws DeviceError for a window that
  // does not exist.
  virtual RECT GetClientRect(WindowHandle window) = 0;
  // Outer rectangle in screen pixels.
  virtual RECT GetWindowRect(WindowHandle window) = 0;
};

}  // namespace rp
