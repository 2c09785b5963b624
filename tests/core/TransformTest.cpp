#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "core/Color.h"
#include "core/DivideTable.h"
#include "core/Transform.h"
#include "core/XPtSzRect.h"
#include "platform/d3drm/RenderTestSupport.h"
#include "platform/framework/ArchiveBackends.h"
#include "support/FatalCheck.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void ExpectNear(const Vector& v, double x, double y, double z) {
  EXPECT_NEAR(v.x, x, 1e-6);
  EXPECT_NEAR(v.y, y, 1e-6);
  EXPECT_NEAR(v.z, z, 1e-6);
}

class ArchiveFormTest : public ::testing::TestWithParam<Backend> {};

TEST_P(ArchiveFormTest, TransformsAreTwelveDoublesRowByRowFromTheLast) {
  const Transform odd(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 12);  // invertible, as every transform read must be
  Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) { ar << Transform() << odd; });
  ByteImage expected;
  for (double v : {0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}) expected.F64(v);
  // Column-vector rows (1 2 3 | 4), (5 6 7 | 8), (9 10 13 | 12): row i of m is column i.
  for (double v : {12, 13, 7, 3, 8, 10, 6, 2, 4, 9, 5, 1}) expected.F64(v);
  EXPECT_EQ(bytes, expected.bytes);
  LoadBytes(GetParam(), bytes, [&](CArchive& ar) {
    Transform a, b;
    ar >> a >> b;
    EXPECT_FALSE(a != Transform());
    EXPECT_FALSE(b != odd);
  });
}

// Sizing stops at the scales an edit may give, and reading takes every such transform back: turned,
// at either end on each axis, far out in the scene.
TEST(Transform, SizeLimitsStopAtTheScalesAReadSceneTakesBack) {
  Transform turned(0.7, Vector(1, 2, 3));
  turned.t[0] = 1e9;
  turned.t[2] = -1e9;
  EXPECT_NEAR(LimitedSizeRatio(turned, 1e-30), kSmallestAxisScale, 1e-18);
  EXPECT_NEAR(LimitedSizeRatio(turned, 1e30), kLargestAxisScale, 1e6);
  EXPECT_EQ(LimitedSizeRatio(turned, 0.5), 0.5);
  using Ratios = std::array<double, 3>;
  for (const Ratios& ratios : {Ratios{1e-12, 1e-12, 1e-12}, Ratios{1e12, 1e12, 1e12}, Ratios{1e-12, 1e12, 1e-12}}) {
    const Transform sized = turned * Transform(ratios[0], 0, 0, 0, 0, ratios[1], 0, 0, 0, 0, ratios[2], 0);
    for (int axis = 0; axis < 3; ++axis) {
      const bool small = ratios[static_cast<std::size_t>(axis)] < 1;
      EXPECT_NEAR(LimitedAxisRatio(sized, axis, small ? 0.5 : 2.0), 1.0, 1e-6);  // no further out
      EXPECT_EQ(LimitedAxisRatio(sized, axis, small ? 2.0 : 0.5), small ? 2.0 : 0.5);  // back in
    }
    const Bytes bytes = StoreBytes(Backend::memory, [&](CArchive& ar) { ar << sized; });
    Transform read;
    EXPECT_NO_THROW(LoadBytes(Backend::memory, bytes, [&](CArchive& ar) { ar >> read; }));
    EXPECT_FALSE(read != sized);
  }
}

// A size edit stops once any one axis is at its limit, whichever axis it is, and may still turn back.
TEST(Transform, SizingStopsWhenAnyOneAxisAloneIsAtItsLimit) {
  for (int axis = 0; axis < 3; ++axis) {
    for (const double limit : {kSmallestAxisScale, kLargestAxisScale}) {
      SCOPED_TRACE(testing::Message() << "axis " << axis << " at " << limit);
      double scales[3] = {1, 1, 1};
      scales[axis] = limit;
      const Transform sized(scales[0], 0, 0, 0, 0, scales[1], 0, 0, 0, 0, scales[2], 0);
      const bool small = limit < 1;
      EXPECT_NEAR(LimitedSizeRatio(sized, small ? 0.5 : 2.0), 1.0, 1e-9);  // no further out
      EXPECT_EQ(LimitedSizeRatio(sized, small ? 2.0 : 0.5), small ? 2.0 : 0.5);  // back in
    }
  }
}

