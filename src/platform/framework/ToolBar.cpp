#include "platform/framework/ToolBar.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

#include "platform/framework/ButtonClickHold.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/Help.h"
#include "platform/framework/MessageMap.h"
#include "platform/framework/Resources.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

namespace {

constexpr char kCommandProperty[] = "tavrolinCommand";

Qt::DockWidgetArea AreaOfStyle(DWORD style) {
  if (style & CBRS_ALIGN_TOP) return Qt::TopDockWidgetArea;
  if (style & CBRS_ALIGN_BOTTOM) return Qt::BottomDockWidgetArea;
  if (style & CBRS_ALIGN_LEFT) return Qt::LeftDockWidgetArea;
  if (style & CBRS_ALIGN_RIGHT) return Qt::RightDockWidgetArea;
  return Qt::TopDockWidgetArea;
}

// The dock widget's grip: a narrow handle across the bar's short side; a double-click on it
// floats or docks the bar.
class BarGrip final : public QWidget {
 public:
  explicit BarGrip(QDockWidget* dock) : QWidget(dock), dock_(dock) { setFixedSize(6, 6); }

 protected:
  void mouseDoubleClickEvent(QMouseEvent*) override { dock_->setFloating(!dock_->isFloating()); }

 private:
  QDockWidget* dock_;
};

}  // namespace

QWidget* CToolBar::CreateWidget(QWidget* parent, const CREATESTRUCT& cs) {
  auto* dock = new QDockWidget(QString::fromUtf8(cs.lpszName ? cs.lpszName : ""), parent);
  dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                    QDockWidget::DockWidgetVerticalTitleBar);
  dock->setTitleBarWidget(new BarGrip(dock));
  buttons_ = new QToolBar(dock);
  buttons_->setIconSize(QSize(16, 15));
  buttons_->setFloatable(false);
  buttons_->setMovable(false);
  dock->setWidget(buttons_);
  // A bar on the left or right side stands upright.
  QObject::connect(dock, &QDockWidget::dockLocationChanged, buttons_, [this](Qt::DockWidgetArea area) {
    const bool upright = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    buttons_->setOrientation(upright ? Qt::Vertical : Qt::Horizontal);
    Dock()->setFeatures(upright ? Dock()->features() & ~QDockWidget::DockWidgetVerticalTitleBar
                                : Dock()->features() | QDockWidget::DockWidgetVerticalTitleBar);
  });
  return dock;
}

QDockWidget* CToolBar::Dock() const { return qobject_cast<QDockWidget*>(GetWidget()); }

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) {
  auto* frame = dynamic_cast<CFrameWnd*>(parent);
  if (!frame || !frame->MainWindow()) return FALSE;
  m_dwStyle = style & ~(WS_CHILD | WS_VISIBLE);
  if (!CWnd::Create(nullptr, nullptr, WS_CHILD, RECT{0, 0, 0, 0}, parent, id)) return FALSE;
  Dock()->setObjectName(QStringLiteral("Bar%1").arg(id));
  frame->MainWindow()->addDockWidget(AreaOfStyle(style), Dock(), Qt::Horizontal);
  Dock()->setVisible((style & WS_VISIBLE) != 0);
  auto* standIn = new QWidget(Dock());
  standIn->resize(0, 0);
  standIn->setHidden(Dock()->isHidden());
  QObject::connect(Dock(), &QDockWidget::visibilityChanged, standIn,
                   [dock = Dock(), standIn](bool) { standIn->setHidden(dock->isHidden()); });
  floatingFrame_ = std::make_unique<CMiniDockFrameWnd>();
  floatingFrame_->SubclassWidget(standIn, 0);
  m_pDockSite = frame;
  frame->AddControlBar(this);
  return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId) {
  const ToolBarResource* resource = FindToolBarResource(resourceId);
  if (!resource || !buttons_) return FALSE;
  buttons_->clear();
  const QPixmap strip(resource->xpm);
  buttons_->setIconSize(QSize(resource->buttonWidth, resource->buttonHeight));
  int picture = 0;
  for (UINT id : resource->buttons) {
    if (id == 0) {
      buttons_->addSeparator();
      continue;
    }
    QAction* action = buttons_->addAction(
        QIcon(strip.copy(picture * resource->buttonWidth, 0, resource->buttonWidth, resource->buttonHeight)), QString());
    ++picture;
    action->setProperty(kCommandProperty, id);
    if (QWidget* button = buttons_->widgetForAction(action)) new ButtonClickHold(this, button);
    // The tip is the part of the command's string after the line break.
    CString prompt;
    if (prompt.LoadString(id)) {
      const int newline = prompt.Find('\n');
      action->setToolTip(QString::fromUtf8(newline < 0 ? "" : prompt.Mid(newline + 1).str().c_str()));
    }
    QObject::connect(action, &QAction::triggered, action, [this, id] {
      if (m_pDockSite) m_pDockSite->ExecuteUserCommand(id, 0);
    });
  }
  return TRUE;
}

