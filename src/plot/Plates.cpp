// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/Plates.h"

#include "scene/ArgbColour.h"
#include "scene/SceneMath.h"

namespace rp {

namespace {

constexpr float kHalfWidth = 2.0f;
constexpr float kHalfHeight = 0.25f;
constexpr float kBackOffset = 0.01f;
constexpr float kGlassSide = 10.0f;
constexpr float kGlassThickness = 0.1f;
constexpr std::int32_t kGlassColour = 0x33C0C0C0;  // light grey, alpha 0.2

// A quad of `corners` and `normal` in a part's own space, carried into the
// plot's space by the part's matrix.
Quad Placed(const glm::mat4& place, const std::array<glm::vec3, 4>& corners, const glm::vec3& normal) {
  Quad q;
  for (std::size_t k = 0; k < 4; ++k) q.corners[k] = TransformPoint(corners[k], place);
  q.normal = NormalizeOrZero(TransformDirection(normal, place));
  return q;
}

glm::mat4 PlateAnchor(std::int32_t axis) {
  if (axis == 0) return AffineTransformation(1.0f, glm::vec3(0.0f), glm::quat(1, 0, 0, 0), {0, 0, -6});
  return AffineTransformation(1.0f, glm::vec3(0.0f), QuatFromAxisDegrees(0, 1, 0, -90), {6, 0, 0});
}

}  // namespace

std::array<Quad, 2> AxisNamePlate(std::int32_t axis) {
  const glm::mat4 anchor = PlateAnchor(axis);
  const float w = kHalfWidth, h = kHalfHeight, b = kBackOffset;
  Quad front = Placed(anchor, {{{-w, -h, 0}, {w, -h, 0}, {w, h, 0}, {-w, h, 0}}}, {0, 0, -1});
  Quad back = Placed(anchor, {{{w, -h, b}, {-w, -h, b}, {-w, h, b}, {w, h, b}}}, {0, 0, 1});
  for (Quad* q : {&front, &back}) {
    q->colour = {1, 1, 1, 1};
    q->texture = QuadTexture::AxisNames;
    q->textureLine = axis;
    q->texCoords = {{{0, 1}, {1, 1}, {1, 0}, {0, 0}}};
  }
  return {front, back};
}

std::array<Quad, 6> GlassPlate() {
  const glm::mat4 place = RotationMatrix(QuatFromAxisDegrees(1, 0, 0, 90));
  const float half[3] = {kGlassSide / 2, kGlassSide / 2, kGlassThickness / 2};
  std::array<Quad, 6> faces;
  std::size_t f = 0;
  // Per side of the box: its normal axis and sign, the corners running
  // round the side.
  for (int axis = 0; axis < 3; ++axis) {
    for (int sign = -1; sign <= 1; sign += 2) {
      glm::vec3 n{0, 0, 0};
      n[axis] = static_cast<float>(sign);
      const int ua = (axis + 1) % 3, va = (axis + 2) % 3;
      const float cu[4] = {-1, 1, 1, -1}, cv[4] = {-1, -1, 1, 1};
      std::array<glm::vec3, 4> corners;
      for (std::size_t k = 0; k < 4; ++k) {
        corners[k][axis] = static_cast<float>(sign) * half[axis];
        corners[k][ua] = cu[k] * half[ua];
        corners[k][va] = cv[k] * half[va];
      }
      faces[f] = Placed(place, corners, n);
      faces[f].colour = ColourFromArgb(kGlassColour);
      ++f;
    }
  }
  return faces;
}

}  // namespace rp
