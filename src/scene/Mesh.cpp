// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/Mesh.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <numeric>

#include "scene/GraphicsDevice.h"

namespace rp {

using glm::cross;
using glm::dot;

Mesh::Mesh(GraphicsDevice* device, std::vector<MeshVertex> vertices, std::vector<std::uint32_t> indices,
           std::vector<std::uint32_t> attributes)
    : device_(device), vertices_(std::move(vertices)), indices_(std::move(indices)) {
  if (indices_.size() % 3 != 0) throw DeviceError("mesh index count is not a multiple of 3");
  const std::size_t faces = indices_.size() / 3;
  for (std::uint32_t i : indices_) {
    if (i >= vertices_.size()) throw DeviceError("mesh index beyond the vertex list");
  }
  if (attributes.empty()) attributes.assign(faces, 0);
  if (attributes.size() != faces) throw DeviceError("mesh needs one subset id per face");

  if (!std::is_sorted(attributes.begin(), attributes.end())) {
    std::vector<std::size_t> order(faces);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return attributes[a] < attributes[b]; });
    std::vector<std::uint32_t> idx(indices_.size()), attr(faces);
    for (std::size_t f = 0; f < faces; ++f) {
      attr[f] = attributes[order[f]];
      for (int k = 0; k < 3; ++k) idx[3 * f + k] = indices_[3 * order[f] + k];
    }
    indices_ = std::move(idx);
    attributes = std::move(attr);
  }
  attributes_ = std::move(attributes);

  for (std::size_t f = 0; f < faces;) {
    std::size_t end = f;
    std::uint32_t lo = UINT32_MAX, hi = 0;
    while (end < faces && attributes_[end] == attributes_[f]) {
      for (int k = 0; k < 3; ++k) {
        lo = std::min(lo, indices_[3 * end + k]);
        hi = std::max(hi, indices_[3 * end + k]);
      }
      ++end;
    }
    table_.push_back(
        {attributes_[f], static_cast<std::uint32_t>(f), static_cast<std::uint32_t>(end - f), lo, hi - lo + 1});
    f = end;
  }
  bounds_ = ComputeBoundingSphere();
  edges_.reserve(faces);
  for (std::size_t f = 0; f < faces; ++f) {
    const glm::vec3& v0 = vertices_[indices_[3 * f]].position;
    edges_.push_back({v0, vertices_[indices_[3 * f + 1]].position - v0, vertices_[indices_[3 * f + 2]].position - v0});
  }
}

Mesh::~Mesh() = default;

std::uint32_t Mesh::GetSubsetCount() const { return table_.empty() ? 0 : table_.back().attribId + 1; }

void Mesh::DrawSubset(std::uint32_t subset) const {
  if (device_ == nullptr) throw DeviceError("mesh has no device");
  device_->DrawMeshSubset(*this, subset);
}

IntersectResult Mesh::Intersect(const glm::vec3& origin, const glm::vec3& direction) const {
  IntersectResult best;
  if (vertices_.empty()) return best;
  // A ray from a degenerate transform (a node scaled to 0) hits nothing.
  for (float c : {origin.x, origin.y, origin.z, direction.x, direction.y, direction.z})
    if (!std::isfinite(c)) return best;

  // Bounding-sphere rejection in double precision with a generous margin, so
  // it never drops a ray that the triangle test would accept.
  {
    const double ox = double(origin.x) - bounds_.center.x, oy = double(origin.y) - bounds_.center.y,
                 oz = double(origin.z) - bounds_.center.z;
    const double dx = direction.x, dy = direction.y, dz = direction.z;
    const double r = double(bounds_.radius) * 1.01 + 1e-6;
    const double a = dx * dx + dy * dy + dz * dz;
    const double b = ox * dx + oy * dy + oz * dz;
    const double c = ox * ox + oy * oy + oz * oz - r * r;
    if (c > 0 && (b > 0 || b * b - a * c < 0)) return best;
  }

  const std::uint32_t faces = GetNumFaces();
  for (std::uint32_t f = 0; f < faces; ++f) {
    const glm::vec3& v0 = edges_[f].v0;
    const glm::vec3& e1 = edges_[f].e1;
    const glm::vec3& e2 = edges_[f].e2;
    // Moeller-Trumbore, both faces.
    const glm::vec3 p = cross(direction, e2);
    const float det = dot(e1, p);
    if (det == 0.0f) continue;
    const float inv = 1.0f / det;
    const glm::vec3 s = origin - v0;
    const float u = dot(s, p) * inv;
    if (u < 0.0f || u > 1.0f) continue;
    const glm::vec3 q = cross(s, e1);
    const float v = dot(direction, q) * inv;
    if (v < 0.0f || u + v > 1.0f) continue;
    const float t = dot(e2, q) * inv;
    if (t < 0.0f) continue;
    if (!best.hit || t < best.dist) best = {true, f, u, v, t};
  }
  return best;
}

