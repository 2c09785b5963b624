#include "platform/framework/ToolTips.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPointer>
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
    if (window.OnToolHitTest(point, &info) != -1 && info.lpszText == LPSTR_TEXTCALLBACK) {
      const CWnd* control = CWnd::FromHandle(reinterpret_cast<HWND>(info.uId));
      if (control) text = ToolTipTextOf(static_cast<UINT>(control->GetDlgCtrlID()));
    }
    if (*text)
      QToolTip::showText(help.globalPos(), QString::fromUtf8(text), widget);
    else
      QToolTip::hideText();
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
