#include "platform/win/QtCursors.h"

#include <QGuiApplication>
#include <QPixmap>

#include "platform/win/CursorResources.h"
#include "platform/win/Cursors.h"

QCursor CursorFromHandle(HCURSOR cursor) {
  CursorName name = DescribeCursor(cursor);
  if (name.kind != CursorKind::resource || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    return QCursor(Qt::ArrowCursor);
  const CursorResource* resource = FindCursorResource(name.id);
  return QCursor(QPixmap(resource->xpm), resource->hotSpot.x, resource->hotSpot.y);
}
