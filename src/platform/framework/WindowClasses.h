// Window classes: a name for a set of window traits (class styles, cursor, background, icon)
// that windows are created with. A window of a class with a cursor shows that cursor.
#pragma once

#include "platform/win/WinTypes.h"

struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HICON__;
using HICON = HICON__*;

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_BYTEALIGNCLIENT = 0x1000;

struct WindowClass {
  UINT style;
  HCURSOR cursor;
  HBRUSH background;
  HICON icon;
};

// The name of the class with these traits; the same traits give the same name, which stays valid
// for the program's life.
const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                HICON icon = nullptr);
// The traits of a registered class, or null for another name.
const WindowClass* FindWindowClass(const char* name);
