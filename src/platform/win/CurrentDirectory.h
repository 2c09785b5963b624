// The program's current folder.
#pragma once

#include "platform/win/WinTypes.h"

// Copies the current folder's path into `buffer` and returns its length without the closing
// NUL. When `size` is too small (0 with a null buffer asks), nothing is copied and the size a
// buffer needs, NUL included, is returned. 0 when the folder cannot be read (it was removed).
DWORD GetCurrentDirectory(DWORD size, LPSTR buffer);

BOOL SetCurrentDirectory(LPCSTR path);
