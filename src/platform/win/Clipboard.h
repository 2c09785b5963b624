// The desktop clipboard: open, empty, put a picture on it, close. The GUI installs the desktop's
// clipboard (QtPlatform.h); without one the clipboard cannot be opened.
#pragma once

#include <cstddef>

#include "platform/win/GlobalMemory.h"
#include "platform/win/WinTypes.h"

// A packed device-independent bitmap: the 40-byte info header, then the rows.
constexpr UINT CF_DIB = 8;

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // False when the clipboard is not available (held by another program, or no desktop).
  virtual bool Open() = 0;
  virtual bool Empty() = 0;
  // Offers `size` bytes in `format` to other programs; false when the format is not offered.
  virtual bool SetData(UINT format, const BYTE* bytes, std::size_t size) = 0;
  virtual void Close() = 0;
};

// Installs `clipboard` (nullptr: none) and returns the previous one. The caller keeps ownership.
Clipboard* SetClipboard(Clipboard* clipboard);

// The system calls. Only one opening at a time: OpenClipboard fails while the program has it
// open, EmptyClipboard and CloseClipboard fail unless it does.
BOOL OpenClipboard(HWND owner);
BOOL EmptyClipboard();
// Puts the block on the open clipboard, which owns it from then on; NULL on failure, when the
// caller keeps it.
HGLOBAL SetClipboardData(UINT format, HGLOBAL block);
BOOL CloseClipboard();
