// The multiple-document frames: a main window whose client area (the MDI client) holds child
// frames, one per document window, and a Window menu that lists them.
#pragma once

#include <vector>

#include "platform/framework/FrameWnd.h"

class QMdiArea;
class QMdiSubWindow;
class QRect;
class CMDIChildWnd;

// The Window menu's commands.
constexpr UINT ID_WINDOW_NEW = 57648;
constexpr UINT ID_WINDOW_ARRANGE = 57649;
constexpr UINT ID_WINDOW_CASCADE = 57650;
constexpr UINT ID_WINDOW_TILE_HORZ = 57651;
constexpr UINT ID_WINDOW_TILE_VERT = 57652;
// The Window menu's list of children takes ids from here on.
constexpr UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;

// The MDI client: the area of the main frame that holds the children. It takes the WM_MDI*
// messages.
class CMDIClientWnd : public CWnd {
  DECLARE_DYNAMIC(CMDIClientWnd)
 public:
  QMdiArea* Area() const;
  CMDIChildWnd* ActiveChild() const;
  // The children in the order they were created.
  std::vector<CMDIChildWnd*> Children() const;
  // The children the Window menu lists: those not hidden, in the order they were created.
  std::vector<CMDIChildWnd*> ShownChildren() const;
  // Lays the visible children that are not minimised out in a grid, in creation order, leaving
  // a row for the minimised ones: floor(sqrt(n)) rows and n / rows columns (the last column takes
  // the rest) vertically; horizontally the other way round. So two or three windows stand side by
  // side (vertical) or stacked (horizontal), four make a 2x2 grid.
  void Tile(UINT how);
  // The place and size of a new child that has none of its own: the next step of a cascade from
  // the top-left corner, each window as large as the steps leave room for.
  QRect NextDefaultPlace(const QMdiSubWindow& window);

 protected:
  void PostNcDestroy() override;
  LRESULT OnMDIActivateMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnMDITile(WPARAM wParam, LPARAM lParam);
  LRESULT OnMDICascade(WPARAM wParam, LPARAM lParam);
  LRESULT OnMDINext(WPARAM wParam, LPARAM lParam);
  LRESULT OnMDIGetActive(WPARAM wParam, LPARAM lParam);
  LRESULT OnMDIIconArrange(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  int created_ = 0;  // children placed by default so far
};

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNAMIC(CMDIFrameWnd)
 public:
  // The active child, and whether it is maximised.
  CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
  void MDIActivate(CWnd* child);
  void MDITile(int how = MDITILE_VERTICAL);
  void MDICascade();
  void MDINext();
  void MDIMaximize(CWnd* child);
  void MDIRestore(CWnd* child);
  // The Window menu: the popup that holds the Window commands; null without one.
  virtual QMenu* GetWindowMenuPopup() const;

  CView* GetActiveView() const override;
  CDocument* GetActiveDocument() override;
  // The active child's view, document and frame first, then the main frame and the application.
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  CMDIClientWnd* GetMDIClient() const { return client_; }

  HWND m_hWndMDIClient = nullptr;

  void OnWindowCascade();
  void OnWindowTileHorz();
  void OnWindowTileVert();
  BOOL OnWindowListItem(UINT id);
  void OnUpdateMDIWindowCmd(CCmdUI* ui);

 protected:
  int OnCreate(LPCREATESTRUCT createStruct);
  void OnDestroy();
  // Lists the children below the Window commands, the active one checked.
  void UpdateWindowList(QMenu* menu);
  void UpdateMenu(QMenu* menu) override;
  DECLARE_MESSAGE_MAP()

 private:
  friend class CMDIChildWnd;
  void ChildActivated(QMdiSubWindow* window);
  // The shown child that was active last among those showing a document, other than `except`.
  CMDIChildWnd* LatestDocumentChild(HWND except) const;
  CMDIClientWnd* client_ = nullptr;
  HWND lastActive_ = nullptr;
  std::vector<HWND> activeOrder_;  // the children by their last activation, the latest first
};

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNAMIC(CMDIChildWnd)
 public:
  // Makes the child inside `parent` (the application's main window when null).
  BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                 CCreateContext* context = nullptr) override;
  CMDIFrameWnd* GetMDIFrame() const;
  void MDIActivate();
  void MDIMaximize();
  void MDIRestore();
  void MDIDestroy() { DestroyWindow(); }
  void ActivateFrame(int showCommand = -1) override;
  void RecalcLayout(BOOL notify = TRUE) override;
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  QMdiSubWindow* SubWindow() const;

  // The child became (`activate`) or stopped being the active one.
  void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);

 protected:
  QWidget* CreateWidget(QWidget* parent, const CREATESTRUCT& cs) override;
  DECLARE_MESSAGE_MAP()
};
