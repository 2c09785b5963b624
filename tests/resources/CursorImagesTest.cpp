// The program's cursors as the desktop shows them.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "platform/win/Cursors.h"
#include "platform/win/QtCursors.h"
#include "platform/win/QtTestApplication.h"

namespace {

QRect OpaqueBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

TEST(QtCursors, ImagesAreThirtyTwoSquareWithTheHotSpotOnTheShape) {
  QtTestApplication app;
  const struct {
    UINT id;
    QPoint hotSpot;
  } cursors[] = {{104, {1, 1}}, {138, {15, 15}}, {139, {15, 15}}};
  QRect bounds[3];
  for (int i = 0; i < 3; ++i) {
    QCursor cursor = CursorFromHandle(LoadCursorResource(cursors[i].id));
    QImage image = cursor.pixmap().toImage();
    EXPECT_EQ(image.size(), QSize(32, 32)) << cursors[i].id;
    EXPECT_EQ(cursor.hotSpot(), cursors[i].hotSpot) << cursors[i].id;
    EXPECT_EQ(qAlpha(image.pixel(cursors[i].hotSpot)), 255) << cursors[i].id;
    bounds[i] = OpaqueBounds(image);
  }
  // The arrow's tip is its top left corner; the double arrows are centred on their hot spot,
  // one upright and one lying.
  EXPECT_EQ(bounds[0].topLeft(), QPoint(1, 1));
  EXPECT_EQ(bounds[1].center(), QPoint(15, 15));
  EXPECT_EQ(bounds[2].center(), QPoint(15, 15));
  EXPECT_GT(bounds[1].height(), bounds[1].width());
  EXPECT_GT(bounds[2].width(), bounds[2].height());

  EXPECT_EQ(CursorFromHandle(LoadStandardCursor(IDC_ARROW)).shape(), Qt::ArrowCursor);
  EXPECT_EQ(CursorFromHandle(nullptr).shape(), Qt::ArrowCursor);
}

}  // namespace
