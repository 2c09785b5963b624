#include "platform/framework/MDIFrameWnd.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <algorithm>
#include <utility>

#include "platform/framework/CmdUI.h"
#include "platform/framework/Document.h"
#include "platform/framework/KeyCodes.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(CMDIClientWnd, CWnd)

void CMDIClientWnd::PostNcDestroy() { delete this; }
IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIClientWnd, CWnd)
  ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMessage)
  ON_MESSAGE(WM_MDITILE, OnMDITile)
  ON_MESSAGE(WM_MDICASCADE, OnMDICascade)
  ON_MESSAGE(WM_MDINEXT, OnMDINext)
  ON_MESSAGE(WM_MDIGETACTIVE, OnMDIGetActive)
  ON_MESSAGE(WM_MDIICONARRANGE, OnMDIIconArrange)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_COMMAND(ID_WINDOW_CASCADE, OnWindowCascade)
  ON_COMMAND(ID_WINDOW_TILE_HORZ, OnWindowTileHorz)
  ON_COMMAND(ID_WINDOW_TILE_VERT, OnWindowTileVert)
  ON_COMMAND(ID_WINDOW_ARRANGE, OnWindowCascade)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
  ON_COMMAND_EX_RANGE(AFX_IDM_FIRST_MDICHILD, AFX_IDM_FIRST_MDICHILD + 0xFF, OnWindowListItem)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

namespace {

constexpr char kWindowListProperty[] = "tavrolinWindowList";

CMDIChildWnd* ChildOf(QMdiSubWindow* window) {
  return window ? dynamic_cast<CMDIChildWnd*>(CWnd::FromWidget(window)) : nullptr;
}

}  // namespace

// The client.

QMdiArea* CMDIClientWnd::Area() const { return qobject_cast<QMdiArea*>(GetWidget()); }

CMDIChildWnd* CMDIClientWnd::ActiveChild() const {
  QMdiArea* area = Area();
  // The current child stays active while the program is not the desktop's active one (as when
  // it starts with a scene): its title and commands do not wait for the focus.
  return area ? ChildOf(area->currentSubWindow()) : nullptr;
}

std::vector<CMDIChildWnd*> CMDIClientWnd::Children() const {
  std::vector<CMDIChildWnd*> children;
  if (QMdiArea* area = Area())
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder))
      if (CMDIChildWnd* child = ChildOf(window)) children.push_back(child);
  return children;
}

std::vector<CMDIChildWnd*> CMDIClientWnd::ShownChildren() const {
  std::vector<CMDIChildWnd*> shown = Children();
  std::erase_if(shown, [](CMDIChildWnd* child) { return child->SubWindow()->isHidden(); });
  return shown;
}

void CMDIClientWnd::Tile(UINT how) {
  QMdiArea* area = Area();
  std::vector<QMdiSubWindow*> windows;
  int iconRow = 0;  // minimised children keep a row along the bottom
  for (CMDIChildWnd* child : Children()) {
    QMdiSubWindow* window = child->SubWindow();
    if (!window->isVisible()) continue;
    if (window->isMinimized())
      iconRow = std::max(iconRow, window->height());
    else
      windows.push_back(window);
  }
  if (!area || windows.empty()) return;
  const QRect viewport = area->viewport()->rect();
  const int width = viewport.width();
  const int height = viewport.height() - iconRow > iconRow ? viewport.height() - iconRow : viewport.height();
  const int n = static_cast<int>(windows.size());
  // A grid of floor(sqrt(n)) rows and n / rows columns, filled column by column; the last column
  // takes the windows left over. Horizontal tiling swaps rows and columns.
  int rows = 1;
  while ((rows + 1) * (rows + 1) <= n) ++rows;
  int columns = n / rows;
  if (how & MDITILE_HORIZONTAL) std::swap(rows, columns);
  const int columnWidth = width / columns;
  int next = 0;
  for (int column = 0; column < columns; ++column) {
    const int inColumn = column == columns - 1 ? n - next : rows;
    const int rowHeight = height / inColumn;
    for (int row = 0; row < inColumn; ++row, ++next) {
      QMdiSubWindow* window = windows[static_cast<std::size_t>(next)];
      if (window->isMaximized()) window->showNormal();
      window->setGeometry(column * columnWidth, row * rowHeight, columnWidth, rowHeight);
    }
  }
}

