// Undo of a selection change (kind 6) and of moving, turning and sizing groups (kind 7).
#include "document/SelectionUndoData.h"
#include "document/XDocument.h"

Ptr<RefCount> XDocument::CaptureChangeSelected() {
  Ptr<ChangeSelectedUndoData> data(new ChangeSelectedUndoData);
  for (POSITION pos = selection.GetHeadPosition(); pos;) data->selected.AddTail(HandleOf(*selection.GetNext(pos)));
  return data;
}

Ptr<UndoDataHolder> XDocument::ApplyChangeSelected(RefCount* stored) {
  auto* data = dynamic_cast<ChangeSelectedUndoData*>(stored);
  XASSERT_TEXT(data, "ISKINDOF( record->GetData(), ChangeSelectedUndoData )", "");
  Ptr<UndoDataHolder> inverse = Inverse(kUndoChangeSelected, nullptr);
  RestoreSelection(data->selected);
  return inverse;
}

Ptr<RefCount> XDocument::CaptureTransformGroups(const XList<Ptr<GroupSO>>& groups) {
  Ptr<TransformGroupsUndoData> data(new TransformGroupsUndoData);
  for (POSITION pos = groups.GetHeadPosition(); pos;) {
    GroupSO& group = *groups.GetNext(pos);
    data->transforms.AddTail(group.GetTransform());
    data->scales.AddTail(group.scale);
    data->groups.AddTail(HandleOf(group));
  }
  return data;
}

Ptr<UndoDataHolder> XDocument::ApplyTransformGroups(RefCount* stored) {
  auto* data = dynamic_cast<TransformGroupsUndoData*>(stored);
  XASSERT_TEXT(data, "ISKINDOF( record->GetData(), TransformGroupsUndoData )", "");
  XList<Ptr<GroupSO>> groups;
  for (POSITION pos = data->groups.GetHeadPosition(); pos;)
    groups.AddTail(&RecordedGroup(data->groups.GetNext(pos), RecordedRole::moved));
  if (groups.IsEmpty()) RefuseRecord();
  Ptr<UndoDataHolder> inverse = Inverse(kUndoTransformGroups, &groups);
  POSITION pos2 = data->transforms.GetHeadPosition();
  POSITION pos3 = data->scales.GetHeadPosition();
  for (POSITION pos = groups.GetHeadPosition(); pos;) {
    GroupSO& group = *groups.GetNext(pos);
    XASSERT_TEXT(pos2 && pos3, "pos2 && pos3", "\"transforms\", \"scales\" and \"groups\" must have same count");
    group.SetTransform(data->transforms.GetNext(pos2));
    group.scale = data->scales.GetNext(pos3);
  }
  XASSERT(!pos2, "\"transforms\" and \"groups\" must have same count");
  XASSERT(!pos3, "\"scales\" and \"groups\" must have same count");
  return inverse;
}
