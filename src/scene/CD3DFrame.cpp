#include "scene/CD3DFrame.h"

#include <stdexcept>

namespace rp {

void CD3DFrame::SetPreRenderCallback(FrameCallback cb, std::int32_t id) {
  preRender_ = std::move(cb);
  preRenderId_ = id;
}

void CD3DFrame::SetPostRenderCallback(FrameCallback cb, std::int32_t id) {
  postRender_ = std::move(cb);
  postRenderId_ = id;
}

void CD3DFrame::AddChild(std::shared_ptr<CD3DFrame> child) { children_.push_back(std::move(child)); }

void CD3DFrame::AddMesh(std::shared_ptr<CD3DMesh> childMesh) { meshes_.push_back(std::move(childMesh)); }

std::shared_ptr<CD3DMesh> CD3DFrame::AddD3DXMesh(std::shared_ptr<Mesh> mesh) {
  auto m = std::make_shared<CD3DMesh>();
  m->InitFromD3DXMesh(std::move(mesh));
  meshes_.push_back(m);
  return m;
}

void CD3DFrame::RebuildMatrix() {
  local_ = D3DXMatrixAffineTransformation(scale_, center_, orientation_, position_);
}

void CD3DFrame::SetPosition(const D3DVECTOR& vec) {
  position_ = vec;
  RebuildMatrix();
}

D3DVECTOR CD3DFrame::GetPosition() const { return {local_.m[3][0], local_.m[3][1], local_.m[3][2]}; }

void CD3DFrame::SetOrientation(const D3DQUATERNION& quat) {
  orientation_ = quat;
  RebuildMatrix();
}

void CD3DFrame::SetScale(float val) {
  scale_ = val;
  RebuildMatrix();
}

void CD3DFrame::SetOrientationCenter(const D3DVECTOR& vec) {
  center_ = vec;
  RebuildMatrix();
}

std::shared_ptr<CD3DMesh> CD3DFrame::GetChildMesh(std::int32_t index) const {
  if (index < 0 || index >= GetChildMeshCount()) throw std::out_of_range("mesh index out of range");
  return meshes_[std::size_t(index)];
}

std::shared_ptr<CD3DFrame> CD3DFrame::GetChildFrame(std::int32_t index) const {
  if (index < 0 || index >= GetChildFrameCount()) throw std::out_of_range("frame index out of range");
  return children_[std::size_t(index)];
}

FoundObject CD3DFrame::FindChildObject(const std::string& name, std::int32_t flags) {
  if (name == ObjectName) return shared_from_this();
  for (const auto& m : meshes_)
    if (m && m->ObjectName == name) return m;
  for (const auto& c : children_) {
    if (!c) continue;
    FoundObject found = c->FindChildObject(name, flags);
    if (!std::holds_alternative<std::monostate>(found)) return found;
  }
  return {};
}

std::shared_ptr<CD3DFrame> CD3DFrame::FindChildParent(const std::string& name, std::int32_t flags) {
  for (const auto& m : meshes_)
    if (m && m->ObjectName == name) return shared_from_this();
  for (const auto& c : children_) {
    if (!c) continue;
    if (c->ObjectName == name) return shared_from_this();
    if (auto found = c->FindChildParent(name, flags)) return found;
  }
  return nullptr;
}

void CD3DFrame::Destroy() {
  meshes_.clear();
  children_.clear();
}

template <class F>
void CD3DFrame::ForEachMesh(F f) {
  for (const auto& m : meshes_)
    if (m) f(*m);
  for (const auto& c : children_)
    if (c) c->ForEachMesh(f);
}

void CD3DFrame::FlipNormals() {
  ForEachMesh([](CD3DMesh& m) { m.FlipNormals(); });
}

void CD3DFrame::ComputeNormals() {
  ForEachMesh([](CD3DMesh& m) { m.ComputeNormals(); });
}

void CD3DFrame::Optimize() {
  ForEachMesh([](CD3DMesh& m) { m.Optimize(); });
}

void CD3DFrame::ComputeBoundingVolumes() {
  ForEachMesh([](CD3DMesh& m) { m.ComputeBoundingVolumes(); });
}

void CD3DFrame::UpdateFrames() { UpdateWalk(D3DXMatrixIdentity()); }

void CD3DFrame::UpdateWalk(const D3DMATRIX& parent) {
  updated_ = D3DXMatrixMultiply(local_, parent);
  inverseUpdated_ = D3DXMatrixInverse(updated_);
  for (const auto& c : children_)
    if (c) c->UpdateWalk(updated_);
}

void CD3DFrame::Render(GraphicsDevice& dev) {
  dev.SetTransform(D3DTS_WORLD, D3DXMatrixIdentity());
  RenderWalk(dev, true, false);
  dev.SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
  dev.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  dev.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  dev.SetTransform(D3DTS_WORLD, D3DXMatrixIdentity());
  RenderWalk(dev, false, true);
  dev.SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
}

void CD3DFrame::RenderWalk(GraphicsDevice& dev, bool opaque, bool transparent) {
  if (!Enabled) return;
  const D3DMATRIX parent = dev.GetTransform(D3DTS_WORLD);
  dev.SetTransform(D3DTS_WORLD, D3DXMatrixMultiply(local_, parent));
  if (preRender_) preRender_(preRenderId_);
  for (const auto& m : meshes_)
    if (m) m->RenderEx(dev, opaque, transparent);
  for (const auto& c : children_)
    if (c) c->RenderWalk(dev, opaque, transparent);
  dev.SetTransform(D3DTS_WORLD, parent);
  if (postRender_) postRender_(postRenderId_);
}

void CD3DFrame::Combine(std::int32_t combinetype, const D3DMATRIX& m) {
  switch (combinetype) {
    case kBefore: local_ = D3DXMatrixMultiply(m, local_); break;
    case kAfter: local_ = D3DXMatrixMultiply(local_, m); break;
    case kReplace: local_ = m; break;
    default: break;  // unknown combine types leave the matrix alone
  }
}

void CD3DFrame::AddRotation(std::int32_t combinetype, float x, float y, float z, float rot) {
  Combine(combinetype, D3DXMatrixRotationAxis({x, y, z}, rot));
}

void CD3DFrame::AddScale(std::int32_t combinetype, float x, float y, float z) {
  Combine(combinetype, D3DXMatrixScaling(x, y, z));
}

void CD3DFrame::AddTranslation(std::int32_t combinetype, float x, float y, float z) {
  Combine(combinetype, D3DXMatrixTranslation(x, y, z));
}

D3DVECTOR CD3DFrame::TransformCoord(const D3DVECTOR& vIn) const {
  return D3DXVec3TransformCoord(vIn, updated_);
}

D3DVECTOR CD3DFrame::TransformNormal(const D3DVECTOR& vIn) const {
  return D3DXVec3TransformNormal(vIn, updated_);
}

D3DVECTOR CD3DFrame::InverseTransformCoord(const D3DVECTOR& vIn) const {
  return D3DXVec3TransformCoord(vIn, inverseUpdated_);
}

D3DVECTOR CD3DFrame::InverseTransformNormal(const D3DVECTOR& vIn) const {
  return D3DXVec3TransformNormal(vIn, inverseUpdated_);
}

std::shared_ptr<CD3DFrame> D3DUtil_NewFrame(const std::shared_ptr<CD3DFrame>& parent) {
  auto frame = std::make_shared<CD3DFrame>();
  if (parent) parent->AddChild(frame);
  return frame;
}

}  // namespace rp
