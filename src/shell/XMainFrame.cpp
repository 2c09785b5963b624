#include "shell/XMainFrame.h"

#include <cmath>
#include <vector>

#include "core/FatalError.h"
#include "core/Globals.h"
#include "core/Preferences.h"
#include "core/XMessageBox.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/DropFiles.h"
#include "platform/framework/Help.h"
#include "platform/framework/MenuItemPrompt.h"
#include "platform/framework/WinApp.h"
#include "shell/CommandProbe.h"
#include "dialogs/WindowHelpers.h"
#include "shell/XApp.h"
#include "shell/XFrameWnd.h"

IMPLEMENT_DYNAMIC(XMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(XMainFrame, CMDIFrameWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_MENUSELECT()
  ON_WM_ACTIVATEAPP()
  ON_WM_QUERYNEWPALETTE()
  ON_WM_DROPFILES()
  ON_COMMAND(59393, OnViewStatusBar)
  ON_COMMAND(33124, OnViewBeginnerToolBar)
  ON_COMMAND(59392, OnViewMainToolBar)
  ON_COMMAND_RANGE(33121, 33123, OnViewOtherToolBar)
  ON_UPDATE_COMMAND_UI(59393, OnUpdateViewStatusBar)
  ON_UPDATE_COMMAND_UI(33124, OnUpdateViewBeginnerToolBar)
  ON_UPDATE_COMMAND_UI(59392, OnUpdateViewOtherToolBar)
  ON_UPDATE_COMMAND_UI_RANGE(33121, 33123, OnUpdateViewOtherToolBar)
  ON_COMMAND(32986, OnFloatAll)
  ON_COMMAND(32987, OnResetAll)
  ON_COMMAND(33018, OnTileHorizontal)
  ON_COMMAND(33019, OnTileVertical)
  ON_COMMAND(33025, OnArrangeIcons)
  ON_UPDATE_COMMAND_UI(33018, OnUpdateTileHorizontal)
  ON_UPDATE_COMMAND_UI(33019, OnUpdateTileVertical)
  ON_UPDATE_COMMAND_UI(33025, OnUpdateArrangeIcons)
  ON_COMMAND(33125, OnWindowObjects)
  ON_UPDATE_COMMAND_UI(33125, OnUpdateWindowObjects)
  ON_COMMAND(33129, OnEditPreferences)
  ON_COMMAND_RANGE(2100, 2102, OnToolBarSettings)
  ON_COMMAND(33016, OnHelpSupport)
  ON_COMMAND(33017, OnHelpMoreObjects)
END_MESSAGE_MAP()

namespace {

constexpr UINT kGeneral = 652;
constexpr UINT kShowStatusBar = 668, kShowStatusBarDefault = 669;
constexpr UINT kShowBeginner = 682, kShowBeginnerDefault = 683;
constexpr UINT kShowMain = 659;
constexpr UINT kShowInteractive = 661;
constexpr UINT kShowAdvanced = 663;
constexpr UINT kShowFile = 665, kShowFileDefault = 667;
constexpr DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr UINT kToolBarId = 0xE800;
constexpr int kNarrowScreen = 800;
// A bar creation or resource load that keeps failing after this many calls of the low-memory
// handler fails the frame's creation instead of retrying for ever.
constexpr int kCreateTries = 3;

template <class Call>
BOOL TryWithLowMemory(Call call) {
  for (int attempt = 0; attempt < kCreateTries; ++attempt) {
    if (call()) return TRUE;
    NoMemoryHandler(1);
  }
  return FALSE;
}

BOOL ScreenIsNarrow() { return Globals::GetScreenWidth() < kNarrowScreen; }

UINT DefaultOfShowKey(UINT key) { return key == kShowFile ? kShowFileDefault : key + 1; }

}  // namespace

// The global preference values are read at every start, before any window asks for them.
XMainFrame::XMainFrame() { InitGlobals(); }

XMainFrame::~XMainFrame() {
  XASSERT(!objects3DView, "Should have been destroyed and this pointer set to NULL by Objects3DView destructor");
}

void XMainFrame::OnDropFiles(HDROP drop) {
  std::vector<CString> paths;
  const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::vector<char> path(DragQueryFile(drop, i, nullptr, 0) + 1);
    DragQueryFile(drop, i, path.data(), static_cast<UINT>(path.size()));
    paths.emplace_back(path.data());
  }
  DragFinish(drop);
  for (const CString& path : paths) AfxGetApp()->OpenDocumentFile(path);
}

XMainFrame* XGetMainFrame() {
  CWinThread* thread = AfxGetThread();
  if (!thread) return nullptr;
  CWnd* wnd = thread->m_pMainWnd;
  XASSERT(!wnd || ISKINDOF( wnd, XMainFrame ), "");
  return static_cast<XMainFrame*>(wnd);
}

int XMainFrame::OnCreate(LPCREATESTRUCT createStruct) {
  if (CMDIFrameWnd::OnCreate(createStruct) == -1) return -1;
  XASSERT(::IsWindow( m_hWnd ), "");
  // Every window of the program lies inside the frame: its prompt stands wherever no inner
  // window has one of its own.
  statusBar.RegisterStatusCallback(m_hWnd, &XMainFrame::StatusCallback, this);
  return CreateBars() ? 0 : -1;
}

BOOL XMainFrame::CreateBars() {
  struct Bar {
    XToolBar* bar;
    UINT resource;
    UINT title;
  };
  const Bar bars[] = {{&beginnerToolBar, ScreenIsNarrow() ? 161u : 153u, 84},
                      {&mainToolBar, 12, 63},
                      {&interactiveToolBar, 7, 65},
                      {&advancedToolBar, 9, 66},
                      {&fileToolBar, 127, 64}};
  for (const Bar& each : bars) {
    if (!TryWithLowMemory([&] { return each.bar->Create(this, kToolBarStyle, kToolBarId); })) return FALSE;
    if (!TryWithLowMemory([&] { return each.bar->LoadToolBar(each.resource); })) return FALSE;
  }
  if (!TryWithLowMemory([&] { return statusBar.Create(this, kStatusBarStyle, 0); })) return FALSE;
  const UINT indicators[] = {ID_SEPARATOR, 67};
  if (!TryWithLowMemory([&] { return statusBar.SetIndicators(indicators, 2); })) return FALSE;

  for (const Bar& each : bars) {
    each.bar->SetBarStyle(each.bar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    XString title;
    title.LoadString(each.title);
    each.bar->SetWindowText(title);
  }

  if (!XGetPrefBool(kGeneral, kShowStatusBar, kShowStatusBarDefault)) ShowControlBar(&statusBar, FALSE, TRUE);
  if (!XGetPrefBool(kGeneral, kShowBeginner, kShowBeginnerDefault)) {
    ShowControlBar(&beginnerToolBar, FALSE, TRUE);
    for (UINT id : {59392u, 33121u, 33122u, 33123u}) {
      UINT key;
      XToolBar* bar = OtherToolBar(id, &key);
      if (!XGetPrefBool(kGeneral, key, DefaultOfShowKey(key))) ShowControlBar(bar, FALSE, TRUE);
    }
  } else {
    for (UINT id : {59392u, 33121u, 33122u, 33123u}) ShowControlBar(OtherToolBar(id, nullptr), FALSE, TRUE);
  }

  for (const Bar& each : bars) each.bar->EnableDocking(CBRS_ALIGN_ANY);
  EnableDocking(CBRS_ALIGN_ANY);
  DefaultLayout();

  const int prompt = statusBar.CommandToIndex(ID_SEPARATOR);
  XASSERT(prompt >= 0, "Status line pane must exist");
  statusBar.SetPaneStyle(prompt, statusBar.GetPaneStyle(prompt) & ~SBPS_NOBORDERS);

  PostMessage(WM_COMMAND, 2105, 0);
  PostMessage(WM_COMMAND, 33125, 0);
  return TRUE;
}

void XMainFrame::DefaultLayout() {
  DockControlBar(&beginnerToolBar, AFX_IDW_DOCKBAR_TOP);
  DockControlBarNextTo(&fileToolBar, AFX_IDW_DOCKBAR_TOP, &beginnerToolBar);
  DockControlBarNextTo(&mainToolBar, AFX_IDW_DOCKBAR_TOP, &fileToolBar);
  if (ScreenIsNarrow())
    DockControlBar(&interactiveToolBar, AFX_IDW_DOCKBAR_RIGHT);
  else
    DockControlBarNextTo(&interactiveToolBar, AFX_IDW_DOCKBAR_TOP, &mainToolBar);
  DockControlBar(&advancedToolBar, AFX_IDW_DOCKBAR_LEFT);
}

void XMainFrame::OnDestroy() {
  if (::IsWindow(m_hWnd)) statusBar.UnregisterStatusCallback(m_hWnd);
  CMDIFrameWnd::OnDestroy();
}

void XMainFrame::StatusCallback(void* argument) {
  auto* object = static_cast<CObject*>(argument);
  XASSERT_TEXT(ISKINDOF(object, XMainFrame), "ISKINDOF( argument, XMainFrame )", "");
  auto* frame = static_cast<XMainFrame*>(object);
  // Without an open scene the prompt says how to get one.
  int openScenes = 0;
  if (CWinApp* app = AfxGetApp())
    for (POSITION at = app->GetFirstDocTemplatePosition(); at;) {
      CDocTemplate* docTemplate = app->GetNextDocTemplate(at);
      for (POSITION doc = docTemplate->GetFirstDocPosition(); doc; docTemplate->GetNextDoc(doc)) ++openScenes;
    }
  if (openScenes == 0)
    frame->statusBar.SetStatusText(40038, nullptr, 0);
  else
    frame->statusBar.SetStatusText(0, nullptr, 0);
}

void XMainFrame::DockControlBarNextTo(CControlBar* bar, UINT dockBarId, CControlBar* before) {
  XASSERT(before->GetDockingFrame() == this, "");
  RecalcLayout(TRUE);
  CRect rect;
  before->GetWindowRect(&rect);
  const DWORD dw = before->GetBarStyle();
  // The rectangle moves one pixel along the dock bar: right on top and bottom, down on the sides.
  struct Side {
    UINT dockBarId;
    DWORD align;
    const char* expression;
    int dx, dy;
  };
  static constexpr Side kSides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP, "dw & CBRS_ALIGN_TOP", 1, 0},
                                    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM, "dw & CBRS_ALIGN_BOTTOM", 1, 0},
                                    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT, "dw & CBRS_ALIGN_LEFT", 0, 1},
                                    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT, "dw & CBRS_ALIGN_RIGHT", 0, 1}};
  const Side* side = nullptr;
  for (const Side& each : kSides)
    if (each.dockBarId == dockBarId) side = &each;
  if (!side) {
    XASSERT_TEXT(FALSE, "dockBarId", "");
    dockBarId = AFX_IDW_DOCKBAR_TOP;
  } else {
    XASSERT_TEXT((dw & side->align) != 0, side->expression,
                 "No MFC call for where a toolbar is docked so this is next best verification");
    rect.OffsetRect(side->dx, side->dy);
  }
  DockControlBar(bar, dockBarId, &rect);
}

