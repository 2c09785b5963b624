// Undo data of a camera window's zoom (kind 3): the zoom and scroll ratio before the change.
#pragma once

#include "core/XPtSzRect.h"
#include "document/UndoData.h"

class ZoomWindowUndoData : public RefCount {
  DECLARE_SERIAL(ZoomWindowUndoData)
 public:
  ZoomWindowUndoData() = default;
  ZoomWindowUndoData(const Ptr<PtrMyself>& view, const XSize& numerator, const XSize& denominator,
                     const XDPoint& ratio)
      : viewMyself(view), numerator(numerator), denominator(denominator), scrollRatio(ratio) {}
  // Reading fails for a zoom the view could not take.
  void Serialize(CArchive& ar) override;

  Ptr<PtrMyself> viewMyself;
  XSize numerator{XSize::Max(), XSize::Max()};
  XSize denominator{XSize::Max(), XSize::Max()};
  XDPoint scrollRatio;
};
