#include "platform/framework/PeekMessage.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <deque>
#include <memory>

#include "platform/framework/KeyCodes.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/WndEvents.h"

namespace {

struct HeldInput {
  MSG msg;
  std::unique_ptr<QEvent> event;
  QPointer<QObject> receiver;
};

std::deque<HeldInput>& Held() {
  static std::deque<HeldInput> held;
  return held;
}

bool peeking = false;

UINT MouseMessageOf(const QMouseEvent* mouse) {
  const int base = mouse->button() == Qt::RightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
  switch (mouse->type()) {
    case QEvent::MouseButtonPress: return static_cast<UINT>(base);
    case QEvent::MouseButtonRelease: return static_cast<UINT>(base + 1);
    case QEvent::MouseButtonDblClick: return static_cast<UINT>(base + 2);
    default: return WM_MOUSEMOVE;
  }
}

// Gives the held input that was not taken to its widgets, once the looking is over.
class HeldInputReplay final : public QObject {
 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    while (!peeking && !Held().empty()) {
      HeldInput input = std::move(Held().front());
      Held().pop_front();
      if (input.receiver) QCoreApplication::sendEvent(input.receiver, input.event.get());
    }
    return true;
  }
};

void ScheduleReplay() {
  static QPointer<HeldInputReplay> replay;
  if (!replay) {
    replay = new HeldInputReplay;
    replay->setParent(QCoreApplication::instance());
  }
  QCoreApplication::postEvent(replay, new QEvent(QEvent::User));
}

// What else waits in the queue besides input, none of it carried out by a look: a posted
// message, the window manager's close of a window (which stays until the close is carried out)
// and the end of the session.
bool IsQueuedMessage(QObject* receiver, QEvent* event, MSG& msg) {
  msg = {nullptr, 0, 0, 0, MessageTickCount(), {0, 0}};
  if (event->type() == WndEventBridge::PostedMessageType()) {
    const auto* posted = static_cast<const PostedMessageEvent*>(event);
    msg = {posted->hwnd, posted->message, posted->wParam, posted->lParam, msg.time, msg.pt};
  } else if (event->type() == QEvent::Quit && receiver == QCoreApplication::instance()) {
    msg.message = WM_QUIT;
  } else if (CWnd* wnd = event->type() == QEvent::Close ? WindowOfWidget(receiver) : nullptr) {
    msg = {wnd->m_hWnd, WM_CLOSE, 0, 0, msg.time, msg.pt};
    event->ignore();
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool HoldForPeek(QObject* receiver, QEvent* event) {
  if (!peeking) return false;
  if (MSG queued{}; IsQueuedMessage(receiver, event, queued)) {
    Held().push_back({queued, std::unique_ptr<QEvent>(event->clone()), receiver});
    return true;
  }
  CWnd* wnd = WindowOfWidget(receiver);
  if (!wnd) return false;
  MSG msg{wnd->m_hWnd, 0, 0, 0, MessageTickCount(), {0, 0}};
  if (auto* mouse = dynamic_cast<QMouseEvent*>(event)) {
    QPoint at = mouse->position().toPoint();
    if (auto* widget = qobject_cast<QWidget*>(receiver); widget && wnd->GetWidget())
      at = widget->mapTo(wnd->GetWidget()->window(), at) - wnd->GetWidget()->mapTo(wnd->GetWidget()->window(), QPoint());
    const QPoint global = mouse->globalPosition().toPoint();
    msg.message = MouseMessageOf(mouse);
    msg.wParam = MouseKeyFlags(mouse->buttons(), mouse->modifiers());
    msg.lParam = MAKELPARAM(at.x(), at.y());
    msg.pt = {global.x(), global.y()};
  } else if (auto* key = dynamic_cast<QKeyEvent*>(event)) {
    msg.message = key->type() == QEvent::KeyPress ? WM_KEYDOWN : WM_KEYUP;
    msg.wParam = VirtualKeyOfEvent(*key);
    msg.lParam = MAKELPARAM(1, 0);
  } else {
    return false;
  }
  Held().push_back({msg, std::unique_ptr<QEvent>(event->clone()), receiver});
  return true;
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove) {
  InstallInputFilter();
  // Whatever has arrived joins the held input first.
  peeking = true;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  peeking = false;
  BOOL found = FALSE;
  for (auto it = Held().begin(); it != Held().end(); ++it) {
    const MSG& m = it->msg;
    if ((hwnd && m.hwnd != hwnd) || ((first || last) && (m.message < first || m.message > last))) continue;
    *msg = m;
    if (remove & PM_REMOVE) Held().erase(it);
    found = TRUE;
    break;
  }
  if (!Held().empty()) ScheduleReplay();
  return found;
}
