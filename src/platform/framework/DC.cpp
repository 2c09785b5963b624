#include "platform/framework/DC.h"

#include <QApplication>
#include <QImage>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <set>
#include <utility>

#include "platform/framework/Wnd.h"

IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

std::set<const CDC*>& LiveContexts() {
  static std::set<const CDC*> contexts;
  return contexts;
}

// What of `widget` no window above it covers, in its own coordinates: its rectangle cut to its
// parents' and less every visible sibling stacked above it or above one of its parents. The
// widget's own children do not count: they lie inside the window itself.
QRegion UncoveredRegion(const QWidget* widget) {
  if (!widget->isVisible()) return {};
  QRegion region(widget->rect());
  QPoint offset;  // the current parent's origin in `widget`'s coordinates
  for (const QWidget* at = widget; !at->isWindow() && at->parentWidget(); at = at->parentWidget()) {
    const QWidget* parent = at->parentWidget();
    offset -= at->pos();
    region &= QRegion(parent->rect().translated(offset));
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(at)) + 1; i < siblings.size(); ++i) {
      const auto* sibling = qobject_cast<const QWidget*>(siblings[i]);
      if (sibling && !sibling->isWindow() && sibling->isVisible())
        region -= QRegion(sibling->geometry().translated(offset));
    }
  }
  return region;
}

}  // namespace

BOOL CGdiObject::DeleteObject() {
  const bool was = created_;
  created_ = false;
  return was ? TRUE : FALSE;
}

BOOL CPen::CreatePen(int style, int w, COLORREF c) {
  if (created_ || style != PS_SOLID) return FALSE;
  width = w < 1 ? 1 : w;
  color = c;
  created_ = true;
  return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF c) {
  if (created_) return FALSE;
  color = c;
  created_ = true;
  return TRUE;
}

CDC::CDC() { LiveContexts().insert(this); }

CDC::CDC(QImage* image) : image_(image) {
  LiveContexts().insert(this);
  BeginPaint(image);
}

CDC::CDC(QPainter* painter) : borrowed_(painter) { LiveContexts().insert(this); }

CDC::~CDC() { LiveContexts().erase(this); }

CDC* CDC::FromHandle(HDC dc) {
  auto* context = reinterpret_cast<CDC*>(dc);
  return LiveContexts().count(context) ? context : nullptr;
}

void CDC::BeginPaint(QPaintDevice* device) { painter_ = std::make_unique<QPainter>(device); }

CPoint CDC::OffsetWindowOrg(int dx, int dy) {
  const CPoint o = GetWindowOrg();
  return SetWindowOrg(o.x + dx, o.y + dy);
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  const CPoint o = GetViewportOrg();
  return SetViewportOrg(o.x + dx, o.y + dy);
}

void CDC::LPtoDP(LPPOINT points, int count) const {
  for (int i = 0; i < count; ++i) points[i] = mapping_.LPtoDP(points[i]);
}

void CDC::LPtoDP(LPRECT rect) const {
  const POINT a = mapping_.LPtoDP(POINT{rect->left, rect->top});
  const POINT b = mapping_.LPtoDP(POINT{rect->right, rect->bottom});
  *rect = {a.x, a.y, b.x, b.y};
}

void CDC::LPtoDP(SIZE* size) const { *size = mapping_.LPtoDP(*size); }

void CDC::DPtoLP(LPPOINT points, int count) const {
  for (int i = 0; i < count; ++i) points[i] = mapping_.DPtoLP(points[i]);
}

void CDC::DPtoLP(LPRECT rect) const {
  const POINT a = mapping_.DPtoLP(POINT{rect->left, rect->top});
  const POINT b = mapping_.DPtoLP(POINT{rect->right, rect->bottom});
  *rect = {a.x, a.y, b.x, b.y};
}

void CDC::DPtoLP(SIZE* size) const { *size = mapping_.DPtoLP(*size); }

