#include "platform/framework/MenuHoverWatch.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>

MenuHoverWatch::MenuHoverWatch(QMenu* menu, std::function<void(QAction*)> hovered)
    : QObject(menu), menu_(menu), hovered_(std::move(hovered)) {
  menu->installEventFilter(this);
  // An item Qt reports (under the mouse or chosen by a key) is the one the mouse leaves next.
  QObject::connect(menu, &QMenu::hovered, this, [this](QAction* action) { under_ = action; });
}

bool MenuHoverWatch::SubmenuOpen() const {
  const QAction* selected = menu_->activeAction();
  return selected && selected->menu() && selected->menu()->isVisible();
}

bool MenuHoverWatch::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove: {
      QAction* action = menu_->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      if (action == under_) break;
      under_ = action;
      if (!action)
        hovered_(menu_->menuAction());
      else if (!action->isEnabled() || action->isSeparator())
        hovered_(action);
      break;
    }
    case QEvent::Leave:
      // Qt unselects the item the mouse leaves the menu from, unless that item's submenu is open.
      if (under_ && menu_->isVisible() && !SubmenuOpen()) hovered_(menu_->menuAction());
      under_ = nullptr;
      break;
    case QEvent::Hide:
      under_ = nullptr;
      break;
    default:
      break;
  }
  return false;
}
