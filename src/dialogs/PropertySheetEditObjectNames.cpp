// The Edit Object sheet's name and "Edit all copies": objects that share their look do so under
// one name, so a new name or joining the copies may first have to be refused or confirmed.
#include "core/XMessageBox.h"
#include "dialogs/PropertySheetEditObject.h"
#include "scene/GroupSO.h"
#include "scene/MeshSO.h"

namespace {

constexpr UINT IDS_NAME_OF_OTHER_KIND = 40237;
constexpr UINT IDS_MAKE_COPIES_LOOK_SAME = 40238;

enum class Sharing { Allowed, Refused, Declined };

// Whether `mesh` may share the look of the objects listed under `name`: not when one of them is
// another kind of object (40237), and only after a Yes when they look different (40238).
Sharing MayShareName(const MeshSO& mesh, const CString& name) {
  const Ptr<MeshSO> other = MeshSO::LookupInstance(name);
  if (!other) return Sharing::Allowed;
  if (!mesh.IsFromFile() || !(other->GetFile() == mesh.GetFile())) {
    XInfoBox(IDS_NAME_OF_OTHER_KIND, name);
    return Sharing::Refused;
  }
  if (mesh.IsSameAs(*other)) return Sharing::Allowed;
  return XInfoBox(IDS_MAKE_COPIES_LOOK_SAME, name, CMMButtons::YESNO) == CMMReturn::YES ? Sharing::Allowed
                                                                                       : Sharing::Declined;
}

}  // namespace

void PropertySheetEditObject::ApplyName() {
  MeshSO& mesh = Mesh();
  const CString& name = general->m_name;
  if (name == mesh.GetName()) return;
  const Sharing sharing = general->m_editAllCopies ? MayShareName(mesh, name) : Sharing::Allowed;
  if (sharing == Sharing::Declined) general->m_editAllCopies = mesh.reference;
  if (sharing != Sharing::Allowed) return;
  Record();
  mesh.SetName(name);
}

void PropertySheetEditObject::ApplyEditAllCopies(bool turnOn) {
  MeshSO& mesh = Mesh();
  if (turnOn) {
    if (!general->m_editAllCopies || mesh.reference) return;
    if (MayShareName(mesh, general->m_name) != Sharing::Allowed) return;
    Record();
    mesh.SetEditAllCopies(TRUE, group);
  } else if (!general->m_editAllCopies && mesh.reference) {
    Record();
    mesh.SetEditAllCopies(FALSE, group);
  }
}
