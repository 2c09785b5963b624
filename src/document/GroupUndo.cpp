// Undo of adding groups (kind 4) and deleting them (kind 5): each is the other's inverse. Deleted
// groups are kept as an image from which they come back under their old parents, with their old
// identities, so every other record that names them still reaches them.
#include <vector>

#include "document/GroupUndoData.h"
#include "document/XDocument.h"

namespace {

void Append(HandleList& to, const XList<Ptr<GroupSO>>& groups) {
  for (POSITION pos = groups.GetHeadPosition(); pos;) to.AddTail(HandleOf(*groups.GetNext(pos)));
}

// A list the program records: groups that each appear once and without an ancestor beside them.
bool DisjointGroups(const XList<Ptr<GroupSO>>& groups) {
  for (POSITION pos = groups.GetHeadPosition(); pos;) {
    const GroupSO* group = groups.GetNext(pos);
    int covering = 0;
    for (POSITION other = groups.GetHeadPosition(); other;)
      covering += group->IsSelfOrAncestor(groups.GetNext(other)) ? 1 : 0;
    if (covering != 1) return false;
  }
  return true;
}

}  // namespace

Ptr<RefCount> XDocument::CaptureAddGroups(const XList<Ptr<GroupSO>>& groups) {
  Ptr<AddGroupsUndoData> data(new AddGroupsUndoData);
  Append(data->groups, groups);
  Append(data->selected, selection);
  return data;
}

Ptr<RefCount> XDocument::CaptureDeleteGroups(const XList<Ptr<GroupSO>>& groups) {
  Ptr<DeleteGroupsUndoData> data(new DeleteGroupsUndoData);
  data->image.Store(this, [&](CArchive& ar) {
    for (POSITION pos = groups.GetHeadPosition(); pos;) {
      const Ptr<GroupSO>& group = groups.GetNext(pos);
      group->Serialize(ar);
      data->parents.AddTail(HandleOf(*group->GetParent()));
    }
  });
  Append(data->selected, selection);
  return data;
}

Ptr<UndoDataHolder> XDocument::ApplyAddGroups(RefCount* stored) {
  auto* data = dynamic_cast<AddGroupsUndoData*>(stored);
  XASSERT_TEXT(data, "ISKINDOF( record->GetData(), AddGroupsUndoData )", "");
  XList<Ptr<GroupSO>> groups;
  for (POSITION pos = data->groups.GetHeadPosition(); pos;)
    groups.AddTail(&RecordedGroup(data->groups.GetNext(pos), RecordedRole::object));
  if (groups.IsEmpty() || !DisjointGroups(groups)) RefuseRecord();
  Ptr<UndoDataHolder> inverse = Inverse(kUndoDeleteGroups, &groups);
  for (POSITION pos = groups.GetHeadPosition(); pos;) {
    const Ptr<GroupSO>& group = groups.GetNext(pos);
    group->GetParent()->RemoveGroup(group);
  }
  // Restored once the groups are gone, so that it cannot keep one of them.
  RestoreSelection(data->selected);
  return inverse;
}

Ptr<UndoDataHolder> XDocument::ApplyDeleteGroups(RefCount* stored) {
  auto* data = dynamic_cast<DeleteGroupsUndoData*>(stored);
  XASSERT_TEXT(data, "ISKINDOF( record->GetData(), DeleteGroupsUndoData )", "");
  if (data->parents.IsEmpty()) RefuseRecord();
  std::vector<GroupSO*> parents;
  for (POSITION pos = data->parents.GetHeadPosition(); pos;)
    parents.push_back(&RecordedGroup(data->parents.GetNext(pos), RecordedRole::parent));
  PrepareForAddedGroups();
  XList<Ptr<GroupSO>> groups;
  data->image.Load(this, [&](CArchive& ar) {
    for (GroupSO* parent : parents) {
      Ptr<GroupSO> group(new GroupSO);
      group->Serialize(ar);
      parent->AddGroup(group);
      groups.AddTail(group);
    }
  });
  Ptr<UndoDataHolder> inverse = Inverse(kUndoAddGroups, &groups);
  RestoreSelection(data->selected);
  return inverse;
}
