// Frames: top-level windows (Qt main windows) that hold a view, control bars, a menu and
// accelerators. A frame routes commands: its active view (and through it the view's document)
// first, then itself, then the frame above it, then the application.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/Wnd.h"

class QAction;
class QMainWindow;
class QMenu;
class CControlBar;
struct MenuResource;
struct AcceleratorEntry;

// What a frame is made from: the view class and document it shows.
struct CCreateContext {
  const CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

// The idle prompt, " Ready".
constexpr UINT AFX_IDS_IDLEMESSAGE = 57345;

// Frame styles: the caption shows the document's title.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

class CFrameWnd : public CWnd {
  DECLARE_DYNAMIC(CFrameWnd)
 public:
  CFrameWnd();
  ~CFrameWnd() override;

  // Makes the frame with the menu and accelerators of resource `resourceId` (when they exist) and
  // the caption of string `resourceId`'s first part; with a context its view is created too.
  virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                         CCreateContext* context = nullptr);

  virtual CView* GetActiveView() const;
  void SetActiveView(CView* view, BOOL notify = TRUE);
  // The document of the active view, or null.
  virtual CDocument* GetActiveDocument();
  // Makes the context's view as the frame's pane (id AFX_IDW_PANE_FIRST).
  CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
  // Sends WM_INITIALUPDATE to the views and activates and shows the frame.
  void InitialUpdateFrame(CDocument* document, BOOL makeVisible);
  virtual void ActivateFrame(int showCommand = -1);
  // Places the bars and the view.
  virtual void RecalcLayout(BOOL notify = TRUE);
  // Sets the caption: the document's title, then " - " and the frame's title for a top frame.
  virtual void OnUpdateFrameTitle(BOOL addToTitle);
  void SetTitle(const char* title) { m_strTitle = title; }
  const CString& GetTitle() const { return m_strTitle; }

  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  // Update handlers of the bars, run at idle (WM_IDLEUPDATECMDUI).
  void OnIdleUpdateCmdUI();

  // The menu bar built from the frame's menu resource; null when it has none.
  QMenu* GetMenuPopup(int index) const;
  int GetMenuPopupCount() const;
  // Whether the popup holds an item of command `id`.
  static BOOL MenuHoldsCommand(const QMenu* popup, UINT id);
  // Runs a command from the user (a menu item, a button or an accelerator): its update handlers
  // are asked first, and a command they disable does not run.
  BOOL ExecuteUserCommand(UINT id, WORD source);
  // Whether an update handler disables `id` now.
  BOOL IsCommandEnabled(UINT id);

  // Docking (FrameDocking.cpp). The frame's bars may dock on the sides `style` allows.
  void EnableDocking(DWORD style) { m_dwDockStyle = style; }
  // Docks the bar on the side of dock bar `dockBarId` (AFX_IDW_DOCKBAR_*; 0: the side its style
  // names), after the bars already there.
  void DockControlBar(CControlBar* bar, UINT dockBarId = 0, LPCRECT rect = nullptr);
  // The dock bar (AFX_IDW_DOCKBAR_*) whose side of the frame holds `point` (screen coordinates):
  // over the bars docked there or just inside the side's edge of the frame's work area; 0 elsewhere.
  UINT DockBarAt(CPoint point) const;
  // Floats the bar with its top-left corner at `point` (screen coordinates), moved as far as it
  // takes to lie whole on the screen.
  void FloatControlBar(CControlBar* bar, CPoint point, DWORD style = 0x2000);
  void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
  // Keeps where the bars are docked or float and whether they show, in preference section
  // `profileName`, and brings it back.
  void SaveBarState(const char* profileName) const;
  BOOL LoadBarState(const char* profileName);
  DWORD m_dwDockStyle = 0;

  // Control bars placed in this frame.
  void AddControlBar(CControlBar* bar);
  void RemoveControlBar(CControlBar* bar);
  const std::vector<CControlBar*>& ControlBars() const { return bars_; }

  QMainWindow* MainWindow() const;
  // The commands of the active view and its document, then the frame's own.
  BOOL RouteThroughViewAndSelf(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo);

  CString m_strTitle;
  UINT m_nIDHelp = 0;
  BOOL m_bAutoMenuEnable = TRUE;

  void OnClose();
  void OnDestroy();
  // Shift+F1: the next click shows the help of what it lands on.
  void OnContextHelp();
  // F1 without a more specific handler: the help contents.
  void OnHelp();
  // A menu item is under the mouse (its prompt goes to the standard status bar), or the menu
  // closed (flags 0xFFFF, no menu: the idle prompt).
  void OnMenuSelect(UINT id, UINT flags, HMENU menu);

 protected:
  QWidget* CreateWidget(QWidget* parent, const CREATESTRUCT& cs) override;
  void PostNcDestroy() override;
  // Builds the menu bar and loads the accelerators of `resourceId`.
  void LoadMenuAndAccelerators(UINT resourceId);
  // WM_MENUSELECT for the item under the mouse.
  void MenuItemHovered(QMenu* menu, QAction* action);
  // Runs the update handlers of a menu's items as it opens.
  virtual void UpdateMenu(QMenu* menu);
  // A key that matches an accelerator becomes its command; TRUE when it did.
  BOOL TranslateAccelerator(const MSG& msg);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  DECLARE_MESSAGE_MAP()

  CView* m_pViewActive = nullptr;
  UINT resourceId_ = 0;
  std::vector<CControlBar*> bars_;
  const std::vector<AcceleratorEntry>* accelerators_ = nullptr;
};
