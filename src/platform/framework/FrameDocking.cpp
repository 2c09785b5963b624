// Docking and floating a frame's control bars, and keeping their places in the preferences.
#include <QDockWidget>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <algorithm>

#include "platform/framework/ControlBar.h"
#include "platform/framework/FrameWnd.h"
#include "platform/win/ProfileStore.h"

namespace {

constexpr char kStateKey[] = "Layout";
// How far inside the work area's edge a point still lies on that side's dock bar.
constexpr int kDockReach = 16;
constexpr int kStateVersion = 1;

Qt::DockWidgetArea AreaOfDockBar(UINT dockBarId, DWORD style) {
  switch (dockBarId) {
    case AFX_IDW_DOCKBAR_TOP: return Qt::TopDockWidgetArea;
    case AFX_IDW_DOCKBAR_BOTTOM: return Qt::BottomDockWidgetArea;
    case AFX_IDW_DOCKBAR_LEFT: return Qt::LeftDockWidgetArea;
    case AFX_IDW_DOCKBAR_RIGHT: return Qt::RightDockWidgetArea;
    default: break;
  }
  if (style & CBRS_ALIGN_BOTTOM) return Qt::BottomDockWidgetArea;
  if (style & CBRS_ALIGN_LEFT) return Qt::LeftDockWidgetArea;
  if (style & CBRS_ALIGN_RIGHT) return Qt::RightDockWidgetArea;
  return Qt::TopDockWidgetArea;
}

Qt::DockWidgetAreas AllowedAreas(DWORD style) {
  Qt::DockWidgetAreas areas;
  if (style & CBRS_ALIGN_TOP) areas |= Qt::TopDockWidgetArea;
  if (style & CBRS_ALIGN_BOTTOM) areas |= Qt::BottomDockWidgetArea;
  if (style & CBRS_ALIGN_LEFT) areas |= Qt::LeftDockWidgetArea;
  if (style & CBRS_ALIGN_RIGHT) areas |= Qt::RightDockWidgetArea;
  return areas;
}

}  // namespace

CPoint KeptOnScreen(const CRect& window) {
  const QRect rect(window.left, window.top, window.Width(), window.Height());
  const QScreen* screen = QGuiApplication::screenAt(rect.center());
  if (!screen) screen = QGuiApplication::screenAt(rect.topLeft());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return window.TopLeft();
  const QRect area = screen->availableGeometry();
  return {std::clamp(rect.left(), area.left(), std::max(area.left(), area.right() + 1 - rect.width())),
          std::clamp(rect.top(), area.top(), std::max(area.top(), area.bottom() + 1 - rect.height()))};
}

