// A view whose contents may be larger than its window: scroll bars appear on the sides where the
// contents do not fit, and the scroll position is kept in device units (pixels).
#pragma once

#include "platform/framework/DCMapping.h"
#include "platform/framework/View.h"

class QScrollBar;

// Scroll bar request codes of WM_HSCROLL and WM_VSCROLL.
constexpr UINT SB_LINEUP = 0;
constexpr UINT SB_LINELEFT = 0;
constexpr UINT SB_LINEDOWN = 1;
constexpr UINT SB_LINERIGHT = 1;
constexpr UINT SB_PAGEUP = 2;
constexpr UINT SB_PAGELEFT = 2;
constexpr UINT SB_PAGEDOWN = 3;
constexpr UINT SB_PAGERIGHT = 3;
constexpr UINT SB_THUMBPOSITION = 4;
constexpr UINT SB_THUMBTRACK = 5;
constexpr UINT SB_TOP = 6;
constexpr UINT SB_BOTTOM = 7;
constexpr UINT SB_ENDSCROLL = 8;

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)
 public:
  // Page and line sizes of zero: a tenth of the total and a tenth of the page.
  static const SIZE sizeDefault;

  CScrollView();
  ~CScrollView() override;

  void SetScrollSizes(int mapMode, SIZE total, const SIZE& page = sizeDefault, const SIZE& line = sizeDefault);
  void GetDeviceScrollSizes(int& mapMode, SIZE& total, SIZE& page, SIZE& line) const;
  CSize GetTotalSize() const { return total_; }
  CPoint GetScrollPosition() const { return position_; }
  CPoint GetDeviceScrollPosition() const { return position_; }
  // Scrolls so that `position` is the top-left corner, kept within the contents.
  void ScrollToPosition(POINT position);

  // MM_TEXT with the origin moved by the scroll position.
  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;

  void OnSize(UINT type, int cx, int cy);
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  // Shows the scroll bars where the contents do not fit and clamps the position.
  void UpdateBars();
  void Scroll(bool horizontal, UINT code, int trackPos);

  int mapMode_ = MM_TEXT;
  CSize total_;
  CSize page_;
  CSize line_;
  CPoint position_;
  QScrollBar* horizontal_ = nullptr;
  QScrollBar* vertical_ = nullptr;
  bool updating_ = false;
};
