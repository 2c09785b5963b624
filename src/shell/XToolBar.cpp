#include "shell/XToolBar.h"

#include <iterator>

#include "core/FatalError.h"
#include "platform/framework/WaitCursor.h"
#include "shell/XMainFrame.h"

IMPLEMENT_DYNAMIC(XToolBar, CToolBar)

BEGIN_MESSAGE_MAP(XToolBar, CToolBar)
  ON_WM_DESTROY()
  ON_WM_RBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

struct SettingsPair {
  UINT button;
  UINT settings;
};

// Searched from the last pair to the first.
constexpr SettingsPair kSettings[] = {
    {33066, 2100}, {33081, 2100}, {33060, 2100}, {33071, 2100}, {33100, 2100},
    {33028, 2101}, {33126, 2102}, {33086, 2103}, {33106, 2103}, {33110, 2104},
    {33118, 2103}, {33131, 10001}, {33128, 33137},
};

}  // namespace

BOOL XToolBar::Create(CWnd* parent, DWORD style, UINT id) {
  if (!CToolBar::Create(parent, style, id)) return FALSE;
  XASSERT(::IsWindow( m_hWnd ), "");
  XASSERT_TEXT(ISKINDOF( parent, XMainFrame ), "ISKINDOF( wnd, XMainFrame )", "");
  owner = static_cast<XMainFrame*>(parent);
  owner->GetStatusBar().RegisterStatusCallback(m_hWnd, &XToolBar::StatusCallback, this);
  return TRUE;
}

void XToolBar::OnDestroy() {
  if (::IsWindow(m_hWnd) && owner) owner->GetStatusBar().UnregisterStatusCallback(m_hWnd);
  CToolBar::OnDestroy();
}

void XToolBar::StatusCallback(void* argument) {
  auto* object = static_cast<CObject*>(argument);
  XASSERT_TEXT(ISKINDOF(object, XToolBar), "ISKINDOF( argument, XToolBar )", "");
  static_cast<XToolBar*>(object)->UpdateStatusPrompt();
}

void XToolBar::UpdateStatusPrompt() {
  UINT prompt = IsFloating() ? 40202 : 40201;
  POINT cursor;
  if (GetCursorPos(&cursor)) {
    CPoint point(cursor.x, cursor.y);
    ScreenToClient(&point);
    const int button = OnToolHitTest(point, nullptr);
    if (button >= 0) prompt = GetItemID(button);
  }
  owner->GetStatusBar().SetStatusText(prompt, nullptr, 0);
}

UINT XToolBar::SettingsCommandOf(UINT buttonCommand) {
  for (auto pair = std::rbegin(kSettings); pair != std::rend(kSettings); ++pair)
    if (pair->button == buttonCommand) return pair->settings;
  return 0;
}

void XToolBar::OnRButtonDown(UINT flags, CPoint point) {
  const int button = OnToolHitTest(point, nullptr);
  if (button < 0) {
    CToolBar::OnRButtonDown(flags, point);
    return;
  }
  const UINT settings = SettingsCommandOf(GetItemID(button));
  if (settings != 0 && owner) owner->PostMessage(WM_COMMAND, settings, 0);
}

void XToolBar::OnLButtonDblClk(UINT flags, CPoint point) {
  if (OnToolHitTest(point, nullptr) >= 0)
    OnRButtonDown(flags, point);
  else
    CToolBar::OnLButtonDblClk(flags, point);
}
