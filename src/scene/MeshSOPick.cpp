#include "core/XMessageBox.h"
#include "scene/MeshSO.h"

BOOL MeshSO::Intersect(const Vector& origin, const Vector& direction, double& distance, Vector& point,
                       D3DRMPICKDESC& desc) {
  if (!mesh || !faceNormals) return 0;
  if (!sphere.IntersectsRay(origin, direction) || !box.IntersectsRay(origin, direction)) return 0;
  const MeshPickData& triangles = pickTriangles.For(mesh, *faceNormals);
  MeshPick best;
  triangles.Pick(origin, direction, best);
  if (triangles.Damaged()) XErrorBox(40233);
  if (!best.hit) return 0;
  distance = best.t;
  point = best.point;
  desc.ulFaceIdx = best.face;
  desc.lGroupIdx = best.group;
  desc.vPosition = best.point.ToD3DVECTOR();
  return 1;
}