TEST(Transform, CompositionInverseRotationsAndPlatformMatrices) {
  Transform translate, scale;
  translate.t[0] = 1;
  for (int i = 0; i < 3; ++i) scale.m[i][i] = 2;
  ExpectNear((scale * translate).TransformPoint(Vector(0, 0, 0)), 2, 0, 0);  // translate first
  ExpectNear((translate * scale).TransformPoint(Vector(0, 0, 0)), 1, 0, 0);

  const Transform sheared(2, 0.5, 0, 3, 0, 3, 0.25, -1, 0.1, 0, 0.5, 7);
  const Transform round = sheared.Inverse() * sheared;
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(round.t[i], 0.0, 1e-12);
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(round.m[i][j], i == j ? 1.0 : 0.0, 1e-12);
  }

  // Rotations turn as the retained-mode frames do.
  const Vector forward(0, 0, 1);
  ExpectNear(Transform(kPi / 2, Vector(1, 0, 0)).TransformPoint(forward), 0, -1, 0);  // Top looks down
  ExpectNear(Transform(kPi / 2, Vector(0, 1, 0)).TransformPoint(forward), 1, 0, 0);   // Left looks along +x
  EXPECT_FALSE(Transform(0.3, Vector(0, 2, 0)) != Transform(0.3, Vector(0, 1, 0)));
  ExpectNear(Transform(kPi, Vector(0, 0, 1), Vector(1, 0, 0)).TransformPoint(Vector(0, 0, 0)), 2, 0, 0);

  // Platform matrices carry no projection.
  float matrix[4][4];
  const Transform odd(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 12);  // invertible, as every transform read must be
  odd.GetD3DRMMatrix(matrix);
  EXPECT_EQ(matrix[3][0], 4.0f);
  EXPECT_FALSE(Transform(matrix) != odd);
  matrix[1][3] = 0.5f;
  EXPECT_FATAL(Transform{matrix}, "matrix[0][3] == 0.0 && matrix[1][3] == 0.0 && matrix[2][3] == 0.0 && matrix[3][3] == 1.0", "");
}

// Mode 0 (the camera constants) against mode 1 (a viewport of the 3D layer).
using ProjectVerticesTest = RenderTest;

TEST_F(ProjectVerticesTest, ThroughTheViewportMatchesTheCameraConstantsAndOnlyPositionsAreWritten) {
  MakeView(40, 30);
  MoveCamera();
  ASSERT_EQ(viewport->SetFront(0.1f), D3DRM_OK);
  ASSERT_EQ(viewport->SetBack(5000.0f * viewport->GetFront()), D3DRM_OK);
  ASSERT_EQ(viewport->SetField(0.04f), D3DRM_OK);
  D3DRMVERTEX vertices[3] = {{{0.5f, 2.5f, 1.0f}, {}, 0, 0, 0}, {{1.2f, 1.8f, 2.0f}, {}, 0, 0, 0},
                             {{-0.3f, 2.1f, 0.5f}, {}, 0, 0, 0}};
  const DWORD indices[4] = {2, 0, 1, 2};
  const ::Transform world(1, 0, 0, 0.7, 0, 1, 0, 0, 0, 0, 1, 1.5);
  const ::Transform meshToCamera = ::Transform(cameraMatrix).Inverse() * world;
  const double front = viewport->GetFront(), back = viewport->GetBack(), q = back / (back - front);
  const double scale = std::max(20.0, 15.0) / viewport->GetField() * front;
  D3DTLVERTEX viaCamera[4], viaViewport[4];
  ProjectVertices(viewport.get(), world, meshToCamera, vertices, indices, 4, viaCamera, q, q * front, 20.0, 15.0,
                  scale, 0);
  ProjectVertices(viewport.get(), world, meshToCamera, vertices, indices, 4, viaViewport, q, q * front, 20.0, 15.0,
                  scale, 1);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(viaViewport[i].sx, viaCamera[i].sx, 1e-3);
    EXPECT_NEAR(viaViewport[i].sy, viaCamera[i].sy, 1e-3);
    EXPECT_NEAR(viaViewport[i].sz, viaCamera[i].sz, 1e-6);
    EXPECT_NEAR(viaViewport[i].rhw, viaCamera[i].rhw, 1e-6);
  }

  // A point in the camera's own plane lands nowhere; one too near it, beyond the float range.
  vertices[0].position = {1, 1, 0};
  vertices[1].position = {1, 1, 1e-30f};
  viaCamera[0].color = 0xABCDEF;
  ProjectVertices(viewport.get(), world, ::Transform(), vertices, indices + 1, 2, viaCamera, 1.0, 0.5, 100.0, 50.0,
                  1e10, 0);
  EXPECT_EQ(viaCamera[0].color, 0xABCDEFu);
  EXPECT_FALSE(std::isfinite(viaCamera[0].sx) || std::isfinite(viaCamera[0].sy) || std::isfinite(viaCamera[0].sz));
  EXPECT_EQ(viaCamera[1].sx, std::numeric_limits<float>::infinity());
  EXPECT_EQ(viaCamera[1].sy, -std::numeric_limits<float>::infinity());

  // Through the viewport, a point that nested scales carry beyond single precision lands nowhere;
  // its neighbour within it is still projected.
  const ::Transform huge(1e30, 0, 0, 0, 0, 1e30, 0, 0, 0, 0, 1e30, 1e30);
  vertices[0].position = {1e10f, 1, 1};
  vertices[1].position = {0, 0, 1};
  viaViewport[0].color = 0x123456;
  ProjectVertices(viewport.get(), huge, ::Transform(), vertices, indices + 1, 2, viaViewport, q, q * front, 20.0, 15.0,
                  scale, 1);
  EXPECT_EQ(viaViewport[0].color, 0x123456u);
  EXPECT_FALSE(std::isfinite(viaViewport[0].sx) || std::isfinite(viaViewport[0].sy) ||
               std::isfinite(viaViewport[0].sz) || std::isfinite(viaViewport[0].rhw));
  EXPECT_TRUE(std::isfinite(viaViewport[1].rhw));
}