void XMainFrame::FloatDockedBars(BOOL visibleOnly) {
  for (XToolBar* bar : {&beginnerToolBar, &mainToolBar, &interactiveToolBar, &advancedToolBar, &fileToolBar}) {
    if (bar->IsFloating() || (visibleOnly && !XIsBarVisible(bar))) continue;
    CRect rect;
    bar->GetWindowRect(&rect);
    FloatControlBar(bar, rect.TopLeft(), CBRS_ALIGN_TOP);
  }
}

void XMainFrame::RedockToolBars() {
  const BOOL beginner = !beginnerToolBar.IsFloating();
  const BOOL main = !mainToolBar.IsFloating();
  const BOOL interactive = !interactiveToolBar.IsFloating();
  const BOOL advanced = !advancedToolBar.IsFloating();
  const BOOL file = !fileToolBar.IsFloating();
  FloatDockedBars(FALSE);
  const BOOL interactiveAlone = main && interactive && file && ScreenIsNarrow();
  const struct {
    XToolBar* bar;
    BOOL docked;
  } chain[] = {{&beginnerToolBar, beginner},
               {&fileToolBar, file},
               {&mainToolBar, main},
               {&interactiveToolBar, interactive && !interactiveAlone}};
  XToolBar* previous = nullptr;
  for (const auto& link : chain) {
    if (!link.docked) continue;
    if (previous)
      DockControlBarNextTo(link.bar, AFX_IDW_DOCKBAR_TOP, previous);
    else
      DockControlBar(link.bar, AFX_IDW_DOCKBAR_TOP);
    previous = link.bar;
  }
  if (interactiveAlone) DockControlBar(&interactiveToolBar, AFX_IDW_DOCKBAR_RIGHT);
  if (advanced) DockControlBar(&advancedToolBar, AFX_IDW_DOCKBAR_LEFT);
}

