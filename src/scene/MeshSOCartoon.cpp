#include <algorithm>
#include <cmath>

#include "scene/CartoonEdges.h"
#include "scene/CartoonLines.h"
#include "scene/InstanceMap.h"
#include "scene/MeshGeometry.h"
#include "scene/MeshSO.h"

namespace {

// Drops a holder only this object uses; a shared one keeps existing, empty, for every sharer.
void DropHolder(Ptr<RefArray>& holder) {
  if (!holder) return;
  if (holder->GetCount() <= 1)
    holder = nullptr;
  else
    holder->Free();
}

// Outcode bits of a projected box corner.
constexpr int kLeft = 32, kRight = 16, kAbove = 8, kBelow = 4, kBehindEye = 2, kBeyondBack = 1;

}  // namespace

void MeshSO::BuildCartoonEdges() {
  XASSERT_TEXT(!groupMats.IsEmpty(), "!groupMats.IsEmpty()", "Set up 'groupMats' before calling this");
  if (!mesh) {
    for (Ptr<RefArray>* holder : {&faceNormals, &weldMap, &surfEdges, &surfEdgeFaces}) DropHolder(*holder);
    return;
  }
  for (Ptr<RefArray>* holder : {&faceNormals, &weldMap, &surfEdges, &surfEdgeFaces}) {
    if (*holder) continue;
    InstanceList* list = nullptr;
    XASSERT_TEXT(!reference || error != none || (list = instances.Find(GetName())) == NULL || list->GetCount() == 1,
                 "!reference || error != none || (list = instances.Lookup( GetName() )) == NULL || "
                 "list->GetCount() == 1",
                 "Should already have been done for multiple references");
    *holder = new RefArray;
  }

  // Part indices are listed from the last group to the first, the order the groups are read in.
  const unsigned count = mesh->GetGroupCount();
  std::vector<MeshGroupData> read(count);
  std::vector<CartoonGroup> groups(count);
  POSITION part = groupParts.GetHeadPosition();
  for (unsigned g = count; g-- > 0;) {
    ReadMeshGroup(mesh, static_cast<D3DRMGROUPINDEX>(g), read[g], kCartoonBuildReadTexts);
    groups[g] = {read[g].vertices.data(), read[g].vCount, read[g].faces.data(), read[g].fCount,
                 part ? groupParts.GetNext(part) : WORD{0}};
  }
  CartoonEdgeData built = BuildCartoonEdgeData(groups);
  faceNormals->vectors = std::move(built.faceNormals);
  weldMap->words = std::move(built.weldMap);
  surfEdges->words = std::move(built.surfEdges);
  surfEdgeFaces->words = std::move(built.surfEdgeFaces);
  numShared = static_cast<LONG>(built.numShared);
  numEdges = static_cast<LONG>(built.numEdges);

  // Objects sharing the arrays read them with their own counts, which must describe them.
  if (!reference || error != none) return;
  if (InstanceList* list = instances.Find(GetName()))
    for (POSITION pos = list->GetHeadPosition(); pos;) {
      MeshSO* other = list->GetNext(pos);
      if (other != this && other->weldMap == weldMap) {
        other->numShared = numShared;
        other->numEdges = numEdges;
      }
    }
}

