// The base of every property sheet: smart help over the sheet's buttons and the active page's
// controls, with the active page's own prompt when the mouse is over neither.
#pragma once

#include "platform/framework/PropertySheet.h"

class XPropertySheet : public CPropertySheet {
  DECLARE_DYNAMIC(XPropertySheet)

 public:
  explicit XPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);

  int DoModal() override;
  BOOL OnInitDialog() override;
  // The prompt id at `point` (client coordinates of the sheet), or -1: the sheet's standard
  // buttons are mapped, the active page's controls pass as they are.
  int OnToolHitTest(CPoint point, TOOLINFO* ti = nullptr) const override;
  void UpdateStatusPrompt();
  // F1 opens the help of the prompt under the cursor.
  BOOL PreTranslateMessage(MSG* msg) override;
  static void StatusCallback(void* argument);

  BOOL m_modal = FALSE;
  BOOL m_active = FALSE;

  void OnActivate(UINT state, CWnd* other, BOOL minimized);
  void OnDestroy();
  LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  UINT ActivePromptId() const;
};
