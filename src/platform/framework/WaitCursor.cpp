#include "platform/framework/WaitCursor.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "platform/framework/PointerTarget.h"
#include "platform/framework/Wnd.h"
#include "platform/win/QtCursors.h"

namespace {

int waits = 0;
HCURSOR current = nullptr;
// The top-level window given the cursor while one of its windows held the capture.
QPointer<QWindow> capturing;

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
  CWnd* capture = CWnd::GetCapture();
  QWidget* target = capture ? capture->GetWidget() : WidgetUnderPoint(QCursor::pos());
  if (!target) return previous;
  const QCursor shape = CursorFromHandle(cursor);
  target->setCursor(shape);
  // Held by the capture, the pointer shows its top-level window's cursor wherever it goes, and Qt
  // would give that window the cursor of the widget it last saw the pointer enter.
  if (capture && (capturing = target->window()->windowHandle())) capturing->setCursor(shape);
  return previous;
}

void EndCaptureCursor() {
  if (!capturing) return;
  QWidget* under = WidgetUnderPoint(QCursor::pos());
  if (under && under->window()->windowHandle() == capturing)
    capturing->setCursor(under->cursor());
  else
    capturing->unsetCursor();
  capturing = nullptr;
}

BOOL GetCursorPos(LPPOINT point) {
  const QPoint p = QCursor::pos();
  *point = {p.x(), p.y()};
  return TRUE;
}
