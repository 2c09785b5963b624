// The left button in a camera window: whether a press is a click, a double click or a drag. The
// window hands over its button, move, double-click, timer and capture events; the decision is
// made from the press point, the drag box and the double-click time, read from an injectable
// clock, and the window is told what to do through MousePressClient.
#pragma once

#include <functional>

#include "platform/win/WinTypes.h"

class MousePressClient {
 public:
  virtual ~MousePressClient() = default;
  // Arm (or re-arm) the window's single-shot timer, which calls MousePress::Timeout.
  virtual void ArmPressTimer(DWORD milliseconds) = 0;
  // The press is a drag: the moves from now on are drag moves.
  virtual void StartDrag() = 0;
  virtual void DragMove(POINT point) = 0;
  // The press ended as a click (1) or a double click (2) without becoming a drag.
  virtual void Clicks(int clicks) = 0;
  // The press ended otherwise. `released`: the button ended a drag (which is a click when no move
  // was accepted); not released: the window lost the mouse or the focus, and nothing more happens.
  virtual void EndPress(bool released) = 0;
};

class MousePress {
 public:
  struct Settings {
    DWORD doubleClickTime;
    int dragWidth;
    int dragHeight;
  };

  MousePress(MousePressClient& client, Settings settings, std::function<DWORD()> clock);

  // A press while a drag or a decision is under way starts nothing.
  void Press(POINT point);
  void Move(POINT point);
  void Release(POINT point);
  void DoubleClick();
  void Timeout();
  // The window lost the mouse capture or the keyboard focus: any press ends without a click.
  void CaptureLost();

  bool IsDown() const { return state != State::Idle; }
  bool IsDragging() const { return state == State::Dragging; }

 private:
  enum class State { Idle, Deciding, WaitingForDoubleClick, Dragging };

  bool BeyondDragBox(POINT point) const;
  bool TimeIsUp() const;
  void BeginDrag();
  void FinishClicks(int clicks);

  MousePressClient& client;
  Settings settings;
  std::function<DWORD()> clock;
  State state = State::Idle;
  POINT pressPoint{};
  DWORD pressTime = 0;
};
