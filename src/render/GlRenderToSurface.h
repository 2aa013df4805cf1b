// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing into a texture: between BeginScene and EndScene the device draws
// into one level of the surface's texture through a framebuffer object with
// its own depth buffer; afterwards the lower mip levels are rebuilt.

#include "render/GlContext.h"
#include "scene/GraphicsDevice.h"

namespace rp {

class GlDevice;

class GlRenderToSurface : public RenderToSurface {
 public:
  GlRenderToSurface(GlDevice& device, std::uint32_t width, std::uint32_t height, bool depth);
  ~GlRenderToSurface() override;
  void BeginScene(const std::shared_ptr<Surface>& surface, const Viewport& viewport) override;
  void EndScene() override;

 private:
  GlDevice& device_;
  std::shared_ptr<GlContext> context_;
  std::uint32_t width_, height_;
  GLuint fbo_ = 0, depth_ = 0;
  std::shared_ptr<Surface> surface_;
  Viewport savedViewport_{};
};

}  // namespace rp
