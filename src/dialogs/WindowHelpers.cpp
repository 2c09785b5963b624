#include "dialogs/WindowHelpers.h"

#include "core/FatalError.h"

namespace {

constexpr int kNoControlId = 0xFFFF;

bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

int XChildWindowFromPoint(CWnd* parent, POINT point, CWnd** child, CWnd* skip) {
  XASSERT(parent, "");
  XASSERT(child, "");
  parent->ClientToScreen(&point);
  CWnd* first = parent->GetWindow(GW_CHILD);
  for (CWnd* w = first ? first->GetWindow(GW_HWNDLAST) : nullptr; w; w = w->GetWindow(GW_HWNDPREV)) {
    if (w == skip || w->GetDlgCtrlID() == kNoControlId || !(w->GetStyle() & WS_VISIBLE)) continue;
    RECT rect;
    w->GetWindowRect(&rect);
    if (Contains(rect, point)) {
      *child = w;
      return w->GetDlgCtrlID();
    }
  }
  *child = nullptr;
  return -1;
}

BOOL XIsBarVisible(CControlBar* bar) {
  CFrameWnd* dockFrm = bar->GetDockingFrame();
  XASSERT(dockFrm, "");
  CWnd* wnd = bar->IsFloating() ? static_cast<CWnd*>(dockFrm) : bar;
  XASSERT(wnd != NULL, "");
  return (wnd->GetStyle() & WS_VISIBLE) != 0;
}
