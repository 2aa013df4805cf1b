#pragma once
// Finds the meshes of a frame tree under a window point (or along a ray):
// one record per mesh hit, in depth-first preorder (a frame's own meshes in
// list order, then its children's subtrees). For a viewport pick dist runs
// from 0 at the near plane to 1 at the far plane in every frame, so the dist
// values of differently scaled frames compare directly.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/GraphicsDevice.h"
#include "scene/CD3DFrame.h"
#include "scene/CD3DMesh.h"

namespace rp {

class CD3DPick {
 public:
  struct Record {
    std::shared_ptr<CD3DFrame> frame;
    std::shared_ptr<CD3DMesh> mesh;
    std::int32_t hit;  // non-zero
    std::int32_t faceIndex;
    float u, v;  // barycentric position of the hit inside the face
    float dist;  // hit = ray origin + dist x ray direction
  };

  std::int32_t GetCount() const { return static_cast<std::int32_t>(records_.size()); }
  // Index outside 0 .. count - 1: std::out_of_range.
  void GetRecord(std::int32_t index, float& a, float& b, float& dist, std::int32_t& triFaceid) const;
  const Record& GetRecord(std::int32_t index) const;
  std::shared_ptr<CD3DFrame> GetFrame(std::int32_t index) const { return GetRecord(index).frame; }
  std::shared_ptr<CD3DMesh> GetMesh(std::int32_t index) const { return GetRecord(index).mesh; }
  // Smallest / largest dist; equal distances keep the earlier record; -1
  // when there are no records.
  std::int32_t FindNearest() const;
  std::int32_t FindFurthest() const;
  void Destroy() { records_.clear(); }

  // Empties the list, then picks the tree under `frame` at window position
  // (x, y) with the device's viewport, view and projection.
  bool ViewportPick(GraphicsDevice& dev, const std::shared_ptr<CD3DFrame>& frame, float x, float y);
  // The walk itself; appends. Disabled frames hide their subtree.
  bool ViewportPickEx(const std::shared_ptr<CD3DFrame>& frame, const D3DVIEWPORT& viewport,
                      const D3DMATRIX& proj, const D3DMATRIX& view, const D3DMATRIX& world, float x,
                      float y);
  // Empties the list, then picks along a world-space ray, starting from the
  // device's current world transform.
  bool RayPick(GraphicsDevice& dev, const std::shared_ptr<CD3DFrame>& frame, const D3DVECTOR& vOrig,
               const D3DVECTOR& vDir);
  // The ray walk; appends. Enabled is not consulted.
  bool RayPickEx(const std::shared_ptr<CD3DFrame>& frame, const D3DMATRIX& worldmatrix,
                 const D3DVECTOR& vOrig, const D3DVECTOR& vDir);

 private:
  // Intersects every mesh of the frame with the ray in the frame's space;
  // true when the frame holds at least one mesh entry.
  bool PickMeshes(const std::shared_ptr<CD3DFrame>& frame, const D3DVECTOR& orig, const D3DVECTOR& dir);

  std::vector<Record> records_;
};

}  // namespace rp
