// Small geometric values: integer points, sizes and rectangles whose coordinates stay within
// -2147483647..2147483647, double-precision vectors (unset: the largest double in each
// component), axis-aligned boxes, spheres, and the position-keyed colour map of the pattern looks.
#pragma once

#include <cfloat>

#include "core/FatalError.h"
#include "platform/framework/Array.h"
#include "platform/framework/Map.h"
#include "platform/framework/Object.h"

class Transform;
struct BoundingSphere;
struct XDPoint;

struct XPoint : POINT {
  static constexpr LONG Min() { return -2147483647; }
  static constexpr LONG Max() { return 2147483647; }

  XPoint(LONG px, LONG py) : POINT{px, py} { AssertValid(); }
  XPoint(const POINT& p) : POINT(p) { AssertValid(); }  // NOLINT
  // Truncates toward zero; each double must lie within Min()..Max().
  explicit XPoint(const XDPoint& a);
  void AssertValid() const;
};

struct XSize : SIZE {
  static constexpr LONG Min() { return XPoint::Min(); }
  static constexpr LONG Max() { return XPoint::Max(); }

  XSize(LONG x, LONG y) : SIZE{x, y} { AssertValid(); }
  void AssertValid() const;
};

struct XRect : RECT {
  XRect(const RECT& r) : RECT(r) { AssertValid(); }  // NOLINT
  // Both corners must be valid points.
  void AssertValid() const;
};

// A pair of doubles; unset (the largest double) when default-constructed.
struct XDPoint {
  double x = DBL_MAX;
  double y = DBL_MAX;
  XDPoint() = default;
  XDPoint(double px, double py) : x(px), y(py) {}
};

// Three floats, converting to the platform's single-precision vector.
struct FloatVector {
  float x, y, z;
  template <class V>
  operator V() const {  // NOLINT
    return V{x, y, z};
  }
};

struct Vector {
  double x, y, z;

  Vector() : x(DBL_MAX), y(DBL_MAX), z(DBL_MAX) {}
  Vector(double px, double py, double pz) : x(px), y(py), z(pz) {}

  Vector operator+(const Vector& v) const { return Vector(x + v.x, y + v.y, z + v.z); }
  double Length() const;
  // Divides by the length, which must not be 0.
  Vector& Normalize();
  // Each component must fit a float.
  FloatVector ToD3DVECTOR() const;
  // Whether each component is finite and fits a float.
  bool FitsD3DVECTOR() const;
};

// Axis-aligned box. The default box is empty: it takes the first point included.
struct BoundingBox {
  Vector min{DBL_MAX, DBL_MAX, DBL_MAX};
  Vector max{-DBL_MAX, -DBL_MAX, -DBL_MAX};

  BoundingBox() = default;
  BoundingBox(const Vector& low, const Vector& high) : min(low), max(high) {}

  void Include(const Vector& p);
  // The sphere around the box: its centre, half the diagonal as radius, and that squared.
  static BoundingSphere GetBoundingSphere(const BoundingBox& box);
  // The box of the eight corners of `box` mapped by `transform`.
  static BoundingBox Transform(const BoundingBox& box, const ::Transform& transform);
  // Whether origin + t·direction meets the box for some t >= 0. An axis along which the ray
  // does not move has no face the ray can cross.
  bool IntersectsRay(const Vector& origin, const Vector& direction) const;
};

struct BoundingSphere {
  Vector center;
  double radius = 0.0;
  double radiusSquared = 0.0;

  bool IntersectsRay(const Vector& origin, const Vector& direction) const;
};

// Key of VertexColorMap: a vertex position. 0.0 and -0.0 are the same position.
struct VertexColorKey {
  float x, y, z;
  bool operator==(const VertexColorKey& k) const { return x == k.x && y == k.y && z == k.z; }
};
UINT HashKey(const VertexColorKey& key);

// Gives vertices at one position the same colour. Never archived.
class VertexColorMap : public CObject, public CMap<VertexColorKey, const VertexColorKey&, DWORD, DWORD> {
  DECLARE_DYNAMIC(VertexColorMap)
 public:
  VertexColorMap(UINT tableSize, int blockSize) : CMap(blockSize) { InitHashTable(tableSize, false); }
  // True when the position is new; false when its colour was replaced.
  bool SetAt(const VertexColorKey& key, DWORD color);
};
