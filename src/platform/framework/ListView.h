// A view that is a list control: large icons with labels, filling its frame. Its list control is
// reached through GetListCtrl.
#pragma once

#include "platform/framework/ListCtrl.h"
#include "platform/framework/View.h"

class CListView : public CView {
  DECLARE_DYNAMIC(CListView)
 public:
  CListCtrl& GetListCtrl() const;
  // A list view draws nothing itself: the control paints its items.
  void OnDraw(CDC* dc) override;

 protected:
  QWidget* CreateWidget(QWidget* parent, const CREATESTRUCT& cs) override;
  // The control paints itself: painting and erasing are left to it.
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  mutable CListCtrl list_;
};
