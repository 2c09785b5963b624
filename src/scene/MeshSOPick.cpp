#include "core/XMessageBox.h"
#include "scene/InstanceMap.h"
#include "scene/MeshSO.h"

void MeshSO::TakeSharersPickTriangles() {
  if (!reference || pickTriangles.Describes(mesh, *faceNormals)) return;
  InstanceList* list = instances.Find(GetName());
  for (POSITION pos = list ? list->GetHeadPosition() : nullptr; pos;) {
    const MeshSO* other = list->GetNext(pos);
    if (other != this && other->mesh == mesh && other->pickTriangles.Describes(mesh, *faceNormals)) {
      pickTriangles = other->pickTriangles;
      return;
    }
  }
}

BOOL MeshSO::Intersect(const Vector& origin, const Vector& direction, double& distance, Vector& point,
                       D3DRMPICKDESC& desc) {
  if (!mesh || !faceNormals) return 0;
  if (!sphere.IntersectsRay(origin, direction) || !box.IntersectsRay(origin, direction)) return 0;
  TakeSharersPickTriangles();
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
