// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Indexed triangle mesh in plain C++: positions and normals, three indices per
// face and one subset (attribute) id per face, faces grouped by subset. The
// same vertices and face order serve every device and the ray picking, so a
// face index found by Intersect names the triangle the device drew.
//
// Meshes are made by the Create* functions below and drawn subset by subset
// through the device that made them.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "scene/GraphicsTypes.h"

namespace rp {

class GraphicsDevice;
struct MeshDeviceData;

struct MeshVertex {
  glm::vec3 position;
  glm::vec3 normal;
};

// A run of faces (and the vertices they use) that share one subset id.
struct AttributeRange {
  std::uint32_t attribId;
  std::uint32_t faceStart, faceCount;
  std::uint32_t vertexStart, vertexCount;
};

// Nearest hit of a ray on a mesh. The hit point is
// v0 + u (v1 - v0) + v (v2 - v0) of the face's vertices, and also
// origin + dist x direction (dist in units of the direction's length).
struct IntersectResult {
  bool hit = false;
  std::uint32_t faceIndex = 0;
  float u = 0, v = 0, dist = 0;
};

struct BoundingSphere {
  glm::vec3 center;
  float radius;
};

struct BoundingBox {
  glm::vec3 min, max;
};

class Mesh {
 public:
  // indices: three per face; attributes: one per face (empty: all subset 0).
  // Faces are stably reordered by subset id if they are not grouped already.
  Mesh(GraphicsDevice* device, std::vector<MeshVertex> vertices, std::vector<std::uint32_t> indices,
       std::vector<std::uint32_t> attributes = {});
  ~Mesh();
  Mesh(const Mesh&) = delete;
  Mesh& operator=(const Mesh&) = delete;

  GraphicsDevice* GetDevice() const { return device_; }
  std::uint32_t GetNumVertices() const { return static_cast<std::uint32_t>(vertices_.size()); }
  std::uint32_t GetNumFaces() const { return static_cast<std::uint32_t>(attributes_.size()); }
  const std::vector<MeshVertex>& Vertices() const { return vertices_; }
  const std::vector<std::uint32_t>& Indices() const { return indices_; }
  const std::vector<std::uint32_t>& Attributes() const { return attributes_; }
  const std::vector<AttributeRange>& GetAttributeTable() const { return table_; }
  // Highest subset id + 1 (0 for a mesh without faces).
  std::uint32_t GetSubsetCount() const;

  // Draws the faces of subset `subset` with the device's current states;
  // nothing for a subset without faces.
  void DrawSubset(std::uint32_t subset) const;

  // Nearest intersection of the ray (origin, direction) with the triangles,
  // both sides counted, hits behind the origin (dist < 0) ignored, a ray
  // with a non-finite component never hits. Equal
  // distances keep the lower face index. A cheap bounding-sphere test skips
  // meshes the ray cannot touch.
  IntersectResult Intersect(const glm::vec3& origin, const glm::vec3& direction) const;

  // Centre = mean of the vertex positions, radius = largest distance from it.
  BoundingSphere ComputeBoundingSphere() const;
  BoundingBox ComputeBoundingBox() const;

  // Set for a mesh that stands for a sphere of this radius about the origin
  // (CreateSphere's): a device may draw it as the true sphere. Picking keeps
  // the triangles.
  std::optional<float> SphereRadius() const { return sphereRadius_; }
  void SetSphereRadius(float radius) { sphereRadius_ = radius; }

  // Slot for the drawing device's own data (uploaded buffers).
  mutable std::shared_ptr<MeshDeviceData> deviceData;

 private:
  GraphicsDevice* device_;
  std::vector<MeshVertex> vertices_;
  std::vector<std::uint32_t> indices_;
  std::vector<std::uint32_t> attributes_;
  std::vector<AttributeRange> table_;
  BoundingSphere bounds_{};
  std::optional<float> sphereRadius_;
  // Per face: first corner and the two edges from it, laid out for the ray
  // test.
  struct FaceEdges {
    glm::vec3 v0, e1, e2;
  };
  std::vector<FaceEdges> edges_;
};

// Sphere of `radius` centred on the origin with its poles on the z axis:
// one vertex per pole and (stacks - 1) rings of `slices` vertices, so
// slices x (stacks - 1) + 2 vertices and 2 x slices x (stacks - 1) faces:
// first the fan round the +z pole, then ring by ring, then the -z fan.
// Faces wind clockwise seen from outside ((v1 - v0) x (v2 - v0) points
// outward in the left-handed space). The mesh carries its SphereRadius.
// slices >= 3 and stacks >= 2, else
// DeviceError.
std::shared_ptr<Mesh> CreateSphere(GraphicsDevice& device, float radius, std::uint32_t slices, std::uint32_t stacks);

// Box centred on the origin, width along x, height along y, depth along z:
// 4 vertices with the face normal per side, 12 faces, sides in the order
// -x, +x, -y, +y, -z, +z. Faces wind clockwise seen from outside.
std::shared_ptr<Mesh> CreateBox(GraphicsDevice& device, float width, float height, float depth);

}  // namespace rp
