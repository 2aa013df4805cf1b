// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GlResources.h"

#include <algorithm>

#include "scene/Mesh.h"

namespace rp {

GlTexture::GlTexture(std::shared_ptr<GlContext> context, std::uint32_t width, std::uint32_t height,
                     std::uint32_t levels, TextureFormat format)
    : Texture(width, height, levels, format), context_(std::move(context)) {
  if (!context_->MakeCurrent()) throw DeviceError("no OpenGL context for the texture");
  auto& gl = context_->Gl();
  gl.glGenTextures(1, &id_);
  gl.glBindTexture(GL_TEXTURE_2D, id_);
  for (std::uint32_t l = 0; l < GetLevelCount(); ++l)
    gl.glTexImage2D(GL_TEXTURE_2D, GLint(l), GL_RGBA8, GLsizei(LevelWidth(l)), GLsizei(LevelHeight(l)), 0, GL_RGBA,
                    GL_UNSIGNED_BYTE, nullptr);
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(GetLevelCount() - 1));
  if (format == TextureFormat::Rgb) gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
  gl.glBindTexture(GL_TEXTURE_2D, 0);
}

GlTexture::~GlTexture() {
  if (id_ != 0 && context_->MakeCurrent()) context_->Gl().glDeleteTextures(1, &id_);
}

void GlTexture::RefreshMipChain() {
  if (GetLevelCount() < 2 || !context_->MakeCurrent()) return;
  auto& gl = context_->Gl();
  gl.glBindTexture(GL_TEXTURE_2D, id_);
  gl.glGenerateMipmap(GL_TEXTURE_2D);
  gl.glBindTexture(GL_TEXTURE_2D, 0);
}

GlMeshData::GlMeshData(std::shared_ptr<GlContext> ctx, const Mesh& mesh) : context(std::move(ctx)) {
  auto& gl = context->Gl();
  gl.glGenVertexArrays(1, &vao);
  gl.glBindVertexArray(vao);
  gl.glGenBuffers(1, &vbo);
  gl.glBindBuffer(GL_ARRAY_BUFFER, vbo);
  gl.glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(mesh.Vertices().size() * sizeof(MeshVertex)), mesh.Vertices().data(),
                  GL_STATIC_DRAW);
  gl.glGenBuffers(1, &ebo);
  gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo);
  gl.glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(mesh.Indices().size() * sizeof(std::uint32_t)),
                  mesh.Indices().data(), GL_STATIC_DRAW);
  gl.glEnableVertexAttribArray(0);
  gl.glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                           reinterpret_cast<const void*>(offsetof(MeshVertex, position)));
  gl.glEnableVertexAttribArray(1);
  gl.glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                           reinterpret_cast<const void*>(offsetof(MeshVertex, normal)));
  gl.glBindVertexArray(0);
}

GlMeshData::~GlMeshData() {
  if (!context->MakeCurrent()) return;
  auto& gl = context->Gl();
  gl.glDeleteVertexArrays(1, &vao);
  if (instancedVao != 0) gl.glDeleteVertexArrays(1, &instancedVao);
  gl.glDeleteBuffers(1, &vbo);
  gl.glDeleteBuffers(1, &ebo);
}

}  // namespace rp
