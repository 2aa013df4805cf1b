#pragma once
// Adapters and device creation on OpenGL. There is one adapter, the screen,
// in its current mode. A hardware device (type 1) is an OpenGL 3.3 core
// context on a hardware renderer; the reference device (type 2) is any such
// context, in practice Mesa's software renderer. Devices are made on a
// GlView found through the window handle (GlView::FromHandle).

#include <optional>
#include <string>

#include "platform/DirectX.h"
#include "platform/GraphicsDevice.h"

namespace rp {

// True for the renderer strings of software rasterisers (llvmpipe, softpipe,
// swrast, "Software Rasterizer").
bool IsSoftwareRenderer(std::string_view renderer);

class GlDirect3D : public Direct3D {
 public:
  std::uint32_t GetAdapterCount() override { return 1; }
  std::uint32_t GetAdapterModeCount(std::uint32_t adapter) override;
  D3DDISPLAYMODE EnumAdapterModes(std::uint32_t adapter, std::uint32_t mode) override;
  D3DDISPLAYMODE GetAdapterDisplayMode(std::uint32_t adapter) override;
  bool CheckDeviceType(std::uint32_t adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                       D3DFORMAT backBufferFormat, bool windowed) override;
  D3DCAPS GetDeviceCaps(std::uint32_t adapter, D3DDEVTYPE type) override;
  // nullptr when the window holds no GlView, no 3.3 core context can be made
  // on it, or a hardware device is asked for on a software renderer.
  std::shared_ptr<GraphicsDevice> CreateDevice(std::uint32_t adapter, D3DDEVTYPE type,
                                               WindowHandle focusWindow,
                                               std::uint32_t behaviorFlags,
                                               const D3DPRESENT_PARAMETERS& params) override;

  // The renderer of a throw-away 3.3 core context (made once); nothing when
  // no such context can be made.
  const std::optional<std::string>& ProbeRenderer();

 private:
  bool probed_ = false;
  std::optional<std::string> renderer_;
};

// The root object of the OpenGL implementation: GlDirect3D, and window
// rectangles read from the widgets.
class QtDirectX : public DirectX {
 public:
  std::shared_ptr<Direct3D> Direct3DCreate() override;
  RECT GetClientRect(WindowHandle window) override;
  RECT GetWindowRect(WindowHandle window) override;
};

}  // namespace rp
