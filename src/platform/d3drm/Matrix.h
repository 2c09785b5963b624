// 4x4 matrices of frames: points are row vectors (p' = p * M), the translation in row 3.
#pragma once

#include "platform/d3drm/D3DRMTypes.h"

namespace d3drm {

struct Matrix4 {
  D3DVALUE m[4][4];

  static Matrix4 Identity();
  static Matrix4 From(const D3DRMMATRIX4D source);
  void CopyTo(D3DRMMATRIX4D target) const;
  bool IsIdentity() const;
};

// The rotation by theta about the unit axis (x, y, z), left-handed, computed in single precision:
// with c = cos theta, s = sin theta, t = 1 - c the rows are
//   (t x x + c, t x y + s z, t x z - s y), (t x y - s z, t y y + c, t y z + s x),
//   (t x z + s y, t y z - s x, t z z + c).
Matrix4 RotationMatrix(D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta);

// The matrix that applies `first`, then `second`.
Matrix4 Multiply(const Matrix4& first, const Matrix4& second);

// The small vector helpers are defined here so that the per-vertex loops inline them.
inline D3DVECTOR TransformPoint(const Matrix4& a, const D3DVECTOR& p) {
  return {p.x * a.m[0][0] + p.y * a.m[1][0] + p.z * a.m[2][0] + a.m[3][0],
          p.x * a.m[0][1] + p.y * a.m[1][1] + p.z * a.m[2][1] + a.m[3][1],
          p.x * a.m[0][2] + p.y * a.m[1][2] + p.z * a.m[2][2] + a.m[3][2]};
}

// Direction: the 3x3 part only.
inline D3DVECTOR TransformDirection(const Matrix4& a, const D3DVECTOR& d) {
  return {d.x * a.m[0][0] + d.y * a.m[1][0] + d.z * a.m[2][0], d.x * a.m[0][1] + d.y * a.m[1][1] + d.z * a.m[2][1],
          d.x * a.m[0][2] + d.y * a.m[1][2] + d.z * a.m[2][2]};
}

// For normals: the inverse transpose of the 3x3 part, so that normals stay perpendicular under
// non-uniform scaling; false when the part is singular or its inverse leaves single precision.
bool NormalMatrix(const Matrix4& matrix, Matrix4* normals);

// The inverse of a matrix whose column 3 is (0, 0, 0, 1); false when its 3x3 part is singular or
// the inverse leaves single precision.
bool AffineInverse(const Matrix4& matrix, Matrix4* inverse);

D3DVECTOR Normalized(const D3DVECTOR& v);  // the zero vector stays zero

inline D3DVECTOR Cross(const D3DVECTOR& a, const D3DVECTOR& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline D3DVECTOR Subtract(const D3DVECTOR& a, const D3DVECTOR& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

}  // namespace d3drm
