// The bridge between a widget and its wrapper: it turns the widget's Qt events into window
// messages, runs the wrapper's timers and delivers its posted messages.
#pragma once

#include <QEvent>
#include <QObject>
#include <map>

#include "platform/framework/Wnd.h"

class WndEventBridge final : public QObject {
 public:
  WndEventBridge(CWnd* wnd, QWidget* widget);
  ~WndEventBridge() override;

  void Disconnect() { wnd_ = nullptr; }
  // Inside one of the widget's events: the widget must then be deleted later, not now.
  bool Dispatching() const { return depth_ > 0; }
  void SkipNextErase() { skipErase_ = true; }

  UINT_PTR StartTimer(UINT_PTR id, UINT elapse, TIMERPROC proc);
  bool StopTimer(UINT_PTR id);

  // The event type that carries posted messages.
  static QEvent::Type PostedMessageType();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  bool Translate(QEvent* event);
  bool Paint();
  // Files dragged from the desktop onto a window that accepts them (DropFiles.cpp).
  bool Drop(QEvent* event);
  bool Send(UINT message, WPARAM wParam, LPARAM lParam);

  CWnd* wnd_;
  QWidget* widget_;
  int depth_ = 0;
  bool skipErase_ = false;
  struct Timer {
    int qtId;
    TIMERPROC proc;
  };
  std::map<UINT_PTR, Timer> timers_;
};

// A message waiting in the queue.
class PostedMessageEvent final : public QEvent {
 public:
  PostedMessageEvent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
      : QEvent(WndEventBridge::PostedMessageType()), hwnd(hwnd), message(message), wParam(wParam), lParam(lParam) {}
  PostedMessageEvent* clone() const override { return new PostedMessageEvent(*this); }
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// The mouse-message key flags (MK_*) of a Qt mouse state.
UINT MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
// The milliseconds tick count messages are stamped with.
DWORD MessageTickCount();
