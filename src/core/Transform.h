// Affine transforms in double precision. Points are row vectors: p maps to p·m + t, the layout of
// the retained-mode 4x4 matrices (rows 0-2 = m, row 3 = t, column 3 = (0, 0, 0, 1)).
#pragma once

#include <cfloat>
#include <limits>

#include "core/FatalError.h"
#include "core/XPtSzRect.h"
#include "platform/framework/Archive.h"

class Transform {
 public:
  double m[3][3];
  double t[3];

  // The identity.
  Transform();
  // Twelve values given as the rows of the column-vector form: x' = a0·x + a1·y + a2·z + a3,
  // y' = a4·x + ... + a7, z' = a8·x + ... + a11.
  Transform(double a0, double a1, double a2, double a3, double a4, double a5, double a6, double a7, double a8,
            double a9, double a10, double a11);
  // From a platform matrix, whose column 3 must be exactly (0, 0, 0, 1).
  explicit Transform(const float (&matrix)[4][4]);
  // The rotation by `angle` radians about `axis` through the origin, as a retained-mode frame
  // turns (left-handed), computed in single precision. The axis must not have length 0.
  Transform(double angle, const Vector& axis);
  // The same rotation about the axis through `point`.
  Transform(double angle, const Vector& axis, const Vector& point);

  void GetD3DRMMatrix(float (&matrix)[4][4]) const;
  bool operator!=(const Transform& other) const;
  // The inverse of any invertible transform (a singular one gives non-finite values).
  Transform Inverse() const;
  // Whether every value is finite and within single precision, the precision of the frames that
  // hold transforms.
  bool FitsSinglePrecision() const;
  // Whether a frame can hold the transform and the 3D layer see through it: it and its inverse fit
  // single precision, and the matrix a frame holds has an inverse in the 3D layer's own single
  // precision (the one it takes of a camera's place). A value near singular in single precision
  // has none, however well double precision inverts it.
  bool InvertibleInSinglePrecision() const;
  Vector TransformPoint(const Vector& p) const;
  // A direction turned and scaled, not moved: exact however far `t` lies.
  Vector TransformDirection(const Vector& d) const;
};

// a * b applies b first, then a.
Transform operator*(const Transform& a, const Transform& b);

// How far a size edit may scale each axis of an object's transform (the length of the axis' row
// of m). Within these bounds the transform and its inverse stay within single precision, which
// reading a scene requires, wherever in the scene the object stands.
constexpr double kSmallestAxisScale = 1e-12;
constexpr double kLargestAxisScale = 1e12;

// The length of row `axis` (0 to 2) of m: how much `t` scales that axis of its local space.
double AxisScale(const Transform& t, int axis);
// A positive `ratio` to scale row `axis` of m by, brought as close to 1 as that row needs to stay
// within the bounds above; a row already beyond them may stay or come back, never go further.
double LimitedAxisRatio(const Transform& t, int axis, double ratio);
// The same for a ratio that scales every row.
double LimitedSizeRatio(const Transform& t, double ratio);

// Twelve doubles: for row i = 2, 1, 0: t[i], m[i][2], m[i][1], m[i][0]. Reading refuses (generic
// archive exception) a transform that is not InvertibleInSinglePrecision, which no frame can hold
// and no view can see through.
CArchive& operator<<(CArchive& ar, const Transform& transform);
CArchive& operator>>(CArchive& ar, Transform& transform);

// The argument types of a viewport's Transform(result*, vector*).
template <class Method>
struct ViewportTransformArgs;
template <class C, class R, class Result, class Input>
struct ViewportTransformArgs<R (C::*)(Result*, Input*)> {
  using ResultType = Result;
  using InputType = Input;
};

// A screen value as a float; beyond the float range it becomes an infinity of its sign.
inline float ScreenFloat(double value) {
  if (value > FLT_MAX) return std::numeric_limits<float>::infinity();
  if (value < -FLT_MAX) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

// Projects the position (first member) of vertices[indices[i]] into out[i].sx, sy, sz and rhw,
// leaving the rest of each record, from the last index to the first.
// Mode 0: through `camera` (mesh to camera space) with depth A - B/z and scale S about the
// centre; a point at camera depth 0 gets infinite coordinates. Mode 1: through `world` and the
// viewport's own Transform; a point whose world position leaves single precision gets them too.
template <class Viewport, class MeshVertex, class ScreenVertex>
void ProjectVertices(Viewport* viewport, const Transform& world, const Transform& camera, const MeshVertex* vertices,
                     const DWORD* indices, DWORD count, ScreenVertex* out, double zOffset, double zScale,
                     double centreX, double centreY, double scale, int mode) {
  for (DWORD i = count; i-- > 0;) {
    const auto& position = vertices[indices[i]].position;
    const Vector p(position.x, position.y, position.z);
    ScreenVertex& o = out[i];
    if (mode == 0) {
      const Vector c = camera.TransformPoint(p);
      if (c.z == 0.0) {
        // A point in the camera's own plane has no place on the screen: it lands nowhere.
        o.sx = o.sy = o.sz = o.rhw = std::numeric_limits<float>::infinity();
        continue;
      }
      const double w = 1.0 / c.z;
      o.sx = ScreenFloat(scale * w * c.x + centreX);
      o.sy = ScreenFloat(centreY - scale * w * c.y);
      o.sz = ScreenFloat(zOffset - zScale * w);
      o.rhw = ScreenFloat(w);
    } else {
      const Vector inWorld = world.TransformPoint(p);
      if (!inWorld.FitsD3DVECTOR()) {
        // Nested scales can carry a point beyond what the viewport takes: it lands nowhere too.
        o.sx = o.sy = o.sz = o.rhw = std::numeric_limits<float>::infinity();
        continue;
      }
      using Args = ViewportTransformArgs<decltype(&Viewport::Transform)>;
      typename Args::InputType vector = inWorld.ToD3DVECTOR();
      typename Args::ResultType result;
      XCHECK_D3DRM(viewport->Transform( &result, &vector ));
      o.sx = result.x / result.w;
      o.sy = result.y / result.w;
      o.sz = result.z / result.w;
      o.rhw = 1.0f / result.w;
    }
  }
}
