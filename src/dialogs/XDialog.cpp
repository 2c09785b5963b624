#include "dialogs/XDialog.h"

#include "core/FatalError.h"
#include "core/Globals.h"
#include "core/Guards.h"
#include "dialogs/SmartHelp.h"
#include "dialogs/WindowHelpers.h"
#include "platform/framework/KeyCodes.h"
#include "platform/framework/MessageMap.h"

IMPLEMENT_DYNAMIC(XDialog, CDialog)

BEGIN_MESSAGE_MAP(XDialog, CDialog)
  ON_WM_ACTIVATE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
  ON_COMMAND(ID_DIALOG_HELP, OnHelpButton)
END_MESSAGE_MAP()

XDialog::XDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent), m_promptId(templateId) {}

int XDialog::DoModal() {
  m_modal = TRUE;
  return CDialog::DoModal();
}

BOOL XDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  XASSERT(::IsWindow( m_hWnd ), "");
  XAddStatusCallback(m_modal, StatusCallback, this);
  EnableToolTips(TRUE);
  return TRUE;
}

void XDialog::OnDestroy() {
  if (m_hWnd) XRemoveStatusCallback(m_modal, StatusCallback, this);
  CDialog::OnDestroy();
}

void XDialog::OnActivate(UINT state, CWnd* other, BOOL minimized) {
  CDialog::OnActivate(state, other, minimized);
  m_active = state != WA_INACTIVE;
  InitGlobals();
}

int XDialog::OnToolHitTest(CPoint point, TOOLINFO* ti) const {
  if (!m_active) return -1;
  CWnd* child = nullptr;
  const int id = XChildWindowFromPoint(const_cast<XDialog*>(this), point, &child, nullptr);
  const int prompt = XPromptOrNone(id == -1 ? -1 : XStandardButtonPrompt(id));
  if (prompt != -1) XFillToolInfo(child, ti);
  return prompt;
}

UINT XDialog::CurrentPromptId() const {
  const int hit = OnToolHitTest(XCursorIn(*this));
  if (hit == static_cast<int>(ID_DIALOG_HELP) && m_promptId != 0) return m_promptId;
  return hit != -1 ? static_cast<UINT>(hit) : m_promptId;
}

void XDialog::UpdateStatusPrompt() {
  const int hit = OnToolHitTest(XCursorIn(*this));
  XShowStatusPrompt(hit != -1 ? hit : static_cast<int>(m_promptId), m_promptId);
}

void XDialog::StatusCallback(void* argument) {
  auto* dialog = static_cast<CObject*>(argument);
  XASSERT_TEXT(ISKINDOF(dialog, XDialog), "ISKINDOF( argument, XDialog )", "");
  static_cast<XDialog*>(dialog)->UpdateStatusPrompt();
}

LRESULT XDialog::OnHelpHitTest(WPARAM, LPARAM lParam) {
  return XHelpHitContext(OnToolHitTest(XPointOfLParam(lParam)), m_promptId);
}

void XDialog::OnHelpButton() { XShowPromptHelp(CurrentPromptId()); }

BOOL XDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1 && GetKeyState(VK_SHIFT) >= 0) {  // Shift+F1: context help
    OnHelpButton();
    return TRUE;
  }
  return CDialog::PreTranslateMessage(msg);
}

BOOL XDialog::UpdateDataGuarded(BOOL saveAndValidate) { return XUpdateDataGuarded(*this, m_updatingData, saveAndValidate); }
