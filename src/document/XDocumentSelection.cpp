// The selection, the adding and removing of object groups, and the Edit commands on them.
#include "core/XMessageBox.h"
#include "document/XDocument.h"

namespace {

constexpr UINT kSelectAll = 357;
constexpr UINT kSelect = 393;
constexpr UINT kDeselect = 394;
constexpr UINT kSelectNone = 395;
constexpr UINT kSelectOnly = 396;
constexpr UINT kImportNeedsWindowMessage = 40039;

bool IsAncestor(const GroupSO* ancestor, const GroupSO* group) {
  for (Ptr<GroupSO> p = group->GetParent(); p; p = p->GetParent())
    if (p == ancestor) return true;
  return false;
}

bool HasAncestorIn(const XList<Ptr<GroupSO>>& list, const GroupSO* group) {
  for (POSITION pos = list.GetHeadPosition(); pos;)
    if (IsAncestor(list.GetNext(pos), group)) return true;
  return false;
}

}  // namespace

bool XDocument::WantsRotObjAboutCyl() const {
  return selection.GetCount() == 1 && GetDocumentApp().GetInteractiveMode() == kRotateObjectAboutMode;
}

void XDocument::ToggleSelect(const Ptr<GroupSO>& group, BOOL record, UINT descId) {
  XASSERT(group, "group");
  XASSERT_TEXT(group != scene, "group != scene", "Illegal to select \"scene\"");
  if (IsAuxiliary(group)) return;
  const BOOL cylinderShown = IsRotObjAboutCylShown();
  const BOOL wasSelected = IsSelected(group);
  if (record) RecordUndo(kUndoChangeSelected, group, descId ? descId : wasSelected ? kDeselect : kSelect);
  if (!wasSelected) {
    selection.AddUnique(group);
    DeselectDescendants(group);
  } else {
    selection.RemoveAt(selection.Find(group));
  }
  if (cylinderShown && selection.GetCount() != 1)
    RemoveRotObjAboutCyl(FALSE);
  else if (!cylinderShown && WantsRotObjAboutCyl())
    AddRotObjAboutCyl(FALSE);
  if (record) UpdateViews(kHintSelection, nullptr);
}

void XDocument::SelectOnly(const Ptr<GroupSO>& group, BOOL record, UINT descId) {
  if (group) XASSERT_TEXT(group != scene, "group != scene", "Illegal to select \"scene\"");
  if (group && IsAuxiliary(group)) return;
  if (!group && selection.IsEmpty()) return;
  if (group && selection.GetCount() == 1 && selection.GetHead() == group) return;
  if (!group && selection.GetCount() == 1) {
    ToggleSelect(selection.GetHead(), record, descId);
    return;
  }
  const BOOL cylinderShown = IsRotObjAboutCylShown();
  if (record) {
    if (!descId) descId = !group ? kSelectNone : selection.IsEmpty() ? kSelect : kSelectOnly;
    RecordUndo(kUndoChangeSelected, group, descId);
  }
  selection.RemoveAll();
  if (group) selection.AddHead(group);
  if (cylinderShown) RemoveRotObjAboutCyl(FALSE);
  if (WantsRotObjAboutCyl()) AddRotObjAboutCyl(FALSE);
  if (record) UpdateViews(kHintSelection, nullptr);
}

void XDocument::DeselectDescendants(const Ptr<GroupSO>& group) {
  for (POSITION pos = group->GetGroups().GetHeadPosition(); pos;) {
    Ptr<GroupSO> child = group->GetGroups().GetNext(pos);
    if (IsSelected(child)) ToggleSelect(child, FALSE, 0);
    DeselectDescendants(child);
  }
}

void XDocument::PrepareForAddedGroups() {
  const BoundingBox box = GetSceneBox();
  const bool point = box.min.x == box.max.x && box.min.y == box.max.y && box.min.z == box.max.z;
  if (point && groupsAdded) {
    RegenerateHint hint;
    UpdateViews(kHintRegenerate, &hint);
  }
  groupsAdded = TRUE;
}

void XDocument::AddGroup(const Ptr<GroupSO>& group, BOOL select, BOOL record, UINT descId) {
  XASSERT_TEXT(group != scene, "group != scene", "Illegal to add \"scene\"");
  PrepareForAddedGroups();
  XList<Ptr<GroupSO>> list;
  list.AddTail(group);
  scene->AddGroup(group);
  if (record) RecordUndo(kUndoAddGroups, &list, descId);
  if (select) SelectOnly(group, FALSE, 0);
  OnSceneExtentChanged(FALSE);
  if (record) UpdateViews(kHintGroupsAdded, &list);
}

