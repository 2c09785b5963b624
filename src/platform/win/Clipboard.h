// The desktop clipboard, as far as the program empties it: open, empty, close. The GUI installs
// the desktop's clipboard (QtPlatform.h); without one the clipboard cannot be opened.
#pragma once

#include "platform/win/WinTypes.h"

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // False when the clipboard is not available (held by another program, or no desktop).
  virtual bool Open() = 0;
  virtual bool Empty() = 0;
  virtual void Close() = 0;
};

// Installs `clipboard` (nullptr: none) and returns the previous one. The caller keeps ownership.
Clipboard* SetClipboard(Clipboard* clipboard);

// The system calls. Only one opening at a time: OpenClipboard fails while the program has it
// open, EmptyClipboard and CloseClipboard fail unless it does.
BOOL OpenClipboard(HWND owner);
BOOL EmptyClipboard();
BOOL CloseClipboard();
