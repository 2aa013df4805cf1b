#pragma once
// Matrix, vector and quaternion operations of the scene, in the row-vector,
// left-handed convention of the graphics device: a point is a row vector
// multiplied on the left (v' = v x M), translation in the fourth row, and
// A x B applies A first, then B.

#include "platform/D3DTypes.h"
#include "platform/GraphicsTypes.h"

namespace rp {

D3DMATRIX D3DXMatrixIdentity();
bool D3DXMatrixIsIdentity(const D3DMATRIX& m);
// a x b: a acts first.
D3DMATRIX D3DXMatrixMultiply(const D3DMATRIX& a, const D3DMATRIX& b);
// Inverse of m, computed in double precision. A singular (or non-finite)
// matrix has no inverse: the result is then all zero and *determinant 0.
D3DMATRIX D3DXMatrixInverse(const D3DMATRIX& m, float* determinant = nullptr);
D3DMATRIX D3DXMatrixTranspose(const D3DMATRIX& m);
// diag(x, y, z, 1).
D3DMATRIX D3DXMatrixScaling(float x, float y, float z);
// Identity with (x, y, z) in the fourth row.
D3DMATRIX D3DXMatrixTranslation(float x, float y, float z);
// Rotation by `angle` radians about `axis` (normalised here). Looking from
// the tip of the axis towards the origin a positive angle turns clockwise
// (left-handed). An all-zero axis gives the identity.
D3DMATRIX D3DXMatrixRotationAxis(const D3DVECTOR& axis, float angle);
D3DMATRIX D3DXMatrixRotationX(float angle);
D3DMATRIX D3DXMatrixRotationY(float angle);
D3DMATRIX D3DXMatrixRotationZ(float angle);
// Rotation matrix of the unit quaternion q.
D3DMATRIX D3DXMatrixRotationQuaternion(const D3DQUATERNION& q);
// S(scaling) x T(-centre) x R(rotation) x T(centre) x T(translation):
// scale about the origin, rotate about the centre, then move.
D3DMATRIX D3DXMatrixAffineTransformation(float scaling, const D3DVECTOR& rotationCenter,
                                         const D3DQUATERNION& rotation,
                                         const D3DVECTOR& translation);
// Left-handed view matrix: the eye at the origin looking along +z, up +y.
D3DMATRIX D3DXMatrixLookAtLH(const D3DVECTOR& eye, const D3DVECTOR& at, const D3DVECTOR& up);
// Left-handed perspective projection: fovY the vertical field of view in
// radians, aspect the view's width / height (the horizontal scale is the
// vertical one divided by aspect); depth maps zn -> 0 and zf -> 1.
D3DMATRIX D3DXMatrixPerspectiveFovLH(float fovY, float aspect, float zn, float zf);

D3DQUATERNION D3DXQuaternionIdentity();
// (axis x sin(angle/2), cos(angle/2)) with the axis normalised; an all-zero
// axis gives the identity.
D3DQUATERNION D3DXQuaternionRotationAxis(const D3DVECTOR& axis, float angle);
// Roll about z first, then pitch about x, then yaw about y.
D3DQUATERNION D3DXQuaternionRotationYawPitchRoll(float yaw, float pitch, float roll);
// The rotation a followed by the rotation b:
// RotationQuaternion(Multiply(a, b)) = RotationQuaternion(a) x RotationQuaternion(b).
D3DQUATERNION D3DXQuaternionMultiply(const D3DQUATERNION& a, const D3DQUATERNION& b);
D3DQUATERNION D3DXQuaternionNormalize(const D3DQUATERNION& q);

D3DVECTOR D3DXVec3Add(const D3DVECTOR& a, const D3DVECTOR& b);
D3DVECTOR D3DXVec3Subtract(const D3DVECTOR& a, const D3DVECTOR& b);
D3DVECTOR D3DXVec3Scale(const D3DVECTOR& v, float s);
float D3DXVec3Dot(const D3DVECTOR& a, const D3DVECTOR& b);
D3DVECTOR D3DXVec3Cross(const D3DVECTOR& a, const D3DVECTOR& b);
float D3DXVec3Length(const D3DVECTOR& v);
// The zero vector stays zero.
D3DVECTOR D3DXVec3Normalize(const D3DVECTOR& v);
// a + s (b - a).
D3DVECTOR D3DXVec3Lerp(const D3DVECTOR& a, const D3DVECTOR& b, float s);
// v as a point through m, divided by the resulting w.
D3DVECTOR D3DXVec3TransformCoord(const D3DVECTOR& v, const D3DMATRIX& m);
// v as a direction through the upper 3x3 of m (no translation).
D3DVECTOR D3DXVec3TransformNormal(const D3DVECTOR& v, const D3DMATRIX& m);
// Object-space point to window coordinates: x, y in pixels from the
// viewport's top-left, z the depth between MinZ and MaxZ.
D3DVECTOR D3DXVec3Project(const D3DVECTOR& v, const D3DVIEWPORT& viewport, const D3DMATRIX& proj,
                          const D3DMATRIX& view, const D3DMATRIX& world);
// The inverse of D3DXVec3Project: window coordinates to a point in the space
// of `world`.
D3DVECTOR D3DXVec3Unproject(const D3DVECTOR& v, const D3DVIEWPORT& viewport, const D3DMATRIX& proj,
                            const D3DMATRIX& view, const D3DMATRIX& world);
// The matrix D3DXVec3Unproject applies (as a point, with division by w), for
// unprojecting several window points with one inversion.
D3DMATRIX UnprojectMatrix(const D3DVIEWPORT& viewport, const D3DMATRIX& proj, const D3DMATRIX& view,
                          const D3DMATRIX& world);

}  // namespace rp
