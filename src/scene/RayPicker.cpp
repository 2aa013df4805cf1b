// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/RayPicker.h"

#include <stdexcept>

#include "scene/SceneMath.h"

namespace rp {

const RayPicker::Hit& RayPicker::Get(std::int32_t index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("pick hit index out of range");
  return hits_[std::size_t(index)];
}

std::int32_t RayPicker::FindNearest() const {
  float best = 1e38f;
  std::int32_t index = -1;
  for (std::int32_t i = 0; i < Count(); ++i) {
    if (hits_[std::size_t(i)].dist < best) {
      best = hits_[std::size_t(i)].dist;
      index = i;
    }
  }
  return index;
}

bool RayPicker::PickMeshes(const std::shared_ptr<SceneNode>& node, const glm::vec3& origin,
                           const glm::vec3& direction) {
  const std::int32_t count = node->MeshCount();
  for (std::int32_t i = 0; i < count; ++i) {
    std::shared_ptr<MeshInstance> mesh = node->GetMesh(i);
    if (!mesh || !mesh->mesh) continue;
    const IntersectResult hit = mesh->mesh->Intersect(origin, direction);
    if (hit.hit) hits_.push_back({node, mesh, static_cast<std::int32_t>(hit.faceIndex), hit.u, hit.v, hit.dist});
  }
  return count > 0;
}

bool RayPicker::PickAt(GraphicsDevice& dev, const std::shared_ptr<SceneNode>& root, float x, float y) {
  Clear();
  const Viewport viewport = dev.GetViewport();
  const glm::mat4 view = dev.GetTransform(Transform::View);
  const glm::mat4 projection = dev.GetTransform(Transform::Projection);
  return PickAt(root, viewport, projection, view, glm::mat4(1.0f), x, y);
}

bool RayPicker::PickAt(const std::shared_ptr<SceneNode>& node, const Viewport& viewport, const glm::mat4& projection,
                       const glm::mat4& view, const glm::mat4& world, float x, float y) {
  if (!node || !node->enabled) return false;
  const glm::mat4 m = world * node->GetMatrix();
  bool any = false;
  if (node->MeshCount() > 0) {
    // The window point on the near and the far plane, in the node's space.
    const glm::mat4 unproject = UnprojectMatrix(viewport, projection, view, m);
    const glm::vec3 nearPoint = TransformPoint({x, y, 0}, unproject);
    const glm::vec3 farPoint = TransformPoint({x, y, 1}, unproject);
    any = PickMeshes(node, nearPoint, farPoint - nearPoint);
  }
  const std::int32_t children = node->ChildCount();
  for (std::int32_t i = 0; i < children; ++i)
    any = PickAt(node->GetChild(i), viewport, projection, view, m, x, y) || any;
  return any;
}

}  // namespace rp
