#include "platform/framework/Wnd.h"

#include <QVariant>
#include <QWidget>


IMPLEMENT_DYNAMIC(CWnd, CObject)
IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)
IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace {

// The wrapper lives in a property of its widget, so it goes with the widget.
constexpr char kWrapperProperty[] = "tavrolinWnd";

// The wrapped children of `parent`'s widget, in creation order.
QList<CWnd*> WrappedChildren(const CWnd* parent) {
  QList<CWnd*> children;
  if (!parent || !parent->GetWidget()) return children;
  for (QObject* object : parent->GetWidget()->children())
    if (auto* widget = qobject_cast<QWidget*>(object); widget && !widget->isWindow())
      if (CWnd* wrapper = CWnd::FromWidget(widget)) children.append(wrapper);
  return children;
}

}  // namespace

CWnd::~CWnd() { DestroyWindow(); }

BOOL CWnd::Create(const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (widget_) return FALSE;
  QWidget* parentWidget = parent ? parent->widget_.data() : nullptr;
  if (parent && !parentWidget) return FALSE;
  widget_ = new QWidget(parentWidget);
  widget_->setProperty(kWrapperProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
  widget_->setWindowTitle(QString::fromUtf8(windowName ? windowName : ""));
  widget_->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  id_ = parent ? id : 0;
  widget_->setVisible((style & WS_VISIBLE) != 0);
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (!widget_) return FALSE;
  delete widget_.data();
  return TRUE;
}

CWnd* CWnd::FromWidget(const QWidget* widget) {
  return widget ? reinterpret_cast<CWnd*>(widget->property(kWrapperProperty).value<quintptr>()) : nullptr;
}

DWORD CWnd::GetStyle() const {
  DWORD style = 0;
  if (widget_ && !widget_->isWindow()) style |= WS_CHILD;
  if (widget_ && !widget_->isHidden()) style |= WS_VISIBLE;
  return style;
}

BOOL CWnd::ShowWindow(int showCommand) {
  if (!widget_) return FALSE;
  const BOOL wasVisible = !widget_->isHidden();
  widget_->setVisible(showCommand != static_cast<int>(SW_HIDE));
  return wasVisible;
}

CWnd* CWnd::GetParent() const {
  return widget_ && !widget_->isWindow() ? FromWidget(widget_->parentWidget()) : nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const {
  for (CWnd* w = GetParent(); w; w = w->GetParent())
    if (w->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(w);
  return nullptr;
}

CWnd* CWnd::GetWindow(UINT relation) const {
  if (relation == GW_CHILD) {
    QList<CWnd*> children = WrappedChildren(this);
    return children.isEmpty() ? nullptr : children.first();
  }
  QList<CWnd*> siblings = WrappedChildren(GetParent());
  const qsizetype self = siblings.indexOf(const_cast<CWnd*>(this));
  if (self < 0) return nullptr;
  switch (relation) {
    case GW_HWNDFIRST: return siblings.first();
    case GW_HWNDLAST: return siblings.last();
    case GW_HWNDNEXT: return self + 1 < siblings.size() ? siblings[self + 1] : nullptr;
    case GW_HWNDPREV: return self > 0 ? siblings[self - 1] : nullptr;
    default: return nullptr;
  }
}

void CWnd::GetWindowRect(LPRECT rect) const {
  *rect = {};
  if (!widget_) return;
  const QPoint topLeft = widget_->mapToGlobal(QPoint(0, 0));
  *rect = {topLeft.x(), topLeft.y(), topLeft.x() + widget_->width(), topLeft.y() + widget_->height()};
}

void CWnd::ClientToScreen(LPPOINT point) const {
  if (!widget_) return;
  const QPoint screen = widget_->mapToGlobal(QPoint(point->x, point->y));
  *point = {screen.x(), screen.y()};
}

BOOL CControlBar::IsFloating() const {
  CFrameWnd* frame = GetDockingFrame();
  return frame && frame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd));
}
