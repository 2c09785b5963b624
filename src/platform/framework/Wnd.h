// Windows: a CWnd wraps one Qt widget. A child window belongs to its parent's widget and is
// destroyed with it; the wrapper then no longer has a window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/framework/Object.h"
#include "platform/win/Process.h"  // the show commands SW_SHOW and SW_HIDE

class CWnd;
class CFrameWnd;

// Window styles.
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;

// GetWindow relations. Siblings are in the order they were created: GW_CHILD and GW_HWNDFIRST
// give the first, GW_HWNDLAST the last.
constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDLAST = 1;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
constexpr UINT GW_CHILD = 5;

class CWnd : public CObject {
  DECLARE_DYNAMIC(CWnd)
 public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // Makes the window: a child of `parent` with control id `id` (WS_CHILD), or a top-level window
  // when `parent` is null. Shown when the style has WS_VISIBLE. FALSE when the wrapper already
  // has a window.
  BOOL Create(const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0);
  BOOL DestroyWindow();

  QWidget* GetWidget() const { return widget_; }
  // The wrapper of a widget, or null when the widget has none.
  static CWnd* FromWidget(const QWidget* widget);

  int GetDlgCtrlID() const { return id_; }
  // WS_VISIBLE when the window itself is shown, whatever its parents are.
  DWORD GetStyle() const;
  BOOL ShowWindow(int showCommand);  // SW_SHOW or SW_HIDE; the previous visibility
  CWnd* GetParent() const;
  // The nearest frame among the window's parents.
  CFrameWnd* GetParentFrame() const;
  // The related window (GW_*) among those with wrappers, or null.
  CWnd* GetWindow(UINT relation) const;
  // Screen coordinates of the window's rectangle.
  void GetWindowRect(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;

 private:
  QPointer<QWidget> widget_;
  UINT id_ = 0;
};

// A frame: a top-level window that holds views and control bars.
class CFrameWnd : public CWnd {
  DECLARE_DYNAMIC(CFrameWnd)
};

// The small frame a floating control bar lives in.
class CMiniDockFrameWnd : public CFrameWnd {
  DECLARE_DYNAMIC(CMiniDockFrameWnd)
};

// A tool bar or status bar: docked inside its frame, or floating in a CMiniDockFrameWnd.
class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
 public:
  // The frame the bar is docked in, or the small frame it floats in; null when neither.
  CFrameWnd* GetDockingFrame() const { return GetParentFrame(); }
  BOOL IsFloating() const;
};
