#include "platform/framework/TrueWindowPlace.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

class TrueWindowPlace final : public QObject {
 public:
  explicit TrueWindowPlace(QWidget* window) : QObject(window), widget_(window) {
    window->installEventFilter(this);
    Watch();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget_) {
      // A widget that becomes a window again gets a new one.
      if (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange) Watch();
      return false;
    }
    if (watched != window_ || (event->type() != QEvent::Enter && event->type() != QEvent::MouseMove)) return false;
    const auto* pointer = static_cast<const QSinglePointEvent*>(event);
    // With a button held the window may be on its way under the mouse, one move ahead of the event.
    if (pointer->buttons() != Qt::NoButton) return false;
    const QPoint place = (pointer->globalPosition() - pointer->position()).toPoint();
    if (widget_->isWindow() && place != widget_->geometry().topLeft())
      // The window stays where it is; Qt's record of it comes right.
      widget_->setGeometry(QRect(place, widget_->size()));
    return false;
  }

 private:
  void Watch() {
    QWindow* window = widget_->isWindow() ? widget_->windowHandle() : nullptr;
    if (window == window_) return;
    if (window_) window_->removeEventFilter(this);
    window_ = window;
    if (window_) window_->installEventFilter(this);
  }

  QWidget* widget_;
  QPointer<QWindow> window_;
};

}  // namespace

void KeepTrueWindowPlace(QWidget* window) { new TrueWindowPlace(window); }
