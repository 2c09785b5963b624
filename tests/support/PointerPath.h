// Moves the mouse pointer the way a hand moves it. A test that puts the pointer somewhere in one
// jump sees behaviour no user sees, and behaviour that differs between Qt releases: an open menu,
// for one, takes no notice of the pointer until it has gone a few pixels from where it was when the
// menu opened, or has made several moves, and Qt 6.4 takes where it was from the platform's cursor
// while Qt 6.8 takes it from the last mouse event it handled.
#pragma once

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPoint>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

// Moves the pointer in a straight line from where it is to `to` (screen coordinates), in steps of
// at most `stepPixels` along each axis, each step handled by the program before the next. A step
// is the platform's cursor moved (where the program asks for the pointer) and a mouse move that
// the window under it hears as from a real mouse: the platform's own move for a cursor put
// somewhere counts as made up by Qt, and a menu bar takes no notice of such moves.
inline void MovePointerInLine(QPoint to, int stepPixels = 3) {
  const QPoint from = QCursor::pos();
  const QPoint way = to - from;
  const int longest = std::max(std::abs(way.x()), std::abs(way.y()));
  const int steps = std::max(1, (longest + stepPixels - 1) / stepPixels);
  for (int step = 1; step <= steps; ++step) {
    const QPoint at = from + way * step / steps;
    QCursor::setPos(at);
    if (QWindow* window = QGuiApplication::topLevelAt(at)) QTest::mouseMove(window, window->mapFromGlobal(at));
    QApplication::processEvents();
  }
}

// Moves the pointer to `to` first up or down, then across, as a hand goes from a menu's title into
// its menu: a straight line from the title to an item right of it would pass over the next title
// and open that menu instead.
inline void MovePointerAlongPath(QPoint to) {
  MovePointerInLine(QPoint(QCursor::pos().x(), to.y()));
  MovePointerInLine(to);
}
