// Files dropped from the file manager: a window that accepts them gets WM_DROPFILES with a drop
// handle, from which it reads the paths; DragFinish frees the handle.
#pragma once

#include "platform/win/WindowMessages.h"

// The number of files when `index` is 0xFFFFFFFF; otherwise copies path `index` into `buffer`
// (cut to `size` - 1 bytes) and returns its length, or with a null buffer the length it needs.
UINT DragQueryFile(HDROP drop, UINT index, LPSTR buffer, UINT size);
void DragFinish(HDROP drop);
