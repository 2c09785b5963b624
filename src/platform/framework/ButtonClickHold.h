// A tool bar button's first click is held back until it is known not to start a double-click,
// so that a double-click opens the tool's settings without also running the tool.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QTimer>

class CToolBar;
class QWidget;

// Watches one button. A left press waits up to the double-click time: a second press within it
// makes the pair a double-click, which reaches the bar as WM_LBUTTONDBLCLK and presses nothing;
// the time running out, or a move or release beyond the drag distance both across and down,
// hands the press (and its release, if it came) on to the button.
class ButtonClickHold final : public QObject {
 public:
  ButtonClickHold(CToolBar* bar, QWidget* button);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class State { idle, held, released, doubled };
  bool BeyondDragDistance(QPoint at) const;
  void SendDoubleClick(QPoint at);
  void HandOn();
  void Replay(QEvent::Type type);

  CToolBar* bar_;
  QWidget* button_;
  QTimer timer_;
  State state_ = State::idle;
  QPoint press_;
  Qt::KeyboardModifiers modifiers_;
  bool replaying_ = false;
};
