#include "platform/framework/WndEvents.h"

#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include "platform/framework/DC.h"
#include "platform/framework/KeyCodes.h"
#include "platform/framework/MessageLoop.h"
#include "platform/win/TickCount.h"

namespace {

// Esc and Enter on a dialog are its Cancel and its default button: the dialog manager takes them
// before the dialog sees a key, so no key message goes out for them.
bool IsDialogKey(const QWidget* widget, const QKeyEvent& key) {
  const bool dialogKey = key.key() == Qt::Key_Escape || key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
  return dialogKey && !(key.modifiers() & ~Qt::KeypadModifier) && qobject_cast<const QDialog*>(widget);
}

// Counts nesting, so that a window destroyed by its own handler is deleted after the event.
class DepthGuard {
 public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

UINT MouseMessage(const QMouseEvent* event) {
  const bool right = event->button() == Qt::RightButton;
  const bool middle = event->button() == Qt::MiddleButton;
  switch (event->type()) {
    case QEvent::MouseButtonPress: return right ? WM_RBUTTONDOWN : middle ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
    case QEvent::MouseButtonRelease: return right ? WM_RBUTTONUP : middle ? WM_MBUTTONUP : WM_LBUTTONUP;
    case QEvent::MouseButtonDblClick: return right ? WM_RBUTTONDBLCLK : middle ? WM_MBUTTONDBLCLK : WM_LBUTTONDBLCLK;
    default: return WM_MOUSEMOVE;
  }
}

}  // namespace

UINT MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  UINT flags = 0;
  if (buttons & Qt::LeftButton) flags |= MK_LBUTTON;
  if (buttons & Qt::RightButton) flags |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) flags |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) flags |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) flags |= MK_CONTROL;
  return flags;
}

DWORD MessageTickCount() { return GetTickCount(); }

QEvent::Type WndEventBridge::PostedMessageType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

WndEventBridge::WndEventBridge(CWnd* wnd, QWidget* widget) : wnd_(wnd), widget_(widget) {
  widget->installEventFilter(this);
}

WndEventBridge::~WndEventBridge() {
  // The widget went without DestroyWindow (its parent widget was deleted): the wrapper lets go.
  if (wnd_) wnd_->Detach();
}

bool WndEventBridge::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!wnd_) return false;
  LRESULT result = 0;
  CWnd* wnd = wnd_;
  const CWnd::CurrentMessage saved = wnd->current_;
  wnd->current_ = {message, wParam, lParam};
  const BOOL handled = wnd->OnWndMsg(message, wParam, lParam, &result);
  if (wnd_ == wnd) wnd->current_ = saved;
  return handled != FALSE;
}

bool WndEventBridge::eventFilter(QObject* watched, QEvent* event) {
  if (watched != widget_ || !wnd_) return false;
  DepthGuard guard(depth_);
  return Translate(event);
}

bool WndEventBridge::Translate(QEvent* event) {
  switch (event->type()) {
    case QEvent::Paint:
      return Paint();
    case QEvent::Resize: {
      const UINT kind = widget_->isMaximized() ? SIZE_MAXIMIZED : widget_->isMinimized() ? SIZE_MINIMIZED : SIZE_RESTORED;
      Send(WM_SIZE, kind, MAKELPARAM(widget_->width(), widget_->height()));
      return false;
    }
    case QEvent::Move:
      Send(WM_MOVE, 0, MAKELPARAM(widget_->x(), widget_->y()));
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint p = mouse->position().toPoint();
      return Send(MouseMessage(mouse), MouseKeyFlags(mouse->buttons(), mouse->modifiers()), MAKELPARAM(p.x(), p.y()));
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (IsDialogKey(widget_, *key)) return false;  // the dialog's own handling takes it
      const UINT vk = VirtualKeyOfEvent(*key);
      const bool press = event->type() == QEvent::KeyPress;
      const bool alt = key->modifiers() & Qt::AltModifier;
      // lParam: repeat count 1; bit 29 with Alt held, bit 30 for a repeat, bit 31 on release.
      const DWORD flags = (alt ? 0x2000u : 0u) | (key->isAutoRepeat() ? 0x4000u : 0u) | (press ? 0u : 0xC000u);
      const LPARAM lParam = MAKELPARAM(1, static_cast<int>(flags));
      bool handled = false;
      if (vk) handled = Send(press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP), vk, lParam);
      if (press && wnd_ && !key->text().isEmpty() && key->text()[0].unicode() < 256)
        handled = Send(WM_CHAR, key->text()[0].unicode(), lParam) || handled;
      return handled;
    }
    case QEvent::FocusIn:
      Send(WM_SETFOCUS, 0, 0);
      return false;
    case QEvent::FocusOut:
      Send(WM_KILLFOCUS, 0, 0);
      return false;
    case QEvent::WindowActivate:
      // A window coming to the front may realise its palette first.
      if (widget_->isWindow()) Send(WM_QUERYNEWPALETTE, 0, 0);
      Send(WM_ACTIVATE, WA_ACTIVE, 0);
      return false;
    case QEvent::WindowDeactivate:
      Send(WM_ACTIVATE, WA_INACTIVE, 0);
      return false;
    case QEvent::DragEnter:
    case QEvent::Drop:
      return widget_->acceptDrops() && Drop(event);
    case QEvent::Close:
      // The window decides: WM_CLOSE destroys it unless a handler keeps it.
      event->ignore();
      if (wnd_) wnd_->SendMessage(WM_CLOSE);
      return true;
    default:
      return false;
  }
}

bool WndEventBridge::Paint() {
  // The erase step draws through a device context of its own, ended before WM_PAINT paints.
  if (!skipErase_) {
    QPainter painter(widget_);
    CDC dc(&painter);
    const WPARAM hdc = reinterpret_cast<WPARAM>(dc.GetSafeHdc());
    LRESULT result = 0;
    const CWnd::CurrentMessage saved = wnd_->current_;
    wnd_->current_ = {WM_ERASEBKGND, hdc, 0};
    if (!wnd_->OnWndMsg(WM_ERASEBKGND, hdc, 0, &result)) wnd_->DefWindowProc(WM_ERASEBKGND, hdc, 0);
    if (wnd_) wnd_->current_ = saved;
  }
  skipErase_ = false;
  return wnd_ && Send(WM_PAINT, 0, 0);
}

bool WndEventBridge::event(QEvent* event) {
  if (event->type() != PostedMessageType()) return QObject::event(event);
  auto* posted = static_cast<PostedMessageEvent*>(event);
  NoteInput();
  if (wnd_ && wnd_->m_hWnd == posted->hwnd) {
    DepthGuard guard(depth_);
    wnd_->SendMessage(posted->message, posted->wParam, posted->lParam);
  }
  return true;
}

UINT_PTR WndEventBridge::StartTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) {
  StopTimer(id);
  const int qtId = startTimer(static_cast<int>(elapse));
  if (qtId == 0) return 0;
  timers_[id] = {qtId, proc};
  return id;
}

bool WndEventBridge::StopTimer(UINT_PTR id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return false;
  killTimer(it->second.qtId);
  timers_.erase(it);
  return true;
}

void WndEventBridge::timerEvent(QTimerEvent* event) {
  for (const auto& [id, timer] : timers_) {
    if (timer.qtId != event->timerId()) continue;
    if (!wnd_) return;
    NoteInput();
    DepthGuard guard(depth_);
    if (timer.proc)
      timer.proc(wnd_->m_hWnd, WM_TIMER, id, MessageTickCount());
    else
      wnd_->SendMessage(WM_TIMER, id, 0);
    return;
  }
}
