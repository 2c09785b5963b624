#include "scene/MeshPick.h"

#include <algorithm>
#include <cmath>

namespace {

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

}  // namespace

bool PickMeshGroup(const MeshGroupData& group, const D3DVECTOR* normals, const Vector& o, const Vector& d,
                   LONG groupIndex, MeshPick& best) {
  bool badIndex = false;
  for (DWORD f = group.fCount; f-- > 0;) {
    const unsigned* corner = &group.faces[3 * std::size_t{f}];
    if (corner[0] >= group.vCount || corner[1] >= group.vCount || corner[2] >= group.vCount) {
      badIndex = true;
      continue;
    }
    const Vector n(normals[f].x, normals[f].y, normals[f].z);
    const double denom = n.x * d.x + n.y * d.y + n.z * d.z;
    if (!(denom < 0)) continue;  // the ray meets the back, or runs along the plane
    const D3DVECTOR &a = group.vertices[corner[0]].position, &b = group.vertices[corner[1]].position,
                    &c = group.vertices[corner[2]].position;
    const double num = (a.x - o.x) * n.x + (a.y - o.y) * n.y + (a.z - o.z) * n.z;
    if (num > 0) continue;  // the plane lies behind the origin
    const double t = num / denom;
    const Vector p(o.x + t * d.x, o.y + t * d.y, o.z + t * d.z);
    if (!WithinCorners(p, a, b, c) || !Inside(p, a, b, c, n)) continue;
    if (t < best.t) {
      best.hit = true;
      best.t = t;
      best.point = p;
      best.face = f;
      best.group = groupIndex;
    }
  }
  return !badIndex;
}
