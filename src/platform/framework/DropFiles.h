// Files dropped on a window from the desktop: WM_DROPFILES carries a handle to the list, which
// the handler reads with DragQueryFile. The list lives until the handler returns.
#pragma once

#include "platform/win/WindowMessages.h"

// The number of files when `index` is 0xFFFFFFFF; else the length of file `index`'s path,
// copied (cut to `size` - 1 bytes and terminated) into `buffer` when one is given.
UINT DragQueryFile(HDROP drop, UINT index, LPSTR buffer, UINT size);
// Where the files were dropped, in the window's client coordinates.
BOOL DragQueryPoint(HDROP drop, LPPOINT point);
// The handler is done with the list.
void DragFinish(HDROP drop);
