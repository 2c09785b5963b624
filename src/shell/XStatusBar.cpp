#include "shell/XStatusBar.h"

#include "core/FatalError.h"
#include "core/Globals.h"
#include "core/Preferences.h"
#include "platform/framework/Controls.h"
#include "platform/framework/DC.h"
#include "platform/framework/WaitCursor.h"
#include "platform/win/TickCount.h"

namespace {

constexpr UINT kSection = 800;
constexpr UINT kBlinkDurationKey = 801, kBlinkDurationDefault = 802;
constexpr UINT kBlinkKey = 803, kBlinkDefault = 804;
constexpr UINT kExpandKey = 805, kExpandDefault = 806;
constexpr UINT kIdlePrompt = 0xE001;
constexpr int kWidenedWidth = 0x4000;
// The report of the check that both callback maps hold the same windows.
constexpr char kSameWindows[] = "statusCallbacks.GetCount() == statusArguments.GetCount()";

// Black text on light backgrounds, white on dark ones.
COLORREF TextColourOn(COLORREF background) {
  const double luminance =
      0.299 * GetRValue(background) + 0.587 * GetGValue(background) + 0.114 * GetBValue(background);
  return luminance > 127.5 ? 0 : 0xFFFFFF;
}

}  // namespace

IMPLEMENT_DYNAMIC(XStatusBar, CStatusBar)

XStatusBar::XStatusBar() {
  XGetPrefDword(kSection, kBlinkDurationKey, kBlinkDurationDefault, &blinkDuration);
  blink = XGetPrefBool(kSection, kBlinkKey, kBlinkDefault);
  expand = XGetPrefBool(kSection, kExpandKey, kExpandDefault);
}

BOOL XStatusBar::SetIndicators(const UINT* ids, int count) {
  if (!CStatusBar::SetIndicators(ids, count)) return FALSE;
  paneCount = count;
  for (int i = 0; i < count; ++i) {
    const int index = CommandToIndex(ids[i]);
    XASSERT(index >= 0, "");
    UINT id, style;
    int width;
    GetPaneInfo(index, id, style, width);
    SetPaneInfo(index, id, style | SBT_OWNERDRAW, width);
  }
  return TRUE;
}

void XStatusBar::GetPrefs(DWORD* duration, BOOL* blinkOn, BOOL* expandOn) const {
  *duration = blinkDuration;
  *blinkOn = blink;
  *expandOn = expand;
}

void XStatusBar::SetPrefs(DWORD duration, BOOL blinkOn, BOOL expandOn) {
  blinkDuration = duration;
  blink = blinkOn;
  expand = expandOn;
  XWritePref(kSection, kBlinkDurationKey, &blinkDuration);
  XWritePrefBool(kSection, kBlinkKey, blink ? 1 : 0);
  XWritePrefBool(kSection, kExpandKey, expand ? 1 : 0);
  if (!blink && paneCount > 0) {
    SetPaneBackground(0, TRUE, 0);
    if (paneCount >= 2) SetPaneBackground(1, TRUE, 0);
  }
  if (!expand && paneCount > 0 && IsPromptWidened()) Restore();
}

const XStatusBar::PaneBackground& XStatusBar::GetPaneBackground(int index) const {
  XASSERT(index >= 0 && index < kMaxPanes, "");
  return paneBkgndInfo[index];
}

void XStatusBar::SetPaneBackground(int index, BOOL transparent, COLORREF colour) {
  XASSERT_TEXT(index >= 0 && index < kMaxPanes, "index < sizeof paneBkgndInfo/sizeof *paneBkgndInfo", "");
  PaneBackground& pane = paneBkgndInfo[index];
  if (pane.transparent == transparent && pane.colour == colour) return;
  pane.transparent = transparent;
  pane.colour = colour;
  // While pane 0 covers the bar the other panes are out of sight.
  if (index != 0 && IsPromptWidened()) return;
  if (!GetSafeHwnd()) return;
  RECT rect;
  if (SendMessage(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)))
    InvalidateRect(&rect, TRUE);
  else
    Invalidate(TRUE);
}

void XStatusBar::DrawItem(DRAWITEMSTRUCT* item) {
  const int index = static_cast<int>(item->itemID);
  const CString text = GetPaneText(index);
  if (text.IsEmpty()) return;
  XASSERT_TEXT(item->itemID < static_cast<UINT>(kMaxPanes),
               "lpDrawItemStruct->itemID < sizeof paneBkgndInfo/sizeof *paneBkgndInfo", "");
  CDC* dc = CDC::FromHandle(item->hDC);
  const PaneBackground& pane = paneBkgndInfo[index];
  const UINT oldAlign = dc->SetTextAlign(TA_LEFT | TA_TOP);
  if (pane.transparent) {
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->TextOut(item->rcItem.left, item->rcItem.top, text);
    dc->SetBkMode(oldMode);
  } else {
    const int oldMode = dc->SetBkMode(OPAQUE);
    const COLORREF oldBk = dc->SetBkColor(pane.colour);
    const COLORREF oldText = dc->SetTextColor(TextColourOn(pane.colour));
    dc->TextOut(item->rcItem.left, item->rcItem.top, text);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBk);
    dc->SetBkMode(oldMode);
  }
  dc->SetTextAlign(oldAlign);
}

