#include "dialogs/ColorButton.h"

#include <algorithm>

#include "platform/framework/ColorDialog.h"
#include "platform/framework/ControlNotifications.h"
#include "platform/framework/MessageMap.h"
#include "platform/win/MessageBox.h"

namespace {

constexpr COLORREF kBrownOrange = RGB(128, 64, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kCream = RGB(255, 240, 208);

void Deflate(RECT& r, int dx, int dy) {
  r.left += dx;
  r.right -= dx;
  r.top += dy;
  r.bottom -= dy;
}

// Centres a swatch of (w, h) in `r`; a direction with 0 is left alone. The swatch keeps its exact
// size when the difference is odd.
void Centre(RECT& r, int w, int h) {
  if (w > 0) {
    Deflate(r, std::max(0, static_cast<int>(r.right - r.left) - w) / 2, 0);
    if (r.right - r.left > w) --r.right;
  }
  if (h > 0) {
    Deflate(r, 0, std::max(0, static_cast<int>(r.bottom - r.top) - h) / 2);
    if (r.bottom - r.top > h) --r.bottom;
  }
}

BYTE BlendChannel(int colour, int background, double alpha) {
  return static_cast<BYTE>(static_cast<int>((colour - background) * alpha + background) & 0xFF);
}

COLORREF Blend(COLORREF c, COLORREF background, double alpha) {
  return RGB(BlendChannel(GetRValue(c), GetRValue(background), alpha),
             BlendChannel(GetGValue(c), GetGValue(background), alpha),
             BlendChannel(GetBValue(c), GetBValue(background), alpha));
}

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

}  // namespace

// White until the owner gives its colour; channels beyond 1 would upset the luminance range.
ColorButton::ColorButton() { SetColor(Color(1.0, 1.0, 1.0, 1.0)); }

ColorButton::~ColorButton() = default;

void ColorButton::SetColor(const Color& color) {
  m_color = color;
  const COLORREF c = m_color.GetCOLORREF();
  m_brush = std::make_unique<CBrush>(c);
  m_pen = std::make_unique<CPen>(PS_SOLID, 1, c);
  if (GetSafeHwnd()) InvalidateRect(nullptr, FALSE);
}

bool ColorButton::IsFacePushed(UINT) const { return true; }

bool ColorChooserButton::IsFacePushed(UINT itemState) const { return (itemState & (ODS_SELECTED | ODS_DISABLED)) != 0; }

void ColorButton::DrawItem(LPDRAWITEMSTRUCT item) {
  CDC* dc = CDC::FromHandle(item->hDC);
  RECT r = item->rcItem;
  dc->DrawFrameControl(&r, DFC_BUTTON, DFCS_BUTTONPUSH | (IsFacePushed(item->itemState) ? DFCS_PUSHED : 0));
  if (item->itemState & ODS_DISABLED) return;
  Deflate(r, 4, 4);
  if (DrawsFocus() && (item->itemState & ODS_FOCUS)) {
    dc->DrawFocusRect(&r);
    Deflate(r, 3, 3);
  }
  const COLORREF c = m_color.GetCOLORREF();
  const double a = std::max(0.0, m_color.a);
  if (a >= 1.0) {
    if (m_ellipseSize.cx >= 1 && m_ellipseSize.cy >= 1) {
      Centre(r, m_ellipseSize.cx, m_ellipseSize.cy);
      CPen* oldPen = dc->SelectObject(m_pen.get());
      CBrush* oldBrush = dc->SelectObject(m_brush.get());
      dc->Ellipse(&r);
      dc->SelectObject(oldPen);
      dc->SelectObject(oldBrush);
      return;
    }
    Centre(r, m_rectSize.cx, m_rectSize.cy);
    dc->FillSolidRect(&r, c);
    return;
  }
  const COLORREF backgrounds[3] = {kBrownOrange, kBlack, kCream};
  const int third = (r.right - r.left + 1) / 3;
  RECT stripes[3];
  for (int i = 0; i < 3; ++i) stripes[i] = RECT{r.left + i * third, r.top, r.left + (i + 1) * third, r.bottom};
  stripes[2].right = r.right;
  if (m_rectSize.cx < 1) {
    for (int i = 0; i < 3; ++i) dc->FillSolidRect(&stripes[i], Blend(c, backgrounds[i], a));
    return;
  }
  for (int i = 0; i < 3; ++i) dc->FillSolidRect(&stripes[i], backgrounds[i]);
  RECT square = r;
  Centre(square, m_rectSize.cx, m_rectSize.cx);
  for (int i = 0; i < 3; ++i) {
    const RECT part = Intersect(square, stripes[i]);
    dc->FillSolidRect(&part, Blend(c, backgrounds[i], a));
  }
}

BEGIN_MESSAGE_MAP(ColorChooserButton, ColorButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

BOOL ColorChooserButton::OnClicked() {
  CColorDialog dialog(m_color.GetCOLORREF(), 0, nullptr);
  if (dialog.DoModal() != IDOK) return TRUE;
  Color chosen = m_color;
  chosen.SetCOLORREF(dialog.GetColor());
  SetColor(chosen);
  return FALSE;
}
