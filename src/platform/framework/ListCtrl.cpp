#include "platform/framework/ListCtrl.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <algorithm>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {

constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

// Large icons that tell the parent when the user starts to drag one: the left button pressed
// on an item and the pointer moved past the drag distance.
class ListViewWidget final : public QListWidget {
 public:
  explicit ListViewWidget(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(true);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    press_ = event->position().toPoint();
    pressed_ = event->button() == Qt::LeftButton ? QPersistentModelIndex(indexAt(press_)) : QPersistentModelIndex();
    QListWidget::mousePressEvent(event);
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (pressed_.isValid() && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - press_).manhattanLength() > QApplication::startDragDistance()) {
      const int index = pressed_.row();
      pressed_ = QPersistentModelIndex();
      BeginDrag(index);
      return;
    }
    QListWidget::mouseMoveEvent(event);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    pressed_ = QPersistentModelIndex();
    QListWidget::mouseReleaseEvent(event);
  }

 private:
  void BeginDrag(int index) {
    CWnd* self = CWnd::FromWidget(this);
    if (!self) return;
    NMLISTVIEW note{};
    note.hdr = {self->m_hWnd, static_cast<UINT>(self->GetDlgCtrlID()), LVN_BEGINDRAG};
    note.iItem = index;
    note.ptAction = {press_.x(), press_.y()};
    CWnd* to = self->GetParent() ? self->GetParent() : self;
    to->SendMessage(WM_NOTIFY, static_cast<WPARAM>(self->GetDlgCtrlID()), reinterpret_cast<LPARAM>(&note));
  }

  QPoint press_;
  QPersistentModelIndex pressed_;  // the item the left button went down on
};

}  // namespace

QWidget* CreateListViewWidget(QWidget* parent) { return new ListViewWidget(parent); }

void CListCtrl::UseWidget(QWidget* widget) { used_ = widget; }

QListWidget* CListCtrl::List() const { return qobject_cast<QListWidget*>(GetWidget() ? GetWidget() : used_.data()); }

CImageList* CListCtrl::SetImageList(CImageList* images, int kind) {
  QListWidget* list = List();
  if (!list || kind != LVSIL_NORMAL) return nullptr;
  CImageList* previous = std::exchange(images_, images);
  if (images && images->GetImageCount() > 0) list->setIconSize(images->GetImage(0).size());
  return previous;
}

int CListCtrl::InsertItem(const LVITEM* item) {
  QListWidget* list = List();
  if (!list || !item || item->iItem < 0) return -1;
  const int at = std::min(item->iItem, list->count());
  auto* entry = new QListWidgetItem;
  if (item->mask & LVIF_TEXT) entry->setText(QString::fromUtf8(item->pszText ? item->pszText : ""));
  if (item->mask & LVIF_PARAM) entry->setData(kDataRole, QVariant::fromValue(static_cast<qlonglong>(item->lParam)));
  if ((item->mask & LVIF_IMAGE) && images_) {
    const QImage image = images_->GetImage(item->iImage);
    entry->setData(kImageRole, item->iImage);
    entry->setIcon(QIcon(QPixmap::fromImage(image)));
    if (!image.isNull()) list->setIconSize(image.size());
  }
  list->insertItem(at, entry);
  return at;
}

BOOL CListCtrl::GetItem(LVITEM* item) const {
  QListWidget* list = List();
  if (!list || !item || item->iItem < 0 || item->iItem >= list->count()) return FALSE;
  const QListWidgetItem* entry = list->item(item->iItem);
  if (item->mask & LVIF_IMAGE) item->iImage = entry->data(kImageRole).isValid() ? entry->data(kImageRole).toInt() : -1;
  if (item->mask & LVIF_PARAM) item->lParam = static_cast<LPARAM>(entry->data(kDataRole).toLongLong());
  if ((item->mask & LVIF_TEXT) && item->pszText && item->cchTextMax > 0) {
    const QByteArray text = entry->text().toUtf8();
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(text.size()), static_cast<std::size_t>(item->cchTextMax - 1));
    std::memcpy(item->pszText, text.constData(), n);
    item->pszText[n] = '\0';
  }
  return TRUE;
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const {
  QListWidget* list = List();
  if (!list || index < 0 || index >= list->count()) return FALSE;
  QRect r = list->visualItemRect(list->item(index));
  if (code == LVIR_ICON) {
    // The icon sits centred at the top of the item.
    const QSize icon = list->iconSize();
    r = QRect(r.center().x() - icon.width() / 2, r.top(), icon.width(), icon.height());
  }
  r.translate(list->viewport()->pos());
  *rect = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
  QListWidget* list = List();
  if (!list || index < 0 || index >= list->count()) return 0;
  return static_cast<DWORD_PTR>(list->item(index)->data(kDataRole).toLongLong());
}

int CListCtrl::GetItemCount() const {
  QListWidget* list = List();
  return list ? list->count() : 0;
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR sortParam) {
  QListWidget* list = List();
  if (!list || !compare) return FALSE;
  std::vector<QListWidgetItem*> items;
  while (list->count() > 0) items.push_back(list->takeItem(0));
  std::stable_sort(items.begin(), items.end(), [&](QListWidgetItem* a, QListWidgetItem* b) {
    return compare(static_cast<LPARAM>(a->data(kDataRole).toLongLong()), static_cast<LPARAM>(b->data(kDataRole).toLongLong()),
                   static_cast<LPARAM>(sortParam)) < 0;
  });
  for (QListWidgetItem* item : items) list->addItem(item);
  return TRUE;
}
