#include "core/XPtSzRect.h"

#include <cmath>
#include <cstring>

#include "core/Transform.h"

IMPLEMENT_DYNAMIC(VertexColorMap, CObject)

XPoint::XPoint(const XDPoint& a) : POINT{0, 0} {
  XASSERT(a.x <= Max() && a.x >= Min() && a.y <= Max() && a.y >= Min(), "");
  x = static_cast<LONG>(a.x);
  y = static_cast<LONG>(a.y);
}

void XPoint::AssertValid() const { XASSERT(x >= Min() && x <= Max() && y >= Min() && y <= Max(), ""); }

void XSize::AssertValid() const { XASSERT(cx >= Min() && cx <= Max() && cy >= Min() && cy <= Max(), ""); }

void XRect::AssertValid() const {
  XPoint(left, top).AssertValid();
  XPoint(right, bottom).AssertValid();
}

double Vector::Length() const { return std::sqrt(x * x + y * y + z * z); }

Vector& Vector::Normalize() {
  double l = Length();
  XASSERT(l != 0.0, "");
  x /= l;
  y /= l;
  z /= l;
  return *this;
}

bool Vector::FitsD3DVECTOR() const { return std::fabs(x) <= FLT_MAX && std::fabs(y) <= FLT_MAX && std::fabs(z) <= FLT_MAX; }

FloatVector Vector::ToD3DVECTOR() const {
  XASSERT(std::fabs( x ) <= FLT_MAX && std::fabs( y ) <= FLT_MAX && std::fabs( z ) <= FLT_MAX, "");
  return FloatVector{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

void BoundingBox::Include(const Vector& p) {
  if (p.x <= min.x) min.x = p.x;
  if (p.y <= min.y) min.y = p.y;
  if (p.z <= min.z) min.z = p.z;
  if (p.x >= max.x) max.x = p.x;
  if (p.y >= max.y) max.y = p.y;
  if (p.z >= max.z) max.z = p.z;
}

bool BoundingBox::IntersectsRay(const Vector& origin, const Vector& direction) const {
  const double Vector::*axes[3] = {&Vector::z, &Vector::y, &Vector::x};
  const Vector* faces[2] = {&min, &max};
  // Faces in the order: min z, y, x, then max z, y, x. A face is hit when the ray reaches its
  // plane at t >= 0 within the box's bounds on the two other axes.
  for (const Vector* face : faces) {
    for (const double Vector::*axis : axes) {
      if (direction.*axis == 0.0) continue;
      double t = (face->*axis - origin.*axis) * (1.0 / direction.*axis);
      if (!(t >= 0.0)) continue;
      bool inside = true;
      for (const double Vector::*other : axes) {
        if (other == axis) continue;
        double at = origin.*other + t * direction.*other;
        inside = inside && at >= min.*other && at <= max.*other;
      }
      if (inside) return true;
    }
  }
  return false;
}

bool BoundingSphere::IntersectsRay(const Vector& origin, const Vector& direction) const {
  Vector v(origin.x - center.x, origin.y - center.y, origin.z - center.z);
  double k = v.x * v.x + v.y * v.y + v.z * v.z - radiusSquared;
  if (k <= 0.0) return true;
  double b = 2.0 * (direction.x * v.x + direction.y * v.y + direction.z * v.z);
  if (b >= 0.0) return false;
  double dd = direction.x * direction.x + direction.y * direction.y + direction.z * direction.z;
  return b * b - 4.0 * dd * k >= 0.0;
}

BoundingSphere BoundingBox::GetBoundingSphere(const BoundingBox& box) {
  BoundingSphere sphere;
  sphere.center = Vector((box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2, (box.min.z + box.max.z) / 2);
  sphere.radius = Vector(box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z).Length() / 2;
  sphere.radiusSquared = sphere.radius * sphere.radius;
  return sphere;
}

namespace {

DWORD Bits(float f) {
  if (f == 0.0f) f = 0.0f;  // -0.0 hashes as 0.0, to which it compares equal
  DWORD bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

}  // namespace

UINT HashKey(const VertexColorKey& key) { return Bits(key.y) + Bits(key.z) + Bits(key.x); }

bool VertexColorMap::SetAt(const VertexColorKey& key, DWORD color) {
  UINT hash;
  if (Assoc* assoc = GetAssocAt(key, hash)) {
    assoc->value = color;
    return false;
  }
  (*this)[key] = color;
  return true;
}
