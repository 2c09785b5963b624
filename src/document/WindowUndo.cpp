// Undo of the windows. Closing a window (kind 1) keeps its frame's saved layout as an image;
// applying it re-creates the frame, whose frame and views take back their old identities, so
// every record naming them still reaches them, and the record becomes one of opening it (kind 2),
// which closes it again. A zoom record (kind 3) restores the zoom and scroll ratio it holds and
// becomes the record of the zoom it replaced.
#include "document/WindowUndoData.h"
#include "document/XDocument.h"
#include "platform/framework/FrameWnd.h"

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
  if (!view) RefuseRecord();
  Ptr<UndoDataHolder> inverse = Inverse(kUndoZoomWindow, view->GetZoomObject());
  view->RestoreZoomState(data->numerator, data->denominator, data->scrollRatio);
  return inverse;
}

Ptr<RefCount> XDocument::CaptureCloseWindow(CFrameWnd& frame) {
  DocumentApp& app = GetDocumentApp();
  Ptr<CloseWindowUndoData> data(new CloseWindowUndoData);
  data->image.Store(this, [&](CArchive& ar) { app.SerializeFrameLayout(frame, *this, ar); });
  CView* view = GetView(&frame, 0);
  XASSERT_TEXT(view, "view", "Frame doesn't contain a view in this document");
  data->docTemplateIndex = static_cast<DWORD>(app.FindDocTemplate(view));
  return data;
}

Ptr<RefCount> XDocument::CaptureOpenWindow(CFrameWnd& frame) {
  Ptr<OpenWindowUndoData> data(new OpenWindowUndoData);
  data->frameMyself = GetDocumentApp().GetFrameMyself(frame);
  return data;
}

Ptr<UndoDataHolder> XDocument::ApplyCloseWindow(RefCount* stored) {
  auto* data = dynamic_cast<CloseWindowUndoData*>(stored);
  XASSERT_TEXT(data, "ISKINDOF( record->GetData(), CloseWindowUndoData )", "");
  DocumentApp& app = GetDocumentApp();
  const int templateIndex = static_cast<int>(data->docTemplateIndex);
  CFrameWnd& frame = app.CreateFrame(*this, templateIndex);
  try {
    data->image.Load(this, [&](CArchive& ar) { app.SerializeFrameLayout(frame, *this, ar); });
  } catch (...) {
    // A frame that could not take its layout must not stay behind half made.
    frame.DestroyWindow();
    throw;
  }
  app.InitialUpdateFrame(*this, templateIndex, frame);
  const CString title = GetTitle();
  SetTitle(title);
  return Inverse(kUndoOpenWindow, &frame);
}

Ptr<UndoDataHolder> XDocument::ApplyOpenWindow(RefCount* stored) {
  auto* data = dynamic_cast<OpenWindowUndoData*>(stored);
  XASSERT_TEXT(data, "ISKINDOF( record->GetData(), OpenWindowUndoData )", "");
  CFrameWnd* frame = GetDocumentApp().FrameOf(data->frameMyself);
  // A window of this scene, and not its last one.
  if (!frame || !GetView(frame, 0) || !GetOtherView(frame, 0)) RefuseRecord();
  Ptr<UndoDataHolder> inverse = Inverse(kUndoCloseWindow, frame);
  PreCloseFrame(frame);
  frame->DestroyWindow();
  const CString title = GetTitle();
  SetTitle(title);
  return inverse;
}
