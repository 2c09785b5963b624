#include "scene/GroupSO.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "scene/SceneOwner.h"
#include "scene/MeshSO.h"
#include "scene/SceneServices.h"

IMPLEMENT_SERIAL(GroupSO, SceneObj, VERSIONABLE_SCHEMA | 0)

namespace {

// The groups whose records are being read, outermost first: a child list may not name one of
// them, or the tree would hold a cycle.
std::vector<const GroupSO*> groupsBeingRead;

class ReadingGroup {
 public:
  explicit ReadingGroup(const GroupSO* group) { groupsBeingRead.push_back(group); }
  ~ReadingGroup() { groupsBeingRead.pop_back(); }
  ReadingGroup(const ReadingGroup&) = delete;
  ReadingGroup& operator=(const ReadingGroup&) = delete;
};

// An empty box (a mesh that failed to load) or one of zero size adds nothing to a group's box.
bool AddsNothing(const BoundingBox& b) {
  return (b.max.x == b.min.x && b.max.y == b.min.y && b.max.z == b.min.z) || b.min.x > b.max.x ||
         b.min.y > b.max.y || b.min.z > b.max.z;
}

void Grow(BoundingBox& box, const BoundingBox& b) {
  box.min = Vector(std::min(box.min.x, b.min.x), std::min(box.min.y, b.min.y), std::min(box.min.z, b.min.z));
  box.max = Vector(std::max(box.max.x, b.max.x), std::max(box.max.y, b.max.y), std::max(box.max.z, b.max.z));
}

void ZeroEmptyAxis(double& low, double& high) {
  if (high < low) low = high = 0.0;
}

bool SameBits(const Transform& a, const Transform& b) {
  return std::memcmp(a.m, b.m, sizeof a.m) == 0 && std::memcmp(a.t, b.t, sizeof a.t) == 0;
}

Vector Difference(const Vector& a, const Vector& b) { return Vector(a.x - b.x, a.y - b.y, a.z - b.z); }

template <class T>
POSITION FindOrFail(const XList<Ptr<T>>& list, const Ptr<T>& element) {
  POSITION index = list.Find(element);
  XASSERT(index, "");
  return index;
}

[[noreturn]] void Damaged(CArchive& ar) { AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName); }

}  // namespace

GroupSO::GroupSO() {
  ConstructionPtr<GroupSO> guard(this);
  XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->CreateFrame(NULL, &frame),
                    "XGetApp()->lpD3DRM->CreateFrame( NULL, &frame )");
  XCHECK_D3DRM_TEXT(frame->SetAppData((DWORD_PTR)this), "frame->SetAppData( (DWORD)this )");
  SetTransform(transform);
}

GroupSO::~GroupSO() {
  XASSERT(!parent, "");
  while (!groups.IsEmpty()) RemoveGroup(Ptr<GroupSO>(groups.GetHead()));
  while (!visuals.IsEmpty()) RemoveVisual(Ptr<VisualSO>(visuals.GetHead()));
  while (!lights.IsEmpty()) RemoveLight(Ptr<LightSO>(lights.GetHead()));
  XASSERT(frame->AddRef() == 2 && frame->Release() == 1, "This not only reference");
}

void GroupSO::SetTransform(const Transform& t) {
  if (!SameBits(t, transform)) BoxChanged();
  transform = t;
  inverse = transform.Inverse();
  D3DRMMATRIX4D matrix;
  transform.GetD3DRMMatrix(matrix);
  XCHECK_D3DRM(frame->AddTransform( D3DRMCOMBINE_REPLACE, matrix ));
}

bool GroupSO::IsSelfOrAncestor(const GroupSO* group) const {
  for (const GroupSO* g = this; g; g = g->parent)
    if (g == group) return true;
  return false;
}

void GroupSO::AddGroup(const Ptr<GroupSO>& group) {
  XASSERT(!IsSelfOrAncestor(group), "A group cannot hold itself or its ancestor");
  if (group->parent) group->parent->RemoveGroup(group);
  group->parent = this;
  group->placeInParent = groups.AddTail(group);
  childBoxes.Add(*group);
  BoxChanged();
  XCHECK_D3DRM(frame->AddChild( group->frame ));
  group->SetTransform(group->transform);
}

void GroupSO::AddVisual(const Ptr<VisualSO>& visual) {
  visuals.AddTail(visual);
  visual->holders.push_back(this);
  BoxChanged();
  // A mesh object without a mesh (its file failed to load) has nothing for the frame to show.
  if (IUPtr<IDirect3DRMVisual> shown = visual->GetD3DRMVisual())
    XCHECK_D3DRM_TEXT(frame->AddVisual(shown), "frame->AddVisual( visual->GetD3DRMVisual() )");
}

