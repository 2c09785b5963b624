// Windows: a CWnd wraps one Qt widget and has a window handle (HWND) that maps back to it. The
// widget's events become window messages, dispatched through the class's message map; what no
// entry handles gets Qt's own behaviour. A child window belongs to its parent's widget and is
// destroyed with it; the wrapper then no longer has a window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/String.h"
#include "platform/framework/WindowStyles.h"
#include "platform/win/Process.h"  // the show commands
#include "platform/win/WindowMessages.h"

class CWnd;
class CFrameWnd;
class CDC;
class CScrollBar;
class CDocument;
class CView;
class CDocTemplate;
class WndEventBridge;
struct CCreateContext;
struct TOOLINFO;

// GetWindow relations. Siblings are in the order they were created: GW_CHILD and GW_HWNDFIRST
// give the first, GW_HWNDLAST the last.
constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDLAST = 1;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
constexpr UINT GW_CHILD = 5;

// Show commands beyond SW_HIDE and SW_SHOW.
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// The id of a frame's main view.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

using TIMERPROC = void (*)(HWND hwnd, UINT message, UINT_PTR id, DWORD time);

class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)
  friend class WndEventBridge;

 public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // Makes the window: a child of `parent` with control id `id` (WS_CHILD), or a top-level window
  // when `parent` is null. Runs PreCreateWindow, then WM_NCCREATE and WM_CREATE; an OnCreate that
  // answers -1 destroys the window again. Shown when the style has WS_VISIBLE. FALSE when the
  // wrapper already has a window or creation failed.
  BOOL Create(const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0);
  virtual BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                      UINT id, CCreateContext* context = nullptr);
  // Lets a class change how its window is made (class name, style, size).
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  // WM_DESTROY to the window and then to its wrapped children, the widgets go, and each wrapper
  // (children first) gets PostNcDestroy.
  virtual BOOL DestroyWindow();
  // Wraps an existing widget (made by a control class): its events become this window's
  // messages. FALSE when either is already wrapped.
  BOOL SubclassWidget(QWidget* widget, UINT id);
  // Lets go of the widget without destroying it (the reverse of SubclassWidget); null when the
  // wrapper has none.
  QWidget* UnsubclassWidget();

  QWidget* GetWidget() const { return widget_; }
  // The wrapper of a widget, or null when the widget has none.
  static CWnd* FromWidget(const QWidget* widget);
  // The wrapper of a window handle; null for a handle whose window is gone.
  static CWnd* FromHandle(HWND hwnd);
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }                        // NOLINT: the framework's conversion

  // Messages. SendMessage dispatches at once; PostMessage queues, and the message is dropped if
  // the window is gone by the time it comes up.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Looks the message up in the message map: TRUE and the handler's result when one took it.
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // What happens to a message no handler took.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The message in hand, passed to DefWindowProc.
  LRESULT Default();
  // WM_COMMAND: first reflected to the control that sent it, then routed through OnCmdMsg.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // A notification the window (a control) sent to its parent comes back here first.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Input on its way to this window or a child: TRUE keeps it from being dispatched.
  virtual BOOL PreTranslateMessage(MSG* msg);

  int GetDlgCtrlID() const { return id_; }
  // Tips over the window's controls (ToolTips.h): each asks OnToolHitTest which tool is there.
  BOOL EnableToolTips(BOOL enable = TRUE);
  // The tool at `point` (client coordinates), filling `ti` when given; -1 for none.
  virtual int OnToolHitTest(CPoint point, TOOLINFO* ti) const;
  int SetDlgCtrlID(int id);
  CWnd* GetDlgItem(int id) const;
  // WS_CHILD, WS_VISIBLE (the window itself shown, whatever its parents) and WS_DISABLED.
  DWORD GetStyle() const;
  BOOL ShowWindow(int showCommand);  // the previous visibility
  BOOL IsWindowVisible() const;
  BOOL EnableWindow(BOOL enable = TRUE);  // whether it was disabled
  BOOL IsWindowEnabled() const;
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  // The nearest wrapped window among the widget's parents, up to its top-level window.
  CWnd* GetParent() const;
  // The nearest frame among the window's parents.
  CFrameWnd* GetParentFrame() const;
  // The outermost frame that holds the window (itself when it is a top-level frame).
  CFrameWnd* GetTopLevelFrame() const;
  // The related window (GW_*) among those with wrappers, or null.
  CWnd* GetWindow(UINT relation) const;

  void SetWindowText(const char* text);
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const;

  // Screen coordinates of the window's rectangle; the client rectangle starts at (0, 0).
  void GetWindowRect(LPRECT rect) const;
  void GetClientRect(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;
  void ClientToScreen(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const;
  void ScreenToClient(LPRECT rect) const;
  // Position in the parent's client coordinates (the screen for a top-level window).
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);

  // Asks for a repaint; with `erase` the background is erased first (WM_ERASEBKGND).
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  void ValidateRect(LPCRECT rect);
  // Paints what is waiting to be painted, now.
  void UpdateWindow();

  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetCapture();
  static CWnd* GetCapture();
  static CWnd* GetActiveWindow();
  CWnd* SetActiveWindow();
  void BringWindowToTop();

  // A timer that sends WM_TIMER with `id` every `elapse` ms, or calls `proc` when given. Setting
  // an id again restarts it. 0 when no timer could be made.
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
  BOOL KillTimer(UINT_PTR id);

  // Files dropped from the desktop then come as WM_DROPFILES (DropFiles.h).
  void DragAcceptFiles(BOOL accept = TRUE);

  // Help through the application (Help.h): HELP_CONTEXT with a topic id, HELP_FINDER ...
  void WinHelp(DWORD_PTR data, UINT command = 0x0001);
  // The help contents (the Help Topics command).
  void OnHelpFinder();

  BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
  // Moves the window to the normal rectangle and shows it as showCmd says. An empty rectangle
  // names no place: the window keeps the place and size it was given when it was made.
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);

  HWND m_hWnd = nullptr;

  // Message handlers; by default each passes its message to DefWindowProc.
  int OnCreate(LPCREATESTRUCT createStruct);
  BOOL OnNcCreate(LPCREATESTRUCT createStruct);
  void OnDestroy();
  void OnSize(UINT type, int cx, int cy);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnClose();
  void OnTimer(UINT_PTR id);
  void OnActivate(UINT state, CWnd* other, BOOL minimized);
  void OnActivateApp(BOOL active, DWORD threadId);
  void OnSetFocus(CWnd* oldWnd);
  void OnKillFocus(CWnd* newWnd);
  void OnCaptureChanged(CWnd* wnd);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  void OnRButtonDblClk(UINT flags, CPoint point);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  void OnKeyUp(UINT key, UINT repeat, UINT flags);
  void OnChar(UINT key, UINT repeat, UINT flags);
  void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);

 protected:
  // Makes the widget for a new window; a class with a special widget (a frame, a control)
  // overrides it.
  virtual QWidget* CreateWidget(QWidget* parent, const CREATESTRUCT& cs);
  // The widget a child of this window is placed in.
  virtual QWidget* ChildContainer() const { return widget_; }
  // The last step of destruction, after the window is gone: frames and views delete themselves.
  virtual void PostNcDestroy() {}
  DECLARE_MESSAGE_MAP()

 private:
  void Attach(QWidget* widget, UINT id);
  void Detach();
  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  QPointer<QWidget> widget_;
  WndEventBridge* bridge_ = nullptr;
  UINT id_ = 0;
  CurrentMessage current_{};
};

// A capture ends; the window that had it gets WM_CAPTURECHANGED.
BOOL ReleaseCapture();
// Kept by the window-handle functions below as the program reaches windows by handle.
BOOL IsWindow(HWND hwnd);
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
HWND GetParent(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);
// The window under a screen point (the nearest wrapped one within its top-level window), or null;
// a window that only follows the pointer, as a drag image does, is looked past (PointerTarget.h).
CWnd* WindowFromPoint(POINT point);
// A thread timer (hwnd null): `proc` runs every `elapse` ms; the result is its id, 0 on failure.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
