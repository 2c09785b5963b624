// Which string tells what a menu item does: the prompt line shows it while the item is
// highlighted, and the item's help page shows it. Most items have a string of their own id; the
// items the framework adds share one: each system command the window system's text for it, every
// entry of the Window menu's list of windows "Activate this window".
#pragma once

#include "platform/win/WinTypes.h"

// The window system's texts for its system commands, one per 16 ids from 0xF000.
constexpr UINT AFX_IDS_SCFIRST = 0xEF00;
// The text of an entry of the Window menu's list of windows.
constexpr UINT AFX_IDS_MDICHILD = 0xEF1F;

bool IsSystemCommand(UINT id);
// The string id for menu item `id`, which is neither a pop-up nor a separator.
UINT MenuItemPromptId(UINT id);
