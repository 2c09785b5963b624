// Qt makes no item of a menu current, and says nothing, while the mouse is over a greyed item or
// a separator, nor when the mouse leaves the items; the frame's prompt line still follows the
// mouse onto them, and off them onto the menu itself.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QMenu;

class MenuHoverWatch final : public QObject {
 public:
  // Calls `hovered` for each greyed item or separator of `menu` that the mouse comes onto, and
  // with the menu's own action when the mouse leaves its items.
  MenuHoverWatch(QMenu* menu, std::function<void(QAction*)> hovered);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool SubmenuOpen() const;

  QMenu* menu_;
  std::function<void(QAction*)> hovered_;
  QPointer<QAction> under_;  // the item the mouse was last over
};
