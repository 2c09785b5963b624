// Cursor handles: the program's own cursors by resource id and the desktop's standard ones.
// A handle only names its cursor; the GUI layer turns it into the desktop's cursor (QtCursors.h).
#pragma once

#include "platform/win/WinTypes.h"

// The standard cursor names (the arrow is the only one the program asks for).
inline const LPCSTR IDC_ARROW = reinterpret_cast<LPCSTR>(std::uintptr_t{32512});

// The cursor of resource `id`, or NULL when the program has no such cursor.
HCURSOR LoadCursorResource(UINT id);
// The standard cursor `name`, or NULL for a name not listed above.
HCURSOR LoadStandardCursor(LPCSTR name);

// What a handle names: a resource id, a standard name's number, or neither.
enum class CursorKind { none, resource, standard };
struct CursorName {
  CursorKind kind;
  UINT id;
};
CursorName DescribeCursor(HCURSOR cursor);
