#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTest>
#include <cstring>
#include <string>
#include <strings.h>

#include "platform/framework/ListCtrl.h"
#include "platform/win/QtTestApplication.h"

namespace {

const char* const kLabels[] = {"Banana", "apple", "cherry"};

class Owner : public CWnd {
 public:
  void OnBeginDrag(NMHDR* header, LRESULT*) {
    const auto* note = reinterpret_cast<NMLISTVIEW*>(header);
    dragged = note->iItem;
    from = note->ptAction;
  }
  int dragged = -1;
  POINT from{};
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Owner, CWnd)
  ON_NOTIFY(LVN_BEGINDRAG, 5, OnBeginDrag)
END_MESSAGE_MAP()

int ByLabel(LPARAM a, LPARAM b, LPARAM) { return strcasecmp(kLabels[a], kLabels[b]); }

// Three 4 x 4 icons whose only pixel colour is 10, 20 or 30 in red.
struct Icons {
  CImageList list;
  Icons() {
    list.Create(4, 4, ILC_COLOR24, 3, 3);
    for (BYTE red : {10, 20, 30}) {
      BITMAPINFO info{};
      info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
      void* bits = nullptr;
      CBitmap bitmap;
      bitmap.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
      for (int i = 0; i < 16; ++i) static_cast<BYTE*>(bits)[i * 3 + 2] = red;
      list.Add(&bitmap, nullptr);
    }
  }
};

TEST(CListCtrl, ItemsKeepTextImageAndDataThroughASort) {
  QtTestApplication app;
  Owner owner;
  owner.Create("Objects", WS_VISIBLE, RECT{0, 0, 300, 200}, nullptr);
  CListCtrl list;
  ASSERT_TRUE(list.SubclassWidget(CreateListViewWidget(owner.GetWidget()), 5));
  Icons icons;
  EXPECT_EQ(list.SetImageList(&icons.list, LVSIL_NORMAL), nullptr);
  for (int i = 0; i < 3; ++i) {
    LVITEM item{LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, i, 0, 0, 0, const_cast<char*>(kLabels[i]), 0, i, i};
    EXPECT_EQ(list.InsertItem(&item), i);
  }
  EXPECT_TRUE(list.SortItems(ByLabel, 0));
  char text[4];
  LVITEM first{LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, 0, 0, 0, 0, text, sizeof text, -1, -1};
  ASSERT_TRUE(list.GetItem(&first));
  EXPECT_STREQ(text, "app");  // cut to the buffer
  EXPECT_EQ(first.iImage, 1);
  EXPECT_EQ(first.lParam, 1);
  EXPECT_EQ(list.GetItemData(1), 0u);
  EXPECT_EQ(list.GetItemData(2), 2u);
  LVITEM past{LVIF_PARAM, 3, 0, 0, 0, nullptr, 0, 0, 0};
  EXPECT_FALSE(list.GetItem(&past));
  auto* widget = qobject_cast<QListWidget*>(list.GetWidget());
  EXPECT_EQ(widget->item(2)->icon().pixmap(4, 4).toImage().pixel(0, 0), qRgb(30, 0, 0));

  // Pressing on an item and moving the pointer past the drag distance starts a drag.
  owner.GetWidget()->resize(300, 200);
  widget->setGeometry(0, 0, 300, 200);
  widget->show();
  QApplication::processEvents();
  RECT icon{};
  ASSERT_TRUE(list.GetItemRect(1, &icon, LVIR_ICON));
  EXPECT_EQ(icon.right - icon.left, 4);
  const QPoint press(icon.left + 2, icon.top + 2);
  QTest::mousePress(widget->viewport(), Qt::LeftButton, {}, press);
  const int distance = QApplication::styleHints()->startDragDistance() + 5;
  QMouseEvent move(QEvent::MouseMove, QPointF(press + QPoint(distance, distance)), widget->viewport()->mapToGlobal(QPointF(press + QPoint(distance, distance))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget->viewport(), &move);
  EXPECT_EQ(owner.dragged, 1);
  EXPECT_EQ(owner.from.x, press.x());
}

}  // namespace