QRect CMDIClientWnd::NextDefaultPlace(const QMdiSubWindow& window) {
  QMdiArea* area = Area();
  if (!area) return {};
  // Each step down and right is one title bar and frame; as many steps as fit three times in
  // the height, then the next window starts at the top-left again.
  const QStyle* style = window.style();
  const int step = std::max(1, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window) +
                                   style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window) - 1);
  const QSize space = area->viewport()->size();
  const int steps = space.height() / (3 * step);
  const int offset = step * (created_++ % (steps + 1));
  return QRect(offset, offset, std::max(1, space.width() - steps * step), std::max(1, space.height() - steps * step));
}

LRESULT CMDIClientWnd::OnMDIActivateMessage(WPARAM wParam, LPARAM) {
  if (auto* child = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)))) child->MDIActivate();
  return 0;
}

LRESULT CMDIClientWnd::OnMDITile(WPARAM wParam, LPARAM) {
  Tile(static_cast<UINT>(wParam));
  return TRUE;
}

LRESULT CMDIClientWnd::OnMDICascade(WPARAM, LPARAM) {
  if (QMdiArea* area = Area()) {
    for (CMDIChildWnd* child : Children())
      if (child->SubWindow()->isMaximized()) child->SubWindow()->showNormal();
    area->cascadeSubWindows();
  }
  return TRUE;
}

LRESULT CMDIClientWnd::OnMDINext(WPARAM, LPARAM lParam) {
  if (QMdiArea* area = Area()) lParam ? area->activatePreviousSubWindow() : area->activateNextSubWindow();
  return 0;
}

LRESULT CMDIClientWnd::OnMDIGetActive(WPARAM, LPARAM lParam) {
  CMDIChildWnd* child = ActiveChild();
  if (auto* maximized = reinterpret_cast<BOOL*>(lParam)) *maximized = child && child->IsZoomed();
  return reinterpret_cast<LRESULT>(child ? child->m_hWnd : nullptr);
}

LRESULT CMDIClientWnd::OnMDIIconArrange(WPARAM, LPARAM) {
  // Minimised children line up along the bottom of the client, in creation order.
  QMdiArea* area = Area();
  if (!area) return 0;
  int left = 0;
  for (CMDIChildWnd* child : Children()) {
    QMdiSubWindow* window = child->SubWindow();
    if (!window->isMinimized()) continue;
    window->move(left, area->viewport()->height() - window->height());
    left += window->width();
  }
  return 0;
}

// The main frame.

int CMDIFrameWnd::OnCreate(LPCREATESTRUCT createStruct) {
  if (CFrameWnd::OnCreate(createStruct) == -1) return -1;
  auto* area = new QMdiArea(MainWindow());
  area->setActivationOrder(QMdiArea::ActivationHistoryOrder);
  client_ = new CMDIClientWnd;
  client_->SubclassWidget(area, 0);
  m_hWndMDIClient = client_->m_hWnd;
  MainWindow()->setCentralWidget(area);
  QObject::connect(area, &QMdiArea::subWindowActivated, area, [this](QMdiSubWindow* w) { ChildActivated(w); });
  return 0;
}

void CMDIFrameWnd::OnDestroy() {
  CFrameWnd::OnDestroy();
  lastActive_ = nullptr;
  activeOrder_.clear();
  client_ = nullptr;
}

CMDIChildWnd* CMDIFrameWnd::LatestDocumentChild(HWND except) const {
  for (HWND handle : activeOrder_) {
    auto* child = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandle(handle));
    if (handle != except && child && child->IsWindowVisible() && child->GetActiveDocument()) return child;
  }
  return nullptr;
}

