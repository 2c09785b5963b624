#include "platform/framework/DragOutline.h"

#include <QPalette>
#include <QRegion>

#include "platform/framework/ScreenColormap.h"

DragOutline::DragOutline(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                         Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::Active, QPalette::Highlight));
  setPalette(colours);
}

void DragOutline::ShowAround(const QRect& place) {
  if (place.size() != size()) {
    const QRect all(QPoint(0, 0), place.size());
    setMask(QRegion(all).subtracted(QRegion(all.adjusted(kThickness, kThickness, -kThickness, -kThickness))));
  }
  setGeometry(place);
  if (!isHidden()) return;
  show();
  raise();
  // Read apart from the screen, as `xwd -root` reads a window of a colormap of its own, the frame's
  // inside would be black.
  UseScreenColormap(windowHandle());
}
