#include "platform/framework/ButtonClickHold.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <cstdlib>

#include "platform/framework/ToolBar.h"
#include "platform/win/SystemInfo.h"

ButtonClickHold::ButtonClickHold(CToolBar* bar, QWidget* button) : QObject(button), bar_(bar), button_(button) {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { HandOn(); });
  button->installEventFilter(this);
}

bool ButtonClickHold::BeyondDragDistance(QPoint at) const {
  return std::abs(at.x() - press_.x()) > GetSystemMetrics(SM_CXDRAG) &&
         std::abs(at.y() - press_.y()) > GetSystemMetrics(SM_CYDRAG);
}

bool ButtonClickHold::eventFilter(QObject*, QEvent* event) {
  const QEvent::Type type = event->type();
  if (replaying_ || (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
                     type != QEvent::MouseButtonRelease && type != QEvent::MouseMove))
    return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint at = mouse->position().toPoint();
  if (type == QEvent::MouseMove) {
    if ((state_ == State::held || state_ == State::released) && BeyondDragDistance(at)) HandOn();
    return false;
  }
  if (mouse->button() != Qt::LeftButton) return false;
  switch (state_) {
    case State::idle:
    case State::doubled:
      if (type == QEvent::MouseButtonRelease) {
        const bool swallow = state_ == State::doubled;
        state_ = State::idle;
        return swallow;
      }
      if (type == QEvent::MouseButtonDblClick) {
        // After a second press, that press's own event; else a double-click whose first press
        // was not held here.
        if (state_ == State::idle) SendDoubleClick(at);
        return true;
      }
      state_ = State::held;
      press_ = at;
      modifiers_ = mouse->modifiers();
      timer_.start(static_cast<int>(GetDoubleClickTime()));
      return true;
    case State::held:
      if (type != QEvent::MouseButtonRelease) return true;
      if (BeyondDragDistance(at)) {
        HandOn();
        return false;  // the release follows the press it belongs to
      }
      state_ = State::released;
      return true;
    case State::released: {
      if (type == QEvent::MouseButtonRelease) return true;
      timer_.stop();
      state_ = State::doubled;
      SendDoubleClick(press_);
      return true;
    }
  }
  return false;
}

void ButtonClickHold::SendDoubleClick(QPoint at) {
  const QPoint onBar = button_->mapTo(bar_->GetWidget(), at);
  bar_->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(onBar.x(), onBar.y()));
}

void ButtonClickHold::HandOn() {
  timer_.stop();
  const State state = state_;
  state_ = State::idle;
  if (state == State::held || state == State::released) Replay(QEvent::MouseButtonPress);
  if (state == State::released) Replay(QEvent::MouseButtonRelease);
}

void ButtonClickHold::Replay(QEvent::Type type) {
  const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
  QMouseEvent event(type, QPointF(press_), QPointF(button_->mapToGlobal(press_)), Qt::LeftButton, buttons,
                    modifiers_);
  replaying_ = true;
  QCoreApplication::sendEvent(button_, &event);
  replaying_ = false;
}