void CMDIFrameWnd::ChildActivated(QMdiSubWindow* window) {
  CMDIChildWnd* now = ChildOf(window);
  // The child active before may be gone: it is known by its handle only.
  const HWND before = lastActive_;
  const HWND nowHandle = now ? now->m_hWnd : nullptr;
  if (nowHandle == before) return;
  // When the active child closes, Qt activates whichever child had the focus before (a window
  // without a document, say) or none; the user's last window with a document takes its place
  // instead, so that its commands stay at hand.
  if (before && !CWnd::FromHandle(before) && !(now && now->GetActiveDocument()))
    if (CMDIChildWnd* instead = LatestDocumentChild(before)) {
      instead->MDIActivate();
      return;
    }
  lastActive_ = nowHandle;
  std::erase_if(activeOrder_, [&](HWND h) { return h == nowHandle || !CWnd::FromHandle(h); });
  if (nowHandle) activeOrder_.insert(activeOrder_.begin(), nowHandle);
  const LPARAM activated = reinterpret_cast<LPARAM>(nowHandle);
  const WPARAM deactivated = reinterpret_cast<WPARAM>(before);
  if (CWnd* old = CWnd::FromHandle(before)) old->SendMessage(WM_MDIACTIVATE, deactivated, activated);
  if (now) now->SendMessage(WM_MDIACTIVATE, deactivated, activated);
  OnUpdateFrameTitle(TRUE);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
  CMDIChildWnd* child = client_ ? client_->ActiveChild() : nullptr;
  if (maximized) *maximized = child && child->IsZoomed();
  return child;
}

void CMDIFrameWnd::MDIActivate(CWnd* child) {
  if (auto* mdiChild = dynamic_cast<CMDIChildWnd*>(child)) mdiChild->MDIActivate();
}

void CMDIFrameWnd::MDITile(int how) {
  if (client_) client_->SendMessage(WM_MDITILE, static_cast<WPARAM>(how));
}

void CMDIFrameWnd::MDICascade() {
  if (client_) client_->SendMessage(WM_MDICASCADE);
}

void CMDIFrameWnd::MDINext() {
  if (client_) client_->SendMessage(WM_MDINEXT);
}

void CMDIFrameWnd::MDIMaximize(CWnd* child) {
  if (auto* mdiChild = dynamic_cast<CMDIChildWnd*>(child)) mdiChild->MDIMaximize();
}

void CMDIFrameWnd::MDIRestore(CWnd* child) {
  if (auto* mdiChild = dynamic_cast<CMDIChildWnd*>(child)) mdiChild->MDIRestore();
}

void CMDIFrameWnd::OnWindowCascade() { MDICascade(); }
void CMDIFrameWnd::OnWindowTileHorz() { MDITile(MDITILE_HORIZONTAL); }
void CMDIFrameWnd::OnWindowTileVert() { MDITile(MDITILE_VERTICAL); }

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* ui) { ui->Enable(MDIGetActive() != nullptr); }

BOOL CMDIFrameWnd::OnWindowListItem(UINT id) {
  const std::vector<CMDIChildWnd*> children = client_ ? client_->ShownChildren() : std::vector<CMDIChildWnd*>{};
  const std::size_t index = id - AFX_IDM_FIRST_MDICHILD;
  if (index >= children.size()) return FALSE;
  children[index]->MDIActivate();
  return TRUE;
}

CView* CMDIFrameWnd::GetActiveView() const {
  CMDIChildWnd* child = MDIGetActive();
  return child ? child->GetActiveView() : nullptr;
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? child->GetActiveDocument() : nullptr;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  if (CMDIChildWnd* child = MDIGetActive(); child && child->RouteThroughViewAndSelf(id, code, extra, handlerInfo))
    return TRUE;
  if (CWnd::OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(id, code, extra, handlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg) {
  // Ctrl+F4 is the desktop's key for closing the active child window, before any accelerator.
  const bool closeKey = msg->message == WM_KEYDOWN && msg->wParam == VK_F4 && GetKeyState(VK_CONTROL) < 0 &&
                        GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_SHIFT) >= 0;
  if (CMDIChildWnd* child = MDIGetActive(); closeKey && child) {
    child->SendMessage(WM_CLOSE);
    return TRUE;
  }
  return TranslateAccelerator(*msg);
}

void CMDIFrameWnd::UpdateMenu(QMenu* menu) {
  if (menu == GetWindowMenuPopup()) UpdateWindowList(menu);
  CFrameWnd::UpdateMenu(menu);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CDocument* document = GetActiveDocument();
  // A document still without its title (one being opened) adds nothing yet.
  const bool named = addToTitle && document && !document->GetTitle().IsEmpty();
  SetWindowText(named ? m_strTitle + " - " + document->GetTitle() : m_strTitle);
}

QMenu* CMDIFrameWnd::GetWindowMenuPopup() const {
  QMainWindow* window = MainWindow();
  if (!window || !window->menuWidget()) return nullptr;
  // The popup whose items include a Window command.
  for (QAction* top : window->menuBar()->actions())
    if (QMenu* menu = top->menu())
      for (QAction* item : menu->actions()) {
        const UINT id = item->property("tavrolinCommand").toUInt();
        if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_VERT) return menu;
      }
  return nullptr;
}

