#include "platform/framework/MessageLoop.h"

#include <optional>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>

#include "platform/framework/Help.h"
#include "platform/framework/KeyCodes.h"
#include "platform/framework/PeekMessage.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WndEvents.h"

namespace {

// The nearest wrapped window of a widget within its own top-level window: an open menu or
// another popup of a window is not that window, so its keys are no accelerators.
CWnd* WrapperOfWidget(QObject* object) {
  for (auto* widget = qobject_cast<QWidget*>(object); widget; widget = widget->parentWidget()) {
    if (CWnd* wnd = CWnd::FromWidget(widget)) return wnd;
    if (widget->isWindow()) break;
  }
  return nullptr;
}

bool inputSeen = false;
DWORD messageTime = 0;
bool contextHelpMode = false;

void EndContextHelpMode() {
  if (!contextHelpMode) return;
  contextHelpMode = false;
  QApplication::restoreOverrideCursor();
}

// The help of the window under a click in context help mode.
void ContextHelpAt(QObject* watched, const QPoint& global) {
  EndContextHelpMode();
  for (CWnd* wnd = WrapperOfWidget(watched); wnd; wnd = wnd->GetParent()) {
    POINT p{global.x(), global.y()};
    wnd->ScreenToClient(&p);
    if (const LRESULT context = wnd->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(p.x, p.y))) {
      ShowHelp(HELP_CONTEXT, static_cast<DWORD_PTR>(context));
      return;
    }
  }
  ShowHelp(HELP_FINDER, 0);
}

// A click on a menu title in context help mode opens the menu, still in the mode, so that the
// command chosen from it shows its help; so do the clicks within the open menu.
bool OpensMenuInHelpMode(QObject* watched, const QMouseEvent& mouse) {
  if (qobject_cast<QMenu*>(watched)) return true;
  auto* bar = qobject_cast<QMenuBar*>(watched);
  return bar && bar->actionAt(mouse.position().toPoint());
}

// A menu of help mode closed: unless another one opened in its place (the next title of the bar),
// nothing was chosen and the mode ends.
void EndContextHelpModeUnlessAMenuIsOpen() {
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [] { if (!QApplication::activePopupWidget()) EndContextHelpMode(); },
      Qt::QueuedConnection);
}

// The desktop says when the program comes to the front or leaves it; the main window hears each
// change once as WM_ACTIVATEAPP (hidden and inactive are both "in the background").
void NoteApplicationState(Qt::ApplicationState state) {
  static std::optional<bool> wasActive;
  const bool active = state == Qt::ApplicationActive;
  // Keys released while another program has the keyboard are never heard.
  if (!active) ClearKeyState();
  if (wasActive == active) return;
  wasActive = active;
  if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_ACTIVATEAPP, active, 0);
}

// The end of the session closes the program as a close of its main window does: the documents
// are offered for saving and the window goes with all it owns. Qt's own handling would close the
// top-level windows in no fixed order and stop at the first one that stays open, such as the
// splash, so the main window would hear of it only now and then. A modal dialog is left to Qt,
// which closes that dialog first.
bool EndSession(QEvent* quit) {
  CWnd* main = AfxGetMainWnd();
  if (!main || QApplication::activeModalWidget()) return false;
  const HWND self = main->m_hWnd;
  main->SendMessage(WM_CLOSE);
  quit->setAccepted(CWnd::FromHandle(self) == nullptr);
  return true;
}

