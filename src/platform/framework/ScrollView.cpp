#include "platform/framework/ScrollView.h"

#include <QScrollBar>

#include "platform/framework/DC.h"
#include <QStyle>
#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() = default;
CScrollView::~CScrollView() = default;

void CScrollView::SetScrollSizes(int mapMode, SIZE total, const SIZE& page, const SIZE& line) {
  mapMode_ = mapMode;
  total_ = total;
  page_ = page.cx || page.cy ? CSize(page) : CSize(total.cx / 10, total.cy / 10);
  line_ = line.cx || line.cy ? CSize(line) : CSize(std::max(1, page_.cx / 10), std::max(1, page_.cy / 10));
  UpdateBars();
}

void CScrollView::GetDeviceScrollSizes(int& mapMode, SIZE& total, SIZE& page, SIZE& line) const {
  mapMode = mapMode_;
  total = total_;
  page = page_;
  line = line_;
}

void CScrollView::ScrollToPosition(POINT position) {
  CRect client;
  GetClientRect(&client);
  const CPoint before = position_;
  position_.x = std::clamp<LONG>(position.x, 0, std::max<LONG>(0, total_.cx - client.Width()));
  position_.y = std::clamp<LONG>(position.y, 0, std::max<LONG>(0, total_.cy - client.Height()));
  if (!(position_ == before)) Invalidate(TRUE);
  UpdateBars();
}

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  dc->SetMapMode(mapMode_);
  dc->SetViewportOrg(-position_.x, -position_.y);
  CView::OnPrepareDC(dc, info);
}

void CScrollView::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  UpdateBars();
}

void CScrollView::OnHScroll(UINT code, UINT pos, CScrollBar*) { Scroll(true, code, static_cast<int>(pos)); }
void CScrollView::OnVScroll(UINT code, UINT pos, CScrollBar*) { Scroll(false, code, static_cast<int>(pos)); }

void CScrollView::Scroll(bool horizontal, UINT code, int trackPos) {
  CRect client;
  GetClientRect(&client);
  LONG at = horizontal ? position_.x : position_.y;
  const LONG line = horizontal ? line_.cx : line_.cy;
  const LONG page = horizontal ? page_.cx : page_.cy;
  const LONG end = horizontal ? total_.cx : total_.cy;
  switch (code) {
    case SB_LINEUP: at -= line; break;
    case SB_LINEDOWN: at += line; break;
    case SB_PAGEUP: at -= page; break;
    case SB_PAGEDOWN: at += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: at = trackPos; break;
    case SB_TOP: at = 0; break;
    case SB_BOTTOM: at = end; break;
    default: return;
  }
  ScrollToPosition(horizontal ? POINT{at, position_.y} : POINT{position_.x, at});
}

void CScrollView::UpdateBars() {
  QWidget* widget = GetWidget();
  if (!widget || updating_) return;
  updating_ = true;
  if (!horizontal_) {
    // The bars are the view's own: their movements come back as WM_HSCROLL and WM_VSCROLL.
    horizontal_ = new QScrollBar(Qt::Horizontal, widget);
    vertical_ = new QScrollBar(Qt::Vertical, widget);
    QObject::connect(horizontal_, &QScrollBar::actionTriggered, horizontal_, [this](int action) {
      if (action == QAbstractSlider::SliderMove) SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, horizontal_->sliderPosition()));
      else if (action != QAbstractSlider::SliderNoAction) SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, horizontal_->sliderPosition()));
    });
    QObject::connect(vertical_, &QScrollBar::actionTriggered, vertical_, [this](int action) {
      if (action == QAbstractSlider::SliderMove) SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, vertical_->sliderPosition()));
      else if (action != QAbstractSlider::SliderNoAction) SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, vertical_->sliderPosition()));
    });
  }
  const int thickness = widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int width = widget->width(), height = widget->height();
  const bool needH = total_.cx > width, needV = total_.cy > height;
  horizontal_->setVisible(needH);
  vertical_->setVisible(needV);
  horizontal_->setGeometry(0, height - thickness, width - (needV ? thickness : 0), thickness);
  vertical_->setGeometry(width - thickness, 0, thickness, height - (needH ? thickness : 0));
  horizontal_->setRange(0, std::max(0, static_cast<int>(total_.cx) - width));
  vertical_->setRange(0, std::max(0, static_cast<int>(total_.cy) - height));
  horizontal_->setPageStep(std::max(1, width));
  vertical_->setPageStep(std::max(1, height));
  horizontal_->setValue(position_.x);
  vertical_->setValue(position_.y);
  updating_ = false;
  // A smaller window or contents may leave the position past the end.
  const CPoint clamped{std::clamp<LONG>(position_.x, 0, std::max<LONG>(0, total_.cx - width)),
                       std::clamp<LONG>(position_.y, 0, std::max<LONG>(0, total_.cy - height))};
  if (!(clamped == position_)) ScrollToPosition(clamped);
}
