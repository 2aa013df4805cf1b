// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A mesh as the scene holds it: shared geometry plus, optionally, the
// material it is drawn with. Nodes draw their meshes in two passes, opaque
// first and see-through second; the deciding diffuse alpha is exactly 1.0
// for opaque, below 1.0 for see-through, and above 1.0 means the mesh is
// never drawn. A mesh without its own material is drawn in the opaque pass
// with the device's current material.

#include <memory>
#include <optional>

#include "scene/GraphicsDevice.h"
#include "scene/Mesh.h"

namespace rp {

class MeshInstance {
 public:
  explicit MeshInstance(std::shared_ptr<Mesh> geometry = nullptr) : mesh(std::move(geometry)) {}

  std::shared_ptr<Mesh> mesh;  // the geometry; nothing is drawn without it

  void SetMaterial(const Material& material) { material_ = material; }
  const std::optional<Material>& GetMaterial() const { return material_; }

  // Whether Render draws anything in the pass(es) asked for.
  bool InPass(bool opaquePass, bool seeThroughPass) const;

  // Every subset of the mesh, untextured, in the pass(es) asked for.
  void Render(GraphicsDevice& dev, bool opaquePass, bool seeThroughPass) const;

 private:
  std::optional<Material> material_;
};

}  // namespace rp
