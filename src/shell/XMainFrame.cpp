#include "shell/XMainFrame.h"

#include <vector>

#include "core/FatalError.h"
#include "platform/framework/DropFiles.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(XMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(XMainFrame, CFrameWnd)
  ON_WM_DROPFILES()
END_MESSAGE_MAP()

void XMainFrame::OnDropFiles(HDROP drop) {
  std::vector<CString> paths;
  const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::vector<char> path(DragQueryFile(drop, i, nullptr, 0) + 1);
    DragQueryFile(drop, i, path.data(), static_cast<UINT>(path.size()));
    paths.emplace_back(path.data());
  }
  DragFinish(drop);
  for (const CString& path : paths) AfxGetApp()->OpenDocumentFile(path);
}

XMainFrame* XGetMainFrame() {
  CWinThread* thread = AfxGetThread();
  if (!thread) return nullptr;
  CWnd* wnd = thread->m_pMainWnd;
  XASSERT(!wnd || ISKINDOF( wnd, XMainFrame ), "");
  return static_cast<XMainFrame*>(wnd);
}
