// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GlRenderToSurface.h"

#include "render/GlDevice.h"
#include "render/GlResources.h"

namespace rp {

GlRenderToSurface::GlRenderToSurface(GlDevice& device, std::uint32_t width, std::uint32_t height, bool depth)
    : device_(device), context_(device.ContextPtr()), width_(width), height_(height) {
  auto& gl = context_->Gl();
  gl.glGenFramebuffers(1, &fbo_);
  if (depth) {
    gl.glGenRenderbuffers(1, &depth_);
    gl.glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    gl.glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, GLsizei(width), GLsizei(height));
    gl.glBindRenderbuffer(GL_RENDERBUFFER, 0);
  }
}

GlRenderToSurface::~GlRenderToSurface() {
  if (!context_->MakeCurrent()) return;
  auto& gl = context_->Gl();
  gl.glDeleteFramebuffers(1, &fbo_);
  if (depth_ != 0) gl.glDeleteRenderbuffers(1, &depth_);
}

void GlRenderToSurface::BeginScene(const std::shared_ptr<Surface>& surface, const Viewport& viewport) {
  if (surface_) throw DeviceError("render-to-surface scene already begun");
  if (!surface) throw DeviceError("render-to-surface without a surface");
  auto* texture = dynamic_cast<GlTexture*>(&surface->GetTexture());
  if (texture == nullptr) throw DeviceError("surface of a texture made by another device");
  if (surface->Width() > width_ || surface->Height() > height_)
    throw DeviceError("surface larger than the render-to-surface object");
  if (!context_->MakeCurrent()) throw DeviceError("the OpenGL context is lost");
  auto& gl = context_->Gl();
  gl.glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
  gl.glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture->Id(),
                            GLint(surface->Level()));
  gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
  if (gl.glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
    throw DeviceError("cannot draw into the texture");
  surface_ = surface;
  savedViewport_ = device_.GetViewport();
  device_.SetRenderTarget(fbo_, surface->Width(), surface->Height());
  device_.SetViewport(viewport);
}

void GlRenderToSurface::EndScene() {
  if (!surface_) throw DeviceError("render-to-surface scene not begun");
  device_.SetRenderTarget(0, 0, 0);
  device_.SetViewport(savedViewport_);
  if (surface_->Level() == 0) static_cast<GlTexture&>(surface_->GetTexture()).RefreshMipChain();
  surface_.reset();
}

}  // namespace rp
