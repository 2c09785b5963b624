// Recording an edit as an undo record, and applying a record: the common frame of every kind.
#include "document/UndoDataKinds.h"
#include "document/XDocument.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/View.h"

namespace {

struct KindRules {
  UINT defaultDescId;
  BOOL flag;
};

// Kinds 4, 5 and 7 choose their default text from the groups they cover.
KindRules RulesOf(int kind) {
  switch (kind) {
    case kUndoCloseWindow: return {387, FALSE};
    case kUndoOpenWindow: return {388, FALSE};
    case kUndoAddGroups: return {0, FALSE};
    case kUndoDeleteGroups: return {0, FALSE};
    case kUndoChangeSelected: return {397, TRUE};
    case kUndoTransformGroups: return {0, TRUE};
    case kUndoEditGroup: return {385, TRUE};
    case kUndoEditCamera: return {378, TRUE};
    case kUndoEditLights: return {377, TRUE};
    case kUndoZoomWindow: return {367, TRUE};
    default: XASSERT_TEXT(false, "0", ""); return {0, FALSE};
  }
}

const XList<Ptr<GroupSO>>& GroupListOf(CObject* object) {
  auto* list = dynamic_cast<XList<Ptr<GroupSO>>*>(object);
  XASSERT_TEXT(list && !list->IsEmpty(), "ISKINDOF( object, XList<Ptr<GroupSO>> )", "");
  return *list;
}

GroupSO& GroupObject(CObject* object) {
  auto* group = dynamic_cast<GroupSO*>(object);
  XASSERT_TEXT(group, "ISKINDOF( object, GroupSO )", "");
  return *group;
}

bool HoldsLight(const GroupSO& group) { return !group.GetLights().IsEmpty(); }

// The default text of the group kinds: one group by what it holds, several in general.
UINT GroupListDescription(int kind, const XList<Ptr<GroupSO>>& list) {
  const bool one = list.GetCount() == 1;
  const GroupSO& first = *HeadOf(list);
  switch (kind) {
    case kUndoAddGroups: return one ? (HoldsLight(first) ? 390 : 389) : 399;
    case kUndoDeleteGroups: return one ? (HoldsLight(first) ? 392 : 391) : 398;
    default: return one ? 385 : 400;
  }
}

bool DataFits(const ModRec& record) { return UndoDataFitsKind(record); }

// A camera view is also an identity, so it holds more than one CObject: it is reached through
// its view part.
CameraView* CameraViewObject(CObject* object) {
  auto* view = dynamic_cast<CView*>(object);
  auto* camera = view ? dynamic_cast<CameraView*>(view) : nullptr;
  XASSERT_TEXT(camera, "ISKINDOF( object, X3DView )", "");
  return camera;
}

}  // namespace

GroupSO* GroupOf(const Ptr<PtrMyself>& handle) {
  Myself* target = handle ? handle->GetTarget() : nullptr;
  if (!target || target == PtrMyself::Destroyed()) return nullptr;
  return dynamic_cast<GroupSO*>(target);
}

EditHistory::DataFits XDocument::GetUndoDataCheck() const { return &DataFits; }

void XDocument::RecordUndo(int kind, CObject* object, UINT descId) {
  AddRecord(CreateUndoData(kind, object, descId));
}

