// MeshSO: the two lists of part looks, merged by part name, shared by same-named objects with
// "Edit all copies", and put onto the mesh groups of each part.
#include "core/DeepCopy.h"
#include "core/FatalError.h"
#include "scene/InstanceMap.h"
#include "scene/MeshSO.h"

namespace {

// Into an empty list the whole given list; otherwise each given Material overwrites the first
// same-named entry, unknown names dropped, the order kept. False when the lists were equal.
bool Merge(const XList<Material>& given, XList<Material>& mats) {
  if (MeshSO::SameMaterials(given, mats)) return false;
  if (mats.IsEmpty()) {
    DeepCopy(const_cast<XList<Material>&>(given)).CopyTo(mats);
  } else {
    MeshSO::OverwriteByName(given, mats);
  }
  return true;
}

void Apply(IUPtr<IDirect3DRMMesh> mesh, const XList<GroupIndexList>& groupMats, const XList<Material>& mats) {
  POSITION part = groupMats.GetHeadPosition();
  for (POSITION pos = mats.GetHeadPosition(); pos;) mats.GetNext(pos).ApplyToMeshGroups(mesh, groupMats.GetNext(part));
}

}  // namespace

void MeshSO::OverwriteByName(const XList<Material>& given, XList<Material>& mats) {
  for (POSITION g = given.GetHeadPosition(); g;) {
    const Material& m = given.GetNext(g);
    for (POSITION pos = mats.GetHeadPosition(); pos;) {
      Material& entry = mats.GetNext(pos);
      if (entry.name == m.name) {
        entry = m;
        break;
      }
    }
  }
}

bool MeshSO::AreMatchingPartLooks(const XList<Material>& tex, const XList<Material>& untex) {
  if (tex.IsEmpty() || tex.GetCount() != untex.GetCount()) return false;
  POSITION u = untex.GetHeadPosition();
  for (POSITION t = tex.GetHeadPosition(); t;)
    if (!(tex.GetNext(t).GetName() == untex.GetNext(u).GetName())) return false;
  return true;
}

void MeshSO::GetTexMats(XList<Material>& out) const {
  out.RemoveAll();
  DeepCopy(const_cast<XList<Material>&>(texMats)).CopyTo(out);
}

void MeshSO::GetUntexMats(XList<Material>& out) const {
  out.RemoveAll();
  DeepCopy(const_cast<XList<Material>&>(untexMats)).CopyTo(out);
}

void MeshSO::SetTexMats(const XList<Material>& mats, BOOL apply) { SetPartLooks(mats, apply, true); }

void MeshSO::SetUntexMats(const XList<Material>& mats, BOOL apply) { SetPartLooks(mats, apply, false); }

void MeshSO::SetPartLooks(const XList<Material>& mats, BOOL apply, bool textured) {
  XList<Material> MeshSO::*list = textured ? &MeshSO::texMats : &MeshSO::untexMats;
  if (!Merge(mats, this->*list)) return;
  if (const InstanceList* shared = SharedList("Supposed to be in list")) {
    for (POSITION pos = shared->GetHeadPosition(); pos;) {
      MeshSO* other = shared->GetNext(pos);
      if (other == this) continue;
      (other->*list).RemoveAll();
      DeepCopy(this->*list).CopyTo(other->*list);
    }
  }
  if (apply) SyncGroupMaterials(0, textured);
}

void MeshSO::SyncGroupMaterials(BOOL firstInstanceOnly, BOOL textured) {
  if (firstInstanceOnly && reference && !IsFirstInstance()) return;
  // An object without a mesh has no groups to put looks on.
  if (!mesh) return;
  if (texturesOn && textured) {
    XASSERT(groupMats.GetCount() == texMats.GetCount(), "");
    Apply(mesh, groupMats, texMats);
  } else if (!texturesOn && !textured) {
    XASSERT(groupMats.GetCount() == untexMats.GetCount(), "");
    Apply(mesh, groupMats, untexMats);
  }
}