void MeshSO::DrawCartoonLines(IUPtr<IDirect3DRMDevice> device, IUPtr<IDirect3DRMViewport> viewport,
                              const Transform& toWorld, const Transform& toLocal, double widthScale) {
  if (!cartoon || (silhouetteWidth == 0 && surfaceWidth == 0)) return;
  // An object whose mesh could not be loaded has nothing to outline.
  if (!mesh || !faceNormals || !weldMap || !surfEdges || !surfEdgeFaces) return;
  const double silhouette = silhouetteWidth * widthScale, surface = surfaceWidth * widthScale;

  IUPtr<IDirect3DRMFrame> camera;
  XCHECK_D3DRM(viewport->GetCamera( &camera ));
  D3DRMMATRIX4D matrix;
  XCHECK_D3DRM(camera->GetTransform( matrix ));
  const Transform cameraToWorld(matrix);
  const Transform meshToCamera = cameraToWorld.Inverse() * toWorld;
  const Vector eye = toLocal.TransformPoint(Vector(cameraToWorld.t[0], cameraToWorld.t[1], cameraToWorld.t[2]));
  const Vector ahead = toLocal.TransformPoint(cameraToWorld.TransformPoint(Vector(0, 0, 1)));
  Vector direction(ahead.x - eye.x, ahead.y - eye.y, ahead.z - eye.z);
  // An eye beyond single precision in the mesh's own space (a tiny object seen from afar) or
  // one whose sight is lost in rounding leaves no outline to draw.
  if (!eye.FitsD3DVECTOR() || !direction.FitsD3DVECTOR() || direction.Length() == 0.0) return;
  direction.Normalize();

  const LONG left = viewport->GetX(), top = viewport->GetY();
  const LONG width = static_cast<LONG>(viewport->GetWidth()), height = static_cast<LONG>(viewport->GetHeight());
  const double front = viewport->GetFront(), back = viewport->GetBack(), field = viewport->GetField();
  const double a = back / (back - front);
  const CartoonProjection projection{a, a * front, width * 0.5, height * 0.5,
                                     std::max(width * 0.5, height * 0.5) / field * front, front};
  const bool orthographic = viewport->GetProjection() == D3DRMPROJECT_ORTHOGRAPHIC;

  // The box test, against the viewport shrunk by the wider line on every side.
  if (box.min.x > box.max.x || box.min.y > box.max.y || box.min.z > box.max.z) return;
  const LONG m = static_cast<LONG>(std::max(silhouette, surface));
  const float insetLeft = static_cast<float>(left + m), insetRight = static_cast<float>(left + width - 1 - m);
  const float insetTop = static_cast<float>(top + m), insetBottom = static_cast<float>(top + height - 1 - m);
  D3DRMVERTEX corners[8] = {};
  const DWORD cornerIndices[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  for (int c = 0; c < 8; ++c) {
    const Vector p((c & 1 ? box.max : box.min).x, (c & 2 ? box.max : box.min).y, (c & 4 ? box.max : box.min).z);
    corners[c].position = p.ToD3DVECTOR();
  }
  D3DTLVERTEX projected[8] = {};
  IDirect3DRMViewport* view = viewport;
  ProjectVertices(view, toWorld, meshToCamera, corners, cornerIndices, 8, projected, projection.zOffset,
                  projection.zScale, projection.centreX, projection.centreY, projection.scale, orthographic ? 1 : 0);
  int all = ~0, any = 0;
  for (int c = 0; c < 8; ++c) {
    const D3DTLVERTEX& s = projected[c];
    const D3DVECTOR& p = corners[c].position;
    int code = 0;
    if (s.sx < insetLeft) code |= kLeft;
    if (s.sx > insetRight) code |= kRight;
    if (s.sy < insetTop) code |= kAbove;
    if (s.sy > insetBottom) code |= kBelow;
    if ((p.x - eye.x) * direction.x + (p.y - eye.y) * direction.y + (p.z - eye.z) * direction.z <= 0) code |= kBehindEye;
    if (!(s.sz < 1.0f)) code |= kBeyondBack;
    all &= code;
    any |= code;
  }
  if (all != 0) return;
  const BOOL allInside = any == 0;

  MeshGeometry geometry = GatherMeshGeometry(mesh);
  const DWORD vCount = geometry.VertexCount(), fCount = geometry.FaceCount();
  // Edge data that does not describe this mesh (a rebuild went wrong) draws nothing.
  if (faceNormals->vectors.size() != fCount || weldMap->words.size() != vCount) return;
  const D3DVECTOR viewer = eye.ToD3DVECTOR(), towards = direction.ToD3DVECTOR();
  if (silhouette != 0)
    ::DrawCartoonLines(device, viewport, toWorld, meshToCamera, viewer, towards, geometry.vertices.data(),
                       geometry.faces.data(), faceNormals->vectors.data(), weldMap->words.data(),
                       static_cast<DWORD>(numShared), vCount, fCount, silhouette, silhouetteColor.GetD3DCOLOR(),
                       allInside, projection);
  if (surface != 0 && numEdges > 0 && surfEdges->words.size() >= 4 * std::size_t(numEdges) &&
      surfEdgeFaces->words.size() >= 2 * std::size_t(numEdges))
    DrawCartoonQuads(device, viewport, toWorld, meshToCamera, viewer, towards, geometry.vertices.data(),
                     faceNormals->vectors.data(), vCount, surfEdges->words.data(), surfEdgeFaces->words.data(),
                     static_cast<DWORD>(numEdges), surface, surfaceColor.GetD3DCOLOR(), allInside, projection);
}
