// Control bars: tool bars and status bars, docked inside their frame or floating in a small frame
// of their own.
#pragma once

#include "platform/framework/FrameWnd.h"

// Bar styles.
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_SIZE_FIXED = 0x0002;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// The ids of the frame's four docking places and of its standard bars.
constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B;
constexpr UINT AFX_IDW_DOCKBAR_LEFT = 0xE81C;
constexpr UINT AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
constexpr UINT AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;

// The small frame a floating control bar lives in.
class CMiniDockFrameWnd : public CFrameWnd {
  DECLARE_DYNAMIC(CMiniDockFrameWnd)
 protected:
  void PostNcDestroy() override {}
};

// Where a floating bar's window of rectangle `window` (screen coordinates) goes so that it lies
// whole on the screen it is on: its top-left corner, moved no more than that takes.
CPoint KeptOnScreen(const CRect& window);

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
 public:
  CControlBar() = default;
  // Leaves the frame's list of bars.
  ~CControlBar() override;
  // The frame the bar is docked in, or the small frame it floats in; null when neither.
  CFrameWnd* GetDockingFrame() const;
  virtual BOOL IsFloating() const;
  virtual DWORD GetBarStyle() const { return m_dwStyle; }
  virtual void SetBarStyle(DWORD style) { m_dwStyle = style; }
  void EnableDocking(DWORD style) { m_dwDockStyle = style; }
  // Runs the update handlers of the bar's items through `target`.
  virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler);

  CFrameWnd* m_pDockSite = nullptr;
  DWORD m_dwStyle = 0;
  DWORD m_dwDockStyle = 0;

 protected:
  // The small frame of a bar that floats as a window of its own; null while it is docked.
  virtual CFrameWnd* FloatingFrame() const { return nullptr; }
};
