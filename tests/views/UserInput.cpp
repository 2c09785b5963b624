#include "views/UserInput.h"

#include <QApplication>
#include <QCursor>
#include <QListWidget>
#include <QStyleHints>
#include <QTest>
#include <gtest/gtest.h>

#include "shell/Objects3DView.h"

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held, Qt::KeyboardModifiers keys) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, keys);
  QApplication::sendEvent(widget, &event);
}

void DragThrough(QWidget* widget, std::initializer_list<QPoint> points) {
  SendMouse(widget, QEvent::MouseButtonPress, *points.begin(), Qt::LeftButton);
  for (const QPoint& point : points) SendMouse(widget, QEvent::MouseMove, point, Qt::LeftButton);
  SendMouse(widget, QEvent::MouseButtonRelease, *std::prev(points.end()), Qt::NoButton);
  QApplication::processEvents();
}

void DragFirstObjectOnto(Objects3DView& objects, QWidget* target, const std::function<void()>& whileOver) {
  QWidget* list = qobject_cast<QListWidget*>(objects.GetWidget())->viewport();
  RECT icon{};
  ASSERT_TRUE(objects.GetListCtrl().GetItemRect(0, &icon, LVIR_ICON));
  const QPoint press(icon.left + 5, icon.top + 5);
  QTest::mousePress(list, Qt::LeftButton, {}, press);
  const QPoint moved = press + QPoint(1, 1) * (QApplication::styleHints()->startDragDistance() + 5);
  SendMouse(list, QEvent::MouseMove, moved, Qt::LeftButton);
  const QPoint over = target->mapToGlobal(target->rect().center());
  QCursor::setPos(over);
  if (whileOver) whileOver();
  // The list holds the capture: the release goes to its window.
  QTest::mouseRelease(objects.GetWidget(), Qt::LeftButton, {}, objects.GetWidget()->mapFromGlobal(over));
  QApplication::processEvents();
}

HCURSOR ShownCursor() {
  const HCURSOR cursor = SetCursor(nullptr);
  SetCursor(cursor);
  return cursor;
}
