// What the pointer is over. A top-level window that the mouse passes through
// (Qt::WA_TransparentForMouseEvents, as a drag image that follows the pointer is) is never it: the
// lookup goes on to the window beneath.
#pragma once

#include <QPoint>

class QWidget;

// The innermost widget at a point on the screen, or null where the program has no window.
QWidget* WidgetUnderPoint(QPoint screen);
