#include "platform/framework/ToolBar.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

#include "platform/framework/ButtonClickHold.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/Help.h"
#include "platform/framework/MessageMap.h"
#include "platform/framework/Resources.h"
#include "platform/framework/TrueWindowPlace.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_CAPTURECHANGED()
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

// The dock widget's title bar. Docked, a narrow grip across the bar's short side; floating, a
// small caption over the bar that shows the bar's title (its window text).
class BarCaption final : public QWidget {
 public:
  explicit BarCaption(QDockWidget* dock) : QWidget(dock), dock_(dock) {}

  QSize sizeHint() const override {
    if (!dock_->isFloating()) return {kGrip, kGrip};
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(dock_->windowTitle()) + 2 * kMargin, metrics.height() + 2};
  }
  QSize minimumSizeHint() const override {
    return dock_->isFloating() ? QSize(2 * kMargin, sizeHint().height()) : QSize(kGrip, kGrip);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!dock_->isFloating()) return;
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Active, QPalette::Highlight));
    painter.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
    const QRect text = rect().adjusted(kMargin, 0, -kMargin, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(dock_->windowTitle(), Qt::ElideRight, text.width()));
  }

 private:
  static constexpr int kGrip = 6;
  static constexpr int kMargin = 4;
  QDockWidget* dock_;
};

// A docked bar is as long as its buttons, so bars that share a side sit next to each other and
// hide none of their buttons while the side has room; the layout may still shorten it.
void FitToButtons(QToolBar* buttons) {
  if (buttons->orientation() == Qt::Horizontal)
    buttons->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
  else
    buttons->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Maximum);
}

UINT DockBarOfArea(Qt::DockWidgetArea area) {
  switch (area) {
    case Qt::BottomDockWidgetArea: return AFX_IDW_DOCKBAR_BOTTOM;
    case Qt::LeftDockWidgetArea: return AFX_IDW_DOCKBAR_LEFT;
    case Qt::RightDockWidgetArea: return AFX_IDW_DOCKBAR_RIGHT;
    default: return AFX_IDW_DOCKBAR_TOP;
  }
}

}  // namespace

QWidget* CToolBar::CreateWidget(QWidget* parent, const CREATESTRUCT& cs) {
  auto* dock = new QDockWidget(QString::fromUtf8(cs.lpszName ? cs.lpszName : ""), parent);
  dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                    QDockWidget::DockWidgetVerticalTitleBar);
  auto* caption = new BarCaption(dock);
  dock->setTitleBarWidget(caption);
  buttons_ = new QToolBar(dock);
  buttons_->setIconSize(QSize(16, 15));
  buttons_->setFloatable(false);
  buttons_->setMovable(false);
  FitToButtons(buttons_);
  dock->setWidget(buttons_);
  // Floating, the bar's buttons are hit-tested by the window's place on the screen.
  KeepTrueWindowPlace(dock);
  // A bar on the left or right side stands upright, its grip on top; another lies across, its
  // grip on the left; a floating one lies across its small window, under the caption.
  const auto arrange = [this, dock, caption] {
    auto* window = qobject_cast<QMainWindow*>(dock->parentWidget());
    const Qt::DockWidgetArea area = window && !dock->isFloating() ? window->dockWidgetArea(dock) : Qt::NoDockWidgetArea;
    const bool upright = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    buttons_->setOrientation(upright ? Qt::Vertical : Qt::Horizontal);
    FitToButtons(buttons_);
    const bool gripOnLeft = !dock->isFloating() && !upright;
    dock->setFeatures(gripOnLeft ? dock->features() | QDockWidget::DockWidgetVerticalTitleBar
                                 : dock->features() & ~QDockWidget::DockWidgetVerticalTitleBar);
    if (area != Qt::NoDockWidgetArea) lastDockBar_ = DockBarOfArea(area);
    caption->updateGeometry();
    caption->update();
  };
  QObject::connect(dock, &QDockWidget::dockLocationChanged, caption, arrange);
  // The window of a floating bar is moved, never resized, by the mouse: the dock widget's own
  // handler of its edges would shorten the bar. The dock widget makes that handler once it has
  // floated, after telling so.
  QObject::connect(dock, &QDockWidget::topLevelChanged, caption, [dock, arrange](bool floating) {
    arrange();
    if (!floating) return;
    QMetaObject::invokeMethod(
        dock,
        [dock] {
          for (QObject* child : dock->children())
            if (child->inherits("QWidgetResizeHandler")) dock->removeEventFilter(child);
        },
        Qt::QueuedConnection);
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
  // The frame lays the bar out by its buttons even before it is first shown, when the bar itself
  // would not tell it of them.
  buttons_->updateGeometry();
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
