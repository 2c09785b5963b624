#include "core/WindowPlacement.h"

#include "core/XPtSzRect.h"

namespace {

constexpr UINT kPlacementLength = sizeof(WINDOWPLACEMENT);

bool IsValidCoordinate(LONG v) { return v >= XPoint::Min() && v <= XPoint::Max(); }

// A window's top left corner lies within a quarter of the coordinates' range each way: painting
// one window takes another's position from its own and adds sizes, which must stay within the
// range. Its right and bottom edges are cut to the screen's size from there. Only a damaged file
// holds a window further out.
constexpr LONG kFarthestCorner = XPoint::Max() / 4;

bool IsReachableCorner(const RECT& r) {
  return r.left >= -kFarthestCorner && r.left <= kFarthestCorner && r.top >= -kFarthestCorner &&
         r.top <= kFarthestCorner;
}

}  // namespace

CArchive& operator<<(CArchive& ar, const WINDOWPLACEMENT& w) {
  const XPoint minPosition(w.ptMinPosition), maxPosition(w.ptMaxPosition);
  const XRect normal(w.rcNormalPosition);
  ar << w.length << w.flags << w.showCmd;
  ar << minPosition.x << minPosition.y << maxPosition.x << maxPosition.y;
  ar << normal.left << normal.top << normal.right << normal.bottom;
  return ar;
}

CArchive& operator>>(CArchive& ar, WINDOWPLACEMENT& w) {
  WINDOWPLACEMENT read{};
  read.length = kPlacementLength;
  UINT d;
  ar >> d;
  if (d != kPlacementLength) AfxThrowArchiveException(CArchiveException::badSchema);
  ar >> read.flags >> read.showCmd;
  ar >> read.ptMinPosition.x >> read.ptMinPosition.y >> read.ptMaxPosition.x >> read.ptMaxPosition.y;
  ar >> read.rcNormalPosition.left >> read.rcNormalPosition.top >> read.rcNormalPosition.right >>
      read.rcNormalPosition.bottom;
  for (LONG v : {read.ptMinPosition.x, read.ptMinPosition.y, read.ptMaxPosition.x, read.ptMaxPosition.y,
                 read.rcNormalPosition.left, read.rcNormalPosition.top, read.rcNormalPosition.right,
                 read.rcNormalPosition.bottom})
    if (!IsValidCoordinate(v)) AfxThrowArchiveException(CArchiveException::badSchema);
  if (!IsReachableCorner(read.rcNormalPosition)) AfxThrowArchiveException(CArchiveException::badSchema);
  w = read;
  return ar;
}
