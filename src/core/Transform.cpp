#include "core/Transform.h"

#include <algorithm>
#include <cmath>

#include "platform/d3drm/D3DRM.h"

Transform::Transform() : m{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, t{0, 0, 0} {}

Transform::Transform(double a0, double a1, double a2, double a3, double a4, double a5, double a6, double a7,
                     double a8, double a9, double a10, double a11)
    : m{{a0, a4, a8}, {a1, a5, a9}, {a2, a6, a10}}, t{a3, a7, a11} {}

Transform::Transform(const float (&matrix)[4][4]) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) m[i][j] = matrix[i][j];
    t[i] = matrix[3][i];
  }
  XASSERT(matrix[0][3] == 0.0 && matrix[1][3] == 0.0 && matrix[2][3] == 0.0 && matrix[3][3] == 1.0, "");
}

Transform::Transform(double angle, const Vector& axis) {
  Vector unit = axis;
  unit.Normalize();
  const float x = static_cast<float>(unit.x), y = static_cast<float>(unit.y), z = static_cast<float>(unit.z);
  const float theta = static_cast<float>(angle);
  const float c = std::cos(theta), s = std::sin(theta), k = 1.0f - c;
  const float matrix[4][4] = {{k * x * x + c, k * x * y + s * z, k * x * z - s * y, 0.0f},
                              {k * x * y - s * z, k * y * y + c, k * y * z + s * x, 0.0f},
                              {k * x * z + s * y, k * y * z - s * x, k * z * z + c, 0.0f},
                              {0.0f, 0.0f, 0.0f, 1.0f}};
  *this = Transform(matrix);
}

Transform::Transform(double angle, const Vector& axis, const Vector& point) {
  Transform toOrigin, back;
  toOrigin.t[0] = -point.x;
  toOrigin.t[1] = -point.y;
  toOrigin.t[2] = -point.z;
  back.t[0] = point.x;
  back.t[1] = point.y;
  back.t[2] = point.z;
  *this = back * (Transform(angle, axis) * toOrigin);
}

void Transform::GetD3DRMMatrix(float (&matrix)[4][4]) const {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) matrix[i][j] = static_cast<float>(m[i][j]);
    matrix[i][3] = 0.0f;
    matrix[3][i] = static_cast<float>(t[i]);
  }
  matrix[3][3] = 1.0f;
}

bool Transform::operator!=(const Transform& o) const {
  for (int i = 0; i < 3; ++i) {
    if (t[i] != o.t[i]) return true;
    for (int j = 0; j < 3; ++j)
      if (m[i][j] != o.m[i][j]) return true;
  }
  return false;
}

Transform operator*(const Transform& a, const Transform& b) {
  Transform r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) r.m[i][j] = b.m[i][0] * a.m[0][j] + b.m[i][1] * a.m[1][j] + b.m[i][2] * a.m[2][j];
    r.t[i] = b.t[0] * a.m[0][i] + b.t[1] * a.m[1][i] + b.t[2] * a.m[2][i] + a.t[i];
  }
  return r;
}

double AxisScale(const Transform& t, int axis) {
  const double* row = t.m[axis];
  return std::sqrt(row[0] * row[0] + row[1] * row[1] + row[2] * row[2]);
}

double LimitedAxisRatio(const Transform& t, int axis, double ratio) {
  const double scale = AxisScale(t, axis);
  if (ratio > 1.0 && scale * ratio > kLargestAxisScale) return std::max(1.0, kLargestAxisScale / scale);
  if (ratio < 1.0 && scale * ratio < kSmallestAxisScale) return std::min(1.0, kSmallestAxisScale / scale);
  return ratio;
}

double LimitedSizeRatio(const Transform& t, double ratio) {
  // Each limit only brings the ratio closer to 1, which keeps the earlier rows within theirs.
  for (int axis = 0; axis < 3; ++axis) ratio = LimitedAxisRatio(t, axis, ratio);
  return ratio;
}

Transform Transform::Inverse() const {
  const double m00 = m[0][0], m01 = m[0][1], m02 = m[0][2];
  const double m10 = m[1][0], m11 = m[1][1], m12 = m[1][2];
  const double m20 = m[2][0], m21 = m[2][1], m22 = m[2][2];
  const double det = m00 * (m11 * m22 - m12 * m21) - m10 * (m01 * m22 - m02 * m21) + m20 * (m01 * m12 - m02 * m11);
  const double k = 1.0 / det;
  Transform r;
  r.m[0][0] = (m11 * m22 - m12 * m21) * k;
  r.m[0][1] = (m02 * m21 - m01 * m22) * k;
  r.m[0][2] = (m01 * m12 - m02 * m11) * k;
  r.m[1][0] = (m12 * m20 - m10 * m22) * k;
  r.m[1][1] = (m00 * m22 - m02 * m20) * k;
  r.m[1][2] = (m02 * m10 - m00 * m12) * k;
  r.m[2][0] = (m10 * m21 - m11 * m20) * k;
  r.m[2][1] = (m01 * m20 - m00 * m21) * k;
  r.m[2][2] = (m00 * m11 - m01 * m10) * k;
  for (int j = 0; j < 3; ++j) r.t[j] = -(t[0] * r.m[0][j] + t[1] * r.m[1][j] + t[2] * r.m[2][j]);
  return r;
}

Vector Transform::TransformPoint(const Vector& p) const {
  const Vector turned = TransformDirection(p);
  return Vector(turned.x + t[0], turned.y + t[1], turned.z + t[2]);
}

Vector Transform::TransformDirection(const Vector& d) const {
  return Vector(d.x * m[0][0] + d.y * m[1][0] + d.z * m[2][0], d.x * m[0][1] + d.y * m[1][1] + d.z * m[2][1],
                d.x * m[0][2] + d.y * m[1][2] + d.z * m[2][2]);
}

CArchive& operator<<(CArchive& ar, const Transform& x) {
  for (int i = 2; i >= 0; --i) ar << x.t[i] << x.m[i][2] << x.m[i][1] << x.m[i][0];
  return ar;
}

bool Transform::FitsSinglePrecision() const {
  for (int i = 0; i < 3; ++i) {
    if (!(std::fabs(t[i]) <= FLT_MAX)) return false;
    for (int j = 0; j < 3; ++j)
      if (!(std::fabs(m[i][j]) <= FLT_MAX)) return false;
  }
  return true;
}

bool Transform::InvertibleInSinglePrecision() const {
  if (!FitsSinglePrecision() || !Inverse().FitsSinglePrecision()) return false;
  float matrix[4][4];
  GetD3DRMMatrix(matrix);
  return D3DRMMatrixInvertible(matrix);
}

CArchive& operator>>(CArchive& ar, Transform& x) {
  Transform read;
  for (int i = 2; i >= 0; --i) ar >> read.t[i] >> read.m[i][2] >> read.m[i][1] >> read.m[i][0];
  if (!read.InvertibleInSinglePrecision())
    AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  x = read;
  return ar;
}

BoundingBox BoundingBox::Transform(const BoundingBox& box, const ::Transform& transform) {
  BoundingBox result;
  for (int corner = 0; corner < 8; ++corner) {
    Vector p((corner & 1 ? box.max : box.min).x, (corner & 2 ? box.max : box.min).y, (corner & 4 ? box.max : box.min).z);
    result.Include(transform.TransformPoint(p));
  }
  return result;
}
