#include "document/UndoDataKinds.h"

#include "document/CameraLightsUndoData.h"
#include "document/EditGroupUndoData.h"
#include "document/GroupUndoData.h"
#include "document/SelectionUndoData.h"
#include "document/UndoKind.h"
#include "document/WindowUndoData.h"

const CRuntimeClass* UndoDataClass(int kind) {
  switch (kind) {
    case kUndoCloseWindow: return RUNTIME_CLASS(CloseWindowUndoData);
    case kUndoOpenWindow: return RUNTIME_CLASS(OpenWindowUndoData);
    case kUndoAddGroups: return RUNTIME_CLASS(AddGroupsUndoData);
    case kUndoDeleteGroups: return RUNTIME_CLASS(DeleteGroupsUndoData);
    case kUndoChangeSelected: return RUNTIME_CLASS(ChangeSelectedUndoData);
    case kUndoTransformGroups: return RUNTIME_CLASS(TransformGroupsUndoData);
    case kUndoEditGroup: return RUNTIME_CLASS(EditGroupUndoData);
    case kUndoEditCamera: return RUNTIME_CLASS(EditCameraUndoData);
    case kUndoEditLights: return RUNTIME_CLASS(EditLightsUndoData);
    case kUndoZoomWindow: return RUNTIME_CLASS(ZoomWindowUndoData);
    default: return nullptr;
  }
}

bool UndoDataFitsKind(const ModRec& record) {
  const CRuntimeClass* expected = UndoDataClass(record.GetKind());
  return expected && record.GetData() && record.GetData()->GetRuntimeClass() == expected;
}
