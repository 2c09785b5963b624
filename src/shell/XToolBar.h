// The main frame's toolbars: a status prompt for the bar and for each button, and a tool's
// settings opened by a right-click or a double-click on its button.
#pragma once

#include "platform/framework/ToolBar.h"

class XMainFrame;

class XToolBar : public CToolBar {
  DECLARE_DYNAMIC(XToolBar)
 public:
  // The parent must be the main frame; the bar registers its prompt at the frame's status bar.
  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR) override;
  // 40202 for a floating bar, 40201 for a docked one, the button's command over a button.
  void UpdateStatusPrompt();
  static void StatusCallback(void* argument);
  // The settings command a button's right-click or double-click posts to the frame; 0 for none.
  static UINT SettingsCommandOf(UINT buttonCommand);

 protected:
  void OnDestroy();
  void OnRButtonDown(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  XMainFrame* owner = nullptr;
};