UINT CFrameWnd::DockBarAt(CPoint point) const {
  QMainWindow* window = MainWindow();
  QWidget* work = window ? window->centralWidget() : nullptr;
  if (!work || !window->isVisible()) return 0;
  const QPoint at(point.x, point.y);
  // The frame below its menu bar.
  QRect frame(window->mapToGlobal(QPoint(0, 0)), window->size());
  if (QWidget* menu = window->menuWidget(); menu && menu->isVisible())
    frame.setTop(menu->mapToGlobal(QPoint(0, menu->height())).y());
  if (!frame.contains(at)) return 0;
  const QRect inner(work->mapToGlobal(QPoint(0, 0)), work->size());
  // The side whose edge of the work area the point is farthest beyond, or nearest inside.
  const struct {
    UINT dockBar;
    DWORD align;
    int depth;  // how far inside the work area, from that side's edge
  } sides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP, at.y() - inner.top()},
               {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM, inner.bottom() - at.y()},
               {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT, at.x() - inner.left()},
               {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT, inner.right() - at.x()}};
  UINT found = 0;
  int nearest = kDockReach;
  for (const auto& side : sides)
    if ((m_dwDockStyle & side.align) && side.depth < nearest) {
      nearest = side.depth;
      found = side.dockBar;
    }
  return found;
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, LPCRECT rect) {
  auto* dock = qobject_cast<QDockWidget*>(bar->GetWidget());
  QMainWindow* window = MainWindow();
  if (!dock || !window) return;
  const Qt::DockWidgetArea area = AreaOfDockBar(dockBarId, bar->GetBarStyle());
  dock->setAllowedAreas(AllowedAreas(bar->m_dwDockStyle & m_dwDockStyle) | area);
  // Bars on one side line up along it, the newest last; a rectangle (screen coordinates) whose
  // top-left corner lies on a docked bar puts the new one right after that bar.
  QDockWidget* last = nullptr;
  QDockWidget* under = nullptr;
  const auto shownOnThisSide = [window, area](QDockWidget* other) {
    return other && !other->isFloating() && !other->isHidden() && window->dockWidgetArea(other) == area;
  };
  for (CControlBar* other : bars_) {
    auto* otherDock = qobject_cast<QDockWidget*>(other->GetWidget());
    if (other != bar && shownOnThisSide(otherDock)) {
      last = otherDock;
      const QRect onScreen(otherDock->mapToGlobal(QPoint(0, 0)), otherDock->size());
      if (rect && onScreen.contains(rect->left, rect->top)) under = otherDock;
    }
  }
  if (under) last = under;
  // The layout places shown bars only. A hidden one stays where it floated, as floating it again
  // puts it there: left alone, it would keep its floating window's inside as a place in the frame.
  const bool hiddenFloating = dock->isHidden() && dock->isFloating();
  const QPoint floatingAt = dock->pos();
  dock->setFloating(false);
  window->addDockWidget(area, dock);
  const bool across = area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
  if (last) window->splitDockWidget(last, dock, across ? Qt::Horizontal : Qt::Vertical);
  if (hiddenFloating) dock->move(window->mapFromGlobal(floatingAt));
  // The bars on this side are as long as their buttons again: laid out in a frame too small for
  // them, as a frame is before it is first shown, they would keep the lengths it gave them.
  QList<QDockWidget*> docks;
  QList<int> lengths;
  for (CControlBar* other : bars_) {
    auto* otherDock = qobject_cast<QDockWidget*>(other->GetWidget());
    if (shownOnThisSide(otherDock)) {
      docks.push_back(otherDock);
      lengths.push_back(across ? otherDock->sizeHint().width() : otherDock->sizeHint().height());
    }
  }
  window->resizeDocks(docks, lengths, across ? Qt::Horizontal : Qt::Vertical);
}

void CFrameWnd::FloatControlBar(CControlBar* bar, CPoint point, DWORD) {
  auto* dock = qobject_cast<QDockWidget*>(bar->GetWidget());
  if (!dock) return;
  // The window is placed before it is shown: floating shows it where it floated last, and a window
  // manager that maps it late keeps that first place over a move that follows.
  const bool shown = !dock->isHidden() && !dock->isFloating();
  if (shown) dock->hide();
  dock->setFloating(true);
  dock->adjustSize();
  const CPoint at = KeptOnScreen(CRect(point, CSize(dock->width(), dock->height())));
  dock->move(at.x, at.y);
  if (shown) dock->show();
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL) { bar->ShowWindow(show ? SW_SHOW : SW_HIDE); }

void CFrameWnd::SaveBarState(const char* profileName) const {
  QMainWindow* window = MainWindow();
  if (!window) return;
  const QByteArray state = window->saveState(kStateVersion).toBase64();
  CurrentProfileStore().WriteProfileString(profileName, kStateKey, state.toStdString());
}

BOOL CFrameWnd::LoadBarState(const char* profileName) {
  QMainWindow* window = MainWindow();
  const std::string state = CurrentProfileStore().GetProfileString(profileName, kStateKey, "");
  if (!window || state.empty()) return FALSE;
  return window->restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)), kStateVersion);
}
