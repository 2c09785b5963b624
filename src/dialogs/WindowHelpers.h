// Window services shared by the dialogs and the frame: the control under the mouse, and whether
// a control bar is shown.
#pragma once

#include "platform/framework/ControlBar.h"

// The control id of the visible child of `parent` under `point` (client coordinates), searching
// from the last child to the first and passing over `skip` and children with id 0xFFFF; the child
// goes to `child`. -1 (and null) when there is none.
int XChildWindowFromPoint(CWnd* parent, POINT point, CWnd** child, CWnd* skip);

// Whether the bar is shown: a floating bar by its small frame, a docked one by itself.
BOOL XIsBarVisible(CControlBar* bar);
