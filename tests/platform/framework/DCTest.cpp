#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <memory>

#include "platform/framework/DC.h"
#include "platform/framework/Wnd.h"
#include "platform/win/QtTestApplication.h"

namespace {

TEST(CDC, DrawsThroughItsMappingWithTheSelectedPenAndBrush) {
  QtTestApplication app;
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    CDC dc(&image);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportExt(2, 2);  // twice the size, logical (1, 1) at the corner
    dc.SetWindowOrg(1, 1);
    const RECT cell{1, 1, 3, 2};
    dc.FillSolidRect(&cell, RGB(255, 0, 0));
    CBrush blue(RGB(0, 0, 255));
    CPen green(PS_SOLID, 1, RGB(0, 255, 0));
    CBrush* oldBrush = dc.SelectObject(&blue);
    CPen* oldPen = dc.SelectObject(&green);
    EXPECT_TRUE(dc.Rectangle(5, 5, 9, 9));
    EXPECT_EQ(dc.SelectObject(oldBrush), &blue);
    EXPECT_EQ(dc.SelectObject(oldPen), &green);
  }
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(3, 1), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(4, 0), qRgb(255, 255, 255));  // right edge is outside
  EXPECT_EQ(image.pixel(0, 2), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(8, 8), qRgb(0, 255, 0));    // outline at device (8, 8)..(15, 15)
  EXPECT_EQ(image.pixel(15, 15), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(12, 12), qRgb(0, 0, 255));  // filled inside
  EXPECT_EQ(image.pixel(16, 16), qRgb(255, 255, 255));
}

TEST(CDC, ClipBoxOfAWindowLeavesOutSiblingsAboveItButNotItsOwnChildren) {
  QtTestApplication app;
  CWnd parent, below, above, inner;
  parent.Create("Frame", WS_VISIBLE, RECT{0, 0, 200, 100}, nullptr);
  below.Create("Below", WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 60}, &parent);
  inner.Create("Inner", WS_CHILD | WS_VISIBLE, RECT{0, 0, 40, 30}, &below);
  above.Create("Above", WS_CHILD | WS_VISIBLE, RECT{100, 0, 180, 60}, &parent);
  RECT box{};
  EXPECT_EQ(CWindowDC(&below).GetClipBox(&box), SIMPLEREGION);
  EXPECT_EQ(CRect(box), CRect(0, 0, 80, 60));
  above.MoveWindow(60, 40, 80, 60);
  EXPECT_EQ(CWindowDC(&below).GetClipBox(&box), COMPLEXREGION);
  EXPECT_EQ(CWindowDC(&above).GetClipBox(&box), SIMPLEREGION);
}

TEST(CDC, ClipBoxIsEmptyForAHiddenWindowAndCoversAVisibleOne) {
  QtTestApplication app;
  CWnd window;
  window.Create("Camera", WS_VISIBLE, RECT{0, 0, 40, 30}, nullptr);
  RECT box{};
  EXPECT_EQ(CClientDC(&window).GetClipBox(&box), SIMPLEREGION);
  EXPECT_EQ(CRect(box), CRect(0, 0, 40, 30));
  CClientDC zoomed(&window);
  zoomed.SetMapMode(MM_ANISOTROPIC);
  zoomed.SetViewportExt(2, 2);
  zoomed.GetClipBox(&box);  // in logical units
  EXPECT_EQ(CRect(box), CRect(0, 0, 20, 15));
  window.ShowWindow(SW_HIDE);
  EXPECT_EQ(CWindowDC(&window).GetClipBox(&box), NULLREGION);
  EXPECT_EQ(CDC::FromHandle(zoomed.GetSafeHdc()), &zoomed);
  auto ended = std::make_unique<CDC>();
  const HDC gone = ended->GetSafeHdc();
  ended.reset();
  EXPECT_EQ(CDC::FromHandle(gone), nullptr);
}

}  // namespace
