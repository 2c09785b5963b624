#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "platform/framework/ImageList.h"
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

TEST(CImageList, AddsImagesOfItsSizeWithTheMaskedPixelsTransparent) {
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
}

TEST(CImageList, DragImageFollowsThePointerByItsHotSpot) {
  QtTestApplication app;
  Thumbnail t;
  CImageList list;
  list.Create(3, 2, ILC_COLOR24 | ILC_MASK, 10, 10);
  list.Add(&t.colour, &t.mask);
  EXPECT_FALSE(list.BeginDrag(1, {0, 0}));
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

}  // namespace
