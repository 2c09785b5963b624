#include "platform/framework/PrimarySurfacePresenter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "platform/framework/SurfaceImage.h"
#include "platform/framework/Wnd.h"

PrimarySurfacePresenter::PrimarySurfacePresenter(std::function<QWidget*(HWND)> widgetOf)
    : widgetOf_(std::move(widgetOf)) {
  previous_ = DDSetPrimaryBltHook(
      [this](IDirectDrawSurface* primary, HWND window, const RECT& dest) { OnBlt(primary, window, dest); });
}

PrimarySurfacePresenter::PrimarySurfacePresenter()
    : PrimarySurfacePresenter([](HWND window) {
        CWnd* wnd = CWnd::FromHandle(window);
        return wnd ? wnd->GetWidget() : nullptr;
      }) {}

PrimarySurfacePresenter::~PrimarySurfacePresenter() {
  DDSetPrimaryBltHook(previous_);
  for (auto& entry : shown_) entry.first->removeEventFilter(this);
}

void PrimarySurfacePresenter::OnBlt(IDirectDrawSurface* primary, HWND window, const RECT& dest) {
  QWidget* widget = window ? widgetOf_(window) : nullptr;
  if (!widget) return;
  auto [it, added] = shown_.try_emplace(widget);
  Shown& shown = it->second;
  if (added) {
    widget->installEventFilter(this);
    connect(widget, &QObject::destroyed, this, [this](QObject* gone) { Forget(gone); });
  }
  if (shown.primary.get() != primary) shown.primary = primary;
  const QRect screenRect(QPoint(dest.left, dest.top), QPoint(dest.right - 1, dest.bottom - 1));
  shown.screenRegion += screenRect;
  if (!shown.painting) widget->update(screenRect.translated(-widget->mapToGlobal(QPoint(0, 0))));
}

bool PrimarySurfacePresenter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Paint) return false;
  auto it = shown_.find(watched);
  if (it == shown_.end() || it->second.painting) return false;
  it->second.painting = true;
  // The window's own paint, which may blit again; sent through the other filters, since a
  // framework window paints through one of them.
  QCoreApplication::sendEvent(watched, event);
  it = shown_.find(watched);
  if (it == shown_.end()) return true;
  it->second.painting = false;
  Paint(static_cast<QWidget*>(watched), it->second);
  return true;
}

void PrimarySurfacePresenter::Paint(QWidget* widget, const Shown& shown) {
  DDSURFACEDESC locked{};
  locked.dwSize = kDDSurfaceDescSize;
  if (shown.primary->Lock(nullptr, &locked, DDLOCK_READONLY | DDLOCK_WAIT, nullptr) != DD_OK) return;
  bool bottomUp = false;
  const QImage screen = SurfaceImage(locked, shown.primary.get(), &bottomUp);
  if (!screen.isNull()) {
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    QPainter painter(widget);
    for (const QRect& area : shown.screenRegion) {
      if (bottomUp) {
        // Row r of the screen lies at image row height - 1 - r.
        const QRect source(area.left(), screen.height() - 1 - area.bottom(), area.width(), area.height());
        painter.save();
        painter.translate(area.left() - origin.x(), area.bottom() - origin.y() + 1);
        painter.scale(1, -1);
        painter.drawImage(QPoint(0, 0), screen, source);
        painter.restore();
      } else {
        painter.drawImage(area.topLeft() - origin, screen, area);
      }
    }
  }
  shown.primary->Unlock(nullptr);
}

void PrimarySurfacePresenter::Forget(QObject* widget) {
  auto it = shown_.find(widget);
  if (it == shown_.end()) return;
  shown_.erase(it);
}
