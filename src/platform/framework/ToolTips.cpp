#include "platform/framework/ToolTips.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPointer>
#include <QScreen>
#include <QToolTip>
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/framework/Wnd.h"
#include "platform/win/StringResources.h"

namespace {

// Watches every widget's tip request and answers those inside a window that enabled tips.
class ToolTipFilter final : public QObject {
 public:
  // Made with the first window that enables tips, and goes with the application.
  static ToolTipFilter* Current(bool make) {
    static QPointer<ToolTipFilter> filter;
    if (!filter && make && qApp) {
      filter = new ToolTipFilter;
      filter->setParent(qApp);
      qApp->installEventFilter(filter);
    }
    return filter;
  }
  void Add(CWnd* window) {
    if (std::find(windows_.begin(), windows_.end(), window) == windows_.end()) windows_.push_back(window);
  }
  void Remove(CWnd* window) { std::erase(windows_, window); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    for (CWnd* window : windows_) {
      QWidget* top = window->GetWidget();
      if (!top || (top != widget && !top->isAncestorOf(widget))) continue;
      ShowTip(*window, *static_cast<QHelpEvent*>(event), widget);
      return true;
    }
    return false;
  }

 private:
  static void ShowTip(CWnd& window, const QHelpEvent& help, QWidget* widget) {
    POINT point{help.globalPos().x(), help.globalPos().y()};
    window.ScreenToClient(&point);
    TOOLINFO info;
    const char* text = "";
    const CWnd* control = nullptr;
    if (window.OnToolHitTest(point, &info) != -1 && info.lpszText == LPSTR_TEXTCALLBACK) {
      control = CWnd::FromHandle(reinterpret_cast<HWND>(info.uId));
      if (control) text = ToolTipTextOf(static_cast<UINT>(control->GetDlgCtrlID()));
    }
    if (!*text) {
      QToolTip::hideText();
      return;
    }
    QToolTip::showText(help.globalPos(), QString::fromUtf8(text), widget);
    if (!(info.uFlags & TTF_CENTERTIP) || !(info.uFlags & TTF_IDISHWND)) return;
    RECT r;
    control->GetWindowRect(&r);
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == QLatin1String("qtooltip_label") && top->isVisible())
        CentreTip(top, QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
  }

  // Moves the tip to the middle of the control's lower edge, on the control's screen.
  static void CentreTip(QWidget* tip, const QRect& under) {
    const QSize size = tip->frameGeometry().size();
    QPoint at(under.left() + under.width() / 2 - size.width() / 2, under.bottom() + 1);
    if (const QScreen* screen = QGuiApplication::screenAt(QPoint(under.center().x(), under.bottom()))) {
      const QRect area = screen->geometry();
      at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
      if (at.y() + size.height() > area.bottom() + 1) at.setY(under.top() - size.height());  // above, at the foot of the screen
    }
    tip->move(at);
  }

  std::vector<CWnd*> windows_;
};

}  // namespace

const char* ToolTipTextOf(UINT id) {
  const char* text = FindStringResource(id);
  const char* newline = text ? std::strchr(text, '\n') : nullptr;
  return newline ? newline + 1 : "";
}

BOOL CWnd::EnableToolTips(BOOL enable) {
  ToolTipFilter* filter = ToolTipFilter::Current(enable != FALSE);
  if (!filter) return enable ? FALSE : TRUE;
  if (enable)
    filter->Add(this);
  else
    filter->Remove(this);
  return TRUE;
}

int CWnd::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }
