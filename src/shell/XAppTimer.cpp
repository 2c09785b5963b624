// The status bar's periodic refresh: a 200 ms thread timer, a check before every message that
// runs the refresh itself when the timer has fallen behind (timer messages come last while input
// keeps the queue busy), and idle time when no timer could be made.
#include "platform/win/TickCount.h"
#include "shell/XApp.h"
#include "shell/XMainFrame.h"

namespace {

DWORD lastRefresh = 0;

// More than one period has passed, or the 32-bit tick count has wrapped past 0 since.
bool RefreshOverdue(DWORD now) { return now < lastRefresh || now - lastRefresh > XApp::kTimerPeriod; }

}  // namespace

void XApp::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  lastRefresh = GetTickCount();
  if (XMainFrame* frame = XGetMainFrame()) frame->OnStatusBarIdle();
}

BOOL XApp::PreTranslateMessage(MSG* msg) {
  if (RefreshOverdue(GetTickCount())) {
    TimerProc(nullptr, 0, 0, 0);
    // The new prompt is painted now: the paint would otherwise wait behind the input that keeps
    // the queue busy.
    if (XMainFrame* frame = XGetMainFrame()) frame->GetStatusBar().UpdateWindow();
  }
  return CWinApp::PreTranslateMessage(msg);
}

BOOL XApp::OnIdle(LONG count) {
  if (CWinApp::OnIdle(count)) return TRUE;
  if (m_applTimerId == 0)
    if (XMainFrame* frame = XGetMainFrame()) frame->OnStatusBarIdle();
  return FALSE;
}
