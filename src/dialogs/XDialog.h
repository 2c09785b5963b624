// The base of every dialog of the program: smart help (the status prompt of the control under the
// mouse, help on F1 and the Help button), a guarded data exchange, and InitGlobals on activation.
#pragma once

#include "platform/framework/Dialog.h"

class XDialog : public CDialog {
  DECLARE_DYNAMIC(XDialog)

 public:
  explicit XDialog(UINT templateId, CWnd* parent = nullptr);

  int DoModal() override;
  BOOL OnInitDialog() override;
  // The prompt id of the control at `point` (client coordinates), or -1; `ti` is filled for the
  // control's tip.
  int OnToolHitTest(CPoint point, TOOLINFO* ti = nullptr) const override;
  void UpdateStatusPrompt();
  static void StatusCallback(void* argument);
  // The prompt now under the cursor: the control's, else the dialog's own.
  UINT CurrentPromptId() const;
  BOOL UpdateDataGuarded(BOOL saveAndValidate);
  BOOL PreTranslateMessage(MSG* msg) override;

  bool m_updatingData = false;
  UINT m_promptId;
  BOOL m_modal = FALSE;
  BOOL m_active = FALSE;

  void OnActivate(UINT state, CWnd* other, BOOL minimized);
  void OnDestroy();
  LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  void OnHelpButton();

 protected:
  DECLARE_MESSAGE_MAP()
};
