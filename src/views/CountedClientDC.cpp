#include "views/CountedClientDC.h"

#include "platform/framework/View.h"

CountedClientDC::CountedClientDC(CView* view) : CClientDC(view) { view->OnPrepareDC(this, nullptr); }

void CountedClientDC::DPtoLP(XDPoint& point) const {
  SIZE unit{1, 1};
  LPtoDP(&unit);
  const CPoint viewportOrigin = GetViewportOrg();
  const double ox = viewportOrigin.x - unit.cx / 2;
  const double oy = viewportOrigin.y - unit.cy / 2;
  const CSize we = GetWindowExt();
  const CSize ve = GetViewportExt();
  const CPoint wo = GetWindowOrg();
  point.x = wo.x + ((point.x - ox) * we.cx) / ve.cx;
  point.y = wo.y + ((point.y - oy) * we.cy) / ve.cy;
}
