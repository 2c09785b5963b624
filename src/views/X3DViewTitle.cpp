// The camera window's caption: its kind, its number among the free Camera windows of its scene
// and its zoom; with several scenes open, or a maximized frame, the scene's title goes first.
#include "core/XString.h"
#include "document/XDocument.h"
#include "platform/framework/FrameWnd.h"
#include "shell/XApp.h"
#include "views/X3DView.h"

namespace {

constexpr UINT kCameraCaption = 60;          // "Camera   %2%"
constexpr UINT kNumberedCameraCaption = 53;  // "Camera %1   %2%"
constexpr UINT kSceneAndCaption = 52;        // "%1 : %2"

}  // namespace

void X3DView::UpdateTitle() {
  CFrameWnd* frame = GetParentFrame();
  if (!frame || !CScrollView::GetDocument()) return;
  XDocument* doc = GetDocument();
  // Only the first view of a frame names the frame.
  const int count = doc->CountViewsInFrame(this);
  const int index = doc->GetViewIndex(this);
  if (index % count != 0) return;
  // Fixed-direction windows before this one do not count among the Camera windows.
  int fixed = 0;
  for (POSITION pos = doc->GetFirstViewPosition(); pos;) {
    CView* other = doc->GetNextView(pos);
    if (other == this) break;
    auto* camera = dynamic_cast<X3DView*>(other);
    if (camera && other->GetRuntimeClass() == GetRuntimeClass() && other->GetParentFrame() &&
        other->GetParentFrame()->GetRuntimeClass() == frame->GetRuntimeClass() && camera->settings.windowKind != 0)
      ++fixed;
  }
  const int number = index / count + 1 - fixed;

  XASSERT_TEXT(_numerator.cx == _numerator.cy && _denominator.cx == _denominator.cy,
               "GetZoomNumerator().cx == GetZoomNumerator().cy && GetZoomDenominator().cx == GetZoomDenominator().cy",
               "Distorting zooms not supported");
  XASSERT_TEXT(_numerator.cy >= _denominator.cy, "GetZoomNumerator().cy >= GetZoomDenominator().cy",
               "Reduction zooms not supported");
  XASSERT(settings.windowKind >= 0 && settings.windowKind <= CameraFields::kLastWindowKind, "Unknown window kind");
  const XString percent(static_cast<long>(_numerator.cy * 100 / _denominator.cy));
  UINT id = 53u + static_cast<UINT>(settings.windowKind);
  if (settings.windowKind == 0) id = number < 2 ? kCameraCaption : kNumberedCameraCaption;
  const XString caption(XString(id), XString(static_cast<long>(number)), percent);
  if (XGetApp()->CountOpenScenes() < 2 && !frame->IsZoomed())
    frame->SetWindowText(caption);
  else
    frame->SetWindowText(XString(XString(kSceneAndCaption), XString(doc->GetTitle()), caption));
}
