#include "platform/win/QtSystemInfo.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QStyleHints>
#include <QToolTip>
#include <cmath>

namespace {

bool HasGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QScreen* Screen() { return HasGui() ? QGuiApplication::primaryScreen() : nullptr; }

}  // namespace

UINT QtSystemInfo::DoubleClickTime() {
  return HasGui() ? static_cast<UINT>(QGuiApplication::styleHints()->mouseDoubleClickInterval())
                  : fallback_.DoubleClickTime();
}

SIZE QtSystemInfo::DragDistance() {
  if (!HasGui()) return fallback_.DragDistance();
  LONG side = 2 * QGuiApplication::styleHints()->startDragDistance();
  return {side, side};
}

COLORREF QtSystemInfo::TooltipBackground() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return fallback_.TooltipBackground();
  QColor c = QToolTip::palette().color(QPalette::ToolTipBase);
  return RGB(static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()), static_cast<BYTE>(c.blue()));
}

SIZE QtSystemInfo::ScreenSize() {
  QScreen* screen = Screen();
  if (!screen) return fallback_.ScreenSize();
  return {screen->geometry().width(), screen->geometry().height()};
}

SIZE QtSystemInfo::LogicalDpi() {
  QScreen* screen = Screen();
  if (!screen) return fallback_.LogicalDpi();
  return {static_cast<LONG>(std::lround(screen->logicalDotsPerInchX())),
          static_cast<LONG>(std::lround(screen->logicalDotsPerInchY()))};
}

int QtSystemInfo::BitsPerPixel() {
  QScreen* screen = Screen();
  if (!screen) return fallback_.BitsPerPixel();
  const int bits = DisplayFormatForDepth(screen->depth());
  return bits == 15 ? 16 : bits;
}

int QtSystemInfo::PaletteSize() { return BitsPerPixel() == 8 ? 256 : 0; }
