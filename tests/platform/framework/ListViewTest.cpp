// A list view fills its frame with a list control that shows the items put in it.
#include <gtest/gtest.h>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/ListView.h"
#include "platform/win/QtTestApplication.h"

namespace {

class ObjectsView : public CListView {
  DECLARE_DYNCREATE(ObjectsView)
};
IMPLEMENT_DYNCREATE(ObjectsView, CListView)

TEST(ListView, ItsControlHoldsTheItemsAndFillsTheFrame) {
  QtTestApplication qt;
  auto* frame = new CFrameWnd;
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(ObjectsView);
  ASSERT_TRUE(frame->LoadFrame(0, WS_OVERLAPPEDWINDOW, nullptr, &context));
  frame->InitialUpdateFrame(nullptr, TRUE);
  frame->MoveWindow(0, 0, 400, 300);
  auto* view = dynamic_cast<ObjectsView*>(frame->GetActiveView());
  ASSERT_NE(view, nullptr);

  CListCtrl& list = view->GetListCtrl();
  char name[] = "Chair";
  LVITEM item{LVIF_TEXT | LVIF_PARAM, 0, 0, 0, 0, name, 0, 0, 42};
  EXPECT_EQ(list.InsertItem(&item), 0);
  EXPECT_EQ(list.GetItemCount(), 1);
  EXPECT_EQ(list.GetItemData(0), 42u);
  QApplication::processEvents();
  CRect client, bounds;
  view->GetClientRect(&client);
  EXPECT_GT(client.Width(), 300);  // the view fills the frame
  ASSERT_TRUE(list.GetItemRect(0, &bounds, LVIR_BOUNDS));
  EXPECT_TRUE(client.PtInRect(bounds.CenterPoint()));
  frame->DestroyWindow();
}

}  // namespace
