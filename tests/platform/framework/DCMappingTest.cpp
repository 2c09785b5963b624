#include <gtest/gtest.h>

#include "platform/framework/DCMapping.h"
#include "platform/win/MulDiv.h"

namespace {

// A scroll view's zoom mapping: extents num and den, origins -den and -num plus half a device unit.
DCMapping Zoom(LONG num, LONG den) {
  DCMapping m;
  m.SetMapMode(MM_ANISOTROPIC);
  EXPECT_EQ(m.SetViewportExt(num, num), CSize(1, 1));
  EXPECT_EQ(m.SetWindowExt(den, den), CSize(1, 1));
  m.SetWindowOrg(-den, -den);
  const SIZE unit = m.LPtoDP(SIZE{1, 1});
  m.SetViewportOrg(-num + unit.cx / 2, -num + unit.cy / 2);
  return m;
}

LONG ToDevice(const DCMapping& m, LONG x) { return m.LPtoDP(POINT{x, 0}).x; }
LONG ToLogical(const DCMapping& m, LONG x) { return m.DPtoLP(POINT{x, 0}).x; }

TEST(MulDiv, RoundsHalvesAwayFromZeroAndFailsWithMinusOne) {
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(MulDiv(5, 1, 3), 2);
  EXPECT_EQ(MulDiv(1, 1, 3), 0);
  EXPECT_EQ(MulDiv(0x40000000, 4, 1), -1);
  EXPECT_EQ(MulDiv(7, 3, 0), -1);
  EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);  // the product needs 64 bits
}

// Logical zero lands in the middle of the first zoomed pixel, and halves round upwards.
TEST(DCMapping, ZoomMappingsPutLogicalZeroInTheMiddleOfTheFirstZoomedPixel) {
  const DCMapping twice = Zoom(2, 1);
  EXPECT_EQ(twice.GetViewportExt(), CSize(2, 2));
  EXPECT_EQ(twice.GetWindowExt(), CSize(1, 1));
  EXPECT_EQ(twice.GetWindowOrg(), CPoint(-1, -1));
  EXPECT_EQ(twice.GetViewportOrg(), CPoint(-1, -1));
  for (LONG x : {0, 1, 199}) EXPECT_EQ(ToDevice(twice, x), 2 * x + 1);
  EXPECT_EQ(ToDevice(Zoom(1, 1), 13), 13);
  EXPECT_EQ(ToDevice(Zoom(3, 1), 5), 16);
  for (LONG x : {0, 4, 10}) EXPECT_EQ(ToDevice(Zoom(1, 2), x), x / 2);
  EXPECT_EQ(CSize(Zoom(1, 3).LPtoDP(SIZE{1, 1})), CSize(0, 0));
  const DCMapping half = Zoom(1, 2);
  EXPECT_EQ(ToLogical(half, 5), 10);
  EXPECT_EQ(ToDevice(half, 3), 2);    // 1.5
  EXPECT_EQ(ToDevice(half, -3), -1);  // -1.5
  EXPECT_EQ(ToLogical(twice, 4), 2);    // 1.5
  EXPECT_EQ(ToLogical(twice, -4), -2);  // -2.5
}

TEST(DCMapping, ClientAreaAtTwiceZoomCoversHalfTheLogicalPixelsAndBlitsFromTheCorner) {
  const DCMapping m = Zoom(2, 1);
  // The render rectangle: the client's last pixel converted, plus one.
  const POINT topLeft = m.DPtoLP(POINT{0, 0});
  const POINT last = m.DPtoLP(POINT{399, 299});
  EXPECT_EQ(CPoint(topLeft), CPoint(0, 0));
  EXPECT_EQ(last.x + 1, 200);
  EXPECT_EQ(last.y + 1, 150);
  // Back to the device, less half a unit: the blit starts at the client's corner.
  const SIZE unit = m.LPtoDP(SIZE{1, 1});
  const POINT a = m.LPtoDP(POINT{0, 0});
  const POINT b = m.LPtoDP(POINT{200, 150});
  EXPECT_EQ(CPoint(a.x - unit.cx / 2, a.y - unit.cy / 2), CPoint(0, 0));
  EXPECT_EQ(CPoint(b.x - unit.cx / 2, b.y - unit.cy / 2), CPoint(400, 300));
  for (auto [num, den] : {std::pair{3, 1}, {1, 2}, {1, 3}, {20, 1}})
    EXPECT_EQ(ToLogical(Zoom(num, den), 0), 0) << num << "/" << den;
}

// Extents per axis, never zero, fixed in text mode, shrunk to the smaller scale when isotropic.
TEST(DCMapping, ExtentsAndOriginsFollowTheMapMode) {
  DCMapping m;
  EXPECT_EQ(m.SetViewportExt(3, 3), CSize(1, 1));
  EXPECT_EQ(m.GetViewportExt(), CSize(1, 1));  // MM_TEXT keeps one pixel per unit
  EXPECT_EQ(m.SetMapMode(MM_ANISOTROPIC), MM_TEXT);
  EXPECT_EQ(m.SetViewportExt(0, 3), CSize(0, 0));
  EXPECT_EQ(m.SetWindowExt(3, 0), CSize(0, 0));
  EXPECT_EQ(m.GetViewportExt(), CSize(1, 1));
  m.SetViewportExt(5, 4);  // 4/1 on a screen 1.25 times as dense across
  EXPECT_EQ(CSize(m.LPtoDP(SIZE{1, 1})), CSize(5, 4));
  m.SetViewportExt(-6, 4);
  EXPECT_EQ(CSize(m.LPtoDP(SIZE{2, 3})), CSize(12, 12));
  EXPECT_EQ(CPoint(m.LPtoDP(POINT{2, 3})), CPoint(-12, 12));
  EXPECT_EQ(CSize(m.DPtoLP(SIZE{12, 12})), CSize(2, 3));
  EXPECT_EQ(m.SetMapMode(MM_TEXT), MM_ANISOTROPIC);
  EXPECT_EQ(m.GetViewportExt(), CSize(1, 1));
  EXPECT_EQ(m.SetMapMode(99), 0);
  EXPECT_EQ(m.GetMapMode(), MM_TEXT);
  EXPECT_EQ(m.SetWindowOrg(7, 7), CPoint(0, 0));
  EXPECT_EQ(CPoint(m.LPtoDP(POINT{7, 7})), CPoint(0, 0));
  EXPECT_EQ(CPoint(m.DPtoLP(POINT{10, 20})), CPoint(17, 27));

  DCMapping iso;
  iso.SetMapMode(MM_ISOTROPIC);
  iso.SetWindowExt(10, 10);
  iso.SetViewportExt(40, -20);
  EXPECT_EQ(iso.GetViewportExt(), CSize(20, -20));
  iso.SetViewportExt(30, 90);
  EXPECT_EQ(iso.GetViewportExt(), CSize(30, 30));
}

}  // namespace