void XStatusBar::SetStatusText(UINT id, const char* text, COLORREF newHighlight) {
  const XString oldText = promptText;
  promptId = id;
  XString newText;
  if (text) {
    newText = text;
  } else {
    // A command the string table has no prompt for shows none: menus hold items the program
    // does not list, such as the ones the framework adds.
    if (!newText.LoadString(id == 0 ? kIdlePrompt : id)) newText.Empty();
    const int newline = newText.Find('\n');
    if (newline >= 0) newText = newText.Left(newline);
  }
  if (newText == oldText && newHighlight == highlight) return;
  highlight = newHighlight;
  promptText = newText;
  if (GetSafeHwnd() && paneCount > 0) SetPaneText(0, promptText);
  lastStepTime = GetTickCount();
  stepCount = 0;
  if ((paneCount > 0 && blink) || highlight != 0)
    SetPaneBackground(0, FALSE, highlight != 0 ? highlight : Globals::GetInfoBkColor());
  if (paneCount > 0 && expand && !IsPromptWidened()) Widen();
}

void XStatusBar::RegisterStatusCallback(HWND hwnd, XStatusCallback callback, void* argument) {
  XASSERT(::IsWindow( hwnd ), "");
  statusCallbacks[hwnd] = callback;
  statusArguments[hwnd] = argument;
  XASSERT_TEXT(statusCallbacks.size() == statusArguments.size(), kSameWindows, "");
}

void XStatusBar::UnregisterStatusCallback(HWND hwnd) {
  XASSERT_TEXT(statusCallbacks.erase(hwnd) == 1, "statusCallbacks.RemoveKey( hwnd )", "");
  XASSERT_TEXT(statusArguments.erase(hwnd) == 1, "statusArguments.RemoveKey( hwnd )", "");
}

void XStatusBar::PushModalStatusCallback(XStatusCallback callback, void* argument) {
  modalStatusCallbacks.push_back(callback);
  modalStatusArguments.push_back(argument);
}

void XStatusBar::PopModalStatusCallback(XStatusCallback callback) {
  XASSERT_TEXT(!modalStatusCallbacks.empty() && modalStatusCallbacks.back() == callback,
               "modalStatusCallbacks[modalStatusCallbacks.GetUpperBound()] == callback",
               "Modal status callbacks must be unregistered in reverse order of registration");
  modalStatusCallbacks.pop_back();
  modalStatusArguments.pop_back();
}

UINT XStatusBar::GetPaneHelpId() const { return promptId <= 10000 ? 0 : promptId + 0x10000; }

void XStatusBar::OnIdle() {
  const DWORD now = GetTickCount();
  if (now - lastStepTime >= blinkDuration || now < lastStepTime) {
    lastStepTime = now;
    ++stepCount;
    Step();
  }
  if (menuClosed) AskPromptSource();
}

void XStatusBar::Step() {
  if (paneCount > 0 && blink && stepCount > 2) {
    if (stepCount == 3 && highlight == 0) SetPaneBackground(0, TRUE, 0);
    if (paneCount >= 2) {
      if (stepCount % 3 == 1)
        SetPaneBackground(1, TRUE, 0);
      else
        SetPaneBackground(1, FALSE, kBlinkColour);
    }
  }
  if (paneCount > 0 && expand && stepCount % 3 == 0) {
    if (IsPromptWidened())
      Restore();
    else
      Widen();
  }
}

void XStatusBar::AskPromptSource() {
  XASSERT_TEXT(modalStatusCallbacks.size() == modalStatusArguments.size(),
               "modalStatusCallbacks.GetUpperBound() == modalStatusArguments.GetUpperBound()", "");
  if (!modalStatusCallbacks.empty()) {
    modalStatusCallbacks.back()(modalStatusArguments.back());
    return;
  }
  XASSERT_TEXT(statusCallbacks.size() == statusArguments.size(), kSameWindows, "");
  HWND hwnd = nullptr;
  if (CWnd* capture = CWnd::GetCapture()) {
    hwnd = capture->GetSafeHwnd();
  } else {
    POINT cursor;
    if (GetCursorPos(&cursor))
      if (CWnd* under = WindowFromPoint(cursor)) hwnd = under->GetSafeHwnd();
  }
  for (; hwnd; hwnd = ::GetParent(hwnd)) {
    const auto found = statusCallbacks.find(hwnd);
    if (found == statusCallbacks.end()) continue;
    const auto argument = statusArguments.find(hwnd);
    XASSERT_TEXT(argument != statusArguments.end(), "statusArguments.Lookup( hwnd, argument )", "");
    found->second(argument->second);
    return;
  }
  SetStatusText(0, nullptr, 0);
}

void XStatusBar::Widen() {
  GetPaneInfo(0, savedId, savedStyle, savedWidth);
  SetPaneInfo(0, savedId, savedStyle | SBPS_STRETCH, kWidenedWidth);
}

void XStatusBar::Restore() {
  SetPaneInfo(0, savedId, savedStyle, savedWidth);
  savedWidth = -1;
}
