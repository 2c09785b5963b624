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

D3DVECTOR TransformPoint(const Matrix4& matrix, const D3DVECTOR& point);
// Direction: the 3x3 part only.
D3DVECTOR TransformDirection(const Matrix4& matrix, const D3DVECTOR& direction);
// For normals: the inverse transpose of the 3x3 part, so that normals stay perpendicular under
// non-uniform scaling; false when the part is singular.
bool NormalMatrix(const Matrix4& matrix, Matrix4* normals);

// The inverse of a matrix whose column 3 is (0, 0, 0, 1); false when its 3x3 part is singular.
bool AffineInverse(const Matrix4& matrix, Matrix4* inverse);

D3DVECTOR Normalized(const D3DVECTOR& v);  // the zero vector stays zero
D3DVECTOR Cross(const D3DVECTOR& a, const D3DVECTOR& b);
D3DVECTOR Subtract(const D3DVECTOR& a, const D3DVECTOR& b);

}  // namespace d3drm
