// The frame rotation the program builds every rotation matrix from: row vectors, left-handed.
#include <cmath>
#include <numbers>

#include "platform/d3drm/D3DRMTestSupport.h"
#include "platform/d3drm/Matrix.h"

namespace {

class RotationTest : public RetainedModeTest {
 protected:
  d3drm::Matrix4 Rotation(D3DVALUE x, D3DVALUE y, D3DVALUE z, double theta) {
    auto frame = NewFrame();
    EXPECT_EQ(frame->AddRotation(D3DRMCOMBINE_REPLACE, x, y, z, D3DVAL(theta)), D3DRM_OK);
    D3DRMMATRIX4D m;
    EXPECT_EQ(frame->GetTransform(m), D3DRM_OK);
    return d3drm::Matrix4::From(m);
  }
  static void ExpectNear(const D3DVECTOR& v, double x, double y, double z) {
    EXPECT_NEAR(v.x, x, 1e-6);
    EXPECT_NEAR(v.y, y, 1e-6);
    EXPECT_NEAR(v.z, z, 1e-6);
  }
};

constexpr D3DVECTOR kForward{0.0f, 0.0f, 1.0f};

TEST_F(RotationTest, CameraDirectionsOfTheFixedViews) {
  ExpectNear(d3drm::TransformPoint(Rotation(1, 0, 0, std::numbers::pi / 2), kForward), 0, -1, 0);  // Top looks down
  ExpectNear(d3drm::TransformPoint(Rotation(0, 1, 0, std::numbers::pi / 2), kForward), 1, 0, 0);  // Left looks along +x
  ExpectNear(d3drm::TransformPoint(Rotation(0, 1, 0, std::numbers::pi), kForward), 0, 0, -1);     // Back
  ExpectNear(d3drm::TransformPoint(Rotation(1, 0, 0, std::numbers::pi / 6), kForward), 0, -0.5, 0.8660254);
}

TEST_F(RotationTest, MatchesTheRotationAboutAnAxisForAnyAxis) {
  // Rodrigues' formula in double precision: v' = v c + (a x v) s + a (a.v)(1 - c).
  const double a[3] = {2.0 / 7, -3.0 / 7, 6.0 / 7};
  const double theta = 0.7;
  const double v[3] = {0.3, -1.2, 2.5};
  const double c = std::cos(theta), s = std::sin(theta), dot = a[0] * v[0] + a[1] * v[1] + a[2] * v[2];
  const double cross[3] = {a[1] * v[2] - a[2] * v[1], a[2] * v[0] - a[0] * v[2], a[0] * v[1] - a[1] * v[0]};
  double expected[3];
  for (int i = 0; i < 3; ++i) expected[i] = v[i] * c + cross[i] * s + a[i] * dot * (1 - c);

  const auto m = Rotation(D3DVAL(a[0]), D3DVAL(a[1]), D3DVAL(a[2]), theta);
  const D3DVECTOR turned = d3drm::TransformPoint(m, {D3DVAL(v[0]), D3DVAL(v[1]), D3DVAL(v[2])});
  ExpectNear(turned, expected[0], expected[1], expected[2]);
  EXPECT_EQ(m.m[0][3], 0.0f);
  EXPECT_EQ(m.m[3][3], 1.0f);
  EXPECT_EQ(m.m[3][0], 0.0f) << "a replacing rotation has no translation";

  // A longer axis turns the same way; a zero axis is refused.
  const auto scaled = Rotation(D3DVAL(a[0] * 3), D3DVAL(a[1] * 3), D3DVAL(a[2] * 3), theta);
  ExpectNear(d3drm::TransformPoint(scaled, {0.3f, -1.2f, 2.5f}), expected[0], expected[1], expected[2]);
  auto frame = NewFrame();
  EXPECT_EQ(frame->AddRotation(D3DRMCOMBINE_REPLACE, 0, 0, 0, 1.0f), D3DRMERR_BADVALUE);
}

}  // namespace
