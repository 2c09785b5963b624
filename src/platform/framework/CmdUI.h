// The user-interface item of a command (a menu item, a tool bar button, a status bar pane) while
// its update handler runs: the handler enables, checks or renames it through this object.
#pragma once

#include "platform/framework/CmdTarget.h"

class QAction;
class CWnd;

class CCmdUI {
 public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;
  CCmdUI(const CCmdUI&) = delete;
  CCmdUI& operator=(const CCmdUI&) = delete;

  // An override sets m_bEnableChanged, as this one does.
  virtual void Enable(BOOL on = TRUE);
  // 0 clears the check mark, 1 sets it (2, the indeterminate state, shows as set).
  virtual void SetCheck(int check = 1);
  // Shows the item as a chosen radio item (a dot) or clears it.
  virtual void SetRadio(BOOL on = TRUE);
  virtual void SetText(const char* text);
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Offers the update request to `target`. When no update handler enables or disables the item and
  // `disableIfNoHandler` is set, the item is enabled exactly when a command handler exists. TRUE
  // when an update handler ran.
  BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

  UINT m_nID = 0;
  UINT m_nIndex = 0;
  CWnd* m_pOther = nullptr;  // the bar that holds the item, if any
  QAction* m_pAction = nullptr;  // the menu item or button, if any
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;
};