int XMainFrame::CountTileableWindows() const {
  int num = 0;
  if (CMDIClientWnd* client = GetMDIClient())
    for (CMDIChildWnd* child : client->Children())
      if (child->IsWindowVisible() && !child->IsIconic()) ++num;
  XASSERT(num >= 0, "");
  return num;
}

BOOL XMainFrame::IsWindowCountSquare() const {
  const double root = std::sqrt(static_cast<double>(CountTileableWindows()));
  return root == std::floor(root);
}

QMenu* XMainFrame::GetWindowMenuPopup() const {
  for (int index = GetMenuPopupCount() - 1; index >= 0; --index)
    if (QMenu* popup = GetMenuPopup(index))
      for (UINT id : {33025u, 33018u, 33019u})
        if (MenuHoldsCommand(popup, id)) return popup;
  return nullptr;
}

BOOL XMainFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  if (XCommandDisabledByUpdate(this, id, code, handlerInfo)) return TRUE;
  // F1 is help on the prompt shown, whichever child window is active: a child frame would answer
  // it with the contents.
  if (id == ID_HELP && code == CN_COMMAND && !handlerInfo) {
    OnHelp();
    return TRUE;
  }
  return CMDIFrameWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

void XMainFrame::OnMenuSelect(UINT id, UINT flags, HMENU menu) {
  CMDIFrameWnd::OnMenuSelect(id, flags, menu);
  if (flags == 0xFFFF && !menu) {
    statusBar.SetMenuClosed(TRUE);
    return;
  }
  statusBar.SetMenuClosed(FALSE);
  if ((flags & (MF_POPUP | MF_SEPARATOR)) || id == 0) {
    statusBar.SetStatusText(0, "", 0);
  } else {
    const UINT prompt = MenuItemPromptId(id);
    if (IsSystemCommand(id))
      XASSERT_TEXT(prompt >= AFX_IDS_SCFIRST && prompt < AFX_IDS_SCFIRST + 31,
                   "command >= AFX_IDS_SCFIRST && command < AFX_IDS_SCFIRST + 31", "");
    statusBar.SetStatusText(prompt, nullptr, 0);
  }
}