void CMDIFrameWnd::UpdateWindowList(QMenu* menu) {
  for (QAction* action : menu->actions())
    if (action->property(kWindowListProperty).toBool()) delete action;
  const std::vector<CMDIChildWnd*> children = client_ ? client_->ShownChildren() : std::vector<CMDIChildWnd*>{};
  if (children.empty()) return;
  CMDIChildWnd* active = MDIGetActive();
  menu->addSeparator()->setProperty(kWindowListProperty, true);
  for (std::size_t i = 0; i < children.size(); ++i) {
    CString title;
    children[i]->GetWindowText(title);
    QAction* action = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromUtf8(title.str().c_str())));
    action->setProperty(kWindowListProperty, true);
    action->setData(AFX_IDM_FIRST_MDICHILD + static_cast<UINT>(i));
    action->setCheckable(true);
    action->setChecked(children[i] == active);
    const UINT id = AFX_IDM_FIRST_MDICHILD + static_cast<UINT>(i);
    QObject::connect(action, &QAction::triggered, action, [this, id] {
      if (!ShowCommandHelpInHelpMode(id)) SendMessage(WM_COMMAND, id);
    });
  }
}

// The children.

QWidget* CMDIChildWnd::CreateWidget(QWidget*, const CREATESTRUCT& cs) {
  auto* window = new QMdiSubWindow;
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  // The frame closes the active child on Ctrl+F4 itself; the system menu's own close keys (Ctrl+W
  // belongs to the program's accelerators) would clash between the children.
  const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
  if (QMenu* menu = window->systemMenu())
    for (QAction* action : menu->actions())
      for (const QKeySequence& key : action->shortcuts())
        if (closeKeys.contains(key)) action->setShortcuts({});
  if (auto* frame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandle(cs.hwndParent)); frame && frame->client_) {
    frame->client_->Area()->addSubWindow(window);
    // Without a size of its own a child gets the next place of the cascade, not Qt's preferred size.
    if (cs.cx <= 0 || cs.cy <= 0) window->setGeometry(frame->client_->NextDefaultPlace(*window));
  }
  return window;
}

QMdiSubWindow* CMDIChildWnd::SubWindow() const { return qobject_cast<QMdiSubWindow*>(GetWidget()); }

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  if (!parent) parent = AfxGetMainWnd();
  if (!dynamic_cast<CMDIFrameWnd*>(parent)) return FALSE;
  return CFrameWnd::LoadFrame(resourceId, style | WS_CHILD, parent, context);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const { return dynamic_cast<CMDIFrameWnd*>(GetParentFrame()); }

void CMDIChildWnd::MDIActivate() {
  QMdiSubWindow* window = SubWindow();
  if (!window || !window->mdiArea()) return;
  window->mdiArea()->setActiveSubWindow(window);
  // Activation is told at once, also while the program is not the desktop's active one (Qt tells
  // only then): the frame's title names the child's document from the start.
  if (CMDIFrameWnd* frame = GetMDIFrame(); frame && window->mdiArea()->currentSubWindow() == window)
    frame->ChildActivated(window);
}

void CMDIChildWnd::MDIMaximize() {
  if (QMdiSubWindow* window = SubWindow()) window->showMaximized();
}

void CMDIChildWnd::MDIRestore() {
  if (QMdiSubWindow* window = SubWindow()) window->showNormal();
}

void CMDIChildWnd::ActivateFrame(int showCommand) {
  if (showCommand == SW_SHOWMAXIMIZED)
    MDIMaximize();
  else
    ShowWindow(showCommand == -1 ? SW_SHOW : showCommand);
  MDIActivate();
}

void CMDIChildWnd::RecalcLayout(BOOL) {
  QMdiSubWindow* window = SubWindow();
  CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST);
  if (window && pane && window->widget() != pane->GetWidget()) window->setWidget(pane->GetWidget());
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CDocument* document = GetActiveDocument();
  SetWindowText(addToTitle && document ? document->GetTitle() : m_strTitle);
  if (CMDIFrameWnd* frame = GetMDIFrame(); frame && frame->MDIGetActive() == this) frame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd*, CWnd*) {
  CView* view = GetActiveView();
  if (activate && view) view->SetFocus();
}
