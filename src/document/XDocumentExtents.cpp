// The scene box, what follows when it changes, and the two auxiliary groups: the ground under the
// scene and the cylinder fitted around the one selected group in the rotate-about mode.
#include <cmath>

#include "core/Globals.h"
#include "document/XDocument.h"
#include "platform/framework/View.h"
#include "scene/MeshSO.h"

namespace {

constexpr double kEmptyGroundHalfSize = 0.125;

bool IsPointBox(const BoundingBox& b) { return b.min.x == b.max.x && b.min.y == b.max.y && b.min.z == b.max.z; }

bool SameBox(const BoundingBox& a, const BoundingBox& b) {
  return a.min.x == b.min.x && a.min.y == b.min.y && a.min.z == b.min.z && a.max.x == b.max.x &&
         a.max.y == b.max.y && a.max.z == b.max.z;
}

Vector Centre(const BoundingBox& b) {
  return Vector((b.min.x + b.max.x) / 2, (b.min.y + b.max.y) / 2, (b.min.z + b.max.z) / 2);
}

Vector Minus(const Vector& a, const Vector& b) { return Vector(a.x - b.x, a.y - b.y, a.z - b.z); }

Transform Translation(const Vector& d) { return Transform(1, 0, 0, d.x, 0, 1, 0, d.y, 0, 0, 1, d.z); }
Transform Scaling(double x, double y, double z) { return Transform(x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0); }

bool UsableScale(double s) { return std::isfinite(s) && s != 0.0; }

// A mesh's own, untransformed box.
BoundingBox MeshBox(MeshSO& mesh) { return mesh.GetBoundingBox(); }

}  // namespace

BoundingBox XDocument::GetSceneBox() {
  const BOOL cylinder = IsRotObjAboutCylShown();
  const BOOL hasGround = HasGround();
  if (cylinder) scene->RemoveGroup(rotObjAboutCyl);
  if (hasGround) scene->RemoveGroup(ground);
  const BoundingBox box = scene->GetBox(nullptr);
  if (cylinder) scene->AddGroup(rotObjAboutCyl);
  if (hasGround) scene->AddGroup(ground);
  return box;
}

// A group is in the root's list exactly while the root is its parent.
BOOL XDocument::IsRotObjAboutCylShown() const { return rotObjAboutCyl && rotObjAboutCyl->GetParent() == scene; }
BOOL XDocument::HasGround() const { return ground && ground->GetParent() == scene; }

void XDocument::OnSceneExtentChanged(BOOL update) {
  const BoundingBox box = GetSceneBox();
  const BOOL track = Globals::GetTrackSceneExtents();
  const BOOL groundTrack = Globals::GetGroundTrackSceneExtents();
  const bool changed = !SameBox(box, cachedSceneBox) || track != cachedTrackSceneExtents ||
                       (groundTrack != cachedGroundTrackSceneExtents && HasGround());
  if (!changed) return;
  if (track) {
    for (POSITION pos = GetFirstViewPosition(); pos;) {
      auto* view = dynamic_cast<CameraView*>(GetNextView(pos));
      if (!view || view->GetCameraFields().windowKind == 0) continue;
      view->ShowEntireScene(box);
      if (update) view->OnUpdateAfterFit();
    }
  }
  if (groundTrack && HasGround()) {
    RemoveGround(FALSE);
    AddGround(update);
  }
  cachedSceneBox = box;
  cachedTrackSceneExtents = track;
  cachedGroundTrackSceneExtents = groundTrack;
}

void XDocument::AddGround(BOOL update) {
  XASSERT_TEXT(!HasGround(), "scene->GetGroups().Find( ground ) == NULL", "");
  XASSERT_TEXT(GetDocumentApp().GetShowGround(), "XGetApp()->GetShowGround()", "");
  scene->AddGroup(ground);
  Ptr<MeshSO> mesh = GetDocumentApp().GetGroundMesh();
  ground->AddVisual(mesh);
  const BoundingBox meshBox = MeshBox(*mesh);
  XASSERT_TEXT(meshBox.max.x - meshBox.min.x == 1.0 && meshBox.max.z - meshBox.min.z == 1.0 &&
                   meshBox.max.y - meshBox.min.y < 1.0,
               "planar", "Expected planar mesh along xz plane");
  BoundingBox box = GetSceneBox();
  if (IsPointBox(box))
    box = BoundingBox(Vector(-kEmptyGroundHalfSize, 0, -kEmptyGroundHalfSize),
                      Vector(kEmptyGroundHalfSize, 0, kEmptyGroundHalfSize));
  // A scene flat along x or z still gets a ground of the empty scene's extent on that axis.
  double sx = (box.max.x - box.min.x) / (meshBox.max.x - meshBox.min.x);
  double sz = (box.max.z - box.min.z) / (meshBox.max.z - meshBox.min.z);
  if (sx == 0.0) sx = 2 * kEmptyGroundHalfSize;
  if (sz == 0.0) sz = 2 * kEmptyGroundHalfSize;
  const Vector centre = Centre(box);
  ground->SetTransform(Translation(Vector(centre.x, 0, centre.z)) * Scaling(sx, 1.0, sz) *
                       Translation(Minus(Vector(0, 0, 0), Centre(meshBox))));
  if (update) UpdateViews(0, nullptr);
}