void XMainFrame::OnActivateApp(BOOL active, DWORD threadId) {
  CMDIFrameWnd::OnActivateApp(active, threadId);
  // Settings changed while the program was in the background are picked up.
  InitGlobals();
}

BOOL XMainFrame::OnQueryNewPalette() {
  CPalette* palette = XGetApp()->palette.get();
  if (!palette) return FALSE;
  CClientDC dc(this);
  dc.SelectPalette(palette, FALSE);
  dc.RealizePalette();
  return TRUE;
}

XToolBar* XMainFrame::OtherToolBar(UINT viewCommand, UINT* showKey) {
  struct Entry {
    UINT command;
    XToolBar* bar;
    UINT key;
  };
  const Entry entries[] = {{59392, &mainToolBar, kShowMain},
                           {33121, &interactiveToolBar, kShowInteractive},
                           {33122, &advancedToolBar, kShowAdvanced},
                           {33123, &fileToolBar, kShowFile}};
  for (const Entry& entry : entries)
    if (entry.command == viewCommand) {
      if (showKey) *showKey = entry.key;
      return entry.bar;
    }
  XASSERT(FALSE, "");
  return nullptr;
}

void XMainFrame::OnViewStatusBar() {
  const BOOL visible = XIsBarVisible(&statusBar);
  if (visible && !(XInfoBox(40036, CMMButtons::OKCANCEL, CMMDefault::BUTTON1) == CMMReturn::OK)) return;
  XWritePrefBool(kGeneral, kShowStatusBar, visible ? 0 : 1);
  XASSERT(statusBar.GetDockingFrame(), "");
  ShowControlBar(&statusBar, !visible, TRUE);
  RecalcLayout(TRUE);
}

