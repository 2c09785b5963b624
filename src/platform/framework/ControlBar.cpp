#include "platform/framework/ControlBar.h"

IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(CControlBar, CWnd)

CControlBar::~CControlBar() {
  if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  CFrameWnd* frame = GetParentFrame();
  return frame ? frame : FloatingFrame();
}

BOOL CControlBar::IsFloating() const {
  CFrameWnd* frame = GetDockingFrame();
  return frame && frame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd));
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
