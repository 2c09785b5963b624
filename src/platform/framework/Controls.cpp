#include "platform/framework/Controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSlider>

#include "platform/framework/DialogWidgets.h"
#include "platform/framework/ListBoxDelegate.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

namespace {

template <class W>
W* As(const CWnd* wnd) {
  return qobject_cast<W*>(wnd->GetWidget());
}


// Scrolls `list` to `row`. A list not shown yet has no scroll range: it scrolls again once it is
// shown and laid out.
void ScrollToRow(QListWidget* list, int row, QAbstractItemView::ScrollHint hint) {
  list->scrollToItem(list->item(row), hint);
  if (list->isVisible()) return;
  QMetaObject::invokeMethod(list, [list, row, hint] {
    if (row >= list->count()) return;
    list->doItemsLayout();
    list->scrollToItem(list->item(row), hint);
  }, Qt::QueuedConnection);
}

}  // namespace

int CButton::GetCheck() const {
  auto* b = As<QAbstractButton>(this);
  return b && b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int check) {
  if (auto* b = As<QAbstractButton>(this)) {
    const QSignalBlocker quiet(b);
    b->setChecked(check == BST_CHECKED);
  }
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

void CEdit::SetSel(int start, int end) {
  if (auto* e = As<QLineEdit>(this)) {
    const int last = end < 0 ? static_cast<int>(e->text().size()) : end;
    e->setSelection(start, last - start);
  }
}

BOOL CEdit::SetReadOnly(BOOL readOnly) {
  auto* e = As<QLineEdit>(this);
  if (!e) return FALSE;
  e->setReadOnly(readOnly != FALSE);
  return TRUE;
}

int CComboBox::AddString(const char* text) {
  auto* c = As<QComboBox>(this);
  if (!c) return CB_ERR;
  const QSignalBlocker quiet(c);
  c->addItem(QString::fromUtf8(text));
  return c->count() - 1;
}

int CComboBox::GetCount() const {
  auto* c = As<QComboBox>(this);
  return c ? c->count() : CB_ERR;
}

int CComboBox::GetCurSel() const {
  auto* c = As<QComboBox>(this);
  return c ? c->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int index) {
  auto* c = As<QComboBox>(this);
  if (!c) return CB_ERR;
  const QSignalBlocker quiet(c);
  const bool valid = index >= 0 && index < c->count();
  c->setCurrentIndex(valid ? index : -1);
  return valid ? index : CB_ERR;
}

void CComboBox::ResetContent() {
  if (auto* c = As<QComboBox>(this)) {
    const QSignalBlocker quiet(c);
    c->clear();
  }
}

int CComboBox::GetLBText(int index, CString& text) const {
  auto* c = As<QComboBox>(this);
  if (!c || index < 0 || index >= c->count()) return CB_ERR;
  text = CString(c->itemText(index).toStdString());
  return text.GetLength();
}

int CListBox::AddString(const char* text) { return InsertString(-1, text); }

int CListBox::InsertString(int index, const char* text) {
  auto* l = As<QListWidget>(this);
  if (!l || index > l->count()) return LB_ERR;
  const QSignalBlocker quiet(l);
  const int at = index < 0 ? l->count() : index;
  l->insertItem(at, QString::fromUtf8(text));
  return at;
}

int CListBox::DeleteString(UINT index) {
  auto* l = As<QListWidget>(this);
  if (!l || index >= static_cast<UINT>(l->count())) return LB_ERR;
  const QSignalBlocker quiet(l);
  delete l->takeItem(static_cast<int>(index));
  return l->count();
}

int CListBox::GetCount() const {
  auto* l = As<QListWidget>(this);
  return l ? l->count() : LB_ERR;
}

int CListBox::GetCurSel() const {
  auto* l = As<QListWidget>(this);
  if (!l) return LB_ERR;
  const QList<QListWidgetItem*> selected = l->selectedItems();
  return selected.isEmpty() ? LB_ERR : l->row(selected.first());
}

int CListBox::SetCurSel(int index) {
  auto* l = As<QListWidget>(this);
  if (!l) return LB_ERR;
  const QSignalBlocker quiet(l);
  const QSignalBlocker quietSelection(l->selectionModel());
  if (index < 0 || index >= l->count()) {
    l->clearSelection();
    l->setCurrentRow(-1);
    return LB_ERR;
  }
  l->setCurrentRow(index);
  ScrollToRow(l, index, QAbstractItemView::EnsureVisible);  // the selection scrolls into view
  return index;
}

int CListBox::GetTopIndex() const {
  auto* l = As<QListWidget>(this);
  if (!l || l->count() == 0) return 0;
  const QModelIndex top = l->indexAt(QPoint(1, 1));
  return top.isValid() ? top.row() : 0;
}

int CListBox::SetTopIndex(int index) {
  auto* l = As<QListWidget>(this);
  if (!l || index < 0 || index >= l->count()) return LB_ERR;
  ScrollToRow(l, index, QAbstractItemView::PositionAtTop);
  return 0;
}

void CListBox::ResetContent() {
  if (auto* l = As<QListWidget>(this)) {
    const QSignalBlocker quiet(l);
    l->clear();
  }
}

int CListBox::GetText(int index, CString& text) const {
  auto* l = As<QListWidget>(this);
  if (!l || index < 0 || index >= l->count()) return LB_ERR;
  text = CString(l->item(index)->text().toStdString());
  return text.GetLength();
}

namespace {

ListBoxDelegate* DelegateOf(QListWidget* list) {
  auto* delegate = dynamic_cast<ListBoxDelegate*>(list->itemDelegate());
  if (!delegate) {
    delegate = new ListBoxDelegate(list);
    list->setItemDelegate(delegate);
  }
  return delegate;
}

}  // namespace

BOOL CListBox::SetTabStops(int dialogUnits) {
  auto* l = As<QListWidget>(this);
  if (!l || dialogUnits <= 0) return FALSE;
  DelegateOf(l)->tabStop = dialogUnits * MeasureBaseUnits(l->font()).x / 4;
  l->viewport()->update();
  return TRUE;
}

void CListBox::SetHorizontalExtent(int pixels) {
  if (auto* l = As<QListWidget>(this)) {
    DelegateOf(l)->extent = pixels;
    // A list narrower than its extent has its scroll bar from the start, so the lines scrolled
    // into view before it is shown stay in view.
    l->setHorizontalScrollBarPolicy(pixels > l->width() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    l->doItemsLayout();
  }
}

void CSliderCtrl::SetRange(int min, int max, BOOL) {
  if (auto* s = As<QSlider>(this)) {
    const QSignalBlocker quiet(s);
    s->setRange(min, max);
  }
}

int CSliderCtrl::GetRangeMin() const {
  auto* s = As<QSlider>(this);
  return s ? s->minimum() : 0;
}

int CSliderCtrl::GetRangeMax() const {
  auto* s = As<QSlider>(this);
  return s ? s->maximum() : 0;
}

void CSliderCtrl::SetPos(int position) {
  if (auto* s = As<QSlider>(this)) {
    const QSignalBlocker quiet(s);
    s->setValue(position);
  }
}

int CSliderCtrl::GetPos() const {
  auto* s = As<QSlider>(this);
  return s ? s->value() : 0;
}
