#include "scene/CD3DMesh.h"

#include <stdexcept>

#include "platform/VectorOps.h"

namespace rp {

void CD3DMesh::InitFromD3DXMesh(std::shared_ptr<Mesh> d3dxMesh) {
  bUseMaterials = false;
  materials_.assign(2, D3DMATERIAL{});
  textures_.assign(2, nullptr);
  materialCount_ = 1;
  mesh = std::move(d3dxMesh);
}

void CD3DMesh::SetMaterialOverride(const D3DMATERIAL& material) {
  override_ = material;
  bUseMaterialOverride = true;
}

void CD3DMesh::SetMaterialCount(std::int32_t n) {
  if (n < 0) throw std::out_of_range("negative material count");
  materialCount_ = n;
  materials_.resize(std::size_t(n) + 1, D3DMATERIAL{});
  textures_.resize(std::size_t(n) + 1);
}

void CD3DMesh::SetMaterial(std::int32_t n, const D3DMATERIAL& material) {
  materials_.at(static_cast<std::size_t>(n)) = material;
}

D3DMATERIAL CD3DMesh::GetMaterial(std::int32_t n) const {
  return materials_.at(static_cast<std::size_t>(n));
}

void CD3DMesh::SetMaterialTexture(std::int32_t n, std::shared_ptr<Texture> texture) {
  textures_.at(static_cast<std::size_t>(n)) = std::move(texture);
}

std::shared_ptr<Texture> CD3DMesh::GetMaterialTexture(std::int32_t n) const {
  return textures_.at(static_cast<std::size_t>(n));
}

void CD3DMesh::DrawSubsetWith(GraphicsDevice& dev, std::size_t i, const D3DMATERIAL& material,
                              bool materialFirst) {
  const std::shared_ptr<Texture> tex = i < textures_.size() ? textures_[i] : nullptr;
  if (materialFirst) {
    dev.SetMaterial(material);
    dev.SetTexture(0, tex);
  } else {
    dev.SetTexture(0, tex);
    dev.SetMaterial(material);
  }
  dev.DrawMeshSubset(*mesh, static_cast<std::uint32_t>(i));
}

void CD3DMesh::RenderEx(GraphicsDevice& dev, bool bDrawOpaqueSubsets, bool bDrawAlphaSubsets) {
  if (!mesh) return;
  const std::size_t n = materialCount_ > 0 ? std::size_t(materialCount_) : 0;
  if (bDrawOpaqueSubsets) {
    for (std::size_t i = 0; i < n; ++i) {
      if (bUseMaterials) {
        if (materials_.at(i).Diffuse.a == 1.0f) DrawSubsetWith(dev, i, materials_[i], true);
      } else if (bUseMaterialOverride) {
        if (override_.Diffuse.a == 1.0f) DrawSubsetWith(dev, i, override_, false);
      } else {
        dev.DrawMeshSubset(*mesh, static_cast<std::uint32_t>(i));
      }
    }
  }
  if (bDrawAlphaSubsets && (bUseMaterialOverride || bUseMaterials)) {
    for (std::size_t i = 0; i < n; ++i) {
      if (bUseMaterials) {
        if (materials_.at(i).Diffuse.a < 1.0f) DrawSubsetWith(dev, i, materials_[i], true);
      } else if (override_.Diffuse.a < 1.0f) {
        DrawSubsetWith(dev, i, override_, true);
      }
    }
  }
}

void CD3DMesh::Render(GraphicsDevice& dev) {
  if (!mesh || bSkinned) return;
  const std::size_t n = materialCount_ > 0 ? std::size_t(materialCount_) : 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (bUseMaterials)
      DrawSubsetWith(dev, i, materials_.at(i), true);
    else
      dev.DrawMeshSubset(*mesh, static_cast<std::uint32_t>(i));
  }
}

void CD3DMesh::Destroy() {
  materials_.assign(1, D3DMATERIAL{});
  textures_.assign(1, nullptr);
  materialCount_ = 0;
  bUseMaterials = true;
  mesh.reset();
}

void CD3DMesh::ComputeBoundingVolumes() {
  if (!mesh) return;
  const BoundingSphere s = mesh->ComputeBoundingSphere();
  sphereCenter_ = s.center;
  SphereRadius = s.radius;
  bHasSphere = true;
}

void CD3DMesh::GetLocalBox(D3DVECTOR& minExt, D3DVECTOR& maxExt) const {
  if (!mesh) {
    minExt = maxExt = {0, 0, 0};
    return;
  }
  const BoundingBox b = mesh->ComputeBoundingBox();
  minExt = b.min;
  maxExt = b.max;
}

template <class Edit>
void CD3DMesh::EditGeometry(Edit edit) {
  if (!mesh) return;
  std::vector<MeshVertex> vertices = mesh->Vertices();
  edit(vertices, mesh->Indices());
  mesh = std::make_shared<Mesh>(mesh->GetDevice(), std::move(vertices), mesh->Indices(),
                                mesh->Attributes());
}

void CD3DMesh::FlipNormals() {
  EditGeometry([](std::vector<MeshVertex>& v, const std::vector<std::uint32_t>&) {
    for (auto& x : v) x.normal = vec::Scale(x.normal, -1.0f);
  });
}

void CD3DMesh::ComputeNormals() {
  // Each vertex gets the normalised sum of the (area-weighted) normals of
  // the faces that use it.
  EditGeometry([](std::vector<MeshVertex>& v, const std::vector<std::uint32_t>& idx) {
    for (auto& x : v) x.normal = {0, 0, 0};
    for (std::size_t f = 0; f + 2 < idx.size(); f += 3) {
      const D3DVECTOR n = vec::Cross(vec::Sub(v[idx[f + 1]].position, v[idx[f]].position),
                                     vec::Sub(v[idx[f + 2]].position, v[idx[f]].position));
      for (int k = 0; k < 3; ++k) v[idx[f + k]].normal = vec::Add(v[idx[f + k]].normal, n);
    }
    for (auto& x : v) x.normal = vec::Normalize(x.normal);
  });
}

void CD3DMesh::Translate(float x, float y, float z) {
  EditGeometry([&](std::vector<MeshVertex>& v, const std::vector<std::uint32_t>&) {
    for (auto& p : v) p.position = vec::Add(p.position, {x, y, z});
  });
}

}  // namespace rp
