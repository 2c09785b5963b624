// Undo of adding groups (kind 4) and deleting them (kind 5): each is the other's inverse. Deleted
// groups are kept as an image from which they come back under their old parents, with their old
// identities, so every other record that names them still reaches them.
#include "document/GroupUndoData.h"
#include "document/XDocument.h"

namespace {

void Append(HandleList& to, const XList<Ptr<GroupSO>>& groups) {
  for (POSITION pos = groups.GetHeadPosition(); pos;) to.AddTail(HandleOf(*groups.GetNext(pos)));
}

GroupSO& LiveGroup(const Ptr<PtrMyself>& handle) {
  GroupSO* group = GroupOf(handle);
  XASSERT_TEXT(group, "ISKINDOF( group, GroupSO )", "");
  return *group;
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
  for (POSITION pos = data->groups.GetHeadPosition(); pos;) groups.AddTail(&LiveGroup(data->groups.GetNext(pos)));
  Ptr<UndoDataHolder> inverse = Inverse(kUndoDeleteGroups, &groups);
  RestoreSelection(data->selected);
  for (POSITION pos = groups.GetHeadPosition(); pos;) {
    const Ptr<GroupSO>& group = groups.GetNext(pos);
    group->GetParent()->RemoveGroup(group);
  }
  return inverse;
}

Ptr<UndoDataHolder> XDocument::ApplyDeleteGroups(RefCount* stored) {
  auto* data = dynamic_cast<DeleteGroupsUndoData*>(stored);
  XASSERT_TEXT(data, "ISKINDOF( record->GetData(), DeleteGroupsUndoData )", "");
  PrepareForAddedGroups();
  XList<Ptr<GroupSO>> groups;
  data->image.Load(this, [&](CArchive& ar) {
    for (POSITION pos = data->parents.GetHeadPosition(); pos;) {
      GroupSO& parent = LiveGroup(data->parents.GetNext(pos));
      Ptr<GroupSO> group(new GroupSO);
      group->Serialize(ar);
      parent.AddGroup(group);
      groups.AddTail(group);
    }
  });
  Ptr<UndoDataHolder> inverse = Inverse(kUndoAddGroups, &groups);
  RestoreSelection(data->selected);
  return inverse;
}
