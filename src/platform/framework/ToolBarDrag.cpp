// Moving a tool bar with the mouse, pressed anywhere off its buttons. A floating bar follows the
// mouse, whole on the screen, and docks when it is let go over a side of its frame; a docked bar
// floats where it is let go, or moves to the side of the frame it is let go over, and an outline
// shows that place while the mouse moves. A double-click floats a docked bar where it stands and
// docks a floating one where it was docked last. From the press to the release the bar holds the
// mouse capture, so the prompt and the cursor stay the bar's wherever the mouse goes.
#include <QDockWidget>
#include <cstdlib>

#include "platform/framework/DragOutline.h"
#include "platform/framework/ToolBar.h"
#include "platform/framework/WaitCursor.h"
#include "platform/win/SystemInfo.h"

namespace {

// The mouse's place on the screen now: the floating window moves under it, so a point in the
// window's coordinates may be one move behind.
CPoint Cursor() {
  POINT cursor;
  GetCursorPos(&cursor);
  return cursor;
}

}  // namespace

void CToolBar::OnLButtonDown(UINT, CPoint point) {
  CRect window;
  GetWindowRect(&window);
  ClientToScreen(&point);
  pressed_ = true;
  dragging_ = false;
  pressAt_ = point;
  pressOffset_ = point - window.TopLeft();
  SetCapture();
}

void CToolBar::OnMouseMove(UINT flags, CPoint) {
  if (!pressed_ || !(flags & MK_LBUTTON)) {
    EndDrag();
    Default();
    return;
  }
  const CPoint at = Cursor();
  if (!dragging_ && std::abs(at.x - pressAt_.x) <= GetSystemMetrics(SM_CXDRAG) &&
      std::abs(at.y - pressAt_.y) <= GetSystemMetrics(SM_CYDRAG))
    return;
  dragging_ = true;
  if (!IsFloating()) {
    if (!outline_) outline_ = new DragOutline(Dock());
    const CRect place = LandingPlace(at);
    outline_->ShowAround(QRect(place.left, place.top, place.Width(), place.Height()));
    return;
  }
  const CPoint topLeft = KeptOnScreen(CRect(at - pressOffset_, CSize(Dock()->width(), Dock()->height())));
  Dock()->move(topLeft.x, topLeft.y);
}

void CToolBar::OnLButtonUp(UINT, CPoint) {
  const bool dragged = pressed_ && dragging_;
  EndDrag();
  if (!dragged || !m_pDockSite) return;
  const CPoint at = Cursor();
  if (const UINT side = m_pDockSite->DockBarAt(at)) {
    // After the bar docked under the mouse, if any.
    const CRect rect(at, CSize(1, 1));
    m_pDockSite->DockControlBar(this, side, &rect);
  } else if (!IsFloating()) {
    m_pDockSite->FloatControlBar(this, at - pressOffset_);
  }
}

void CToolBar::OnLButtonDblClk(UINT, CPoint point) {
  EndDrag();
  // A double-click on a button reaches the bar too, and leaves it where it is.
  if (!m_pDockSite || OnToolHitTest(point, nullptr) >= 0) return;
  if (IsFloating()) {
    m_pDockSite->DockControlBar(this, lastDockBar_);
    return;
  }
  CRect window;
  GetWindowRect(&window);
  m_pDockSite->FloatControlBar(this, window.TopLeft());
}

void CToolBar::OnCaptureChanged(CWnd*) {
  // Another window took the mouse: the bar stays where it is.
  pressed_ = dragging_ = false;
  if (outline_) outline_->hide();
}

void CToolBar::EndDrag() {
  pressed_ = dragging_ = false;
  if (outline_) outline_->hide();
  if (GetCapture() == this) ReleaseCapture();
}

CRect CToolBar::LandingPlace(CPoint at) const {
  CRect window;
  GetWindowRect(&window);
  const UINT side = m_pDockSite ? m_pDockSite->DockBarAt(at) : 0;
  const bool upright = side == AFX_IDW_DOCKBAR_LEFT || side == AFX_IDW_DOCKBAR_RIGHT;
  CSize size = window.Size();
  CPoint offset = pressOffset_;
  // The bar turns with the side it docks on; the mouse stays on its grip.
  if (upright != (size.cy > size.cx)) {
    size = CSize(size.cy, size.cx);
    offset = CPoint(offset.y, offset.x);
  }
  const CRect place(at - offset, size);
  return side ? place : CRect(KeptOnScreen(place), size);
}
