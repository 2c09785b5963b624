#include "views/XScrollView.h"

#include "core/Globals.h"
#include "document/XDocument.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/DC.h"
#include "platform/framework/FrameWnd.h"

IMPLEMENT_RUNTIMECLASS(XScrollView, CScrollView, VERSIONABLE_SCHEMA, nullptr)

BEGIN_MESSAGE_MAP(XScrollView, CScrollView)
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_COMMAND(kZoomInCommand, OnZoomIn)
  ON_COMMAND(kZoomOutCommand, OnZoomOut)
  ON_COMMAND_RANGE(kFirstZoomPreset, kLastZoomPreset, OnZoomPreset)
  ON_UPDATE_COMMAND_UI(kZoomInCommand, OnUpdateZoomIn)
  ON_UPDATE_COMMAND_UI(kZoomOutCommand, OnUpdateZoomOut)
  ON_UPDATE_COMMAND_UI_RANGE(kFirstZoomPreset, kLastZoomPreset, OnUpdateZoomPreset)
  ON_COMMAND(kWindowNewCommand, OnWindowNew)
  ON_COMMAND(kWindowCloseCommand, OnWindowClose)
END_MESSAGE_MAP()

namespace {

// Presets 32994 to 32998 reduce to 1/6 ... 1/2, 32999 to 33008 magnify 1x ... 10x.
XSize PresetNumerator(UINT id) {
  const LONG n = id < kNormalZoomPreset ? 1 : static_cast<LONG>(id - kNormalZoomPreset + 1);
  return XSize(n, n);
}
XSize PresetDenominator(UINT id) {
  const LONG d = id < kNormalZoomPreset ? static_cast<LONG>(kNormalZoomPreset - id + 1) : 1;
  return XSize(d, d);
}

}  // namespace

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

void XScrollView::OnZoomIn() {
  if (_denominator.cx == 1 || _denominator.cy == 1)
    SetZoom(XSize(_numerator.cx + 1, _numerator.cy + 1), _denominator, TRUE);
  else
    SetZoom(_numerator, XSize(_denominator.cx - 1, _denominator.cy - 1), TRUE);
}

void XScrollView::OnZoomOut() {
  if (_numerator.cx == 1 || _numerator.cy == 1)
    SetZoom(_numerator, XSize(_denominator.cx + 1, _denominator.cy + 1), TRUE);
  else
    SetZoom(XSize(_numerator.cx - 1, _numerator.cy - 1), _denominator, TRUE);
}

void XScrollView::OnZoomPreset(UINT id) { SetZoom(PresetNumerator(id), PresetDenominator(id), TRUE); }

void XScrollView::OnUpdateZoomIn(CCmdUI* cmdUI) {
  cmdUI->Enable(static_cast<double>(_numerator.cx) / _denominator.cx < 20.0 &&
                static_cast<double>(_numerator.cy) / _denominator.cy < 20.0);
}

void XScrollView::OnUpdateZoomOut(CCmdUI* cmdUI) {
  cmdUI->Enable(static_cast<double>(_numerator.cx) / _denominator.cx > 0.05 &&
                static_cast<double>(_numerator.cy) / _denominator.cy > 0.05);
}

void XScrollView::OnUpdateZoomPreset(CCmdUI* cmdUI) {
  const XSize n = PresetNumerator(cmdUI->m_nID), d = PresetDenominator(cmdUI->m_nID);
  cmdUI->Enable(TRUE);
  cmdUI->SetRadio(n.cx == _numerator.cx && n.cy == _numerator.cy && d.cx == _denominator.cx &&
                  d.cy == _denominator.cy);
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
  if (!IsScrollRatio(ratio)) ratio = XDPoint(0.0, 0.0);
  SetScrollRatio(ratio);
}