void GroupSO::AddVisual(const Ptr<MeshSO>& mesh) { AddVisual(Ptr<VisualSO>(mesh)); }

void GroupSO::AddLight(const Ptr<LightSO>& light, SceneOwner* doc) {
  XASSERT(!light->document, "Light is already added to a frame");
  lights.AddTail(light);
  XCHECK_D3DRM(frame->AddLight( light->GetD3DRMLight() ));
  light->document = doc;
  XCHECK_D3DRM(light->GetD3DRMLight()->SetEnableFrame( doc->GetScene()->GetD3DRMFrame() ));
}

void GroupSO::RemoveGroup(const Ptr<GroupSO>& group) {
  XASSERT((GroupSO*)group->GetParent() == this, "");
  group->parent = nullptr;
  groups.RemoveAt(group->placeInParent);
  group->placeInParent = nullptr;
  childBoxes.Remove(*group);
  BoxChanged();
  XCHECK_D3DRM(frame->DeleteChild( group->frame ));
  group->SetTransform(group->transform);
}

void GroupSO::RemoveVisual(const Ptr<VisualSO>& visual) {
  visuals.RemoveAt(FindOrFail(visuals, visual));
  auto& holders = visual->holders;
  holders.erase(std::find(holders.begin(), holders.end(), this));
  BoxChanged();
  if (IUPtr<IDirect3DRMVisual> shown = visual->GetD3DRMVisual())
    XCHECK_D3DRM_TEXT(frame->DeleteVisual(shown), "frame->DeleteVisual( visual->GetD3DRMVisual() )");
}

void GroupSO::RemoveVisual(const Ptr<MeshSO>& mesh) { RemoveVisual(Ptr<VisualSO>(mesh)); }

void GroupSO::RemoveLight(const Ptr<LightSO>& light) {
  lights.RemoveAt(FindOrFail(lights, light));
  XCHECK_D3DRM(frame->DeleteLight( light->GetD3DRMLight() ));
  XASSERT(light->document, "");
  light->document = nullptr;
  XCHECK_D3DRM(light->GetD3DRMLight()->SetEnableFrame( NULL ));
}

Transform GroupSO::GetWorldTransform() const {
  Transform r = transform;
  for (const GroupSO* p = parent; p; p = p->parent) r = p->transform * r;
  return r;
}

Transform GroupSO::GetWorldInverseTransform() const {
  Transform r = inverse;
  for (const GroupSO* p = parent; p; p = p->parent) r = r * p->inverse;
  return r;
}

BOOL GroupSO::Intersect(const Vector& origin, const Vector& direction, PickRecord& result) const {
  Vector d = direction;
  d.Normalize();
  PickRecord best;
  double bestDistance = DBL_MAX;
  for (POSITION pos = visuals.GetHeadPosition(); pos;) {
    VisualSO* visual = visuals.GetNext(pos);
    double distance;
    Vector point;
    D3DRMPICKDESC desc;
    if (!visual->Intersect(origin, d, distance, point, desc)) continue;
    best.picked = 1;
    if (distance < bestDistance) {
      bestDistance = distance;
      best.point = point;
      best.group = const_cast<GroupSO*>(this);
      best.visual = visual;
      best.desc = desc;
    }
  }
  for (POSITION pos = groups.GetHeadPosition(); pos;) {
    const GroupSO* child = groups.GetNext(pos);
    const Vector o = child->inverse.TransformPoint(origin);
    const Vector e = child->inverse.TransformPoint(origin + d);
    // A group placed by a singular transform (a damaged file) has no coordinates to pick in.
    const Vector childDirection = Difference(e, o);
    if (!std::isfinite(childDirection.Length()) || childDirection.Length() == 0.0) continue;
    PickRecord childResult;
    if (!child->Intersect(o, childDirection, childResult)) continue;
    childResult.point = child->transform.TransformPoint(childResult.point);
    // Scales that multiply beyond single precision leave a hit no place a drag could start from.
    if (!childResult.point.FitsD3DVECTOR()) continue;
    const double distance = Difference(childResult.point, origin).Length();
    if (distance < bestDistance) {
      bestDistance = distance;
      best = childResult;
    }
  }
  if (!best.picked) return 0;
  best.desc.vPosition = best.point.ToD3DVECTOR();
  result = best;
  return 1;
}

void GroupSO::SetQualityAll(LONG quality) {
  for (POSITION pos = visuals.GetHeadPosition(); pos;) visuals.GetNext(pos)->SetQuality(quality);
  for (POSITION pos = groups.GetHeadPosition(); pos;) groups.GetNext(pos)->SetQualityAll(quality);
}

