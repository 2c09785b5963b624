#include "platform/framework/ListView.h"

IMPLEMENT_DYNAMIC(CListView, CView)

QWidget* CListView::CreateWidget(QWidget* parent, const CREATESTRUCT&) {
  QWidget* widget = CreateListViewWidget(parent);
  list_.UseWidget(widget);
  return widget;
}

CListCtrl& CListView::GetListCtrl() const { return list_; }

void CListView::OnDraw(CDC*) {}

BOOL CListView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_PAINT) return FALSE;
  return CView::OnWndMsg(message, wParam, lParam, result);
}

LRESULT CListView::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return message == WM_ERASEBKGND ? 0 : CView::DefWindowProc(message, wParam, lParam);
}
