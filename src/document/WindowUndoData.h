// Undo data of the windows: closing one (kind 1), opening one (kind 2) and a camera window's zoom
// (kind 3).
#pragma once

#include "core/XPtSzRect.h"
#include "document/UndoData.h"

// A closed window as the image of its frame's saved layout, and the template that re-creates it.
class CloseWindowUndoData : public RefCount {
  DECLARE_SERIAL(CloseWindowUndoData)
 public:
  // Reading fails for a template that does not make camera windows.
  void Serialize(CArchive& ar) override;

  UndoImage image;
  DWORD docTemplateIndex = 0;
};

// An opened window, by its frame's identity.
class OpenWindowUndoData : public RefCount {
  DECLARE_SERIAL(OpenWindowUndoData)
 public:
  void Serialize(CArchive& ar) override;

  Ptr<PtrMyself> frameMyself;
};

// The zoom and scroll ratio before the change.
class ZoomWindowUndoData : public RefCount {
  DECLARE_SERIAL(ZoomWindowUndoData)
 public:
  ZoomWindowUndoData() = default;
  ZoomWindowUndoData(const Ptr<PtrMyself>& view, const XSize& numerator, const XSize& denominator,
                     const XDPoint& ratio)
      : viewMyself(view), numerator(numerator), denominator(denominator), scrollRatio(ratio) {}
  // Reading fails for a zoom the view could not take: components outside 1..kMaxZoom, an uneven
  // zoom or one below 100%, or a scroll ratio outside 0..1.
  void Serialize(CArchive& ar) override;

  Ptr<PtrMyself> viewMyself;
  XSize numerator{XSize::Max(), XSize::Max()};
  XSize denominator{XSize::Max(), XSize::Max()};
  XDPoint scrollRatio;
};
