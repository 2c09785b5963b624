#include "platform/framework/DesktopDisplay.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "platform/ddraw/Display.h"
#include "platform/win/SystemInfo.h"

DesktopDisplay::DesktopDisplay() {
  for (QScreen* screen : QGuiApplication::screens()) Watch(screen);
  connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
    Watch(screen);
    Follow();
  });
  // Sent while the screen still counts among the screens: follow once it has gone.
  connect(qGuiApp, &QGuiApplication::screenRemoved, this, [this] { Follow(); }, Qt::QueuedConnection);
  connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, [this] { Follow(); });
  Follow();
}

void DesktopDisplay::Watch(QScreen* screen) {
  connect(screen, &QScreen::geometryChanged, this, [this] { Follow(); });
}

void DesktopDisplay::Follow() {
  QScreen* primary = QGuiApplication::primaryScreen();
  if (!primary) return;
  // Screen coordinates address the surface directly, so it reaches from the origin to the far
  // corner of every screen.
  QRect desktop;
  for (QScreen* screen : QGuiApplication::screens()) desktop |= screen->geometry();
  const LONG width = std::max(desktop.right() + 1, 1);
  const LONG height = std::max(desktop.bottom() + 1, 1);
  const Mode mode{DisplayFormatForDepth(primary->depth()), width, height};
  if (mode == applied_) return;  // a mode set again would still lose every surface
  if (DDSetDisplayMode(mode.bits, mode.width, mode.height)) applied_ = mode;
}