Ptr<ModRec> XDocument::CreateUndoData(int kind, CObject* object, UINT descId) {
  const KindRules rules = RulesOf(kind);
  Ptr<RefCount> data;
  XString descArg;
  switch (kind) {
    case kUndoAddGroups:
    case kUndoDeleteGroups:
    case kUndoTransformGroups: {
      const XList<Ptr<GroupSO>>& list = GroupListOf(object);
      data = kind == kUndoAddGroups      ? CaptureAddGroups(list)
             : kind == kUndoDeleteGroups ? CaptureDeleteGroups(list)
                                         : CaptureTransformGroups(list);
      descArg = HeadOf(list)->GetName();
      if (!descId) descId = GroupListDescription(kind, list);
      break;
    }
    case kUndoChangeSelected:
      if (object) descArg = GroupObject(object).GetName();
      data = CaptureChangeSelected();
      break;
    case kUndoEditGroup: {
      GroupSO& group = GroupObject(object);
      descArg = group.GetName();
      data = CaptureEditGroup(group);
      break;
    }
    case kUndoEditCamera: {
      data = CaptureEditCamera(*CameraViewObject(object));
      break;
    }
    case kUndoEditLights:
      XASSERT(!object, "");
      data = CaptureEditLights();
      break;
    case kUndoCloseWindow:
    case kUndoOpenWindow: {
      auto* frame = dynamic_cast<CFrameWnd*>(object);
      XASSERT_TEXT(frame, "ISKINDOF( object, XFrameWnd )", "");
      data = kind == kUndoCloseWindow ? CaptureCloseWindow(*frame) : CaptureOpenWindow(*frame);
      break;
    }
    case kUndoZoomWindow: {
      auto* view = dynamic_cast<ZoomableView*>(object);
      XASSERT_TEXT(view, "ISKINDOF( object, XScrollView )", "");
      data = CaptureZoomWindow(*view);
      break;
    }
  }
  return new ModRec(kind, data, descId ? descId : rules.defaultDescId, rules.flag, descArg);
}

Ptr<UndoDataHolder> XDocument::Inverse(int kind, CObject* object) {
  Ptr<ModRec> rec = CreateUndoData(kind, object, 0);
  return new UndoDataHolder(rec->GetKind(), rec->GetData());
}

Ptr<UndoDataHolder> XDocument::ApplyUndoData(const Ptr<ModRec>& record) {
  if (IsRotObjAboutCylShown()) RemoveRotObjAboutCyl(FALSE);
  XUndoDoc::ApplyUndoData(record);
  RefCount* data = record->GetData();
  Ptr<UndoDataHolder> inverse;
  switch (record->GetKind()) {
    case kUndoCloseWindow: inverse = ApplyCloseWindow(data); break;
    case kUndoOpenWindow: inverse = ApplyOpenWindow(data); break;
    case kUndoAddGroups: inverse = ApplyAddGroups(data); break;
    case kUndoDeleteGroups: inverse = ApplyDeleteGroups(data); break;
    case kUndoChangeSelected: inverse = ApplyChangeSelected(data); break;
    case kUndoTransformGroups: inverse = ApplyTransformGroups(data); break;
    case kUndoEditGroup: inverse = ApplyEditGroup(data); break;
    case kUndoEditCamera: inverse = ApplyEditCamera(data); break;
    case kUndoEditLights: inverse = ApplyEditLights(data); break;
    case kUndoZoomWindow: inverse = ApplyZoomWindow(data); break;
    default: XASSERT_TEXT(false, "0", "");
  }
  if (!IsRotObjAboutCylShown() && WantsRotObjAboutCyl()) AddRotObjAboutCyl(FALSE);
  OnSceneExtentChanged(FALSE);
  return inverse;
}

GroupSO& XDocument::RecordedGroup(const Ptr<PtrMyself>& handle, RecordedRole role) const {
  GroupSO* group = GroupOf(handle);
  const bool fits = role == RecordedRole::object   ? IsObjectGroup(group)
                    : role == RecordedRole::parent ? group == scene || IsObjectGroup(group)
                                                   : group && group != scene;
  if (!fits) RefuseRecord();
  return *group;
}

void XDocument::RestoreSelection(const HandleList& handles) {
  XList<Ptr<GroupSO>> restored;
  for (POSITION pos = handles.GetHeadPosition(); pos;)
    restored.AddUnique(&RecordedGroup(handles.GetNext(pos), RecordedRole::object));
  selection.RemoveAll();
  selection.AddTail(&restored);
}