void XDocument::RemoveGround(BOOL update) {
  XASSERT_TEXT(HasGround(), "scene->GetGroups().Find( ground ) != NULL", "");
  scene->RemoveGroup(ground);
  ground->RemoveVisual(GetDocumentApp().GetGroundMesh());
  if (update) UpdateViews(0, nullptr);
}

// Each showing scales and moves the transform of the previous one, which gives the same fit. A
// group without extent leaves the transform as it was, so it never becomes singular.
void XDocument::AddRotObjAboutCyl(BOOL update) {
  XASSERT_TEXT(selection.GetCount() == 1, "GetSelectedCount() == 1", "");
  XASSERT_TEXT(!IsRotObjAboutCylShown(), "scene->GetGroups().Find( rotObjAboutCyl ) == NULL", "");
  XASSERT_TEXT(GetDocumentApp().GetInteractiveMode() == kRotateObjectAboutMode,
               "XGetApp()->GetInteractiveMode() == XApp::rotateObjectAbout", "");
  scene->AddGroup(rotObjAboutCyl);
  Ptr<MeshSO> mesh = GetDocumentApp().GetCylinderMesh();
  rotObjAboutCyl->AddVisual(mesh);

  const BoundingBox meshBox = MeshBox(*mesh);
  const double dx = meshBox.max.x - meshBox.min.x, dy = meshBox.max.y - meshBox.min.y,
               dz = meshBox.max.z - meshBox.min.z;
  Vector axis = dy <= dx ? (dz <= dx ? Vector(dx, 0, 0) : Vector(0, 0, dz))
                         : (dz <= dy ? Vector(0, dy, 0) : Vector(0, 0, dz));
  const Transform world = rotObjAboutCyl->GetWorldTransform();
  const double len = Minus(world.TransformPoint(axis), world.TransformPoint(Vector(0, 0, 0))).Length();
  const Ptr<GroupSO> selected = selection.GetHead();
  const Transform selectedWorld = selected->GetWorldTransform();
  const BoundingBox selectedBox = selected->GetBox(&selectedWorld);
  const double diag = Minus(selectedBox.max, selectedBox.min).Length();
  const double s = (diag / 2) * 2 / len;
  if (UsableScale(diag) && UsableScale(len) && UsableScale(s)) {
    rotObjAboutCyl->SetTransform(rotObjAboutCyl->GetTransform() * Scaling(s, s, s));
    const Transform cylinderWorld = rotObjAboutCyl->GetWorldTransform();
    const Vector d = Minus(Centre(selectedBox), Centre(rotObjAboutCyl->GetBox(&cylinderWorld)));
    rotObjAboutCyl->SetTransform(Translation(d) * rotObjAboutCyl->GetTransform());
  }
  if (update) UpdateViews(0, nullptr);
}

void XDocument::RemoveRotObjAboutCyl(BOOL update) {
  XASSERT_TEXT(IsRotObjAboutCylShown(), "scene->GetGroups().Find( rotObjAboutCyl ) != NULL", "");
  scene->RemoveGroup(rotObjAboutCyl);
  rotObjAboutCyl->RemoveVisual(GetDocumentApp().GetCylinderMesh());
  if (update) UpdateViews(0, nullptr);
}

void XDocument::OnInteractiveModeChanged() {
  if (!IsRotObjAboutCylShown()) {
    if (WantsRotObjAboutCyl()) AddRotObjAboutCyl(TRUE);
    return;
  }
  XASSERT_TEXT(GetDocumentApp().GetInteractiveMode() != kRotateObjectAboutMode,
               "XGetApp()->GetInteractiveMode() != XApp::rotateObjectAbout", "");
  RemoveRotObjAboutCyl(TRUE);
}

void XDocument::OnShowGroundChanged() {
  if (!HasGround()) {
    if (GetDocumentApp().GetShowGround()) AddGround(TRUE);
    return;
  }
  XASSERT_TEXT(!GetDocumentApp().GetShowGround(), "!XGetApp()->GetShowGround()", "");
  RemoveGround(TRUE);
}
