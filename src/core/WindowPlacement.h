// Stored window placements in an archive.
#pragma once

#include "platform/framework/Archive.h"
#include "platform/win/WinTypes.h"

// Eleven 32-bit values, 44 bytes: length (44), flags, showCmd, the minimized and maximized
// positions, the normal rectangle. Coordinates must be valid points on the way out; a stored
// placement of another length, with coordinates that could not be stored again, or with a top
// left corner further out than a quarter of their range (no window lies there), fails the load
// with badSchema.
CArchive& operator<<(CArchive& ar, const WINDOWPLACEMENT& placement);
CArchive& operator>>(CArchive& ar, WINDOWPLACEMENT& placement);
