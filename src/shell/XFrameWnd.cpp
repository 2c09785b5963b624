#include "shell/XFrameWnd.h"

#include <algorithm>

#include "core/FatalError.h"
#include "core/WindowPlacement.h"
#include "core/XPtSzRect.h"
#include "platform/framework/DC.h"
#include "platform/framework/Document.h"
#include "platform/framework/ScrollView.h"
#include "platform/framework/WinApp.h"
#include "platform/win/SystemInfo.h"
#include "shell/CommandProbe.h"

IMPLEMENT_SERIAL(FrameIdentity, Myself, VERSIONABLE_SCHEMA)
IMPLEMENT_SERIAL(XFrameWnd, CMDIChildWnd, VERSIONABLE_SCHEMA)
IMPLEMENT_SERIAL(XFrameWndNullSize, XFrameWnd, VERSIONABLE_SCHEMA)

BEGIN_MESSAGE_MAP(XFrameWnd, CMDIChildWnd)
  ON_WM_CLOSE()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

// A stored placement larger than the screen (a damaged file, or a file from a larger screen) is cut
// to the screen's size at its top left corner, so that its window's pictures stay within reach.
RECT WithinScreenSize(RECT r) {
  const long long width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  if (width > 0 && static_cast<long long>(r.right) - r.left > width)
    r.right = static_cast<LONG>(std::min<long long>(r.left + width, XPoint::Max()));
  if (height > 0 && static_cast<long long>(r.bottom) - r.top > height)
    r.bottom = static_cast<LONG>(std::min<long long>(r.top + height, XPoint::Max()));
  return r;
}

WINDOWPLACEMENT ShownAt(RECT normal) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(WINDOWPLACEMENT);
  placement.showCmd = SW_SHOW;
  placement.rcNormalPosition = normal;
  return placement;
}

}  // namespace

XFrameWnd::XFrameWnd() : placement(ShownAt({160, 120, 480, 360})), identity(new FrameIdentity) {
  identity->frame = this;
}

XFrameWnd::~XFrameWnd() { identity->frame = nullptr; }

XFrameWndNullSize::XFrameWndNullSize() { placement = ShownAt({0, 0, 0, 0}); }

void XFrameWnd::SerializeLayout(CArchive& ar, CDocument* document) {
  const CRuntimeClass* runtimeClass = GetRuntimeClass();
  XASSERT((GetRuntimeClass()->m_wSchema & VERSIONABLE_SCHEMA) != 0, "Schema not versionable");
  identity->Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(runtimeClass->m_wSchema);
    WINDOWPLACEMENT current{};
    current.length = sizeof(WINDOWPLACEMENT);
    GetWindowPlacement(&current);
    ar << current;
  } else {
    ReadSchema(ar, runtimeClass);
    ar >> placement;
  }
  for (POSITION position = document->GetFirstViewPosition(); position;) {
    CView* view = document->GetNextView(position);
    if (view->GetParentFrame() != this) continue;
    XASSERT_TEXT(ISKINDOF(view, CScrollView), "ISKINDOF( view, XScrollView )", "Add support for new view type");
    view->Serialize(ar);
  }
}

void XFrameWnd::Serialize(CArchive&) { XASSERT(FALSE, "Use other overload of Serialize()"); }

void XFrameWnd::InitialUpdateFrame(CDocument* document, BOOL makeVisible) {
  if (!makeVisible) placement.showCmd = SW_HIDE;
  placement.rcNormalPosition = WithinScreenSize(placement.rcNormalPosition);
  SetWindowPlacement(&placement);
  CMDIChildWnd::InitialUpdateFrame(document, makeVisible);
}

BOOL XFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CMDIChildWnd::PreCreateWindow(cs)) return FALSE;
  // Titles are set by the program; the framework never rewrites them.
  cs.style &= ~FWS_ADDTOTITLE;
  return TRUE;
}

BOOL XFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  auto* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
  if (XCommandDisabledByUpdate(main, id, code, handlerInfo)) return TRUE;
  return CMDIChildWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

void XFrameWnd::OnClose() {
  if (closeCommand != 0) {
    if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_COMMAND, closeCommand, 0);
    return;
  }
  CMDIChildWnd::OnClose();
}

BOOL XFrameWnd::OnEraseBkgnd(CDC*) { return FALSE; }
