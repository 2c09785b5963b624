#include "platform/framework/StatusBar.h"

#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>
#include <QStyleOptionFrame>
#include <algorithm>

#include "platform/framework/Controls.h"
#include "platform/framework/DC.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_MESSAGE(SB_GETRECT, OnGetRect)
END_MESSAGE_MAP()

// One pane: its text, or the owner's drawing for an owner-drawn pane.
struct CStatusBar::Pane final : QWidget {
  Pane(CStatusBar* bar, QWidget* parent) : QWidget(parent), bar(bar) {}
  void paintEvent(QPaintEvent*) override {
    if ((style & SBT_OWNERDRAW) && bar->GetWidget()) {
      bar->PaintOwnerDrawn(this);
      return;
    }
    QPainter painter(this);
    if (!(style & SBPS_NOBORDERS)) {
      QStyleOptionFrame frame;
      frame.initFrom(this);
      frame.state |= QStyle::State_Sunken;
      frame.lineWidth = 1;
      style_()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    }
    painter.drawText(rect().adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
  }
  QStyle* style_() const { return QWidget::style(); }
  QSize sizeHint() const override { return {width > 0 ? width : 10, fontMetrics().height() + 4}; }

  CStatusBar* bar;
  UINT id = 0;
  UINT style = SBPS_NORMAL;
  int width = 0;
  QString text;
};

namespace {
constexpr int kCoveringWidth = 0x4000;
}  // namespace

CStatusBar::CStatusBar() = default;
CStatusBar::~CStatusBar() = default;

QWidget* CStatusBar::CreateWidget(QWidget* parent, const CREATESTRUCT&) { return new QStatusBar(parent); }

QStatusBar* CStatusBar::Bar() const { return qobject_cast<QStatusBar*>(GetWidget()); }

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
  auto* frame = dynamic_cast<CFrameWnd*>(parent);
  if (!frame || !frame->MainWindow()) return FALSE;
  m_dwStyle = style & ~(WS_CHILD | WS_VISIBLE);
  if (!CWnd::Create(nullptr, nullptr, WS_CHILD, RECT{0, 0, 0, 0}, parent, id)) return FALSE;
  Bar()->setSizeGripEnabled(true);
  frame->MainWindow()->setStatusBar(Bar());
  Bar()->setVisible((style & WS_VISIBLE) != 0);
  m_pDockSite = frame;
  frame->AddControlBar(this);
  return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  if ((!ids && count > 0) || count < 0 || !Bar()) return FALSE;
  for (Pane* pane : panes_) delete pane;
  panes_.clear();
  for (int i = 0; i < count; ++i) {
    auto* pane = new Pane(this, Bar());
    pane->id = ids[i];
    pane->style = i == 0 ? SBPS_NOBORDERS | SBPS_STRETCH : SBPS_NORMAL;
    CString text;
    if (ids[i] != ID_SEPARATOR && text.LoadString(ids[i])) pane->text = QString::fromUtf8(text.str().c_str());
    pane->setAccessibleName(pane->text);
    pane->width = i == 0 ? 0 : pane->fontMetrics().horizontalAdvance(pane->text) + 8;
    panes_.push_back(pane);
  }
  Layout();
  return TRUE;
}

void CStatusBar::Layout() {
  QStatusBar* bar = Bar();
  for (Pane* pane : panes_) bar->removeWidget(pane);
  // A stretching pane given a width beyond any screen covers the bar: the panes after it go out
  // of sight.
  bool covered = false;
  for (Pane* pane : panes_) {
    if (covered) {
      pane->hide();
      continue;
    }
    if (pane->style & SBPS_STRETCH) {
      covered = pane->width >= kCoveringWidth;
      pane->setMinimumWidth(0);
      pane->setMaximumWidth(QWIDGETSIZE_MAX);
      bar->addWidget(pane, 1);
    } else {
      pane->setFixedWidth(pane->width);
      bar->addPermanentWidget(pane);
    }
    pane->show();
  }
}

int CStatusBar::CommandToIndex(UINT id) const {
  for (std::size_t i = 0; i < panes_.size(); ++i)
    if (panes_[i]->id == id) return static_cast<int>(i);
  return -1;
}

UINT CStatusBar::GetItemID(int index) const {
  return index >= 0 && index < GetCount() ? panes_[static_cast<std::size_t>(index)]->id : 0;
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const {
  if (index < 0 || index >= GetCount()) return;
  const Pane* pane = panes_[static_cast<std::size_t>(index)];
  id = pane->id;
  style = pane->style;
  width = pane->width;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width) {
  if (index < 0 || index >= GetCount()) return;
  Pane* pane = panes_[static_cast<std::size_t>(index)];
  const bool relayout = pane->width != width || ((pane->style ^ style) & SBPS_STRETCH);
  pane->id = id;
  pane->style = style;
  pane->width = width;
  if (relayout) Layout();
  pane->update();
}

UINT CStatusBar::GetPaneStyle(int index) const {
  return index >= 0 && index < GetCount() ? panes_[static_cast<std::size_t>(index)]->style : 0;
}

void CStatusBar::SetPaneStyle(int index, UINT style) {
  if (index < 0 || index >= GetCount()) return;
  Pane* pane = panes_[static_cast<std::size_t>(index)];
  SetPaneInfo(index, pane->id, style, pane->width);
}

BOOL CStatusBar::SetPaneText(int index, const char* text, BOOL update) {
  if (index < 0 || index >= GetCount()) return FALSE;
  Pane* pane = panes_[static_cast<std::size_t>(index)];
  pane->text = QString::fromUtf8(text ? text : "");
  // A screen reader reads the pane by its name.
  pane->setAccessibleName(pane->text);
  if (update) pane->update();
  return TRUE;
}

CString CStatusBar::GetPaneText(int index) const {
  if (index < 0 || index >= GetCount()) return CString();
  return CString(panes_[static_cast<std::size_t>(index)]->text.toStdString());
}

void CStatusBar::GetItemRect(int index, LPRECT rect) const {
  *rect = {};
  if (index < 0 || index >= GetCount()) return;
  const Pane* pane = panes_[static_cast<std::size_t>(index)];
  const QRect r(pane->mapTo(GetWidget(), QPoint(0, 0)), pane->size());
  *rect = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

LRESULT CStatusBar::OnGetRect(WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(wParam);
  if (index < 0 || index >= GetCount() || !lParam) return FALSE;
  GetItemRect(index, reinterpret_cast<LPRECT>(lParam));
  return TRUE;
}

void CStatusBar::DrawItem(DRAWITEMSTRUCT*) {}

void CStatusBar::PaintOwnerDrawn(Pane* pane) {
  // The context's coordinates are the bar's, as the pane's rectangle in the record is.
  QPainter painter(pane);
  painter.translate(-pane->x(), -pane->y());
  CDC dc(&painter);
  const auto at = std::find(panes_.begin(), panes_.end(), pane);
  const int index = static_cast<int>(at - panes_.begin());
  RECT rect;
  GetItemRect(index, &rect);
  DRAWITEMSTRUCT item{0, static_cast<UINT>(GetDlgCtrlID()), static_cast<UINT>(index), ODA_DRAWENTIRE, 0,
                      m_hWnd, dc.GetSafeHdc(), rect, 0};
  DrawItem(&item);
}