BoundingSphere Mesh::ComputeBoundingSphere() const {
  if (vertices_.empty()) return {{0, 0, 0}, 0};
  double cx = 0, cy = 0, cz = 0;
  for (const auto& v : vertices_) {
    cx += v.position.x;
    cy += v.position.y;
    cz += v.position.z;
  }
  const double n = double(vertices_.size());
  const glm::vec3 c{float(cx / n), float(cy / n), float(cz / n)};
  float r2 = 0;
  for (const auto& v : vertices_) {
    const glm::vec3 d = v.position - c;
    r2 = std::max(r2, dot(d, d));
  }
  return {c, std::sqrt(r2)};
}

BoundingBox Mesh::ComputeBoundingBox() const {
  if (vertices_.empty()) return {{0, 0, 0}, {0, 0, 0}};
  BoundingBox b{vertices_[0].position, vertices_[0].position};
  for (const auto& v : vertices_) {
    b.min = {std::min(b.min.x, v.position.x), std::min(b.min.y, v.position.y), std::min(b.min.z, v.position.z)};
    b.max = {std::max(b.max.x, v.position.x), std::max(b.max.y, v.position.y), std::max(b.max.z, v.position.z)};
  }
  return b;
}

std::shared_ptr<Mesh> CreateSphere(GraphicsDevice& device, float radius, std::uint32_t slices, std::uint32_t stacks) {
  if (slices < 3 || stacks < 2) throw DeviceError("sphere needs at least 3 slices and 2 stacks");
  const double pi = 3.14159265358979323846;
  std::vector<MeshVertex> verts;
  verts.reserve(slices * (stacks - 1) + 2);
  verts.push_back({{0, 0, radius}, {0, 0, 1}});
  for (std::uint32_t i = 1; i < stacks; ++i) {
    const double theta = pi * i / stacks;
    for (std::uint32_t j = 0; j < slices; ++j) {
      const double phi = 2 * pi * j / slices;
      const glm::vec3 n{float(std::sin(theta) * std::cos(phi)), float(std::sin(theta) * std::sin(phi)),
                        float(std::cos(theta))};
      verts.push_back({{n.x * radius, n.y * radius, n.z * radius}, n});
    }
  }
  const std::uint32_t bottom = static_cast<std::uint32_t>(verts.size());
  verts.push_back({{0, 0, -radius}, {0, 0, -1}});

  auto ring = [slices](std::uint32_t i, std::uint32_t j) { return 1 + (i - 1) * slices + j % slices; };
  std::vector<std::uint32_t> idx;
  idx.reserve(6 * slices * (stacks - 1));
  for (std::uint32_t j = 0; j < slices; ++j) idx.insert(idx.end(), {0, ring(1, j), ring(1, j + 1)});
  for (std::uint32_t i = 1; i + 1 < stacks; ++i) {
    for (std::uint32_t j = 0; j < slices; ++j) {
      idx.insert(idx.end(), {ring(i, j), ring(i + 1, j), ring(i, j + 1)});
      idx.insert(idx.end(), {ring(i + 1, j), ring(i + 1, j + 1), ring(i, j + 1)});
    }
  }
  for (std::uint32_t j = 0; j < slices; ++j)
    idx.insert(idx.end(), {bottom, ring(stacks - 1, j + 1), ring(stacks - 1, j)});
  auto mesh = std::make_shared<Mesh>(&device, std::move(verts), std::move(idx));
  mesh->SetSphereRadius(radius);
  return mesh;
}

std::shared_ptr<Mesh> CreateBox(GraphicsDevice& device, float width, float height, float depth) {
  const float hx = width / 2, hy = height / 2, hz = depth / 2;
  std::vector<MeshVertex> verts;
  std::vector<std::uint32_t> idx;
  // For each side: its normal axis and sign; the four corners run round the
  // side, and the two triangles are wound clockwise seen from outside.
  for (int axis = 0; axis < 3; ++axis) {
    for (int sign = -1; sign <= 1; sign += 2) {
      glm::vec3 n{0, 0, 0};
      (axis == 0 ? n.x : axis == 1 ? n.y : n.z) = float(sign);
      const int ua = (axis + 1) % 3, va = (axis + 2) % 3;
      const float half[3] = {hx, hy, hz};
      const std::uint32_t base = static_cast<std::uint32_t>(verts.size());
      const int cu[4] = {-1, 1, 1, -1}, cv[4] = {-1, -1, 1, 1};
      for (int k = 0; k < 4; ++k) {
        float p[3];
        p[axis] = sign * half[axis];
        p[ua] = cu[k] * half[ua];
        p[va] = cv[k] * half[va];
        verts.push_back({{p[0], p[1], p[2]}, n});
      }
      // (corner1 - corner0) x (corner2 - corner0) points along +axis; in a
      // left-handed space that is clockwise seen from the + side, so the
      // - side takes the corners the other way round.
      if (sign > 0)
        idx.insert(idx.end(), {base, base + 1, base + 2, base, base + 2, base + 3});
      else
        idx.insert(idx.end(), {base, base + 2, base + 1, base, base + 3, base + 2});
    }
  }
  return std::make_shared<Mesh>(&device, std::move(verts), std::move(idx));
}

}  // namespace rp
