#include "platform/framework/FrameWnd.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QLayout>
#include <QPixmap>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <algorithm>
#include <vector>

#include "platform/framework/CmdUI.h"
#include "platform/framework/ControlBar.h"
#include "platform/framework/Document.h"
#include "platform/framework/Help.h"
#include "platform/framework/KeyCodes.h"
#include "platform/framework/MenuHoverWatch.h"
#include "platform/framework/MenuItemPrompt.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/Resources.h"
#include "platform/framework/StatusBar.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_WM_MENUSELECT()
  ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
  ON_COMMAND(ID_HELP, OnHelp)
  ON_COMMAND(ID_HELP_FINDER, OnHelpFinder)
  ON_COMMAND(ID_HELP_INDEX, OnHelpFinder)
  ON_COMMAND(ID_DEFAULT_HELP, OnHelpFinder)
END_MESSAGE_MAP()

namespace {

// A probe that only records whether an update handler disables the command.
class EnableProbe final : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    enabled = on;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(const char*) override {}
  BOOL enabled = TRUE;
};

constexpr char kCommandProperty[] = "tavrolinCommand";

}  // namespace

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

QWidget* CFrameWnd::CreateWidget(QWidget* parent, const CREATESTRUCT&) {
  auto* window = new QMainWindow(parent);
  return window;
}

QMainWindow* CFrameWnd::MainWindow() const { return qobject_cast<QMainWindow*>(GetWidget()); }

void CFrameWnd::PostNcDestroy() { delete this; }

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  InstallInputFilter();  // accelerators work before the loop runs, too
  resourceId_ = resourceId;
  m_nIDHelp = resourceId;
  CString caption;
  if (caption.LoadString(resourceId)) {
    const int end = caption.Find('\n');
    m_strTitle = end < 0 ? caption : caption.Left(end);
  }
  const RECT rect{0, 0, 0, 0};
  if (!Create(nullptr, m_strTitle, style & ~WS_VISIBLE, rect, parent, 0, context)) return FALSE;
  LoadMenuAndAccelerators(resourceId);
  // The frame's icon has the frame's id; a frame without one shows the main window's. The first
  // frame's icon becomes the program's, which dialogs, message boxes and help windows show.
  if (const IconResource* icon = FindIconResource(resourceId)) {
    const QIcon own(QPixmap(icon->xpm));
    GetWidget()->setWindowIcon(own);
    if (!AfxGetMainWnd()) QApplication::setWindowIcon(own);
  } else if (CWnd* main = AfxGetMainWnd(); main && main != this && main->GetWidget()) {
    GetWidget()->setWindowIcon(main->GetWidget()->windowIcon());
  }
  if (context && context->m_pNewViewClass && !CreateView(context)) {
    DestroyWindow();
    return FALSE;
  }
  RecalcLayout();
  if (style & WS_VISIBLE) ShowWindow(SW_SHOW);
  return TRUE;
}

void CFrameWnd::LoadMenuAndAccelerators(UINT resourceId) {
  if (const AcceleratorResource* table = FindAcceleratorResource(resourceId)) accelerators_ = &table->entries;
  const MenuResource* menu = FindMenuResource(resourceId);
  QMainWindow* window = MainWindow();
  if (!menu || !window) return;
  QMenuBar* bar = window->menuBar();
  std::vector<QMenu*> open;  // the popup of each level being filled
  for (const MenuItem& item : menu->items) {
    open.resize(static_cast<std::size_t>(item.level));
    QMenu* into = open.empty() ? nullptr : open.back();
    const QString text = QString::fromUtf8(item.text ? item.text : "");
    if (item.id == 0 && item.text) {  // a popup
      QMenu* popup = into ? into->addMenu(text) : bar->addMenu(text);
      QObject::connect(popup, &QMenu::aboutToShow, popup, [this, into, popup] {
        UpdateMenu(popup);
        // It opens with none of its items selected: its title, or its entry in the menu above, is.
        MenuItemHovered(into, popup->menuAction());
      });
      QObject::connect(popup, &QMenu::hovered, popup, [this, popup](QAction* a) { MenuItemHovered(popup, a); });
      new MenuHoverWatch(popup, [this, popup](QAction* a) { MenuItemHovered(popup, a); });
      if (!into)  // the whole menu closes with its top popup
        QObject::connect(popup, &QMenu::aboutToHide, popup, [this] { SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0); });
      open.push_back(popup);
    } else if (!item.text) {
      if (into) into->addSeparator();
    } else {
      QAction* action = into ? into->addAction(text) : bar->addAction(text);
      action->setProperty(kCommandProperty, item.id);
      const UINT id = item.id;
      QObject::connect(action, &QAction::triggered, action, [this, action, id] {
        if (ShowCommandHelpInHelpMode(id)) return;
        // Run once the menu has finished with the click: the command may destroy the frame, and
        // with it the menu that is still handling its mouse release.
        QMetaObject::invokeMethod(action, [this, id] { ExecuteUserCommand(id, 0); }, Qt::QueuedConnection);
      });
    }
  }
}

