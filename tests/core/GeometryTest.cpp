#include <gtest/gtest.h>

#include "core/Transform.h"
#include "core/XPtSzRect.h"
#include "support/FatalCheck.h"

namespace {

const char* const kPointCheck = "x >= Min() && x <= Max() && y >= Min() && y <= Max()";

TEST(Points, CoordinatesStayWithinTheSymmetricRange) {
  XPoint(2147483647, -2147483647);
  EXPECT_FATAL(XPoint(0, -2147483647 - 1), kPointCheck, "");
  EXPECT_FATAL(XSize(-2147483647 - 1, 0), "cx >= Min() && cx <= Max() && cy >= Min() && cy <= Max()", "");
  EXPECT_FATAL(XRect(RECT{0, 0, 0, -2147483647 - 1}), kPointCheck, "");

  XPoint truncated(XDPoint(2.9, -2.9));
  EXPECT_EQ(truncated.x, 2);
  EXPECT_EQ(truncated.y, -2);
  const char* const doubleCheck = "a.x <= Max() && a.x >= Min() && a.y <= Max() && a.y >= Min()";
  EXPECT_FATAL(XPoint(XDPoint(2147483648.0, 0)), doubleCheck, "");
  EXPECT_FATAL((void)XPoint(XDPoint{}), doubleCheck, "");
}

TEST(Vectors, UnsetMarkerNormalisingAndFloatRange) {
  CArray<Vector, const Vector&> grown;
  grown.SetSize(3);
  EXPECT_EQ(grown[2].x, 1.7976931348623157e308);
  EXPECT_EQ(grown[2].z, 1.7976931348623157e308);

  EXPECT_DOUBLE_EQ(Vector(3, 0, 4).Normalize().z, 0.8);
  Vector zero(0, 0, 0);
  EXPECT_FATAL(zero.Normalize(), "l != 0.0", "");

  struct Floats {
    float x, y, z;
  } f = Vector(1, -2, 3).ToD3DVECTOR();
  EXPECT_EQ(f.y, -2.0f);
  const char* const floatCheck = "std::fabs( x ) <= FLT_MAX && std::fabs( y ) <= FLT_MAX && std::fabs( z ) <= FLT_MAX";
  EXPECT_FATAL((void)Vector(0, 0, -1e39).ToD3DVECTOR(), floatCheck, "");
  EXPECT_FATAL((void)Vector(1e39, 0, 0).ToD3DVECTOR(), floatCheck, "");
}

TEST(Boxes, AnEmptyBoxTakesItsFirstPointAndTurnedBoxesHoldTheirCorners) {
  BoundingBox box;
  box.Include(Vector(1, 2, 3));
  EXPECT_EQ(box.min.y, 2.0);
  EXPECT_EQ(box.max.y, 2.0);
  box.Include(Vector(-1, 5, 3));
  BoundingBox turned = BoundingBox::Transform(box, Transform(1.5707963267948966, Vector(0, 0, 1)));
  EXPECT_NEAR(turned.min.x, -5.0, 1e-6);  // (x, y) turns to (-y, x)
  EXPECT_NEAR(turned.max.y, 1.0, 1e-6);
  EXPECT_NEAR(turned.max.z, 3.0, 1e-6);
}

TEST(Rays, BoxesAndSpheres) {
  const BoundingBox box(Vector(0, 0, 0), Vector(1, 1, 1));
  EXPECT_TRUE(box.IntersectsRay(Vector(0.5, 0.5, 0.5), Vector(1, 0, 0)));   // from inside
  EXPECT_TRUE(box.IntersectsRay(Vector(0.5, 0.5, 0), Vector(0, 0, 1)));     // on a face, t = 0
  EXPECT_FALSE(box.IntersectsRay(Vector(-1, 0.5, 0.5), Vector(-1, 0, 0)));  // pointing away
  EXPECT_FALSE(box.IntersectsRay(Vector(-1, 2, 0.5), Vector(1, 0, 0)));     // parallel, outside
  EXPECT_FALSE(box.IntersectsRay(Vector(2, 2, 2), Vector(0, 0, 0)));

  BoundingSphere sphere;
  sphere.center = Vector(0, 0, 0);
  sphere.radius = 1;
  sphere.radiusSquared = 1;
  EXPECT_TRUE(sphere.IntersectsRay(Vector(0.5, 0, 0), Vector(1, 0, 0)));
  EXPECT_FALSE(sphere.IntersectsRay(Vector(2, 0, 0), Vector(1, 0, 0)));
  EXPECT_TRUE(sphere.IntersectsRay(Vector(-2, 1, 0), Vector(1, 0, 0)));  // tangent
  EXPECT_FALSE(sphere.IntersectsRay(Vector(-2, 1.001, 0), Vector(1, 0, 0)));
}

TEST(VertexColors, OnePositionOneColour) {
  VertexColorMap map(2053, 10);
  EXPECT_TRUE(map.SetAt({1.0f, 2.0f, 0.0f}, 0xFF0000FF));
  EXPECT_FALSE(map.SetAt({1.0f, 2.0f, -0.0f}, 0xFF00FF00));  // -0.0 is the same position
  EXPECT_TRUE(map.SetAt({2.0f, 1.0f, 0.0f}, 0xFFFF0000));   // same hash, other position
  DWORD color = 0;
  EXPECT_TRUE(map.Lookup({1.0f, 2.0f, 0.0f}, color));
  EXPECT_EQ(color, 0xFF00FF00u);
  EXPECT_EQ(map.GetCount(), 2);
}

}  // namespace
