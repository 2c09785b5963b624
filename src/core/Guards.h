// Guards for the current directory and for re-entry, and the guarded data exchange of dialogs.
#pragma once

#include <string>

#include "platform/win/WinTypes.h"

// Changes the current directory for the guard's lifetime. When the current directory cannot be
// read (it was removed), nothing is restored.
class XCurrentDirectoryGuard {
 public:
  explicit XCurrentDirectoryGuard(const char* directory);
  ~XCurrentDirectoryGuard();
  XCurrentDirectoryGuard(const XCurrentDirectoryGuard&) = delete;
  XCurrentDirectoryGuard& operator=(const XCurrentDirectoryGuard&) = delete;

 private:
  std::string original;
};

// Sets a clear flag for the guard's lifetime: an operation that must not run inside itself.
class BoolGuard {
 public:
  explicit BoolGuard(bool& flag);
  ~BoolGuard() noexcept(false);
  BoolGuard(const BoolGuard&) = delete;
  BoolGuard& operator=(const BoolGuard&) = delete;

 private:
  bool& guarded;
};

// The data exchange of a dialog or property page, refused (FALSE, nothing exchanged) while one is
// already running for it: a change notification that the exchange raises by writing a control
// cannot start a second one. `exchanging` is the window's own flag.
template <class Window>
BOOL XUpdateDataGuarded(Window& window, bool& exchanging, BOOL saveAndValidate) {
  if (exchanging) return FALSE;
  BoolGuard guard(exchanging);
  return window.UpdateData(saveAndValidate);
}
