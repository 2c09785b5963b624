// A client-area device context of a view, prepared with the view's screen mapping as soon as it
// exists, and counted so that a press can hold it for longer than one function.
#pragma once

#include "core/Pointers.h"
#include "core/XPtSzRect.h"
#include "platform/framework/DC.h"

class CView;

class CountedClientDC : public CClientDC, public RefCount {
 public:
  explicit CountedClientDC(CView* view);
  // A window point to logical units, with the fractions the integer mapping rounds away.
  void DPtoLP(XDPoint& point) const;
  using CClientDC::DPtoLP;
};
