// The program's current folder, and the user's home folder it falls back to.
#pragma once

#include <string>

#include "platform/win/WinTypes.h"

// Copies the current folder's path into `buffer` and returns its length without the closing
// NUL. When `size` is too small (0 with a null buffer asks), nothing is copied and the size a
// buffer needs, NUL included, is returned. A current folder that was removed (the desktops the
// program was written for never let that happen) is left for the user's home folder, which is
// then answered; 0 only when no folder can be read at all.
DWORD GetCurrentDirectory(DWORD size, LPSTR buffer);

BOOL SetCurrentDirectory(LPCSTR path);

// The user's home folder: HOME when it is an absolute path, else the user's entry in the
// password database; empty when neither names one.
std::string HomeFolder();
