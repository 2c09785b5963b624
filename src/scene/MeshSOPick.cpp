#include "core/XMessageBox.h"
#include "scene/MeshPick.h"
#include "scene/MeshSO.h"

BOOL MeshSO::Intersect(const Vector& origin, const Vector& direction, double& distance, Vector& point,
                       D3DRMPICKDESC& desc) {
  if (!mesh || !faceNormals) return 0;
  if (!sphere.IntersectsRay(origin, direction) || !box.IntersectsRay(origin, direction)) return 0;
  // Face normals are numbered across the groups from the last to the first, as they are read.
  const std::vector<D3DVECTOR>& normals = faceNormals->vectors;
  MeshPick best;
  MeshGroupData group;
  bool damaged = false;
  std::size_t firstFace = 0;
  for (unsigned g = mesh->GetGroupCount(); g-- > 0;) {
    ReadMeshGroup(mesh, static_cast<D3DRMGROUPINDEX>(g), group);
    if (firstFace + group.fCount > normals.size()) break;  // edge data that does not describe this mesh
    damaged |= !PickMeshGroup(group, normals.data() + firstFace, origin, direction, static_cast<LONG>(g), best);
    firstFace += group.fCount;
  }
  if (damaged) XErrorBox(40233);
  if (!best.hit) return 0;
  distance = best.t;
  point = best.point;
  desc.ulFaceIdx = best.face;
  desc.lGroupIdx = best.group;
  desc.vPosition = best.point.ToD3DVECTOR();
  return 1;
}
