// Window/3D Objects: makes the 3D Objects window the first time, then shows and hides it while
// keeping the user's own window active where that does not hide the list from view.
#include "core/FatalError.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/DC.h"
#include "shell/XFrameWnd.h"
#include "shell/XMainFrame.h"

namespace {

// Nothing covers or clips any part of the window.
bool IsWhollyUncovered(CWnd* window) {
  CWindowDC dc(window);
  CRect box;
  if (dc.GetClipBox(&box) != SIMPLEREGION) return false;
  CRect rect;
  window->GetWindowRect(&rect);
  return box.Width() == rect.Width() && box.Height() == rect.Height();
}

}  // namespace

void XMainFrame::OnWindowObjects() {
  if (!objects3DView) {
    CMDIChildWnd* const sceneWindow = MDIGetActive();
    auto* frame = new XFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(Objects3DView);
    if (!frame->LoadFrame(73, WS_OVERLAPPEDWINDOW, this, &context)) return;
    frame->InitialUpdateFrame(nullptr, TRUE);
    CWnd* view = frame->GetDlgItem(AFX_IDW_PANE_FIRST);
    XASSERT(view && ISKINDOF( view, Objects3DView ), "");
    objects3DView = static_cast<Objects3DView*>(view);
    objects3DView->SetOwnerPointer(&objects3DView);
    // A scene opened before the list (from the command line) keeps its window active, so the
    // main window's title names it from the start.
    if (sceneWindow) MDIActivate(sceneWindow);
    return;
  }
  CFrameWnd* frame = objects3DView->GetParentFrame();
  XASSERT(ISKINDOF( frame, CMDIChildWnd ), "");
  auto* child = static_cast<CMDIChildWnd*>(frame);
  const BOOL wasVisible = child->IsWindowVisible();
  if (wasVisible) MDIActivate(child);
  CMDIChildWnd* active = MDIGetActive();
  child->ShowWindow(wasVisible ? SW_HIDE : SW_SHOW);
  if (wasVisible) {
    MDINext();
    if (active && active != child) MDIActivate(active);
    if (MDIGetActive() == child) {
      XASSERT(ISKINDOF( child, XFrameWnd ), "");
      child->OnMDIActivate(FALSE, nullptr, child);
    }
    if (child->IsWindowVisible()) child->ShowWindow(SW_HIDE);
  } else if (!active || active == child) {
    child->OnMDIActivate(TRUE, child, nullptr);
    MDIActivate(child);
  } else {
    // The user's window keeps the focus unless it would then hide part of the list.
    MDIActivate(child);
    MDIActivate(active);
    if (!IsWhollyUncovered(child)) MDIActivate(child);
  }
}

void XMainFrame::OnUpdateWindowObjects(CCmdUI* ui) {
  ui->Enable(TRUE);
  ui->SetCheck(objects3DView && objects3DView->GetParentFrame()->IsWindowVisible() ? 1 : 0);
}
