// The status bar: a row of panes along the bottom of the frame, each known by its indicator id.
// Pane 0 is usually the stretching prompt pane; an owner-drawn pane (SBT_OWNERDRAW) is painted by
// the bar's DrawItem.
#pragma once

#include <vector>

#include "platform/framework/ControlBar.h"

struct DRAWITEMSTRUCT;
class QStatusBar;

// Pane styles.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;
constexpr UINT SBT_OWNERDRAW = 0x1000;
// The rectangle of pane wParam goes to the RECT at lParam; FALSE for no such pane.
constexpr UINT SB_GETRECT = WM_USER + 10;
constexpr UINT ID_SEPARATOR = 0;

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)
 public:
  CStatusBar();
  ~CStatusBar() override;

  virtual BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
  using CWnd::Create;
  // One pane per id: a separator (0) shows no text of its own; another id shows its string.
  // The first pane stretches. FALSE on a null array with a count.
  BOOL SetIndicators(const UINT* ids, int count);
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
  void SetPaneInfo(int index, UINT id, UINT style, int width);
  UINT GetPaneStyle(int index) const;
  void SetPaneStyle(int index, UINT style);
  BOOL SetPaneText(int index, const char* text, BOOL update = TRUE);
  CString GetPaneText(int index) const;
  void GetItemRect(int index, LPRECT rect) const;
  int GetCount() const { return static_cast<int>(panes_.size()); }
  // Paints an owner-drawn pane: the record holds the pane's index (itemID), its rectangle in the
  // bar's client coordinates and the device context.
  virtual void DrawItem(DRAWITEMSTRUCT* item);

  struct Pane;

 protected:
  void PostNcDestroy() override {}
  QWidget* CreateWidget(QWidget* parent, const CREATESTRUCT& cs) override;
  LRESULT OnGetRect(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // Paints an owner-drawn pane through DrawItem.
  void PaintOwnerDrawn(Pane* pane);
  QStatusBar* Bar() const;
  void Layout();
  std::vector<Pane*> panes_;
};
