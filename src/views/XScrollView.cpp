#include "views/XScrollView.h"

#include <cmath>

#include "core/Globals.h"
#include "document/XDocument.h"
#include "platform/framework/DC.h"
#include "platform/framework/FrameWnd.h"

IMPLEMENT_RUNTIMECLASS(XScrollView, CScrollView, VERSIONABLE_SCHEMA, nullptr)

BEGIN_MESSAGE_MAP(XScrollView, CScrollView)
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
END_MESSAGE_MAP()

XScrollView::XScrollView(BOOL fitToWindow) : fitToWindow(fitToWindow) { SetScrollSizes(MM_TEXT, CSize(1, 1)); }

XDocument* XScrollView::GetDocument() const {
  CDocument* document = CScrollView::GetDocument();
  XASSERT_TEXT(document && ISKINDOF(document, XDocument), "ISKINDOF( CScrollView::GetDocument(), XDocument )", "");
  return static_cast<XDocument*>(document);
}

XDPoint XScrollView::GetScrollRatio() const {
  int mode;
  SIZE total, page, line;
  GetDeviceScrollSizes(mode, total, page, line);
  XASSERT_TEXT(mode == MM_TEXT, "mode == MM_TEXT", "Logic of this class assumes MM_TEXT mapping mode");
  const CPoint position = GetDeviceScrollPosition();
  return XDPoint(static_cast<double>(position.x) / total.cx, static_cast<double>(position.y) / total.cy);
}

void XScrollView::SetScrollRatio(const XDPoint& ratio) {
  const XDPoint current = GetScrollRatio();
  if (ratio.x == current.x && ratio.y == current.y) return;
  int mode;
  SIZE total, page, line;
  GetDeviceScrollSizes(mode, total, page, line);
  ScrollToPosition(XPoint(ratio.x * total.cx, ratio.y * total.cy));
}

void XScrollView::SetZoom(const XSize& numerator, const XSize& denominator, BOOL record) {
  XASSERT_TEXT(numerator.cx > 0 && numerator.cy > 0 && denominator.cx > 0 && denominator.cy > 0,
               "_numerator.cx > 0 && _numerator.cy > 0 && _denominator.cx > 0 && _denominator.cy > 0", "Invalid zoom");
  XASSERT_TEXT(numerator.cx <= kMaxZoom && numerator.cy <= kMaxZoom,
               "_numerator.cx <= INT_MAX/32767 && _numerator.cy <= INT_MAX/32767",
               "LPtoDP() will overflow for maximum logical space of 32767x32767");
  XASSERT_TEXT(denominator.cx <= kMaxZoom && denominator.cy <= kMaxZoom,
               "_denominator.cx <= INT_MAX/32767 && _denominator.cy <= INT_MAX/32767",
               "DPtoLP() will overflow for maximum client area of 32767x32767");
  if (numerator.cx == _numerator.cx && numerator.cy == _numerator.cy && denominator.cx == _denominator.cx &&
      denominator.cy == _denominator.cy)
    return;
  if (record) GetDocument()->RecordUndo(kUndoZoomWindow, GetZoomObject(), 0);
  _numerator = numerator;
  _denominator = denominator;
  if (CFrameWnd* frame = GetParentFrame()) frame->InvalidateRect(nullptr, TRUE);
  UpdateTitle();
}

void XScrollView::GetZoomState(XSize& numerator, XSize& denominator, XDPoint& scrollRatio) const {
  numerator = _numerator;
  denominator = _denominator;
  scrollRatio = GetScrollRatio();
}

void XScrollView::RestoreZoomState(const XSize& numerator, const XSize& denominator, const XDPoint& scrollRatio) {
  SetZoom(numerator, denominator, FALSE);
  SetScrollRatio(scrollRatio);
}

void XScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  if (info) {
    CScrollView::OnPrepareDC(dc, info);
    return;
  }
  SIZE extent = _numerator;
  const double aspect = static_cast<double>(Globals::GetLogPixelsX()) / Globals::GetLogPixelsY();
  const double widened = aspect >= 1.0 ? extent.cx * aspect : extent.cy / aspect;
  if (widened <= 2147483647.0) {
    (aspect >= 1.0 ? extent.cx : extent.cy) = static_cast<LONG>(widened);
    dc->SetMapMode(MM_ANISOTROPIC);
  } else {
    dc->SetMapMode(MM_ISOTROPIC);
  }
  const CSize previousViewport = dc->SetViewportExt(extent);
  XASSERT_TEXT(previousViewport != CSize(0, 0), "dc->SetViewportExt( zoomNum ) != XSize( 0, 0 )", "");
  const CSize previousWindow = dc->SetWindowExt(_denominator);
  XASSERT_TEXT(previousWindow != CSize(0, 0), "dc->SetWindowExt( GetZoomDenominator() ) != XSize( 0, 0 )", "");
  dc->SetWindowOrg(-_denominator.cx, -_denominator.cy);
  SIZE unit{1, 1};
  dc->LPtoDP(&unit);
  CPoint position = GetDeviceScrollPosition();
  position.x -= position.x % unit.cx;
  position.y -= position.y % unit.cy;
  dc->SetViewportOrg(position.x - extent.cx + unit.cx / 2, position.y - extent.cy + unit.cy / 2);
}

BOOL XScrollView::OnEraseBkgnd(CDC*) { return FALSE; }

void XScrollView::OnSize(UINT type, int cx, int cy) {
  CScrollView::OnSize(type, cx, cy);
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->IsZoomed())
    GetDocument()->UpdateAllViews(this, 0, nullptr);
  else if (frame && fitToWindow && !frame->IsIconic())
    frame->InvalidateRect(nullptr, TRUE);
  UpdateTitle();
}

void XScrollView::Serialize(CArchive& ar) {
  Myself::Serialize(ar);
  if (ar.IsStoring()) {
    XASSERT_TEXT((GetRuntimeClass()->m_wSchema & VERSIONABLE_SCHEMA) != 0,
                 "(GetRuntimeClass()->m_wSchema & VERSIONABLE_SCHEMA) != 0", "Schema not versionable");
    int mode;
    SIZE total, page, line;
    GetDeviceScrollSizes(mode, total, page, line);
    const XDPoint ratio = GetScrollRatio();
    ar << static_cast<DWORD>(GetRuntimeClass()->m_wSchema) << static_cast<LONG>(_numerator.cx)
       << static_cast<LONG>(_numerator.cy) << static_cast<LONG>(_denominator.cx) << static_cast<LONG>(_denominator.cy)
       << static_cast<LONG>(total.cx) << static_cast<LONG>(total.cy) << ratio.x << ratio.y;
    return;
  }
  ReadSchema(ar, GetRuntimeClass());
  LONG zoom[4], total[2];
  XDPoint ratio;
  ar >> zoom[0] >> zoom[1] >> zoom[2] >> zoom[3] >> total[0] >> total[1] >> ratio.x >> ratio.y;
  // Values only a damaged file holds would reach divisions and fatal checks: they fall back to
  // a plain 1/1 view at its start.
  const bool zoomValid = zoom[0] >= 1 && zoom[1] >= 1 && zoom[2] >= 1 && zoom[3] >= 1 && zoom[0] <= kMaxZoom &&
                         zoom[1] <= kMaxZoom && zoom[2] <= kMaxZoom && zoom[3] <= kMaxZoom;
  if (zoomValid) {
    _numerator = XSize(zoom[0], zoom[1]);
    _denominator = XSize(zoom[2], zoom[3]);
  } else {
    _numerator = XSize(1, 1);
    _denominator = XSize(1, 1);
  }
  if (total[0] < 1 || total[1] < 1 || total[0] > 32767 || total[1] > 32767) total[0] = total[1] = 1;
  SetScrollSizes(MM_TEXT, CSize(total[0], total[1]));
  if (!std::isfinite(ratio.x) || !std::isfinite(ratio.y) || ratio.x < 0 || ratio.y < 0 || ratio.x > 1 || ratio.y > 1)
    ratio = XDPoint(0.0, 0.0);
  SetScrollRatio(ratio);
}
