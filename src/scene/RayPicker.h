// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds the meshes of a node tree under a window point: one hit per mesh, in
// depth-first preorder (a node's own meshes in list order, then its
// children's subtrees). dist runs from 0 at the near plane to 1 at the far
// plane in every node, so the dist values of differently scaled nodes
// compare directly.

#include <cstdint>
#include <memory>
#include <vector>

#include "scene/GraphicsDevice.h"
#include "scene/MeshInstance.h"
#include "scene/SceneNode.h"

namespace rp {

class RayPicker {
 public:
  struct Hit {
    std::shared_ptr<SceneNode> node;
    std::shared_ptr<MeshInstance> mesh;
    std::int32_t faceIndex;
    float u, v;  // barycentric position of the hit inside the face
    float dist;  // hit = ray origin + dist x ray direction
  };

  std::int32_t Count() const { return static_cast<std::int32_t>(hits_.size()); }
  // Index outside 0 .. count - 1: std::out_of_range.
  const Hit& Get(std::int32_t index) const;
  std::shared_ptr<SceneNode> GetNode(std::int32_t index) const { return Get(index).node; }
  // Smallest dist; equal distances keep the earlier hit; -1 when there are
  // no hits.
  std::int32_t FindNearest() const;
  void Clear() { hits_.clear(); }

  // Empties the list, then picks the tree under `root` at window position
  // (x, y) with the device's viewport, view and projection.
  bool PickAt(GraphicsDevice& dev, const std::shared_ptr<SceneNode>& root, float x, float y);
  // The walk itself, with `world` as the root's parent transform; appends.
  // Disabled nodes hide their subtree.
  bool PickAt(const std::shared_ptr<SceneNode>& node, const Viewport& viewport, const glm::mat4& projection,
              const glm::mat4& view, const glm::mat4& world, float x, float y);

 private:
  // Intersects every mesh of the node with the ray in the node's space;
  // true when the node holds at least one mesh entry.
  bool PickMeshes(const std::shared_ptr<SceneNode>& node, const glm::vec3& origin, const glm::vec3& direction);

  std::vector<Hit> hits_;
};

}  // namespace rp
