// The frame rotation the program builds every rotation matrix from: row vectors, left-handed.
#include <cmath>
#include <numbers>

#include "platform/d3drm/D3DRMTestSupport.h"
#include "platform/d3drm/Matrix.h"

namespace {

class RotationTest : public RetainedModeTest {
 protected:
  // Where point v goes under a frame turned by theta about (x, y, z), within 1e-6.
  void ExpectTurned(D3DVALUE x, D3DVALUE y, D3DVALUE z, double theta, D3DVECTOR v, const double (&to)[3]) {
    auto frame = NewFrame();
    ASSERT_EQ(frame->AddRotation(D3DRMCOMBINE_REPLACE, x, y, z, D3DVAL(theta)), D3DRM_OK);
    D3DRMMATRIX4D m;
    ASSERT_EQ(frame->GetTransform(m), D3DRM_OK);
    const D3DVECTOR turned = d3drm::TransformPoint(d3drm::Matrix4::From(m), v);
    EXPECT_NEAR(turned.x, to[0], 1e-6);
    EXPECT_NEAR(turned.y, to[1], 1e-6);
    EXPECT_NEAR(turned.z, to[2], 1e-6);
  }
};

TEST_F(RotationTest, CameraDirectionsOfTheFixedViews) {
  constexpr D3DVECTOR kForward{0.0f, 0.0f, 1.0f};
  ExpectTurned(1, 0, 0, std::numbers::pi / 2, kForward, {0, -1, 0});  // Top looks down
  ExpectTurned(0, 1, 0, std::numbers::pi / 2, kForward, {1, 0, 0});   // Left looks along +x
  ExpectTurned(0, 1, 0, std::numbers::pi, kForward, {0, 0, -1});      // Back
  ExpectTurned(1, 0, 0, std::numbers::pi / 6, kForward, {0, -0.5, 0.8660254});
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

  // A point, so a translation left in the matrix would show; a longer axis turns the same way.
  for (double length : {1.0, 3.0}) {
    SCOPED_TRACE(length);
    ExpectTurned(D3DVAL(a[0] * length), D3DVAL(a[1] * length), D3DVAL(a[2] * length), theta,
                 {D3DVAL(v[0]), D3DVAL(v[1]), D3DVAL(v[2])}, expected);
  }
  EXPECT_EQ(NewFrame()->AddRotation(D3DRMCOMBINE_REPLACE, 0, 0, 0, 1.0f), D3DRMERR_BADVALUE) << "a zero axis";
}

}  // namespace