void XMainFrame::OnViewBeginnerToolBar() {
  const BOOL show = !XIsBarVisible(&beginnerToolBar);
  XWritePrefBool(kGeneral, kShowBeginner, show ? 1 : 0);
  XASSERT(beginnerToolBar.GetDockingFrame(), "");
  ShowControlBar(&beginnerToolBar, show, TRUE);
  for (UINT id : {59392u, 33121u, 33122u, 33123u}) {
    UINT key;
    XToolBar* bar = OtherToolBar(id, &key);
    if (show)
      ShowControlBar(bar, FALSE, TRUE);
    else if (XGetPrefBool(kGeneral, key, DefaultOfShowKey(key)))
      ShowControlBar(bar, TRUE, TRUE);
  }
  RedockToolBars();
  RecalcLayout(TRUE);
}

void XMainFrame::OnViewMainToolBar() { OnViewOtherToolBar(59392); }

void XMainFrame::OnViewOtherToolBar(UINT id) {
  UINT key;
  XToolBar* bar = OtherToolBar(id, &key);
  const BOOL show = !XIsBarVisible(bar);
  XWritePrefBool(kGeneral, key, show ? 1 : 0);
  XASSERT(bar->GetDockingFrame(), "");
  ShowControlBar(bar, show, TRUE);
  // A floating bar leaves the docked ones where they are.
  if (!bar->IsFloating()) RedockToolBars();
  RecalcLayout(TRUE);
}

void XMainFrame::OnUpdateViewStatusBar(CCmdUI* ui) {
  ui->Enable(TRUE);
  ui->SetCheck(XIsBarVisible(&statusBar) ? 1 : 0);
}

void XMainFrame::OnUpdateViewBeginnerToolBar(CCmdUI* ui) {
  ui->Enable(TRUE);
  ui->SetCheck(XIsBarVisible(&beginnerToolBar) ? 1 : 0);
}

void XMainFrame::OnUpdateViewOtherToolBar(CCmdUI* ui) {
  ui->Enable(!XIsBarVisible(&beginnerToolBar));
  ui->SetCheck(XIsBarVisible(OtherToolBar(ui->m_nID, nullptr)) ? 1 : 0);
}

void XMainFrame::OnFloatAll() { FloatDockedBars(TRUE); }

void XMainFrame::OnResetAll() {
  FloatDockedBars(FALSE);
  DefaultLayout();
}

void XMainFrame::OnTileHorizontal() { ::SendMessage(m_hWndMDIClient, WM_MDITILE, MDITILE_HORIZONTAL); }
void XMainFrame::OnTileVertical() { ::SendMessage(m_hWndMDIClient, WM_MDITILE, MDITILE_VERTICAL); }
void XMainFrame::OnArrangeIcons() { ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE); }

void XMainFrame::OnUpdateTileHorizontal(CCmdUI* ui) {
  // The two texts are loaded once for the life of the program.
  static const XString square = [] {
    XString text;
    text.LoadString(71);
    return text;
  }();
  static const XString notSquare = [] {
    XString text;
    text.LoadString(72);
    return text;
  }();
  ui->Enable(MDIGetActive() && CountTileableWindows() > 1);
  ui->SetText(IsWindowCountSquare() ? square : notSquare);
}

void XMainFrame::OnUpdateTileVertical(CCmdUI* ui) {
  ui->Enable(MDIGetActive() && CountTileableWindows() > 1 && !IsWindowCountSquare());
}

void XMainFrame::OnUpdateArrangeIcons(CCmdUI* ui) { ui->Enable(MDIGetActive() != nullptr); }
