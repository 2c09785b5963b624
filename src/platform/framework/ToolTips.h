// Tips over a window's controls: a window that enables them is asked, whenever the mouse rests
// over one of its controls, which tool is there (CWnd::OnToolHitTest); a tool whose text is
// LPSTR_TEXTCALLBACK shows the string-table text of the control's id after its first line feed.
// The tip appears by the mouse, or centred under the control when the tool has TTF_CENTERTIP.
#pragma once

#include "platform/win/WindowMessages.h"

struct TOOLINFO {
  UINT uFlags = 0;
  HWND hwnd = nullptr;  // the window that answers for the text
  UINT_PTR uId = 0;     // the control's window handle with TTF_IDISHWND
  char* lpszText = nullptr;
};

constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_ALWAYSTIP = 0x40000000;
constexpr UINT TTF_NOTBUTTON = 0x80000000;
inline char* const LPSTR_TEXTCALLBACK = reinterpret_cast<char*>(-1);

// The tip of string `id`: the text after its first line feed ("" when it has none).
const char* ToolTipTextOf(UINT id);
