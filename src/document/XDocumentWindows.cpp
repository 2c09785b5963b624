// The camera windows of a scene: counting and finding the frames that hold the document's views,
// the numbers their captions show, and closing a frame.
#include <algorithm>
#include <vector>

#include "document/XDocument.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/View.h"

namespace {

CFrameWnd* FrameOfView(CView* view) {
  CFrameWnd* frame = view->GetParentFrame();
  XASSERT_TEXT(frame, "frame && ISKINDOF( frame, XFrameWnd )", "");
  return frame;
}

}  // namespace

std::vector<CFrameWnd*> XDocument::GetFrames() const {
  std::vector<CFrameWnd*> frames;
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CFrameWnd* frame = FrameOfView(GetNextView(pos));
    if (std::find(frames.begin(), frames.end(), frame) == frames.end()) frames.push_back(frame);
  }
  return frames;
}

int XDocument::GetVisibleFrameCount() const {
  const std::vector<CFrameWnd*> frames = GetFrames();
  return static_cast<int>(std::count_if(frames.begin(), frames.end(), [](CFrameWnd* f) { return f->IsWindowVisible(); }));
}

int XDocument::GetIconicFrameCount() const {
  const std::vector<CFrameWnd*> frames = GetFrames();
  return static_cast<int>(
      std::count_if(frames.begin(), frames.end(), [](CFrameWnd* f) { return f->IsWindowVisible() && f->IsIconic(); }));
}

int XDocument::CountViewsInFrame(CView* view) const {
  CFrameWnd* frame = FrameOfView(view);
  int count = 0;
  for (POSITION pos = GetFirstViewPosition(); pos;)
    if (FrameOfView(GetNextView(pos)) == frame) ++count;
  XASSERT(count != 0, "View not in document's list");
  return count;
}

CView* XDocument::GetView(CFrameWnd* frame, int index) const {
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* view = GetNextView(pos);
    if (FrameOfView(view) == frame && index-- == 0) return view;
  }
  return nullptr;
}

CView* XDocument::GetOtherView(CFrameWnd* frame, int index) const {
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* view = GetNextView(pos);
    if (FrameOfView(view) != frame && index-- == 0) return view;
  }
  return nullptr;
}

int XDocument::GetViewIndex(CView* view) const {
  const CRuntimeClass* viewClass = view->GetRuntimeClass();
  const CRuntimeClass* frameClass = FrameOfView(view)->GetRuntimeClass();
  int index = 0;
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* other = GetNextView(pos);
    if (other == view) return index;
    if (other->GetRuntimeClass() == viewClass && FrameOfView(other)->GetRuntimeClass() == frameClass) ++index;
  }
  XASSERT(0, "View not in document's list");
  return -1;
}

BOOL XDocument::CanCloseFrame(CFrameWnd* frame) {
  XASSERT(GetView(frame, 0), "Frame doesn't contain view from this document");
  // A fixed-direction camera window does not keep the scene open; a free one or another view does.
  bool keepsSceneOpen = false;
  for (int i = 0; CView* view = GetOtherView(frame, i); ++i) {
    auto* camera = dynamic_cast<CameraView*>(view);
    if (!camera || camera->GetCameraFields().windowKind == 0) keepsSceneOpen = true;
  }
  if (!keepsSceneOpen) {
    OnFileClose();
    return FALSE;
  }
  RecordUndo(kUndoCloseWindow, frame, 0);
  PreCloseFrame(frame);
  frame->DestroyWindow();
  const CString title = GetTitle();
  SetTitle(title);
  return FALSE;
}
