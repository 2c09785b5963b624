// Small shared services: stored window placements, asking the user for a missing file, guards for
// the current directory and for re-entry, guarded data exchange, and the segments of the
// rotate-about cylinder.
#pragma once

#include <string>

#include "core/XPtSzRect.h"
#include "core/XString.h"
#include "platform/framework/Archive.h"

// Eleven 32-bit values, 44 bytes: length (44), flags, showCmd, the minimized and maximized
// positions, the normal rectangle. Coordinates must be valid points on the way out; a stored
// placement of another length, or with coordinates that could not be stored again, fails the
// load with badSchema.
CArchive& operator<<(CArchive& ar, const WINDOWPLACEMENT& placement);
CArchive& operator>>(CArchive& ar, WINDOWPLACEMENT& placement);

// Asks the user where the missing file `path` is, until a file is chosen or the user confirms
// cancelling; then the user is told that the operation is cancelled, and the operation ends
// through CUserException when `throwOnCancel` is set, else `path` is returned.
XString XLocateMissingFile(const char* path, BOOL throwOnCancel);

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

// Fills the empty `starts` and `ends` with `num` (at least 2) segments parallel to the x axis,
// of the given length, starting on the circle of `radius` about the x axis at x = 0, the first
// at (0, radius, 0) and each next one turned by 2π/num about the x axis.
void XMakeCircleSegments(int num, CArray<Vector, const Vector&>& starts, CArray<Vector, const Vector&>& ends,
                         double radius, double length);

// The data exchange of a dialog or property page, refused (FALSE, nothing exchanged) while one is
// already running for it: a change notification that the exchange raises by writing a control
// cannot start a second one. `exchanging` is the window's own flag.
template <class Window>
BOOL XUpdateDataGuarded(Window& window, bool& exchanging, BOOL saveAndValidate) {
  if (exchanging) return FALSE;
  BoolGuard guard(exchanging);
  return window.UpdateData(saveAndValidate);
}
