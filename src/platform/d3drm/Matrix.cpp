#include "platform/d3drm/Matrix.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace d3drm {

Matrix4 Matrix4::Identity() {
  Matrix4 r{};
  for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
  return r;
}

Matrix4 Matrix4::From(const D3DRMMATRIX4D source) {
  Matrix4 r;
  std::memcpy(r.m, source, sizeof r.m);
  return r;
}

void Matrix4::CopyTo(D3DRMMATRIX4D target) const { std::memcpy(target, m, sizeof m); }

bool Matrix4::IsIdentity() const {
  const Matrix4 identity = Identity();
  return std::memcmp(m, identity.m, sizeof m) == 0;
}

Matrix4 RotationMatrix(D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta) {
  const D3DVALUE c = std::cos(theta);
  const D3DVALUE s = std::sin(theta);
  const D3DVALUE t = 1.0f - c;
  Matrix4 r = Matrix4::Identity();
  r.m[0][0] = t * x * x + c;
  r.m[0][1] = t * x * y + s * z;
  r.m[0][2] = t * x * z - s * y;
  r.m[1][0] = t * x * y - s * z;
  r.m[1][1] = t * y * y + c;
  r.m[1][2] = t * y * z + s * x;
  r.m[2][0] = t * x * z + s * y;
  r.m[2][1] = t * y * z - s * x;
  r.m[2][2] = t * z * z + c;
  return r;
}

Matrix4 Multiply(const Matrix4& first, const Matrix4& second) {
  Matrix4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      D3DVALUE sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += first.m[i][k] * second.m[k][j];
      r.m[i][j] = sum;
    }
  return r;
}

bool NormalMatrix(const Matrix4& a, Matrix4* normals) {
  const auto& m = a.m;
  // Cofactors of the 3x3 part: the inverse transpose is the cofactor matrix over the determinant.
  const double c00 = double(m[1][1]) * m[2][2] - double(m[1][2]) * m[2][1];
  const double c01 = double(m[1][2]) * m[2][0] - double(m[1][0]) * m[2][2];
  const double c02 = double(m[1][0]) * m[2][1] - double(m[1][1]) * m[2][0];
  const double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
  if (det == 0.0 || !std::isfinite(det)) return false;
  const double k = 1.0 / det;
  const double values[3][3] = {
      {c00 * k, c01 * k, c02 * k},
      {(double(m[0][2]) * m[2][1] - double(m[0][1]) * m[2][2]) * k,
       (double(m[0][0]) * m[2][2] - double(m[0][2]) * m[2][0]) * k,
       (double(m[0][1]) * m[2][0] - double(m[0][0]) * m[2][1]) * k},
      {(double(m[0][1]) * m[1][2] - double(m[0][2]) * m[1][1]) * k,
       (double(m[0][2]) * m[1][0] - double(m[0][0]) * m[1][2]) * k,
       (double(m[0][0]) * m[1][1] - double(m[0][1]) * m[1][0]) * k}};
  // A nearly singular part has an inverse beyond single precision: as good as none.
  for (const auto& row : values)
    for (double value : row)
      if (!(std::fabs(value) <= FLT_MAX)) return false;
  *normals = Matrix4::Identity();
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) normals->m[i][j] = D3DVAL(values[i][j]);
  return true;
}

bool AffineInverse(const Matrix4& a, Matrix4* inverse) {
  Matrix4 normals;
  if (!NormalMatrix(a, &normals)) return false;
  // The inverse of the 3x3 part is the transpose of the normal matrix.
  Matrix4 r = Matrix4::Identity();
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r.m[i][j] = normals.m[j][i];
  for (int j = 0; j < 3; ++j) {
    const double moved = -(double(a.m[3][0]) * r.m[0][j] + double(a.m[3][1]) * r.m[1][j] + double(a.m[3][2]) * r.m[2][j]);
    if (!(std::fabs(moved) <= FLT_MAX)) return false;
    r.m[3][j] = D3DVAL(moved);
  }
  *inverse = r;
  return true;
}

D3DVECTOR Normalized(const D3DVECTOR& v) {
  const double length = std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
  if (length == 0.0 || !std::isfinite(length)) return {0.0f, 0.0f, 0.0f};
  return {D3DVAL(v.x / length), D3DVAL(v.y / length), D3DVAL(v.z / length)};
}

}  // namespace d3drm

BOOL D3DRMMatrixInvertible(const D3DRMMATRIX4D matrix) {
  d3drm::Matrix4 inverse;
  return d3drm::AffineInverse(d3drm::Matrix4::From(matrix), &inverse);
}
