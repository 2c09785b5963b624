#include "scene/MeshPick.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Triangles per run: short enough that a ray meets few runs, long enough that the boxes cost
// little next to the triangles they stand for.
constexpr std::size_t kRunLength = 16;

// Room around a run's box. A triangle hit needs the hit point, rounded to floats, within the
// corners' bounds; the hit point itself carries the rounding of o + t d. A margin far above both
// keeps the box test from ever dropping a triangle that the exact test would accept; the least
// float covers a box of zero size.
constexpr double kMargin = 1e-5;
constexpr double kLeastMargin = std::numeric_limits<float>::min();

double Component(const Vector& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
float Component(const D3DVECTOR& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

bool Within(double value, float a, float b, float c) {
  const float v = static_cast<float>(value);
  return v >= std::min({a, b, c}) && v <= std::max({a, b, c});
}

// The plane point P lies within the box of the corners, bounds included, compared as floats.
bool WithinCorners(const Vector& p, const D3DVECTOR& a, const D3DVECTOR& b, const D3DVECTOR& c) {
  return Within(p.x, a.x, b.x, c.x) && Within(p.y, a.y, b.y, c.y) && Within(p.z, a.z, b.z, c.z);
}

// Whether P, a point of the triangle's plane, lies inside triangle ABC, tested in the plane of the
// two coordinates (a, b) that the normal leans on least: the line from A through P must cross the
// edge BC at a point Q not before P.
bool Inside(const Vector& p, const D3DVECTOR& a3, const D3DVECTOR& b3, const D3DVECTOR& c3, const Vector& n) {
  const double nx = std::fabs(n.x), ny = std::fabs(n.y), nz = std::fabs(n.z);
  int first = 0, second = 1;
  if (ny <= nx && nz <= nx)
    first = 1, second = 2;
  else if (ny > nx && nz <= ny)
    first = 0, second = 2;
  const double pa = Component(p, first), pb = Component(p, second);
  const double da = pa - Component(a3, first), db = pb - Component(a3, second);
  if (da == 0 && db == 0) return true;  // P is the corner A
  const double ba = Component(b3, first), bb = Component(b3, second);
  const double ea = Component(c3, first) - ba, eb = Component(c3, second) - bb;
  const double den = db * ea - da * eb;
  if (den == 0) return false;
  const double s = (pa - ba) * db + (bb - pb) * da;
  if (!(s * den >= 0 && std::fabs(s) <= std::fabs(den))) return false;
  const double qa = ba + s / den * ea, qb = bb + s / den * eb;
  if (da > 0) return !(qa < pa);
  if (da < 0) return !(pa < qa);
  if (db > 0) return !(qb < pb);
  return !(pb < qb);
}

// Whether the ray o + t d, t >= 0, meets the box grown by `margin` on every side. Whatever the
// arithmetic cannot decide (a NaN) counts as met.
bool RayMeetsBox(const double o[3], const double d[3], const double lo[3], const double hi[3], double margin) {
  double near = 0, far = std::numeric_limits<double>::infinity();
  for (int axis = 0; axis < 3; ++axis) {
    const double low = lo[axis] - margin, high = hi[axis] + margin;
    if (d[axis] == 0) {
      if (o[axis] < low || o[axis] > high) return false;
      continue;
    }
    double t1 = (low - o[axis]) / d[axis], t2 = (high - o[axis]) / d[axis];
    if (t1 > t2) std::swap(t1, t2);
    near = std::max(near, t1);
    far = std::min(far, t2);
    if (near > far) return false;
  }
  return true;
}

}  // namespace

void MeshPickData::Grow(Run& run, const D3DVECTOR& corner) const {
  for (int axis = 0; axis < 3; ++axis) {
    const double v = Component(corner, axis);
    run.bounded = run.bounded && std::isfinite(v);
    run.lo[axis] = std::min(run.lo[axis], v);
    run.hi[axis] = std::max(run.hi[axis], v);
    run.scale = std::max(run.scale, std::fabs(v));
  }
}

void MeshPickData::AddGroup(const MeshGroupData& group, const D3DVECTOR* normals, LONG groupIndex) {
  for (DWORD f = group.fCount; f-- > 0;) {
    const unsigned* corner = &group.faces[3 * std::size_t{f}];
    if (corner[0] >= group.vCount || corner[1] >= group.vCount || corner[2] >= group.vCount) {
      damaged = true;
      continue;
    }
    const Triangle triangle{group.vertices[corner[0]].position, group.vertices[corner[1]].position,
                            group.vertices[corner[2]].position, normals[f], f, groupIndex};
    if (triangles.size() % kRunLength == 0) {
      constexpr double kInf = std::numeric_limits<double>::infinity();
      runs.push_back({{kInf, kInf, kInf}, {-kInf, -kInf, -kInf}, 0, true});
    }
    for (const D3DVECTOR* c : {&triangle.a, &triangle.b, &triangle.c}) Grow(runs.back(), *c);
    triangles.push_back(triangle);
  }
}

void MeshPickData::Pick(const Vector& o, const Vector& d, MeshPick& best) const {
  const double origin[3] = {o.x, o.y, o.z}, direction[3] = {d.x, d.y, d.z};
  const double originScale = std::max({std::fabs(o.x), std::fabs(o.y), std::fabs(o.z)});
  for (std::size_t r = 0; r < runs.size(); ++r) {
    const Run& run = runs[r];
    if (run.bounded && !RayMeetsBox(origin, direction, run.lo, run.hi, kMargin * (run.scale + originScale) + kLeastMargin))
      continue;
    const std::size_t end = std::min(triangles.size(), (r + 1) * kRunLength);
    for (std::size_t i = r * kRunLength; i < end; ++i) {
      const Triangle& tri = triangles[i];
      const Vector n(tri.normal.x, tri.normal.y, tri.normal.z);
      const double denom = n.x * d.x + n.y * d.y + n.z * d.z;
      if (!(denom < 0)) continue;  // the ray meets the back, or runs along the plane
      const D3DVECTOR &a = tri.a, &b = tri.b, &c = tri.c;
      const double num = (a.x - o.x) * n.x + (a.y - o.y) * n.y + (a.z - o.z) * n.z;
      if (num > 0) continue;  // the plane lies behind the origin
      const double t = num / denom;
      const Vector p(o.x + t * d.x, o.y + t * d.y, o.z + t * d.z);
      if (!WithinCorners(p, a, b, c) || !Inside(p, a, b, c, n)) continue;
      if (t < best.t) {
        best.hit = true;
        best.t = t;
        best.point = p;
        best.face = tri.face;
        best.group = tri.group;
      }
    }
  }
}
