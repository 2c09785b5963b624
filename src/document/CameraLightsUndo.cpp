// Undo of a camera window's camera (kind 9) and of the scene's lights (kind 10).
#include "document/XDocument.h"
#include "platform/framework/View.h"

namespace {

CameraView* CameraViewOf(const Ptr<PtrMyself>& handle) {
  Myself* target = handle ? handle->GetTarget() : nullptr;
  if (!target || target == PtrMyself::Destroyed()) return nullptr;
  return dynamic_cast<CameraView*>(target);
}

LightSO& OnlyLight(const GroupSO& sunlight) {
  XASSERT_TEXT(sunlight.GetLights().GetCount() == 1, "GetSunlight()->GetLights().GetCount() == 1", "");
  return *sunlight.GetLights().GetAt(sunlight.GetLights().GetHeadPosition());
}

}  // namespace

Ptr<RefCount> XDocument::CaptureEditCamera(CameraView& view) {
  return new EditCameraUndoData(view.GetCameraFields(), view.GetViewMyself());
}

Ptr<UndoDataHolder> XDocument::ApplyEditCamera(RefCount* stored) {
  auto* data = dynamic_cast<EditCameraUndoData*>(stored);
  XASSERT_TEXT(data, "ISKINDOF( record->GetData(), EditCameraUndoData )", "");
  CameraView* view = CameraViewOf(data->viewMyself);
  if (!view) RefuseRecord();
  Ptr<UndoDataHolder> inverse = Inverse(kUndoEditCamera, dynamic_cast<CView*>(view));
  view->RestoreCameraFields(data->camera);
  SetTitle(GetTitle());
  return inverse;
}

Ptr<RefCount> XDocument::CaptureEditLights() {
  return new EditLightsUndoData(ambient->GetColor(), OnlyLight(*sunlight).GetColor(), sunlight->GetTransform());
}

Ptr<UndoDataHolder> XDocument::ApplyEditLights(RefCount* stored) {
  auto* data = dynamic_cast<EditLightsUndoData*>(stored);
  XASSERT_TEXT(data, "ISKINDOF( record->GetData(), EditLightsUndoData )", "");
  LightSO& sun = OnlyLight(*sunlight);
  Ptr<UndoDataHolder> inverse = Inverse(kUndoEditLights, nullptr);
  ambient->SetColor(data->ambientColor);
  sun.SetColor(data->sunColor);
  sunlight->SetTransform(data->sunTransform);
  return inverse;
}