void XDocument::AddGroups(const XList<Ptr<GroupSO>>& list, BOOL select, BOOL record, UINT descId) {
  PrepareForAddedGroups();
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    const Ptr<GroupSO>& group = list.GetNext(pos);
    XASSERT_TEXT(group != scene, "group != scene", "Illegal to add \"scene\"");
    XASSERT_TEXT(!HasAncestorIn(list, group), "!HasAncestorIn( list, group )", "Illegal to add parent and children");
    scene->AddGroup(group);
  }
  if (record) RecordUndo(kUndoAddGroups, const_cast<XList<Ptr<GroupSO>>*>(&list), descId);
  if (select) {
    SelectOnly(nullptr, FALSE, 0);
    for (POSITION pos = list.GetHeadPosition(); pos;) ToggleSelect(list.GetNext(pos), FALSE, 0);
  }
  OnSceneExtentChanged(FALSE);
  if (record) UpdateViews(kHintGroupsAdded, const_cast<XList<Ptr<GroupSO>>*>(&list));
}

// A group whose ancestor is also in the list goes with that ancestor; every other group leaves
// its own parent, which its record keeps, so a group below the top level can be removed too.
void XDocument::RemoveGroups(const XList<Ptr<GroupSO>>& requested, BOOL record, UINT descId) {
  XList<Ptr<GroupSO>> list;
  for (POSITION pos = requested.GetHeadPosition(); pos;) {
    const Ptr<GroupSO>& group = requested.GetNext(pos);
    XASSERT_TEXT(group != scene, "group != scene", "Illegal to remove \"scene\"");
    if (!HasAncestorIn(requested, group) && !list.Find(group)) list.AddTail(group);
  }
  if (list.IsEmpty()) return;
  if (record) RecordUndo(kUndoDeleteGroups, &list, descId);
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    Ptr<GroupSO> group = list.GetNext(pos);
    if (IsSelected(group)) ToggleSelect(group, FALSE, 0);
    // Selected descendants go with the group.
    for (POSITION s = selection.GetHeadPosition(); s;) {
      POSITION at = s;
      if (IsAncestor(group, selection.GetNext(s))) selection.RemoveAt(at);
    }
    group->GetParent()->RemoveGroup(group);
  }
  if (IsRotObjAboutCylShown() && !WantsRotObjAboutCyl()) RemoveRotObjAboutCyl(FALSE);
  OnSceneExtentChanged(FALSE);
  if (record) UpdateViews(kHintGroupsRemoved, &list);
}

void XDocument::RemoveGroup(const Ptr<GroupSO>& group, BOOL record, UINT descId) {
  XList<Ptr<GroupSO>> list;
  list.AddTail(group);
  RemoveGroups(list, record, descId);
}

void XDocument::OnEditSelectNone() { SelectOnly(nullptr, TRUE, 0); }

// One recorded step holds the selection as it was, so its undo restores exactly that.
void XDocument::OnEditSelectAll() {
  XList<Ptr<GroupSO>> unselected;
  for (POSITION pos = scene->GetGroups().GetHeadPosition(); pos;) {
    const Ptr<GroupSO>& group = scene->GetGroups().GetNext(pos);
    if (!IsAuxiliary(group) && !IsSelected(group)) unselected.AddTail(group);
  }
  if (unselected.IsEmpty()) return;
  RecordUndo(kUndoChangeSelected, unselected.GetHead(), kSelectAll);
  for (POSITION pos = unselected.GetHeadPosition(); pos;) ToggleSelect(unselected.GetNext(pos), FALSE, 0);
  UpdateViews(kHintSelection, nullptr);
}

void XDocument::OnEditDelete() { RemoveGroups(selection, TRUE, 0); }

void XDocument::OnEditCopy() {
  XList<Ptr<GroupSO>>& objects = GetDocumentApp().GetObjectList();
  objects.RemoveAll();
  if (IsRotObjAboutCylShown()) RemoveRotObjAboutCyl(FALSE);
  if (HasGround()) RemoveGround(FALSE);
  for (POSITION pos = selection.GetHeadPosition(); pos;) {
    const Ptr<GroupSO>& group = selection.GetNext(pos);
    Ptr<GroupSO> copy = group->Copy(FALSE);
    copy->SetTransform(group->GetWorldTransform());
    objects.AddTail(copy);
  }
  if (!IsRotObjAboutCylShown() && WantsRotObjAboutCyl()) AddRotObjAboutCyl(FALSE);
  if (!HasGround() && GetDocumentApp().GetShowGround()) AddGround(FALSE);
}

void XDocument::OnEditCut() {
  OnEditCopy();
  OnEditDelete();
}

void XDocument::OnEditPaste() {
  XList<Ptr<GroupSO>> list;
  const XList<Ptr<GroupSO>>& objects = GetDocumentApp().GetObjectList();
  for (POSITION pos = objects.GetHeadPosition(); pos;) list.AddTail(objects.GetNext(pos)->Copy(FALSE));
  AddGroups(list, TRUE, TRUE, 0);
}

void XDocument::OnFileImport() { XInfoBox(kImportNeedsWindowMessage); }

void XDocument::OnUpdateEditDelete(CCmdUI* cmdUI) { cmdUI->Enable(!selection.IsEmpty()); }
void XDocument::OnUpdateEditPaste(CCmdUI* cmdUI) { cmdUI->Enable(!GetDocumentApp().GetObjectList().IsEmpty()); }