int CDC::GetClipBox(LPRECT rect) const {
  QRegion region;
  if (widget_)
    region = UncoveredRegion(widget_);
  else if (image_)
    region = QRegion(image_->rect());
  const QRect box = region.boundingRect();
  RECT r = region.isEmpty() ? RECT{0, 0, 0, 0} : RECT{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
  DPtoLP(&r);
  *rect = r;
  if (region.isEmpty()) return NULLREGION;
  return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

CPen* CDC::SelectObject(CPen* pen) {
  CPen* previous = pen_;
  pen_ = pen;
  return previous;
}

CBrush* CDC::SelectObject(CBrush* brush) {
  CBrush* previous = brush_;
  brush_ = brush;
  return previous;
}

COLORREF CDC::SetTextColor(COLORREF color) { return std::exchange(textColor_, color); }
COLORREF CDC::SetBkColor(COLORREF color) { return std::exchange(bkColor_, color); }
int CDC::SetBkMode(int mode) { return std::exchange(bkMode_, mode); }
UINT CDC::SetTextAlign(UINT) { return TA_LEFT | TA_TOP; }

QRect CDC::DeviceRect(int left, int top, int right, int bottom) const {
  RECT r{left, top, right, bottom};
  LPtoDP(&r);
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)).normalized();
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  QPainter* painter = GetPainter();
  if (!painter) return;
  painter->fillRect(DeviceRect(rect->left, rect->top, rect->right, rect->bottom), ToQColor(color));
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
  QPainter* painter = GetPainter();
  if (!painter) return FALSE;
  const QRect r = DeviceRect(left, top, right, bottom);
  painter->fillRect(r, ToQColor(brush_->color));
  painter->setPen(QPen(ToQColor(pen_->color), pen_->width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(r.adjusted(0, 0, -1, -1));
  return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
  QPainter* painter = GetPainter();
  if (!painter) return FALSE;
  const QRect r = DeviceRect(left, top, right, bottom);
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setPen(QPen(ToQColor(pen_->color), pen_->width));
  painter->setBrush(ToQColor(brush_->color));
  painter->drawEllipse(r.adjusted(0, 0, -1, -1));
  return TRUE;
}

void CDC::DrawFocusRect(LPCRECT rect) {
  QPainter* painter = GetPainter();
  if (!painter) return;
  painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(DeviceRect(rect->left, rect->top, rect->right, rect->bottom).adjusted(0, 0, -1, -1));
}

BOOL CDC::DrawFrameControl(LPRECT rect, UINT type, UINT state) {
  QPainter* painter = GetPainter();
  if (!painter || type != DFC_BUTTON || !(state & DFCS_BUTTONPUSH)) return FALSE;
  QStyleOptionButton option;
  option.rect = DeviceRect(rect->left, rect->top, rect->right, rect->bottom);
  option.state = QStyle::State_Enabled | ((state & DFCS_PUSHED) ? QStyle::State_Sunken : QStyle::State_Raised);
  QApplication::style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, painter);
  return TRUE;
}

BOOL CDC::TextOut(int x, int y, const char* text) {
  QPainter* painter = GetPainter();
  if (!painter) return FALSE;
  const POINT at = mapping_.LPtoDP(POINT{x, y});
  const QString s = QString::fromUtf8(text);
  const QFontMetrics metrics = painter->fontMetrics();
  if (bkMode_ == OPAQUE)
    painter->fillRect(QRect(at.x, at.y, metrics.horizontalAdvance(s), metrics.height()), ToQColor(bkColor_));
  painter->setPen(ToQColor(textColor_));
  painter->drawText(QPoint(at.x, at.y + metrics.ascent()), s);
  return TRUE;
}

CClientDC::CClientDC(CWnd* window) { AttachWidget(window ? window->GetWidget() : nullptr); }

CWindowDC::CWindowDC(CWnd* window) { AttachWidget(window ? window->GetWidget() : nullptr); }

CPaintDC::CPaintDC(CWnd* window) {
  QWidget* widget = window ? window->GetWidget() : nullptr;
  AttachWidget(widget);
  if (widget) BeginPaint(widget);
}
