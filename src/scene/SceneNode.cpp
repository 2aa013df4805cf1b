// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/SceneNode.h"

#include <stdexcept>

#include "scene/SceneMath.h"

namespace rp {

void SceneNode::AddChild(std::shared_ptr<SceneNode> child) { children_.push_back(std::move(child)); }

void SceneNode::AddInstance(std::shared_ptr<MeshInstance> instance) { meshes_.push_back(std::move(instance)); }

std::shared_ptr<MeshInstance> SceneNode::AddMesh(std::shared_ptr<Mesh> mesh) {
  auto m = std::make_shared<MeshInstance>(std::move(mesh));
  meshes_.push_back(m);
  return m;
}

void SceneNode::RebuildMatrix() { local_ = AffineTransformation(scale_, center_, orientation_, position_); }

void SceneNode::SetPosition(const glm::vec3& position) {
  position_ = position;
  RebuildMatrix();
}

glm::vec3 SceneNode::GetPosition() const { return {local_[3][0], local_[3][1], local_[3][2]}; }

void SceneNode::SetOrientation(const glm::quat& orientation) {
  orientation_ = orientation;
  RebuildMatrix();
}

void SceneNode::SetScale(float scale) {
  scale_ = scale;
  RebuildMatrix();
}

void SceneNode::SetOrientationCenter(const glm::vec3& center) {
  center_ = center;
  RebuildMatrix();
}

std::shared_ptr<MeshInstance> SceneNode::GetMesh(std::int32_t index) const {
  if (index < 0 || index >= MeshCount()) throw std::out_of_range("mesh index out of range");
  return meshes_[std::size_t(index)];
}

std::shared_ptr<SceneNode> SceneNode::GetChild(std::int32_t index) const {
  if (index < 0 || index >= ChildCount()) throw std::out_of_range("child index out of range");
  return children_[std::size_t(index)];
}

void SceneNode::UpdateWorldMatrices() { UpdateWalk(glm::mat4(1.0f)); }

void SceneNode::UpdateWalk(const glm::mat4& parent) {
  world_ = parent * local_;
  inverseWorld_ = InverseOrZero(world_);
  for (const auto& c : children_)
    if (c) c->UpdateWalk(world_);
}

glm::vec3 SceneNode::FromWorld(const glm::vec3& point) const { return TransformPoint(point, inverseWorld_); }

// The copies of one mesh met one after another in a walk, not drawn yet.
struct SceneNode::Batch {
  const Mesh* mesh = nullptr;
  std::vector<MeshDraw> draws;

  void Flush(GraphicsDevice& dev) {
    if (!draws.empty()) dev.DrawMeshInstances(*mesh, draws);
    draws.clear();
    mesh = nullptr;
  }
};

void SceneNode::Render(GraphicsDevice& dev) {
  Batch batch;
  dev.SetTransform(Transform::World, glm::mat4(1.0f));
  RenderWalk(dev, true, false, batch);
  batch.Flush(dev);
  dev.SetAlphaBlending(true);
  dev.SetBlendFactors(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
  dev.SetTransform(Transform::World, glm::mat4(1.0f));
  RenderWalk(dev, false, true, batch);
  batch.Flush(dev);
  dev.SetAlphaBlending(false);
}

void SceneNode::RenderWalk(GraphicsDevice& dev, bool opaque, bool seeThrough, Batch& batch) {
  if (!enabled) return;
  const glm::mat4 parent = dev.GetTransform(Transform::World);
  const glm::mat4 world = parent * local_;
  dev.SetTransform(Transform::World, world);
  for (const auto& m : meshes_) {
    if (!m || !m->InPass(opaque, seeThrough)) continue;
    // A mesh without a material of its own takes the device's current one,
    // so everything before it must have been drawn.
    if (m->GetMaterial() && batch.mesh != m->mesh.get()) batch.Flush(dev);
    if (!m->GetMaterial()) {
      batch.Flush(dev);
      m->Render(dev, opaque, seeThrough);
      continue;
    }
    batch.mesh = m->mesh.get();
    batch.draws.push_back({world, *m->GetMaterial()});
  }
  for (const auto& c : children_)
    if (c) c->RenderWalk(dev, opaque, seeThrough, batch);
  dev.SetTransform(Transform::World, parent);
}

void SceneNode::AddRotation(Combine combine, float x, float y, float z, float angle) {
  const glm::mat4 m = RotationMatrix(glm::vec3(x, y, z), angle);
  switch (combine) {
    case Combine::Before:
      local_ = local_ * m;
      break;
    case Combine::After:
      local_ = m * local_;
      break;
    case Combine::Replace:
      local_ = m;
      break;
  }
}

std::shared_ptr<SceneNode> NewSceneNode(const std::shared_ptr<SceneNode>& parent) {
  auto node = std::make_shared<SceneNode>();
  if (parent) parent->AddChild(node);
  return node;
}

}  // namespace rp
