// Timers by window handle, and the thread's own timers (no window), whose procedure runs on the
// GUI thread every time they elapse.
#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QTimerEvent>
#include <map>

#include "platform/framework/MessageLoop.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/WndEvents.h"

namespace {

class ThreadTimers final : public QObject {
 public:
  UINT_PTR Start(UINT_PTR id, UINT elapse, TIMERPROC proc) {
    // An existing timer is reset under its id; any other id gets a new one.
    const bool existing = Stop(id);
    const int qtId = startTimer(static_cast<int>(elapse));
    if (qtId == 0) return 0;
    const UINT_PTR chosen = existing ? id : ++lastId_;
    timers_[chosen] = {qtId, proc};
    return chosen;
  }
  bool Stop(UINT_PTR id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return false;
    killTimer(it->second.qtId);
    timers_.erase(it);
    return true;
  }

 protected:
  void timerEvent(QTimerEvent* event) override {
    for (const auto& [id, timer] : timers_)
      if (timer.qtId == event->timerId()) {
        NoteInput();
        const TIMERPROC proc = timer.proc;
        const UINT_PTR firing = id;
        if (proc) proc(nullptr, WM_TIMER, firing, MessageTickCount());
        return;
      }
  }

 private:
  struct Timer {
    int qtId;
    TIMERPROC proc;
  };
  std::map<UINT_PTR, Timer> timers_;
  UINT_PTR lastId_ = 0;
};

// Lives as long as the application object it belongs to.
ThreadTimers* Timers() {
  static QPointer<ThreadTimers> timers;
  if (!timers && QCoreApplication::instance()) {
    timers = new ThreadTimers;
    timers->setParent(QCoreApplication::instance());
  }
  return timers;
}

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hwnd) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    return wnd ? wnd->SetTimer(id, elapse, proc) : 0;
  }
  ThreadTimers* timers = Timers();
  return timers && proc ? timers->Start(id, elapse, proc) : 0;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  if (hwnd) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    return wnd && wnd->KillTimer(id);
  }
  ThreadTimers* timers = Timers();
  return timers && timers->Stop(id);
}