void CFrameWnd::MenuItemHovered(QMenu* menu, QAction* action) {
  // Window-list items carry their ids in the action's data.
  UINT id = action->property(kCommandProperty).toUInt();
  if (id == 0) id = action->data().toUInt();
  const UINT flags = action->menu() ? MF_POPUP : action->isSeparator() ? MF_SEPARATOR : 0;
  SendMessage(WM_MENUSELECT, MAKEWPARAM(static_cast<int>(id), static_cast<int>(flags)), reinterpret_cast<LPARAM>(menu));
}

void CFrameWnd::OnMenuSelect(UINT id, UINT flags, HMENU menu) {
  // The framework's prompt line: the standard status bar's first pane, when there is one.
  auto* bar = dynamic_cast<CStatusBar*>(GetDlgItem(AFX_IDW_STATUS_BAR));
  if (!bar) return;
  CString prompt;
  if (flags == 0xFFFF && !menu)
    prompt.LoadString(AFX_IDS_IDLEMESSAGE);
  else if (id != 0 && !(flags & (MF_POPUP | MF_SEPARATOR)) && prompt.LoadString(MenuItemPromptId(id)) && prompt.Find('\n') >= 0)
    prompt = prompt.Left(prompt.Find('\n'));
  bar->SetPaneText(0, prompt);
}

int CFrameWnd::GetMenuPopupCount() const {
  QMainWindow* window = MainWindow();
  return window && window->menuWidget() ? static_cast<int>(window->menuBar()->actions().size()) : 0;
}

BOOL CFrameWnd::MenuHoldsCommand(const QMenu* popup, UINT id) {
  if (!popup) return FALSE;
  for (QAction* item : popup->actions())
    if (item->property(kCommandProperty).toUInt() == id) return TRUE;
  return FALSE;
}

QMenu* CFrameWnd::GetMenuPopup(int index) const {
  QMainWindow* window = MainWindow();
  if (!window || !window->menuWidget()) return nullptr;
  const QList<QAction*> actions = window->menuBar()->actions();
  if (index < 0 || index >= actions.size()) return nullptr;
  return actions[index]->menu();
}

void CFrameWnd::UpdateMenu(QMenu* menu) {
  // An update may replace items: the recent-file list deletes the entries it added last time.
  const QList<QAction*> items = menu->actions();
  std::vector<QPointer<QAction>> actions(items.begin(), items.end());
  for (QAction* action : actions) {
    if (!action) continue;
    const UINT id = action->property(kCommandProperty).toUInt();
    if (id == 0 || action->menu()) continue;
    CCmdUI ui;
    ui.m_nID = id;
    ui.m_pAction = action;
    ui.m_pOther = this;
    ui.DoUpdate(this, m_bAutoMenuEnable);
  }
}

BOOL CFrameWnd::IsCommandEnabled(UINT id) {
  EnableProbe probe;
  probe.m_nID = id;
  probe.DoUpdate(this, m_bAutoMenuEnable);
  return probe.enabled;
}

BOOL CFrameWnd::ExecuteUserCommand(UINT id, WORD source) {
  if (!IsCommandEnabled(id)) return FALSE;
  SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(id), source), 0);
  return TRUE;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // An accelerator's command (code 1) obeys the update handlers like a menu item.
  if (HIWORD(static_cast<DWORD>(wParam)) == 1 && lParam == 0 && !IsCommandEnabled(LOWORD(static_cast<DWORD>(wParam))))
    return TRUE;
  return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::TranslateAccelerator(const MSG& msg) {
  if (!accelerators_ || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)) return FALSE;
  const BYTE held = static_cast<BYTE>((GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0) |
                                      (GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) | (GetKeyState(VK_MENU) < 0 ? FALT : 0));
  for (const AcceleratorEntry& entry : *accelerators_) {
    if (entry.key != msg.wParam) continue;
    if ((entry.flags & (FSHIFT | FCONTROL | FALT)) != held) continue;
    // Help mode takes a key's command as it takes a menu's: its help shows, and it does not run.
    if (!ShowCommandHelpInHelpMode(entry.command)) ExecuteUserCommand(entry.command, 1);
    return TRUE;
  }
  return FALSE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) { return TranslateAccelerator(*msg); }

