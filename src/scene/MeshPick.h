// The ray test of mesh picking, in doubles: the nearest front-facing triangle that the ray passes
// through. The triangles are copied once into the order a pick visits them, so that a pick reads
// no mesh data, and kept in short runs, each with the box around it, so that a ray skips the runs
// it cannot meet.
#pragma once

#include <cfloat>
#include <vector>

#include "core/XPtSzRect.h"
#include "scene/MeshGeometry.h"

struct MeshPick {
  bool hit = false;
  double t = DBL_MAX;  // in units of the direction's length
  Vector point{DBL_MAX, DBL_MAX, DBL_MAX};
  DWORD face = 0;      // the triangle's index in its group
  LONG group = 0;
};

class MeshPickData {
 public:
  // Adds the triangles of `group` (mesh group `groupIndex`, face normals `normals`) from the last
  // to the first, after those added before. A triangle with an index past the group's vertices
  // is left out and marks the data damaged.
  void AddGroup(const MeshGroupData& group, const D3DVECTOR* normals, LONG groupIndex);

  // Tests the triangles in the order they were added and keeps a hit nearer than `best`; of two
  // hits at one distance the one found first stays.
  void Pick(const Vector& origin, const Vector& direction, MeshPick& best) const;

  // Whether a triangle was left out for a bad index.
  bool Damaged() const { return damaged; }

 private:
  struct Triangle {
    D3DVECTOR a, b, c;
    D3DVECTOR normal;
    DWORD face;
    LONG group;
  };
  // The box around a run of consecutive triangles; a run with a coordinate beyond the float
  // range has no usable box and is always tested.
  struct Run {
    double lo[3], hi[3];
    double scale;  // the largest coordinate magnitude, for the rounding margin
    bool bounded;
  };

  void Grow(Run& run, const D3DVECTOR& corner) const;

  std::vector<Triangle> triangles;
  std::vector<Run> runs;
  bool damaged = false;
};
