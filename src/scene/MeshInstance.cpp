#include "scene/MeshInstance.h"

namespace rp {

void MeshInstance::Render(GraphicsDevice& dev, bool opaquePass, bool seeThroughPass) const {
  if (!mesh) return;
  const bool draw = material_ ? (opaquePass && material_->diffuse.a == 1.0f) ||
                                    (seeThroughPass && material_->diffuse.a < 1.0f)
                              : opaquePass;
  if (!draw) return;
  if (material_) {
    dev.SetMaterial(*material_);
    dev.SetTexture(nullptr);
  }
  for (std::uint32_t subset = 0; subset < mesh->GetSubsetCount(); ++subset)
    dev.DrawMeshSubset(*mesh, subset);
}

}  // namespace rp
