// Where the mouse is on the screen and which window lies there.
#pragma once

#include "platform/win/WinTypes.h"

BOOL GetCursorPos(POINT* point);
// The innermost framework window at `point` (screen coordinates); null over no window of the
// program.
HWND WindowFromPoint(POINT point);
