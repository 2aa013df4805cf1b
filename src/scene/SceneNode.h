// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A transform node of the scene: a local matrix, ordered child nodes and
// ordered mesh instances. The local matrix is rebuilt from scale s,
// orientation centre c, orientation q and position p as
// T(p) * T(c) * R(q) * T(-c) * S(s) whenever one of those is set; SetMatrix
// and AddRotation change it directly and leave the components as they were.
//
// Nodes are shared: the same node may sit under several parents (it is then
// drawn under each). The caller keeps the graph free of cycles.

#include <cstdint>
#include <glm/gtc/quaternion.hpp>
#include <memory>
#include <string>
#include <vector>

#include "scene/GraphicsDevice.h"
#include "scene/MeshInstance.h"

namespace rp {

class SceneNode {
 public:
  // How AddRotation combines the new matrix M with the local matrix L.
  enum class Combine {
    Before,   // L * M: M acts first, in the node's own space
    After,    // M * L: M acts after, in the parent's space
    Replace,  // M
  };

  std::string name;
  bool enabled = true;  // false: Render and picking skip this subtree

  void AddChild(std::shared_ptr<SceneNode> child);
  void AddInstance(std::shared_ptr<MeshInstance> instance);
  // Wraps shared geometry in a new MeshInstance, appends and returns it.
  std::shared_ptr<MeshInstance> AddMesh(std::shared_ptr<Mesh> mesh);

  void SetPosition(const glm::vec3& position);
  // The translation of the local matrix, not the stored position.
  glm::vec3 GetPosition() const;
  void SetOrientation(const glm::quat& orientation);
  glm::quat GetOrientation() const { return orientation_; }
  void SetScale(float scale);
  float GetScale() const { return scale_; }
  void SetOrientationCenter(const glm::vec3& center);
  glm::vec3 GetOrientationCenter() const { return center_; }

  const glm::mat4& GetMatrix() const { return local_; }
  void SetMatrix(const glm::mat4& m) { local_ = m; }

  std::int32_t MeshCount() const { return static_cast<std::int32_t>(meshes_.size()); }
  std::int32_t ChildCount() const { return static_cast<std::int32_t>(children_.size()); }
  // Index outside 0 .. count - 1: std::out_of_range.
  std::shared_ptr<MeshInstance> GetMesh(std::int32_t index) const;
  std::shared_ptr<SceneNode> GetChild(std::int32_t index) const;

  // World matrices of this subtree, with the identity as this node's parent:
  // world = parent's world * local, plus its inverse.
  void UpdateWorldMatrices();
  const glm::mat4& WorldMatrix() const { return world_; }
  // A world-space point in this node's space (through the inverse world
  // matrix of the last update).
  glm::vec3 FromWorld(const glm::vec3& point) const;

  // Two passes from the identity world transform: opaque meshes, then with
  // alpha blending (source alpha / inverse source alpha) the see-through ones.
  // Consecutive copies of one mesh with materials of their own (the point
  // spheres) go to the device as one batch (DrawMeshInstances).
  void Render(GraphicsDevice& dev);

  // Composes a turn by `angle` radians about (x, y, z) with the local matrix.
  void AddRotation(Combine combine, float x, float y, float z, float angle);

 private:
  void RebuildMatrix();
  void UpdateWalk(const glm::mat4& parent);
  struct Batch;
  void RenderWalk(GraphicsDevice& dev, bool opaque, bool seeThrough, Batch& batch);

  glm::mat4 local_{1.0f};
  glm::mat4 world_{0.0f};
  glm::mat4 inverseWorld_{0.0f};
  std::vector<std::shared_ptr<MeshInstance>> meshes_;
  std::vector<std::shared_ptr<SceneNode>> children_;
  glm::vec3 position_{0.0f};
  glm::quat orientation_{1.0f, 0.0f, 0.0f, 0.0f};
  glm::vec3 center_{0.0f};
  float scale_ = 1.0f;
};

// A new node with the defaults above, appended to parent's children when a
// parent is given.
std::shared_ptr<SceneNode> NewSceneNode(const std::shared_ptr<SceneNode>& parent);

}  // namespace rp
