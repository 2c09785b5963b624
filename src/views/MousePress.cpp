#include "views/MousePress.h"

#include <cstdlib>
#include <utility>

MousePress::MousePress(MousePressClient& c, Settings s, std::function<DWORD()> clockFunction)
    : client(c), settings(s), clock(std::move(clockFunction)) {}

// Beyond the box only when the pointer left it both across and up or down.
bool MousePress::BeyondDragBox(POINT point) const {
  return std::labs(point.x - pressPoint.x) > settings.dragWidth && std::labs(point.y - pressPoint.y) > settings.dragHeight;
}

// Elapsed times are taken modulo 2^32, as the millisecond clock wraps.
bool MousePress::TimeIsUp() const { return static_cast<DWORD>(clock() - pressTime) > settings.doubleClickTime; }

void MousePress::BeginDrag() {
  state = State::Dragging;
  client.StartDrag();
}

void MousePress::FinishClicks(int clicks) {
  state = State::Idle;
  client.Clicks(clicks);
}

void MousePress::Press(POINT point) {
  if (state == State::WaitingForDoubleClick) FinishClicks(1);
  if (state != State::Idle) return;
  state = State::Deciding;
  pressPoint = point;
  pressTime = clock();
  client.ArmPressTimer(settings.doubleClickTime + 1);
}

void MousePress::Move(POINT point) {
  switch (state) {
    case State::Idle:
      return;
    case State::Deciding:
      if (TimeIsUp() || BeyondDragBox(point)) {
        BeginDrag();
        client.DragMove(point);
      }
      return;
    case State::WaitingForDoubleClick:
      if (TimeIsUp() || BeyondDragBox(point)) FinishClicks(1);
      return;
    case State::Dragging:
      client.DragMove(point);
      return;
  }
}

void MousePress::Release(POINT point) {
  switch (state) {
    case State::Idle:
    case State::WaitingForDoubleClick:
      return;
    case State::Deciding:
      if (!TimeIsUp() && !BeyondDragBox(point)) {
        // A click, unless the second press of a double click follows within the time.
        state = State::WaitingForDoubleClick;
        return;
      }
      BeginDrag();
      [[fallthrough]];
    case State::Dragging:
      state = State::Idle;
      client.EndPress(true);
      return;
  }
}

void MousePress::DoubleClick() {
  // A double click outside a click of this window's own press starts nothing.
  if (state == State::WaitingForDoubleClick) FinishClicks(2);
}

void MousePress::Timeout() {
  if (state == State::Deciding) {
    BeginDrag();
  } else if (state == State::WaitingForDoubleClick) {
    FinishClicks(1);
  }
}

void MousePress::CaptureLost() {
  if (state == State::Idle) return;
  state = State::Idle;
  client.EndPress(false);
}
