// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/MeshInstance.h"

namespace rp {

bool MeshInstance::InPass(bool opaquePass, bool seeThroughPass) const {
  if (!mesh) return false;
  return material_ ? (opaquePass && material_->diffuse.a == 1.0f) || (seeThroughPass && material_->diffuse.a < 1.0f)
                   : opaquePass;
}

void MeshInstance::Render(GraphicsDevice& dev, bool opaquePass, bool seeThroughPass) const {
  if (!InPass(opaquePass, seeThroughPass)) return;
  if (material_) {
    dev.SetMaterial(*material_);
    dev.SetTexture(nullptr);
  }
  for (std::uint32_t subset = 0; subset < mesh->GetSubsetCount(); ++subset) dev.DrawMeshSubset(*mesh, subset);
}

}  // namespace rp
