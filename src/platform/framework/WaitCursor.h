// The wait cursor, shown over every window of the program while it is busy. Nested waits count:
// the cursor comes back when the outermost ends.
#pragma once

#include "platform/win/WinTypes.h"

void BeginWaitCursor();
void EndWaitCursor();
// Shows the wait cursor again after something (a message box) replaced it, if a wait is on.
void RestoreWaitCursor();

class CWaitCursor {
 public:
  CWaitCursor() { BeginWaitCursor(); }
  ~CWaitCursor() { EndWaitCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  void Restore() { RestoreWaitCursor(); }
};

// The cursor of the window under the mouse (or holding the capture) until it changes it again;
// the previous cursor.
HCURSOR SetCursor(HCURSOR cursor);
// The capture has ended: the pointer shows the cursor of the window under it again.
void EndCaptureCursor();
// The mouse position in screen coordinates.
BOOL GetCursorPos(LPPOINT point);
