// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// GL objects behind the device's textures and meshes.

#include <memory>

#include "render/GlContext.h"
#include "scene/GraphicsDevice.h"

namespace rp {

// A texture stored top row first (texture row 0 is the image's top, as v = 0
// addresses it), RGBA8; an Rgb texture reads alpha as 1.
class GlTexture : public Texture {
 public:
  GlTexture(std::shared_ptr<GlContext> context, std::uint32_t width, std::uint32_t height, std::uint32_t levels,
            TextureFormat format);
  ~GlTexture() override;
  GLuint Id() const { return id_; }
  // Rebuilds levels 1.. from level 0 after level 0 was drawn into.
  void RefreshMipChain();

 private:
  std::shared_ptr<GlContext> context_;
  GLuint id_ = 0;
};

// A mesh uploaded once: interleaved positions and normals plus the indices.
struct GlMeshData : MeshDeviceData {
  GlMeshData(std::shared_ptr<GlContext> context, const Mesh& mesh);
  ~GlMeshData() override;
  std::shared_ptr<GlContext> context;
  GLuint vao = 0, vbo = 0, ebo = 0;
  // The same buffers plus the device's per-copy attributes, made on the
  // first batch of the mesh.
  GLuint instancedVao = 0;
};

}  // namespace rp
