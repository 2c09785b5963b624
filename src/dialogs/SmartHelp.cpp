#include "dialogs/SmartHelp.h"

#include <utility>

#include "core/XString.h"
#include "platform/framework/Help.h"
#include "platform/framework/ToolTips.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/Wnd.h"

int XStandardButtonPrompt(int controlId) {
  switch (controlId) {
    case 1: return IDHC_OK;
    case 2: return IDHC_CANCEL;
    case 8: return IDHC_CLOSE;
    case 9: return ID_DIALOG_HELP;
    case 12321: return IDHC_APPLY_NOW;
    case 12323: return IDHC_WIZBACK;
    case 12324: return IDHC_WIZNEXT;
    case 12325: return IDHC_WIZFINISH;
    default: return controlId;
  }
}

int XPromptOrNone(int promptId) {
  if (promptId == -1) return -1;
  if (promptId <= static_cast<int>(kLastIdWithoutPrompt) && promptId != static_cast<int>(ID_DIALOG_HELP)) return -1;
  return promptId;
}

void XFillToolInfo(CWnd* child, TOOLINFO* ti) {
  if (!ti || !child) return;
  ti->uId = reinterpret_cast<UINT_PTR>(child->GetSafeHwnd());
  ti->uFlags |= TTF_IDISHWND | TTF_ALWAYSTIP;
  // A button's tip follows the mouse; any other control's is centred under the control.
  if (!(child->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)) ti->uFlags |= TTF_NOTBUTTON | TTF_CENTERTIP;
  ti->lpszText = LPSTR_TEXTCALLBACK;
  CWnd* main = AfxGetMainWnd();
  ti->hwnd = main ? main->GetSafeHwnd() : nullptr;
}

XMessageBoxFrame* XStatusFrame() {
  // The lookup is only reachable through its setter: put it straight back.
  const XMessageBoxFrameLookup lookup = SetMessageBoxFrameLookup(nullptr);
  SetMessageBoxFrameLookup(lookup);
  return lookup ? lookup() : nullptr;
}

DWORD XHelpTopicOfPrompt(UINT promptId) { return promptId > kLastIdWithoutPrompt ? promptId + kHelpTopicOffset : 0; }

void XShowPromptHelp(UINT promptId) {
  if (const DWORD topic = XHelpTopicOfPrompt(promptId))
    ShowHelp(HELP_CONTEXT, topic);
  else
    ShowHelp(HELP_FINDER, 0);
}

void XShowStatusPrompt(int id, UINT windowPromptId) {
  XMessageBoxFrame* frame = XStatusFrame();
  if (!frame) return;
  if (id == static_cast<int>(ID_DIALOG_HELP) && windowPromptId != 0) {
    const XString text = XString(ID_DIALOG_HELP).GetPromptText();
    frame->SetStatusText(windowPromptId, text, 0);
  } else {
    frame->SetStatusText(static_cast<UINT>(id), nullptr, 0);
  }
}

void XAddStatusCallback(BOOL modal, XStatusCallback callback, CWnd* window) {
  XMessageBoxFrame* frame = XStatusFrame();
  if (!frame) return;
  if (modal)
    frame->PushModalStatusCallback(callback, window);
  else
    frame->RegisterStatusCallback(window->GetSafeHwnd(), callback, window);
}

void XRemoveStatusCallback(BOOL modal, XStatusCallback callback, CWnd* window) {
  XMessageBoxFrame* frame = XStatusFrame();
  if (!frame) return;
  if (modal)
    frame->PopModalStatusCallback(callback);
  else
    frame->UnregisterStatusCallback(window->GetSafeHwnd());
}

POINT XCursorIn(const CWnd& window) {
  POINT cursor;
  GetCursorPos(&cursor);
  window.ScreenToClient(&cursor);
  return cursor;
}

LRESULT XHelpHitContext(int hit, UINT windowPromptId) {
  if (hit != -1) return static_cast<LRESULT>(hit) + kHelpTopicOffset;
  return XHelpTopicOfPrompt(windowPromptId);
}

POINT XPointOfLParam(LPARAM lParam) {
  const auto packed = static_cast<DWORD>(lParam);
  return POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
}
