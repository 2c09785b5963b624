// MeshSO: shared instances ("Edit all copies"): joining, leaving and entering a name's list,
// renaming, switching sharing on and off, and reloading while keeping the look and the sharing.
#include <vector>

#include "core/DeepCopy.h"
#include "core/FatalError.h"
#include "scene/GroupSO.h"
#include "scene/InstanceMap.h"
#include "scene/MeshSO.h"

namespace {

std::vector<MeshSO*> Members(const InstanceList& list) {
  std::vector<MeshSO*> members;
  for (POSITION pos = list.GetHeadPosition(); pos;) members.push_back(list.GetNext(pos));
  return members;
}

// `holder` takes the shared arrays unless it holds them already.
void Share(Ptr<RefArray>& holder, const Ptr<RefArray>& shared) {
  if (!(holder == shared)) holder = shared;
}

}  // namespace

InstanceList* MeshSO::SharedList(const char* description) const {
  if (!reference || error != none || !mesh) return nullptr;
  InstanceList* list = instances.Find(GetName());
  XASSERT_TEXT(list, "list", description);
  return list;
}

bool MeshSO::IsFirstInstance() const {
  InstanceList* list = SharedList("Supposed to be in list");
  return !list || list->GetHead() == this;
}

bool MeshSO::JoinInstance() {
  InstanceList* list = instances.Find(GetName());
  if (!list || list->IsEmpty() || (list->GetCount() == 1 && list->GetHead() == this)) return false;
  MeshSO* source = list->GetHead() == this ? list->GetTail() : list->GetHead();
  source->Copy(Ptr<VisualSO>(this), FALSE);
  return true;
}

void MeshSO::LeaveInstanceList() {
  InstanceList* list = instances.Find(GetName());
  if (!list) return;
  if (POSITION pos = FindInstance(*list, this)) list->RemoveAt(pos);
  if (list->IsEmpty()) instances.Remove(GetName());
}

void MeshSO::EnterInstanceList() {
  InstanceList& list = instances[GetName()];
  if (!list.Find(this)) list.AddTail(this);
}

void MeshSO::Reload() {
  InstanceList* list = SharedList("Supposed to be in list");
  const bool several = list && list->GetCount() > 1;
  // A mesh of its own for the time of the load: the object neither joins, leaves nor enters.
  if (several) reference = 0;

  const BOOL keptTexturesOn = texturesOn;
  const BOOL keptCartoon = cartoon;
  const Color keptSilhouette = silhouetteColor;
  const Color keptSurface = surfaceColor;
  const BOOL keptTwoSided = twoSided;
  XList<Material> keptTex, keptUntex;
  DeepCopy(texMats).CopyTo(keptTex);
  DeepCopy(untexMats).CopyTo(keptUntex);

  Load();
  if (error != none) {
    // The load took the object out of its list; it keeps its choice to share.
    if (several) reference = 1;
    return;
  }
  texturesOn = keptTexturesOn;
  cartoon = keptCartoon;
  silhouetteColor = keptSilhouette;
  surfaceColor = keptSurface;
  twoSided = keptTwoSided;
  OverwriteByName(keptTex, texMats);
  OverwriteByName(keptUntex, untexMats);
  SyncGroupMaterials(0, texturesOn);

  if (several) {
    reference = 1;
    // Every sharer takes the new mesh and its cartoon data with their counts.
    for (MeshSO* other : Members(*instances.Find(GetName()))) {
      if (other == this) continue;
      other->mesh = nullptr;
      other->mesh = mesh;
      Share(other->faceNormals, faceNormals);
      Share(other->weldMap, weldMap);
      Share(other->surfEdges, surfEdges);
      Share(other->surfEdgeFaces, surfEdgeFaces);
      other->numShared = numShared;
      other->numEdges = numEdges;
    }
    XCHECK_D3DRM_TEXT(mesh->SetAppData(reference ? MULTIPLY_REFERENCED_BY_MESHSO : (DWORD_PTR)this),
                      "mesh->SetAppData( reference ? MULTIPLY_REFERENCED_BY_MESHSO : (DWORD)this )");
  }
}

void MeshSO::SetName(const CString& newName) {
  if (newName == GetName()) return;
  if (InstanceList* list = SharedList("Supposed to be in list")) {
    const std::vector<MeshSO*> members = Members(*list);
    if (InstanceList* target = instances.Find(newName)) {
      // Every object of the old name becomes a copy of the new name's first object.
      MeshSO* first = target->GetHead();
      for (MeshSO* member : members) first->Copy(Ptr<VisualSO>(member), FALSE);
    } else {
      instances.Remove(GetName());
      InstanceList& moved = instances[newName];
      for (MeshSO* member : members) {
        member->name = newName;
        moved.AddTail(member);
      }
    }
  }
  name = newName;
}

void MeshSO::SetEditAllCopies(BOOL flag, Ptr<GroupSO> parentGroup) {
  XASSERT_TEXT(parentGroup && parentGroup->IsKindOf(RUNTIME_CLASS(GroupSO)), "ISKINDOF( _parent, GroupSO )", "");
  if (flag == reference) return;
  if (error == none && mesh) {
    if (!flag) {
      InstanceList* list = SharedList("Supposed to be in list");
      if (list->GetCount() > 1) {
        // A private copy of the shared mesh, shown where this object was shown.
        const Ptr<MeshSO> self(this);
        parentGroup->RemoveVisual(self);
        mesh = nullptr;
        MeshSO* other = list->GetHead() == this ? list->GetTail() : list->GetHead();
        other->Copy(Ptr<VisualSO>(this), TRUE);
        parentGroup->AddVisual(self);
      }
      LeaveInstanceList();
    } else if (InstanceList* list = instances.Find(GetName())) {
      list->GetHead()->Copy(Ptr<VisualSO>(this), FALSE);
    } else {
      XASSERT_TEXT(!instances[GetName()].Find(this), "!Find( a )", "Already exists");
      instances[GetName()].AddTail(this);
    }
  }
  reference = flag;
}

Ptr<MeshSO> MeshSO::LookupInstance(const CString& instanceName) {
  InstanceList* list = instances.Find(instanceName);
  return list && !list->IsEmpty() ? Ptr<MeshSO>(list->GetHead()) : Ptr<MeshSO>();
}

BOOL MeshSO::IsSameAs(const MeshSO& other) const {
  const auto same = [](const Vector& a, const Vector& b) { return a.x == b.x && a.y == b.y && a.z == b.z; };
  return error == other.error && IsFromFile() && GetFile() == other.GetFile() && same(box.min, other.box.min) &&
         same(box.max, other.box.max) && same(sphere.center, other.sphere.center) && sphere.radius == other.sphere.radius &&
         quality == other.quality && style == other.style && brushSize == other.brushSize &&
         texturesOn == other.texturesOn && texturesLoaded == other.texturesLoaded && cartoon == other.cartoon &&
         silhouetteColor == other.silhouetteColor && surfaceColor == other.surfaceColor &&
         silhouetteWidth == other.silhouetteWidth && surfaceWidth == other.surfaceWidth &&
         SameMaterials(texMats, other.texMats) && SameMaterials(untexMats, other.untexMats);
}

bool MeshSO::SameMaterials(const XList<Material>& a, const XList<Material>& b) {
  if (a.GetCount() != b.GetCount()) return false;
  POSITION pa = a.GetHeadPosition(), pb = b.GetHeadPosition();
  while (pa)
    if (a.GetNext(pa) != b.GetNext(pb)) return false;
  return true;
}
