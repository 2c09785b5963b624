#include "platform/framework/PointerTarget.h"

#include <QApplication>
#include <QRegion>
#include <QWidget>
#include <QWindow>

namespace {

bool FollowsPointer(const QWidget* window) { return window->testAttribute(Qt::WA_TransparentForMouseEvents); }

// Where the window system cannot shape windows, the stacking order is taken to be the order the
// windows were made in, as Qt takes it without one.
QWidget* LastMadeAt(QPoint screen) {
  const QWindowList windows = QGuiApplication::topLevelWindows();
  for (auto window = windows.crbegin(); window != windows.crend(); ++window) {
    if (!(*window)->isVisible() || !(*window)->geometry().contains(screen)) continue;
    QWidget* widget = QWidget::find((*window)->winId());
    if (widget && !FollowsPointer(widget)) return widget;
  }
  return nullptr;
}

// The window system knows the stacking order, so a window the mouse passes through is cut away at
// the point while it is asked again; the cut lasts only for the question.
QWidget* TopLevelUnder(QPoint screen) {
  QWidget* top = QApplication::topLevelAt(screen);
  if (!top || !FollowsPointer(top)) return top;
  const QRegion kept = top->mask();
  const QPoint inside = top->mapFromGlobal(screen);
  top->setMask((kept.isEmpty() ? QRegion(top->rect()) : kept) - QRegion(inside.x(), inside.y(), 1, 1));
  QWidget* beneath = QApplication::topLevelAt(screen) != top ? TopLevelUnder(screen) : LastMadeAt(screen);
  if (kept.isEmpty())
    top->clearMask();
  else
    top->setMask(kept);
  return beneath;
}

}  // namespace

QWidget* WidgetUnderPoint(QPoint screen) {
  QWidget* top = TopLevelUnder(screen);
  if (!top) return nullptr;
  QWidget* child = top->childAt(top->mapFromGlobal(screen));
  return child ? child : top;
}
