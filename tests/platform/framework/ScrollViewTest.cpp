// A scroll view's bars and position: bars only where the contents do not fit, positions kept
// inside the contents, and the user's clicks on a bar scrolling the view.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include "platform/framework/DC.h"
#include "platform/framework/ScrollView.h"
#include "platform/win/QtTestApplication.h"

namespace {

// A red square at (100, 0) of its contents.
class PictureView : public CScrollView {
 public:
  void OnDraw(CDC* dc) override {
    const CRect square(100, 0, 110, 10);
    dc->FillSolidRect(&square, RGB(255, 0, 0));
  }
  void PostNcDestroy() override {}  // lives on the stack here
};

TEST(ScrollView, BarsShowWhereTheContentsDoNotFitAndClicksScroll) {
  QtTestApplication qt;
  CWnd parent;
  ASSERT_TRUE(parent.Create("Parent", WS_VISIBLE, {0, 0, 300, 200}, nullptr));
  PictureView view;
  ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {0, 0, 200, 100}, &parent, AFX_IDW_PANE_FIRST));
  QApplication::processEvents();

  view.SetScrollSizes(MM_TEXT, CSize(1000, 80));
  int mode = 0;
  SIZE total{}, page{}, line{};
  view.GetDeviceScrollSizes(mode, total, page, line);
  EXPECT_EQ(mode, MM_TEXT);
  EXPECT_EQ(CSize(page), CSize(100, 8));
  EXPECT_EQ(CSize(line), CSize(10, 1));
  auto bars = view.GetWidget()->findChildren<QScrollBar*>();
  ASSERT_EQ(bars.size(), 2);
  QScrollBar* horizontal = bars[0]->orientation() == Qt::Horizontal ? bars[0] : bars[1];
  QScrollBar* vertical = horizontal == bars[0] ? bars[1] : bars[0];
  EXPECT_TRUE(horizontal->isVisible());
  EXPECT_FALSE(vertical->isVisible());  // 80 rows fit in 100

  view.ScrollToPosition({5000, 50});
  EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(800, 0));  // 1000 - 200 wide; no room to go down

  // A click on the bar's track left of the handle pages back.
  horizontal->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(view.GetDeviceScrollPosition().x, horizontal->value());
  EXPECT_LT(view.GetDeviceScrollPosition().x, 800);

  // Painting draws the contents moved by the position.
  view.ScrollToPosition({100, 0});
  const QImage shot = view.GetWidget()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_NE(shot.pixelColor(15, 5), QColor(255, 0, 0));

  // Contents of one pixel need no bars and stay at the origin.
  view.SetScrollSizes(MM_TEXT, CSize(1, 1));
  EXPECT_FALSE(horizontal->isVisible());
  EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(0, 0));
}

}  // namespace
