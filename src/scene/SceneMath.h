// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The matrix, vector and quaternion rules of the plot's scene, on glm types.
//
// The scene is laid out left-handed: x to the right, y up, z away from the
// viewer; a positive turn about an axis is clockwise seen from the axis's tip
// towards the origin; projected depth runs 0 (near plane) to 1 (far plane).
// The scene's transforms were first written for row vectors (p' = p x M,
// translation in the fourth row, "A then B" = A x B). glm::mat4 keeps the
// same sixteen numbers in the same memory order, read as the transposed
// matrix for column vectors: so here p' = M * p, translation is column 3,
// "A then B" is B * A, and OpenGL takes the matrices as they are.
//
// glm's own multiply (mat4 * mat4) adds its terms in the same order as the
// formulas the plot's pictures were made with, so it is used as it is. The
// other operations below are written out: glm's versions of them (rotate,
// lookAtLH, perspectiveLH_ZO, inverse, mat4 * vec4, quaternion products)
// group their sums differently or miss the zero-axis and singular cases, and
// would move the drawn plot by a last bit here and there.

#include <glm/gtc/quaternion.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "scene/GraphicsTypes.h"

namespace rp {

// The zero vector stays zero.
glm::vec3 NormalizeOrZero(const glm::vec3& v);

glm::mat4 ScalingMatrix(float x, float y, float z);
glm::mat4 TranslationMatrix(const glm::vec3& offset);
// Turn by `angle` radians about `axis` (normalised here); an all-zero axis
// gives the identity.
glm::mat4 RotationMatrix(const glm::vec3& axis, float angle);
// Rotation matrix of the unit quaternion q.
glm::mat4 RotationMatrix(const glm::quat& q);
// Scale about the origin, rotate about the centre, then move:
// T(translation) * T(centre) * R(rotation) * T(-centre) * S(scaling).
glm::mat4 AffineTransformation(float scaling, const glm::vec3& rotationCenter, const glm::quat& rotation,
                               const glm::vec3& translation);
// View matrix: the eye at the origin looking along +z, up +y.
glm::mat4 LookAtLH(const glm::vec3& eye, const glm::vec3& at, const glm::vec3& up);
// Perspective projection: fovY the vertical field of view in radians, aspect
// the view's width / height (the horizontal scale is the vertical one divided
// by aspect); depth maps zn -> 0 and zf -> 1.
glm::mat4 PerspectiveFovLH(float fovY, float aspect, float zn, float zf);
// Inverse of m, computed in double precision. A singular (or non-finite)
// matrix has no inverse: the result is then all zero.
glm::mat4 InverseOrZero(const glm::mat4& m);

// (axis x sin(angle/2), cos(angle/2)) with the axis normalised; an all-zero
// axis gives the identity.
glm::quat QuatFromAxisAngle(const glm::vec3& axis, float angle);
// The turn by `degrees` about (x, y, z), degrees to radians in double
// precision. A zero axis gives a zero vector part.
glm::quat QuatFromAxisDegrees(float x, float y, float z, float degrees);
// The rotation `first` followed by `second`:
// RotationMatrix(QuatThen(a, b)) = RotationMatrix(b) * RotationMatrix(a).
glm::quat QuatThen(const glm::quat& first, const glm::quat& second);
// Roll about z first, then pitch about x, then yaw about y.
glm::quat QuatFromYawPitchRoll(float yaw, float pitch, float roll);

// p as a point through m, divided by the resulting w.
glm::vec3 TransformPoint(const glm::vec3& p, const glm::mat4& m);
// d as a direction through the upper 3x3 of m (no translation).
glm::vec3 TransformDirection(const glm::vec3& d, const glm::mat4& m);
// Object-space point to window coordinates: x, y in pixels from the
// viewport's top-left, z the depth between minDepth and maxDepth.
glm::vec3 ProjectToWindow(const glm::vec3& p, const Viewport& viewport, const glm::mat4& projection,
                          const glm::mat4& view, const glm::mat4& world);
// The inverse of ProjectToWindow as a matrix, applied with TransformPoint:
// window coordinates (x, y, depth) to a point in the space of `world`.
glm::mat4 UnprojectMatrix(const Viewport& viewport, const glm::mat4& projection, const glm::mat4& view,
                          const glm::mat4& world);

}  // namespace rp
