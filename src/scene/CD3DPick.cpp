#include "scene/CD3DPick.h"

#include <stdexcept>

#include "scene/D3DMath.h"

namespace rp {

const CD3DPick::Record& CD3DPick::GetRecord(std::int32_t index) const {
  if (index < 0 || index >= GetCount()) throw std::out_of_range("pick record index out of range");
  return records_[std::size_t(index)];
}

void CD3DPick::GetRecord(std::int32_t index, float& a, float& b, float& dist,
                         std::int32_t& triFaceid) const {
  const Record& r = GetRecord(index);
  a = r.u;
  b = r.v;
  dist = r.dist;
  triFaceid = r.faceIndex;
}

std::int32_t CD3DPick::FindNearest() const {
  float best = 1e38f;
  std::int32_t index = -1;
  for (std::int32_t i = 0; i < GetCount(); ++i) {
    if (records_[std::size_t(i)].dist < best) {
      best = records_[std::size_t(i)].dist;
      index = i;
    }
  }
  return index;
}

std::int32_t CD3DPick::FindFurthest() const {
  float best = -1e38f;
  std::int32_t index = -1;
  for (std::int32_t i = 0; i < GetCount(); ++i) {
    if (records_[std::size_t(i)].dist > best) {
      best = records_[std::size_t(i)].dist;
      index = i;
    }
  }
  return index;
}

bool CD3DPick::PickMeshes(const std::shared_ptr<CD3DFrame>& frame, const D3DVECTOR& orig,
                          const D3DVECTOR& dir) {
  const std::int32_t count = frame->GetChildMeshCount();
  for (std::int32_t i = 0; i < count; ++i) {
    std::shared_ptr<CD3DMesh> mesh = frame->GetChildMesh(i);
    if (!mesh || !mesh->mesh) continue;
    const IntersectResult hit = mesh->mesh->Intersect(orig, dir);
    if (hit.hit)
      records_.push_back({frame, mesh, 1, static_cast<std::int32_t>(hit.faceIndex), hit.u, hit.v,
                          hit.dist});
  }
  return count > 0;
}

bool CD3DPick::ViewportPick(GraphicsDevice& dev, const std::shared_ptr<CD3DFrame>& frame, float x,
                            float y) {
  Destroy();
  const D3DVIEWPORT viewport = dev.GetViewport();
  const D3DMATRIX view = dev.GetTransform(D3DTS_VIEW);
  const D3DMATRIX proj = dev.GetTransform(D3DTS_PROJECTION);
  return ViewportPickEx(frame, viewport, proj, view, D3DXMatrixIdentity(), x, y);
}

bool CD3DPick::ViewportPickEx(const std::shared_ptr<CD3DFrame>& frame, const D3DVIEWPORT& viewport,
                              const D3DMATRIX& proj, const D3DMATRIX& view, const D3DMATRIX& world,
                              float x, float y) {
  if (!frame || !frame->Enabled) return false;
  const D3DMATRIX m = D3DXMatrixMultiply(frame->GetMatrix(), world);
  bool any = false;
  if (frame->GetChildMeshCount() > 0) {
    // The window point on the near and the far plane, in the frame's space.
    const D3DMATRIX unproject = UnprojectMatrix(viewport, proj, view, m);
    const D3DVECTOR nearPt = D3DXVec3TransformCoord({x, y, 0}, unproject);
    const D3DVECTOR farPt = D3DXVec3TransformCoord({x, y, 1}, unproject);
    any = PickMeshes(frame, nearPt, D3DXVec3Subtract(farPt, nearPt));
  }
  const std::int32_t children = frame->GetChildFrameCount();
  for (std::int32_t i = 0; i < children; ++i)
    any = ViewportPickEx(frame->GetChildFrame(i), viewport, proj, view, m, x, y) || any;
  return any;
}

bool CD3DPick::RayPick(GraphicsDevice& dev, const std::shared_ptr<CD3DFrame>& frame,
                       const D3DVECTOR& vOrig, const D3DVECTOR& vDir) {
  Destroy();
  return RayPickEx(frame, dev.GetTransform(D3DTS_WORLD), vOrig, vDir);
}

bool CD3DPick::RayPickEx(const std::shared_ptr<CD3DFrame>& frame, const D3DMATRIX& worldmatrix,
                         const D3DVECTOR& vOrig, const D3DVECTOR& vDir) {
  if (!frame) return false;
  const D3DMATRIX m = D3DXMatrixMultiply(frame->GetMatrix(), worldmatrix);
  bool any = false;
  if (frame->GetChildMeshCount() > 0) {
    const D3DMATRIX inv = D3DXMatrixInverse(m);
    any = PickMeshes(frame, D3DXVec3TransformCoord(vOrig, inv), D3DXVec3TransformNormal(vDir, inv));
  }
  const std::int32_t children = frame->GetChildFrameCount();
  for (std::int32_t i = 0; i < children; ++i)
    any = RayPickEx(frame->GetChildFrame(i), m, vOrig, vDir) || any;
  return any;
}

}  // namespace rp
