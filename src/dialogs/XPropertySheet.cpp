#include "dialogs/XPropertySheet.h"

#include "core/FatalError.h"
#include "core/Globals.h"
#include "dialogs/SmartHelp.h"
#include "dialogs/WindowHelpers.h"
#include "dialogs/XPropertyPage.h"
#include "platform/framework/KeyCodes.h"
#include "platform/framework/MessageMap.h"

IMPLEMENT_DYNAMIC(XPropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(XPropertySheet, CPropertySheet)
  ON_WM_ACTIVATE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

namespace {

bool IsStandardButton(int id) { return id != -1 && XStandardButtonPrompt(id) != id; }

}  // namespace

XPropertySheet::XPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CPropertySheet(captionId, parent, selectPage) {}

int XPropertySheet::DoModal() {
  m_modal = TRUE;
  return CPropertySheet::DoModal();
}

BOOL XPropertySheet::OnInitDialog() {
  const BOOL result = CPropertySheet::OnInitDialog();
  XASSERT(::IsWindow( m_hWnd ), "");
  XAddStatusCallback(m_modal, StatusCallback, this);
  EnableToolTips(TRUE);
  return result;
}

void XPropertySheet::OnDestroy() {
  if (m_hWnd) XRemoveStatusCallback(m_modal, StatusCallback, this);
  CPropertySheet::OnDestroy();
}

void XPropertySheet::OnActivate(UINT state, CWnd* other, BOOL minimized) {
  CPropertySheet::OnActivate(state, other, minimized);
  m_active = state != WA_INACTIVE;
  InitGlobals();
}

int XPropertySheet::OnToolHitTest(CPoint point, TOOLINFO* ti) const {
  if (!m_active) return -1;
  auto* self = const_cast<XPropertySheet*>(this);
  CWnd* child = nullptr;
  int id = XChildWindowFromPoint(self, point, &child, nullptr);
  id = IsStandardButton(id) ? XStandardButtonPrompt(id) : -1;
  if (CPropertyPage* page = GetActivePage(); id == -1 && page && page->GetSafeHwnd()) {
    POINT onPage = point;
    ClientToScreen(&onPage);
    page->ScreenToClient(&onPage);
    id = XChildWindowFromPoint(page, onPage, &child, nullptr);
  }
  const int prompt = XPromptOrNone(id);
  if (prompt != -1) XFillToolInfo(child, ti);
  return prompt;
}

UINT XPropertySheet::ActivePromptId() const {
  CPropertyPage* page = GetActivePage();
  if (!page) return 0;
  XASSERT_TEXT(ISKINDOF(page, XPropertyPage), "ISKINDOF( p, XPropertyPage )", "");
  return static_cast<XPropertyPage*>(page)->m_promptId;
}

void XPropertySheet::UpdateStatusPrompt() {
  const int hit = OnToolHitTest(XCursorIn(*this));
  const UINT prompt = ActivePromptId();
  XShowStatusPrompt(hit != -1 ? hit : static_cast<int>(prompt), prompt);
}

BOOL XPropertySheet::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1 && GetKeyState(VK_SHIFT) >= 0) {  // Shift+F1: context help
    const int hit = OnToolHitTest(XCursorIn(*this));
    XShowPromptHelp(hit != -1 ? static_cast<UINT>(hit) : ActivePromptId());
    return TRUE;
  }
  return CPropertySheet::PreTranslateMessage(msg);
}

void XPropertySheet::StatusCallback(void* argument) {
  auto* sheet = static_cast<CObject*>(argument);
  XASSERT_TEXT(ISKINDOF(sheet, XPropertySheet), "ISKINDOF( argument, XPropertySheet )", "");
  static_cast<XPropertySheet*>(sheet)->UpdateStatusPrompt();
}

LRESULT XPropertySheet::OnHelpHitTest(WPARAM, LPARAM lParam) {
  return XHelpHitContext(OnToolHitTest(XPointOfLParam(lParam)), ActivePromptId());
}