TEST(Boxes, AnEmptyBoxTakesItsFirstPointTurnedBoxesHoldTheirCornersAndRaysMeetThem) {
  BoundingBox box;
  box.Include(Vector(1, 2, 3));
  EXPECT_EQ(box.min.y, 2.0);
  EXPECT_EQ(box.max.y, 2.0);
  box.Include(Vector(-1, 5, 3));
  BoundingBox turned = BoundingBox::Transform(box, Transform(kPi / 2, Vector(0, 0, 1)));
  EXPECT_NEAR(turned.min.x, -5.0, 1e-6);  // (x, y) turns to (-y, x)
  EXPECT_NEAR(turned.max.y, 1.0, 1e-6);
  EXPECT_NEAR(turned.max.z, 3.0, 1e-6);

  // Rays meet boxes and spheres from inside, at t = 0 and at a tangent, never behind or beside.
  box = BoundingBox(Vector(0, 0, 0), Vector(1, 1, 1));
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

// The words come back through the luminance and the hue offsets, so any slip in either shows.
TEST(Color, WordsRoundTripAndOutputFollowsTheLuminanceKeepingTheHue) {
  Color c;
  for (COLORREF word = 0; word < 0x01000000; word += 0x010305) {
    c.SetCOLORREF(word);
    ASSERT_EQ(c.GetCOLORREF(), word);
  }

  Color red(1, 0, 0, 1);
  double r, g;
  red.luminance = 0.0;
  red.GetRGB(&r, &g, nullptr);
  EXPECT_NEAR(r, 0.701, 1e-9);
  EXPECT_EQ(g, 0.0);  // -0.299, clamped
  Color blue(0, 0, 1, 1), brighter = blue;
  double low, high;
  blue.GetLuminanceRange(low, high);
  blue.luminance = low;
  EXPECT_EQ(blue.GetCOLORREF(), 0u);
  blue.luminance = high;
  EXPECT_EQ(blue.GetCOLORREF(), 0x00FFFFFFu);
  EXPECT_TRUE(brighter != blue);  // the luminance alone differs
}

TEST_P(ArchiveFormTest, ColoursAreASchemaWordAndFiveDoubles) {
  Color stored(0.25, 0.5, 0.75, 1);
  stored.luminance = 0.125;  // kept as stored, not recomputed
  EXPECT_EQ(StoreBytes(GetParam(), [&](CArchive& ar) { Color().Serialize(ar); }),
            ByteImage().U32(0x80000000).F64(1).F64(1).F64(1).F64(1).F64(1).bytes);
  Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) { stored.Serialize(ar); });
  Color read;
  LoadBytes(GetParam(), bytes, [&](CArchive& ar) { read.Serialize(ar); });
  EXPECT_TRUE(read == stored);
}

INSTANTIATE_TEST_SUITE_P(AllFiles, ArchiveFormTest, ALL_BACKENDS);

TEST(DivideTable, TheSmallestAndLargestTablesRoundEveryReachableSumAndTheTopEntriesAreZero) {
  const std::pair<unsigned, const BYTE*> tables[] = {{3, DivideTable3}, {195, DivideTable195}};
  for (const auto& [n, entries] : tables) {
    ASSERT_NE(entries, nullptr);
    for (unsigned sum = 0; sum <= 255 * n; ++sum)
      ASSERT_LT(std::abs(entries[sum] - static_cast<double>(sum) / n), 0.5 + 1e-9) << n << ": " << sum;
  }
  EXPECT_EQ(DivideTable3[767], 0);
  for (int i = 49823; i < 256 * 195; ++i) ASSERT_EQ(DivideTable195[i], 0) << i;
}

}  // namespace
