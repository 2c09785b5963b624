// Docking and floating a frame's control bars, and keeping their places in the preferences.
#include <QDockWidget>
#include <QMainWindow>

#include "platform/framework/ControlBar.h"
#include "platform/framework/FrameWnd.h"
#include "platform/win/ProfileStore.h"

namespace {

constexpr char kStateKey[] = "Layout";
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
  for (CControlBar* other : bars_) {
    auto* otherDock = qobject_cast<QDockWidget*>(other->GetWidget());
    if (other != bar && otherDock && !otherDock->isFloating() && !otherDock->isHidden() &&
        window->dockWidgetArea(otherDock) == area) {
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
  if (last) {
    const bool across = area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
    window->splitDockWidget(last, dock, across ? Qt::Horizontal : Qt::Vertical);
  }
  if (hiddenFloating) dock->move(window->mapFromGlobal(floatingAt));
}

void CFrameWnd::FloatControlBar(CControlBar* bar, CPoint point, DWORD) {
  auto* dock = qobject_cast<QDockWidget*>(bar->GetWidget());
  if (!dock) return;
  dock->setFloating(true);
  dock->adjustSize();
  dock->move(point.x, point.y);
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
