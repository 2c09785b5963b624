// Image lists and the bitmaps they take, list controls, and a list view in its frame.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTest>
#include <QWidget>
#include <strings.h>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/ImageList.h"
#include "platform/framework/ListCtrl.h"
#include "platform/framework/ListView.h"
#include "platform/win/QtTestApplication.h"

namespace {

BITMAPINFO Header(LONG width, LONG height, WORD bits = 24) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
  return info;
}

TEST(DibSection, RefusesWhatItCannotHoldAndPadsRowsToFourBytes) {
  void* bits = reinterpret_cast<void*>(1);
  BITMAPINFO wrong = Header(5, 3, 32);
  EXPECT_EQ(CreateDIBSection(nullptr, &wrong, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  BITMAPINFO empty = Header(0, 3);
  EXPECT_EQ(CreateDIBSection(nullptr, &empty, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);

  BITMAPINFO info = Header(5, -3);  // top-down
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  BitmapPixels p{};
  ASSERT_TRUE(GetBitmapPixels(dib, &p));
  EXPECT_EQ(p.stride, 16);
  EXPECT_FALSE(p.bottomUp);
  EXPECT_EQ(p.rows, bits);
  EXPECT_TRUE(DeleteObject(dib));
  EXPECT_FALSE(DeleteObject(dib));
  EXPECT_FALSE(GetBitmapPixels(dib, &p));
}

// A 3 x 2 bottom-up image whose pixels of the key colour (its first stored pixel) are masked.
struct Thumbnail {
  CBitmap colour, mask;
  Thumbnail() {
    BITMAPINFO info = Header(3, 2);
    void* bits = nullptr;
    colour.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* rows = static_cast<BYTE*>(bits);
    const BYTE bottom[] = {9, 9, 9, 255, 0, 0, 9, 9, 9};  // blue, green, red
    const BYTE top[] = {0, 255, 0, 0, 0, 255, 1, 2, 3};
    std::copy(std::begin(bottom), std::end(bottom), rows);
    std::copy(std::begin(top), std::end(top), rows + 12);
    BYTE maskRows[4] = {0x00, 0, 0xA0, 0};  // top row: none; bottom row: pixels 0 and 2
    BITMAP bm{0, 3, 2, 2, 1, 1, maskRows};
    mask.CreateBitmapIndirect(&bm);
  }
};

TEST(CImageList, AddsImagesOfItsSizeWithTheMaskedPixelsTransparentAndDragsThem) {
  QtTestApplication app;
  Thumbnail t;
  CImageList list;
  EXPECT_EQ(list.Add(&t.colour, &t.mask), -1);  // not created
  ASSERT_TRUE(list.Create(3, 2, ILC_COLOR24 | ILC_MASK, 10, 10));
  EXPECT_EQ(list.Add(&t.colour, &t.mask), 0);
  EXPECT_EQ(list.Add(&t.colour, nullptr), 1);
  const QImage image = list.GetImage(0);
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(2, 0), qRgb(3, 2, 1));
  EXPECT_EQ(qAlpha(image.pixel(0, 1)), 0);
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 255));
  EXPECT_EQ(qAlpha(image.pixel(2, 1)), 0);
  EXPECT_EQ(list.GetImage(1).pixel(0, 1), qRgb(9, 9, 9));

  CImageList other;
  other.Create(4, 2, ILC_COLOR24, 1, 1);
  EXPECT_EQ(other.Add(&t.colour, nullptr), -1);
  EXPECT_EQ(other.GetImageCount(), 0);

  // The drag image follows the pointer by its hot spot.
  EXPECT_FALSE(list.BeginDrag(2, {0, 0}));
  ASSERT_TRUE(list.BeginDrag(0, {1, 1}));
  ASSERT_TRUE(CImageList::DragEnter(nullptr, {100, 50}));
  const auto dragWindow = [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) return w;
    return static_cast<QWidget*>(nullptr);
  };
  ASSERT_NE(dragWindow(), nullptr);
  EXPECT_EQ(dragWindow()->pos(), QPoint(99, 49));
  CImageList::DragMove({200, 60});
  EXPECT_EQ(dragWindow()->pos(), QPoint(199, 59));
  CImageList::DragLeave(nullptr);
  EXPECT_EQ(dragWindow(), nullptr);
  CImageList::EndDrag();
  EXPECT_FALSE(CImageList::DragMove({0, 0}));
}

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
      BITMAPINFO info = Header(4, 4);
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
  const QPointF to = press + QPoint(1, 1) * (QApplication::styleHints()->startDragDistance() + 5);
  QMouseEvent move(QEvent::MouseMove, to, widget->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(widget->viewport(), &move);
  EXPECT_EQ(owner.dragged, 1);
  EXPECT_EQ(owner.from.x, press.x());
}

class ObjectsView : public CListView {
  DECLARE_DYNCREATE(ObjectsView)
};
IMPLEMENT_DYNCREATE(ObjectsView, CListView)

// A list view fills its frame with a list control that shows the items put in it.
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
  LVITEM item{LVIF_TEXT, 0, 0, 0, 0, name, 0, 0, 0};
  EXPECT_EQ(list.InsertItem(&item), 0);
  EXPECT_EQ(list.GetItemCount(), 1);
  QApplication::processEvents();
  CRect client, bounds;
  view->GetClientRect(&client);
  EXPECT_GT(client.Width(), 300);  // the view fills the frame
  ASSERT_TRUE(list.GetItemRect(0, &bounds, LVIR_BOUNDS));
  EXPECT_TRUE(client.PtInRect(bounds.CenterPoint()));
  frame->DestroyWindow();
}

}  // namespace
