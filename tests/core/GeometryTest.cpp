#include <gtest/gtest.h>

#include "core/Transform.h"
#include "core/XPtSzRect.h"

namespace {

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

  BoundingSphere sphere;
  sphere.center = Vector(0, 0, 0);
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