CView* CFrameWnd::GetActiveView() const { return m_pViewActive; }

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
  CView* previous = m_pViewActive;
  if (view == previous) return;
  m_pViewActive = view;
  if (notify && previous) previous->OnActivateView(FALSE, view, previous);
  if (notify && view) view->OnActivateView(TRUE, view, previous);
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* view = GetActiveView();
  return view ? view->GetDocument() : nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  CObject* object = context->m_pNewViewClass->CreateObject();
  auto* view = dynamic_cast<CWnd*>(object);
  if (!view) {
    delete object;
    return nullptr;
  }
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 0, 0}, this, id, context)) return nullptr;
  RecalcLayout();
  return view;
}

void CFrameWnd::InitialUpdateFrame(CDocument* document, BOOL makeVisible) {
  CView* view = GetActiveView();
  if (!view) view = dynamic_cast<CView*>(GetDlgItem(AFX_IDW_PANE_FIRST));
  if (view) SetActiveView(view, FALSE);
  // Every view of the frame gets its initial update.
  for (QWidget* w : GetWidget()->findChildren<QWidget*>())
    if (auto* v = dynamic_cast<CView*>(CWnd::FromWidget(w)); v && v->GetParentFrame() == this)
      v->SendMessage(WM_INITIALUPDATE);
  if (makeVisible) {
    ActivateFrame();
    if (view) view->OnActivateView(TRUE, view, view);
  }
  OnUpdateFrameTitle(TRUE);
  (void)document;
}

void CFrameWnd::ActivateFrame(int showCommand) {
  ShowWindow(showCommand == -1 ? SW_SHOW : showCommand);
  BringWindowToTop();
}

void CFrameWnd::RecalcLayout(BOOL) {
  QMainWindow* window = MainWindow();
  CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST);
  if (window && pane && window->centralWidget() != pane->GetWidget()) window->setCentralWidget(pane->GetWidget());
  // The bars take their places now, also in a frame not shown yet, so that a bar docked next to
  // another finds it where it lies.
  if (window && window->layout()) window->layout()->activate();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CDocument* document = GetActiveDocument();
  if (addToTitle && document)
    SetWindowText(m_strTitle.IsEmpty() ? document->GetTitle() : document->GetTitle() + " - " + m_strTitle);
  else
    SetWindowText(m_strTitle);
}

BOOL CFrameWnd::RouteThroughViewAndSelf(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  if (CView* view = GetActiveView(); view && view->OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
  return CWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  if (RouteThroughViewAndSelf(id, code, extra, handlerInfo)) return TRUE;
  // A child frame hands on to the frames above it, a top frame to the application.
  for (CFrameWnd* up = GetParentFrame(); up; up = up->GetParentFrame())
    if (up->CWnd::OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(id, code, extra, handlerInfo);
}

void CFrameWnd::OnIdleUpdateCmdUI() {
  for (CControlBar* bar : bars_) bar->OnUpdateCmdUI(this, TRUE);
}

void CFrameWnd::AddControlBar(CControlBar* bar) {
  if (std::find(bars_.begin(), bars_.end(), bar) == bars_.end()) bars_.push_back(bar);
}

void CFrameWnd::RemoveControlBar(CControlBar* bar) { std::erase(bars_, bar); }

void CFrameWnd::OnClose() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    // The main window: every document is offered for saving first.
    if (!app->SaveAllModified()) return;
    const HWND self = m_hWnd;  // closing the documents may take this frame with them
    app->CloseAllDocuments(FALSE);
    if (CWnd* still = CWnd::FromHandle(self)) still->DestroyWindow();
    return;
  }
  CDocument* document = GetActiveDocument();
  if (document && !document->CanCloseFrame(this)) return;
  if (document) {
    // The document's last frame closes the document, which destroys the frame.
    bool other = false;
    for (POSITION pos = document->GetFirstViewPosition(); pos;)
      if (document->GetNextView(pos)->GetParentFrame() != this) other = true;
    if (!other) {
      document->PreCloseFrame(this);
      document->OnCloseDocument();
      return;
    }
  }
  DestroyWindow();
}

void CFrameWnd::OnContextHelp() { BeginContextHelpMode(); }

void CFrameWnd::OnHelp() { OnHelpFinder(); }

void CFrameWnd::OnDestroy() {
  for (CControlBar* bar : bars_) bar->m_pDockSite = nullptr;
  bars_.clear();
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    app->QuitMessageLoop();
  }
  Default();
}
