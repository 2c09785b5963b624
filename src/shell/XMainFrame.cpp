#include "shell/XMainFrame.h"

#include "core/FatalError.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(XMainFrame, CFrameWnd)

XMainFrame* XGetMainFrame() {
  CWinThread* thread = AfxGetThread();
  if (!thread) return nullptr;
  CWnd* wnd = thread->m_pMainWnd;
  XASSERT(!wnd || ISKINDOF( wnd, XMainFrame ), "");
  return static_cast<XMainFrame*>(wnd);
}