class InputFilter final : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ApplicationStateChange && watched == QCoreApplication::instance()) {
      NoteApplicationState(static_cast<QApplicationStateChangeEvent*>(event)->applicationState());
      return false;
    }
    if (event->type() == QEvent::Quit && watched == QCoreApplication::instance())
      return HoldForPeek(watched, event) || EndSession(event);
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Close:
        if (HoldForPeek(watched, event)) return true;
        break;
      default:
        if (event->type() == WndEventBridge::PostedMessageType() && HoldForPeek(watched, event)) return true;
        break;
    }
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        // Esc in an open menu closes the menu, and with it the mode.
        if (contextHelpMode && key->key() == Qt::Key_Escape && !QApplication::activePopupWidget()) {
          if (event->type() == QEvent::KeyPress) EndContextHelpMode();
          return true;
        }
        RecordInput(key);
        const UINT vk = RecordKeyEvent(*key);
        // A key the widget does not take travels up to its parents: look at it once.
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool travelling = event == lastKey_ && widget && lastWatched_ && widget != lastWatched_ &&
                                widget->isAncestorOf(lastWatched_);
        lastKey_ = event;
        lastWatched_ = widget;
        if (travelling) return false;
        return vk && PreTranslate(watched, event->type() == QEvent::KeyPress ? (key->modifiers() & Qt::AltModifier ? WM_SYSKEYDOWN : WM_KEYDOWN)
                                                                              : WM_KEYUP,
                                  vk, MAKELPARAM(1, 0));
      }
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        RecordInput(mouse);
        // Help mode takes the whole click: the press asks for the help, its release goes nowhere.
        // Both are taken from the widget, never from the window they pass first: there the toolkit
        // notes which widget the button went down on and forgets it at the release. A release kept
        // from the window would leave that widget holding the mouse, so that no other widget hears
        // the pointer come (no cursor of its own, no hover) until the next click.
        if (qobject_cast<QWidget*>(watched)) {
          if (event->type() == QEvent::MouseButtonPress) {
            helpClickHeld_ = contextHelpMode && !OpensMenuInHelpMode(watched, *mouse);
            if (helpClickHeld_) {
              ContextHelpAt(watched, mouse->globalPosition().toPoint());
              return true;
            }
          } else if (helpClickHeld_ && event->type() == QEvent::MouseButtonRelease) {
            helpClickHeld_ = false;
            return true;
          }
        }
        const QPoint p = mouse->position().toPoint();
        const UINT message = event->type() == QEvent::MouseButtonPress     ? WM_LBUTTONDOWN
                             : event->type() == QEvent::MouseButtonRelease ? WM_LBUTTONUP
                                                                           : WM_LBUTTONDBLCLK;
        return PreTranslate(watched, message, MouseKeyFlags(mouse->buttons(), mouse->modifiers()), MAKELPARAM(p.x(), p.y()));
      }
      case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->globalPosition().toPoint() != lastMouse_) {
          lastMouse_ = mouse->globalPosition().toPoint();
          RecordInput(mouse);
        }
        return false;
      }
      case QEvent::Hide:
        if (contextHelpMode && qobject_cast<QMenu*>(watched)) EndContextHelpModeUnlessAMenuIsOpen();
        return false;
      case QEvent::Wheel:
      case QEvent::Close:
        NoteInput();
        return false;
      default:
        return false;
    }
  }

 private:
  static void RecordInput(const QInputEvent* event) {
    NoteInput();
    messageTime = MessageTickCount();
    const Qt::KeyboardModifiers m = event->modifiers();
    RecordModifiers(m & Qt::ShiftModifier, m & Qt::ControlModifier, m & Qt::AltModifier);
  }

  static bool PreTranslate(QObject* watched, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* target = WrapperOfWidget(watched);
    if (!target) return false;
    const QPoint cursor = QCursor::pos();
    MSG msg{target->m_hWnd, message, wParam, lParam, MessageTickCount(), {cursor.x(), cursor.y()}};
    CWinApp* app = AfxGetApp();
    return app ? app->PreTranslateMessage(&msg) != FALSE : WalkPreTranslateTree(&msg) != FALSE;
  }

  QEvent* lastKey_ = nullptr;
  QPointer<QWidget> lastWatched_;
  bool helpClickHeld_ = false;
  QPoint lastMouse_;
};

}  // namespace

void InstallInputFilter() {
  static InputFilter* filter = nullptr;
  static QPointer<QCoreApplication> installedOn;  // clears itself when that application goes
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || installedOn == app) return;
  delete filter;  // the filter of an application that is gone
  filter = new InputFilter;
  app->installEventFilter(filter);
  installedOn = app;
}

CWnd* WindowOfWidget(QObject* object) { return WrapperOfWidget(object); }

BOOL WalkPreTranslateTree(MSG* msg) {
  for (CWnd* wnd = CWnd::FromHandle(msg->hwnd); wnd; wnd = wnd->GetParent())
    if (wnd->PreTranslateMessage(msg)) return TRUE;
  return FALSE;
}

void NoteInput() { inputSeen = true; }

DWORD GetMessageTime() { return messageTime; }

void BeginContextHelpMode() {
  if (contextHelpMode) return;
  InstallInputFilter();
  contextHelpMode = true;
  QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

bool InContextHelpMode() { return contextHelpMode; }

BOOL ShowCommandHelpInHelpMode(UINT id) {
  if (!contextHelpMode) return FALSE;
  EndContextHelpMode();
  ShowHelp(HELP_CONTEXT, HID_BASE_COMMAND + id);
  return TRUE;
}

BOOL TranslateContextHelpKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_F1 || GetKeyState(VK_SHIFT) >= 0 || GetKeyState(VK_CONTROL) < 0)
    return FALSE;
  BeginContextHelpMode();
  return TRUE;
}

bool TakeInputSeen() {
  const bool seen = inputSeen;
  inputSeen = false;
  return seen;
}
