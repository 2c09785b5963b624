// Undo of a window's zoom (kind 3): the record restores the zoom and scroll ratio it holds and
// becomes the record of the zoom it replaced.
#include "document/WindowUndoData.h"
#include "document/XDocument.h"

namespace {

ZoomableView* ZoomableViewOf(const Ptr<PtrMyself>& handle) {
  Myself* target = handle ? handle->GetTarget() : nullptr;
  if (!target || target == PtrMyself::Destroyed()) return nullptr;
  return dynamic_cast<ZoomableView*>(target);
}

}  // namespace

Ptr<RefCount> XDocument::CaptureZoomWindow(ZoomableView& view) {
  XSize numerator(1, 1), denominator(1, 1);
  XDPoint ratio;
  view.GetZoomState(numerator, denominator, ratio);
  return new ZoomWindowUndoData(view.GetZoomMyself(), numerator, denominator, ratio);
}

Ptr<UndoDataHolder> XDocument::ApplyZoomWindow(RefCount* stored) {
  auto* data = dynamic_cast<ZoomWindowUndoData*>(stored);
  XASSERT_TEXT(data, "ISKINDOF( record->GetData(), ZoomWindowUndoData )", "");
  ZoomableView* view = ZoomableViewOf(data->viewMyself);
  XASSERT_TEXT(view, "ISKINDOF( *data->viewMyself, XScrollView )", "");
  Ptr<UndoDataHolder> inverse = Inverse(kUndoZoomWindow, view->GetZoomObject());
  view->RestoreZoomState(data->numerator, data->denominator, data->scrollRatio);
  return inverse;
}
