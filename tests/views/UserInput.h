// Test support: the mouse events a user causes in a window, and the drag of an object from the
// 3D Objects window's list onto another window.
#pragma once

#include <QMouseEvent>
#include <QPoint>
#include <functional>
#include <initializer_list>

#include "platform/framework/WaitCursor.h"

class Objects3DView;
class QWidget;

// One mouse event at `at` (the widget's coordinates) with the buttons `held` after it; a press,
// release or double click is of the left button.
void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held, Qt::KeyboardModifiers keys = {});
// A left-button drag through the points, pressed at the first and released at the last.
void DragThrough(QWidget* widget, std::initializer_list<QPoint> points);
// Presses on the list's first object, moves beyond the drag distance, puts the pointer over the
// centre of `target`, where `whileOver` runs, and releases there.
void DragFirstObjectOnto(Objects3DView& objects, QWidget* target, const std::function<void()>& whileOver = {});
// The cursor shown now.
HCURSOR ShownCursor();
