#include "platform/framework/ScreenPointer.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "platform/framework/Wnd.h"

BOOL GetCursorPos(POINT* point) {
  if (!point) return FALSE;
  const QPoint at = QCursor::pos();
  *point = {at.x(), at.y()};
  return TRUE;
}

HWND WindowFromPoint(POINT point) {
  // Qt's innermost widget may be an inner part of a window (a viewport, a layout widget): the
  // window is its nearest wrapped ancestor.
  for (QWidget* widget = QApplication::widgetAt(point.x, point.y); widget; widget = widget->parentWidget())
    if (CWnd* wnd = CWnd::FromWidget(widget)) return wnd->GetSafeHwnd();
  return nullptr;
}