QAction* CToolBar::Action(int index) const {
  if (!buttons_ || index < 0 || index >= buttons_->actions().size()) return nullptr;
  return buttons_->actions()[index];
}

int CToolBar::GetCount() const { return buttons_ ? static_cast<int>(buttons_->actions().size()) : 0; }

UINT CToolBar::GetItemID(int index) const {
  QAction* action = Action(index);
  return action ? action->property(kCommandProperty).toUInt() : 0;
}

int CToolBar::CommandToIndex(UINT id) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetItemID(i) == id) return i;
  return -1;
}

void CToolBar::GetItemRect(int index, LPRECT rect) const {
  *rect = {};
  QAction* action = Action(index);
  QWidget* button = action ? buttons_->widgetForAction(action) : nullptr;
  if (!button) return;
  const QRect r(button->mapTo(GetWidget(), QPoint(0, 0)), button->size());
  *rect = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

int CToolBar::OnToolHitTest(CPoint point, TOOLINFO*) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (GetItemID(i) == 0) continue;
    CRect r;
    GetItemRect(i, &r);
    if (r.PtInRect(point)) return i;
  }
  return -1;
}

LRESULT CToolBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
  const int button = OnToolHitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), nullptr);
  return button >= 0 ? static_cast<LRESULT>(HID_BASE_COMMAND + GetItemID(button)) : 0;
}

DWORD CToolBar::GetBarStyle() const {
  DWORD style = m_dwStyle & ~CBRS_ALIGN_ANY;
  QDockWidget* dock = Dock();
  auto* window = dock ? qobject_cast<QMainWindow*>(dock->parentWidget()) : nullptr;
  if (!window || dock->isFloating()) return style;
  switch (window->dockWidgetArea(dock)) {
    case Qt::TopDockWidgetArea: return style | CBRS_ALIGN_TOP;
    case Qt::BottomDockWidgetArea: return style | CBRS_ALIGN_BOTTOM;
    case Qt::LeftDockWidgetArea: return style | CBRS_ALIGN_LEFT;
    case Qt::RightDockWidgetArea: return style | CBRS_ALIGN_RIGHT;
    default: return style;
  }
}

BOOL CToolBar::IsFloating() const { return Dock() && Dock()->isFloating(); }

CFrameWnd* CToolBar::FloatingFrame() const { return IsFloating() ? floatingFrame_.get() : nullptr; }

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  for (int i = 0; i < GetCount(); ++i) {
    const UINT id = GetItemID(i);
    if (id == 0) continue;
    CCmdUI ui;
    ui.m_nID = id;
    ui.m_nIndex = static_cast<UINT>(i);
    ui.m_pAction = Action(i);
    ui.m_pOther = this;
    ui.DoUpdate(target, disableIfNoHandler);
  }
}