void GroupSO::ApplyQualityAll(BOOL firstInstanceOnly) {
  for (POSITION pos = visuals.GetHeadPosition(); pos;) visuals.GetNext(pos)->ApplyQuality(firstInstanceOnly);
  for (POSITION pos = groups.GetHeadPosition(); pos;) groups.GetNext(pos)->ApplyQualityAll(firstInstanceOnly);
}

void GroupSO::SetArtisticAll(LONG texturesOn, LONG style, LONG brushSize, LONG cartoon, const Color& silhouetteColor,
                             DWORD silhouetteWidth, const Color& surfaceColor, DWORD surfaceWidth) {
  for (POSITION pos = visuals.GetHeadPosition(); pos;)
    visuals.GetNext(pos)->SetArtistic(texturesOn, style, brushSize, cartoon, silhouetteColor, silhouetteWidth,
                                      surfaceColor, surfaceWidth);
  for (POSITION pos = groups.GetHeadPosition(); pos;)
    groups.GetNext(pos)->SetArtisticAll(texturesOn, style, brushSize, cartoon, silhouetteColor, silhouetteWidth,
                                        surfaceColor, surfaceWidth);
}

void GroupSO::ReloadTexturesAll(BOOL firstInstanceOnly) {
  for (POSITION pos = visuals.GetHeadPosition(); pos;) visuals.GetNext(pos)->ReloadTextures(firstInstanceOnly);
  for (POSITION pos = groups.GetHeadPosition(); pos;) groups.GetNext(pos)->ReloadTexturesAll(firstInstanceOnly);
}

Ptr<VisualSO> GroupSO::GetFirstVisual() const {
  if (!visuals.IsEmpty()) return visuals.GetAt(visuals.GetHeadPosition());
  for (POSITION pos = groups.GetHeadPosition(); pos;)
    if (Ptr<VisualSO> found = groups.GetNext(pos)->GetFirstVisual()) return found;
  return {};
}

Ptr<VisualSO> GroupSO::FindVisual(IDirect3DRMVisual* visual) const {
  for (POSITION pos = visuals.GetHeadPosition(); pos;) {
    VisualSO* v = visuals.GetNext(pos);
    if (v->GetD3DRMVisual() == visual) return v;
  }
  for (POSITION pos = groups.GetHeadPosition(); pos;)
    if (Ptr<VisualSO> found = groups.GetNext(pos)->FindVisual(visual)) return found;
  return {};
}

BOOL GroupSO::HasMesh() const {
  for (POSITION pos = visuals.GetHeadPosition(); pos;)
    if (ISKINDOF( visuals.GetNext(pos), MeshSO )) return 1;
  for (POSITION pos = groups.GetHeadPosition(); pos;)
    if (groups.GetNext(pos)->HasMesh()) return 1;
  return 0;
}

BoundingBox GroupSO::GetBox(const Transform* t) const {
  BoundingBox box;
  if (!t) {
    childBoxes.GrowInto(box);
  } else {
    for (POSITION pos = groups.GetHeadPosition(); pos;) {
      const GroupSO* child = groups.GetNext(pos);
      const Transform tc = *t * child->transform;
      const BoundingBox cb = child->GetBox(&tc);
      if (!AddsNothing(cb)) Grow(box, cb);
    }
  }
  for (POSITION pos = visuals.GetHeadPosition(); pos;) {
    VisualSO* visual = visuals.GetNext(pos);
    XASSERT(ISKINDOF( visual, MeshSO ), "Add support for visual type");
    const BoundingBox& mb = static_cast<MeshSO*>(visual)->GetBoundingBox();
    if (AddsNothing(mb)) continue;
    Grow(box, t ? BoundingBox::Transform(mb, *t) : mb);
  }
  ZeroEmptyAxis(box.min.x, box.max.x);
  ZeroEmptyAxis(box.min.y, box.max.y);
  ZeroEmptyAxis(box.min.z, box.max.z);
  return box;
}

bool GroupSO::GetPlacedBox(BoundingBox& box) const {
  if (!placedBoxKnown) {
    placedBox = GetBox(&transform);
    placedBoxKnown = true;
  }
  box = placedBox;
  return !AddsNothing(box);
}

void GroupSO::BoxChanged() {
  for (const GroupSO* group = this; group; group = group->parent) {
    group->placedBoxKnown = false;
    if (group->parent) group->parent->childBoxes.Changed(*group);
  }
}

const CString& GroupSO::GetName() const {
  if (Ptr<VisualSO> first = GetFirstVisual()) return first->GetName();
  return name;
}

Ptr<GroupSO> GroupSO::Copy(BOOL unshare) const {
  Ptr<GroupSO> copy = new GroupSO;
  copy->file = file;
  copy->name = GetName();
  copy->SetTransform(transform);
  IUPtr<IDirect3DRMFrameArray> frames;
  IUPtr<IDirect3DRMVisualArray> frameVisuals;
  IUPtr<IDirect3DRMLightArray> frameLights;
  XCHECK_D3DRM(frame->GetChildren( &frames ));
  XCHECK_D3DRM_TEXT(frame->GetVisuals(&frameVisuals), "frame->GetVisuals( &visuals )");
  XCHECK_D3DRM_TEXT(frame->GetLights(&frameLights), "frame->GetLights( &lights )");
  const DWORD numFrames = frames->GetSize();
  const DWORD numVisuals = frameVisuals->GetSize();
  const DWORD numLights = frameLights->GetSize();
  for (POSITION pos = groups.GetHeadPosition(); pos;) copy->AddGroup(groups.GetNext(pos)->Copy(unshare));
  for (POSITION pos = visuals.GetHeadPosition(); pos;)
    copy->AddVisual(visuals.GetNext(pos)->Copy(Ptr<VisualSO>(), unshare));
  for (POSITION pos = lights.GetHeadPosition(); pos;) {
    LightSO* light = lights.GetNext(pos);
    copy->AddLight(light->Copy(), light->document);
  }
  frames = nullptr;
  frameVisuals = nullptr;
  frameLights = nullptr;
  XCHECK_D3DRM(frame->GetChildren( &frames ));
  XCHECK_D3DRM_TEXT(frame->GetVisuals(&frameVisuals), "frame->GetVisuals( &visuals )");
  XCHECK_D3DRM_TEXT(frame->GetLights(&frameLights), "frame->GetLights( &lights )");
  XASSERT_TEXT(numFrames == frames->GetSize(), "numFrames == frames->GetSize()",
               "Somehow the child copy got added as a child of this");
  XASSERT_TEXT(numVisuals == frameVisuals->GetSize(), "numVisuals == visuals->GetSize()",
               "Somehow the child copy got added as a child of this");
  XASSERT_TEXT(numLights == frameLights->GetSize(), "numLights == lights->GetSize()",
               "Somehow the child copy got added as a child of this");
  return copy;
}

void GroupSO::Serialize(CArchive& ar) {
  SceneObj::Serialize(ar);
  RequireNotFromFile(ar);
  SerializeSchema(ar);
  if (ar.IsStoring()) {
    ar << transform << scale.x << scale.y << scale.z;
    ar << static_cast<DWORD>(groups.GetCount());
    for (POSITION pos = groups.GetHeadPosition(); pos;) ar << groups.GetNext(pos);
    ar << static_cast<DWORD>(visuals.GetCount());
    for (POSITION pos = visuals.GetHeadPosition(); pos;) ar << visuals.GetNext(pos);
    ar << static_cast<DWORD>(lights.GetCount());
    for (POSITION pos = lights.GetHeadPosition(); pos;) ar << lights.GetNext(pos);
    return;
  }
  Transform stored;
  ar >> stored;
  SetTransform(stored);
  ar >> scale.x >> scale.y >> scale.z;
  ReadingGroup reading(this);
  LoadChildren(ar);
}

void GroupSO::LoadChildren(CArchive& ar) {
  DWORD count;
  ar >> count;
  for (; count > 0; --count) {
    Ptr<GroupSO> child;
    ar >> child;
    if (!child || std::find(groupsBeingRead.begin(), groupsBeingRead.end(), child) != groupsBeingRead.end() ||
        IsSelfOrAncestor(child))
      Damaged(ar);
    AddGroup(child);
  }
  ar >> count;
  for (; count > 0; --count) {
    Ptr<VisualSO> visual;
    ar >> visual;
    // The bare base kind shows nothing: only a damaged file names it.
    if (!visual || visual->GetRuntimeClass() == RUNTIME_CLASS(VisualSO) || visuals.Find(visual)) Damaged(ar);
    AddVisual(visual);
  }
  ar >> count;
  for (; count > 0; --count) {
    Ptr<LightSO> light;
    ar >> light;
    // A light lights one document's scene from one group; a file that stored no scene has none
    // for it to light.
    SceneOwner* doc = light ? light->TakeStoredDocument() : nullptr;
    if (!doc || !doc->GetScene() || light->document) Damaged(ar);
    AddLight(light, doc);
  }
}
