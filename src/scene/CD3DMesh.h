#pragma once
// A mesh as the scene holds it: the shared geometry plus the material and
// texture of each subset and an optional override material. Frames draw their
// meshes in two passes, opaque subsets first and see-through ones second
// (RenderEx); the deciding diffuse alpha is exactly 1.0 for opaque, below 1.0
// for see-through, and above 1.0 means the subset is never drawn. Subsets are
// drawn through the device passed in.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/GraphicsDevice.h"
#include "platform/Mesh.h"

namespace rp {

class CD3DMesh {
 public:
  std::shared_ptr<Mesh> mesh;  // the geometry, one subset per material; nothing for a new mesh
  bool bUseMaterials = false;  // draw each subset with its own material and texture
  bool bUseMaterialOverride = false;  // draw every subset with the override material
  std::string ObjectName;
  bool bSkinned = false;  // never set here; plain Render draws nothing for a skinned mesh
  float SphereRadius = 0;
  bool bHasSphere = false;

  void Init() { bUseMaterials = true; }
  D3DVECTOR SphereCenter() const { return sphereCenter_; }

  // Adopts shared geometry: one all-zero material and no texture (lists with
  // entries 0 and 1, count 1); bUseMaterials off; the override is kept.
  void InitFromD3DXMesh(std::shared_ptr<Mesh> d3dxMesh);

  void SetMaterialOverride(const D3DMATERIAL& material);
  D3DMATERIAL GetMaterialOverride() const { return override_; }

  std::int32_t GetMaterialCount() const { return materialCount_; }
  // Count n; the lists keep entries 0 to n (n + 1 of them) and what they held.
  void SetMaterialCount(std::int32_t n);
  // Index outside the lists: std::out_of_range.
  void SetMaterial(std::int32_t n, const D3DMATERIAL& material);
  D3DMATERIAL GetMaterial(std::int32_t n) const;
  void SetMaterialTexture(std::int32_t n, std::shared_ptr<Texture> texture);
  std::shared_ptr<Texture> GetMaterialTexture(std::int32_t n) const;

  // Opaque pass and/or see-through pass, subsets 0 .. count - 1 in order.
  void RenderEx(GraphicsDevice& dev, bool bDrawOpaqueSubsets, bool bDrawAlphaSubsets);
  // All subsets in one go (with their own materials when bUseMaterials); the
  // override is not used.
  void Render(GraphicsDevice& dev);

  // Releases the geometry; lists reduced to one empty entry, count 0,
  // bUseMaterials on.
  void Destroy();

  // Bounding sphere of the geometry into SphereCenter / SphereRadius.
  void ComputeBoundingVolumes();
  // Bounding box of the geometry in its own space (zeros without geometry).
  void GetLocalBox(D3DVECTOR& minExt, D3DVECTOR& maxExt) const;
  // Geometry edits. The geometry may be shared with other meshes, so these
  // give this mesh its own edited copy.
  void FlipNormals();
  void ComputeNormals();
  void Translate(float x, float y, float z);
  // Faces are already grouped by subset: nothing to reorder.
  void Optimize() {}

  void InvalidateDeviceObjects() {}
  void RestoreDeviceObjects(GraphicsDevice&) {}
  static std::string ClassName() { return "CD3DMesh"; }

 private:
  void DrawSubsetWith(GraphicsDevice& dev, std::size_t i, const D3DMATERIAL& material,
                      bool materialFirst);
  template <class Edit>
  void EditGeometry(Edit edit);

  D3DVECTOR sphereCenter_{0, 0, 0};
  D3DMATERIAL override_{};
  std::int32_t materialCount_ = 0;
  std::vector<D3DMATERIAL> materials_;
  std::vector<std::shared_ptr<Texture>> textures_;
};

}  // namespace rp
