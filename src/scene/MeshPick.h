// The ray test of mesh picking over one group's triangles, in doubles: the nearest front-facing
// triangle that the ray passes through.
#pragma once

#include <cfloat>

#include "core/XPtSzRect.h"
#include "scene/MeshGeometry.h"

struct MeshPick {
  bool hit = false;
  double t = DBL_MAX;  // in units of the direction's length
  Vector point{DBL_MAX, DBL_MAX, DBL_MAX};
  DWORD face = 0;      // the triangle's index in its group
  LONG group = 0;
};

// Tests the triangles of `group` (mesh group `groupIndex`, face normals `normals`) from the last
// to the first and keeps a hit nearer than `best`; of two hits at one distance the one found
// first stays. A triangle with an index past the group's vertices is skipped; the result tells
// whether there was one.
bool PickMeshGroup(const MeshGroupData& group, const D3DVECTOR* normals, const Vector& origin,
                   const Vector& direction, LONG groupIndex, MeshPick& best);
