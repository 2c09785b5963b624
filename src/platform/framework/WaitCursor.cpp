#include "platform/framework/WaitCursor.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "platform/framework/Wnd.h"
#include "platform/win/QtCursors.h"

namespace {

int waits = 0;
HCURSOR current = nullptr;

}  // namespace

void BeginWaitCursor() {
  if (waits++ == 0 && QApplication::instance()) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void EndWaitCursor() {
  if (waits == 0) return;
  if (--waits == 0 && QApplication::instance()) QApplication::restoreOverrideCursor();
}

void RestoreWaitCursor() {
  if (waits > 0 && QApplication::instance() && !QApplication::overrideCursor())
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

HCURSOR SetCursor(HCURSOR cursor) {
  const HCURSOR previous = current;
  current = cursor;
  QWidget* target = CWnd::GetCapture() ? CWnd::GetCapture()->GetWidget() : QApplication::widgetAt(QCursor::pos());
  if (target) target->setCursor(CursorFromHandle(cursor));
  return previous;
}

BOOL GetCursorPos(LPPOINT point) {
  const QPoint p = QCursor::pos();
  *point = {p.x(), p.y()};
  return TRUE;
}
