// Tool bars: a row of buttons, each a command, with the buttons' pictures and ids from a tool
// bar resource. A bar docks on any side of its frame or floats in a small window with a caption
// that shows its title; a double-click off its buttons toggles between the two, and a drag moves
// it (ToolBarDrag.cpp). A double-click on a button reaches the bar as WM_LBUTTONDBLCLK and
// presses nothing, so a click runs its command only once the double-click time has passed. The
// buttons' update handlers run at idle.
#pragma once

#include <memory>

#include "platform/framework/ControlBar.h"

class QDockWidget;
class QToolBar;
class QAction;
class DragOutline;

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)
 public:
  // Makes the bar in `parent`, docked on the side its style names (top by default).
  virtual BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR);
  using CWnd::Create;
  // Takes the buttons, pictures and tips of tool bar resource `resourceId`. FALSE without one.
  BOOL LoadToolBar(UINT resourceId);
  // The button's command id (0 for a separator), and the index of a command's button (-1).
  UINT GetItemID(int index) const;
  int CommandToIndex(UINT id) const;
  int GetCount() const;
  // The button's rectangle in the bar's client coordinates.
  void GetItemRect(int index, LPRECT rect) const;
  // The index of the button under `point` (client coordinates); -1 off the buttons and on
  // separators.
  int OnToolHitTest(CPoint point, TOOLINFO* toolInfo) const override;
  // The current side (CBRS_ALIGN_*) with the other style bits.
  DWORD GetBarStyle() const override;
  BOOL IsFloating() const override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

  QDockWidget* Dock() const;
  QToolBar* Buttons() const { return buttons_; }
  QAction* Action(int index) const;

  // Context help over the bar: a button's command id + HID_BASE_COMMAND, 0 off the buttons.
  LRESULT OnHelpHitTest(WPARAM, LPARAM lParam);

  // Off the buttons: a press and a drag move the bar, a double-click floats or docks it. The bar
  // holds the mouse capture from the press to the release; losing it ends the drag where it is.
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnCaptureChanged(CWnd* wnd);

 protected:
  void PostNcDestroy() override {}
  QWidget* CreateWidget(QWidget* parent, const CREATESTRUCT& cs) override;
  CFrameWnd* FloatingFrame() const override;

 private:
  // Where the docked bar being dragged would land, let go with the mouse at `at`: docked upright
  // on the left or right side, across on the top or bottom, else floating (screen coordinates).
  CRect LandingPlace(CPoint at) const;
  void EndDrag();

  QToolBar* buttons_ = nullptr;
  // Floating, the bar is a window of its own: this frame stands in for the small frame around it
  // and is shown exactly when the bar is.
  std::unique_ptr<CMiniDockFrameWnd> floatingFrame_;
  // The dock bar (AFX_IDW_DOCKBAR_*) the bar was docked on last: a double-click docks it there.
  UINT lastDockBar_ = AFX_IDW_DOCKBAR_TOP;
  // A drag under way: the press's offset from the bar's top-left corner (screen coordinates),
  // and whether the mouse has gone far enough to move the bar.
  bool pressed_ = false;
  bool dragging_ = false;
  CPoint pressOffset_;
  CPoint pressAt_;
  // Shows where a docked bar being dragged would land; made by the first such drag.
  DragOutline* outline_ = nullptr;

  DECLARE_MESSAGE_MAP()
};
