// The framework's point, size and rectangle: the system's structures with constructors and the
// comparisons the program makes.
#pragma once

#include "platform/win/WinTypes.h"

inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const POINT& a, const POINT& b) { return !(a == b); }
inline bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
inline bool operator!=(const SIZE& a, const SIZE& b) { return !(a == b); }
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const RECT& a, const RECT& b) { return !(a == b); }

struct CPoint : POINT {
  CPoint() : POINT{0, 0} {}
  CPoint(LONG px, LONG py) : POINT{px, py} {}
  CPoint(const POINT& p) : POINT(p) {}  // NOLINT(google-explicit-constructor)
};

struct CSize : SIZE {
  CSize() : SIZE{0, 0} {}
  CSize(LONG x, LONG y) : SIZE{x, y} {}
  CSize(const SIZE& s) : SIZE(s) {}  // NOLINT(google-explicit-constructor)
};

// Right and bottom lie outside the rectangle.
struct CRect : RECT {
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
  CRect(const RECT& r) : RECT(r) {}  // NOLINT(google-explicit-constructor)
  LONG Width() const { return right - left; }
  LONG Height() const { return bottom - top; }
  CPoint TopLeft() const { return {left, top}; }
  BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
};
