// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/GraphicsDevice.h"

#include <algorithm>

#include "scene/Mesh.h"

namespace rp {

Texture::Texture(std::uint32_t width, std::uint32_t height, std::uint32_t levels, TextureFormat format)
    : width_(std::max<std::uint32_t>(width, 1)),
      height_(std::max<std::uint32_t>(height, 1)),
      levels_(0),
      format_(format) {
  const std::uint32_t full = FullChainLevels(width_, height_);
  levels_ = (levels == 0 || levels > full) ? full : levels;
}

std::uint32_t Texture::LevelWidth(std::uint32_t level) const {
  return level >= 32 ? 1 : std::max<std::uint32_t>(width_ >> level, 1);
}

std::uint32_t Texture::LevelHeight(std::uint32_t level) const {
  return level >= 32 ? 1 : std::max<std::uint32_t>(height_ >> level, 1);
}

std::shared_ptr<Surface> Texture::GetSurfaceLevel(std::uint32_t level) {
  if (level >= levels_) throw DeviceError("texture has no such level");
  return std::make_shared<Surface>(shared_from_this(), level);
}

std::uint32_t Texture::FullChainLevels(std::uint32_t width, std::uint32_t height) {
  std::uint32_t levels = 1;
  for (std::uint32_t s = std::max(width, height); s > 1; s >>= 1) ++levels;
  return levels;
}

void GraphicsDevice::DrawMeshInstances(const Mesh& mesh, std::span<const MeshDraw> draws) {
  if (draws.empty()) return;
  const glm::mat4 world = GetTransform(Transform::World);
  for (const MeshDraw& d : draws) {
    SetTransform(Transform::World, d.world);
    SetMaterial(d.material);
    SetTexture(nullptr);
    for (std::uint32_t subset = 0; subset < mesh.GetSubsetCount(); ++subset) DrawMeshSubset(mesh, subset);
  }
  SetTransform(Transform::World, world);
}

}  // namespace rp
