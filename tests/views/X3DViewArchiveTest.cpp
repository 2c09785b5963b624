// The camera window's part of a scene file: exact bytes, versions and damaged values.
#include <cmath>
#include <limits>

#include "core/XString.h"
#include "platform/framework/ArchiveBackends.h"
#include "support/ScriptedMessageBoxes.h"
#include "views/CameraWindowTestSupport.h"

namespace views_test {
namespace {

// The default window's part without its trailing `improved` field, `schema` in all schema words.
ByteImage DefaultPart(DWORD schema) {
  // The default camera's rotation of 30 degrees about x, as the 3D layer computes it in floats.
  const float angle = static_cast<float>(0.5235987755982988);
  const float c = std::cos(angle), s = std::sin(angle);
  ByteImage b;
  b.U32(schema).NewClass(0, "PtrMyself");
  b.U32(schema).U32(1).U32(1).U32(1).U32(1).U32(1).U32(1).F64(0.0).F64(0.0);
  b.U32(schema);
  b.F64(-0.5).F64(c).F64(-s).F64(0).F64(0.25).F64(s).F64(c).F64(0);
  b.F64(0).F64(0).F64(0).F64((1.0f - c) + c);
  // Preference values are read in single precision.
  b.F64(0.050f).F64(1.0).U8(0).F64(0.1f).U32(0x00C0C0C0).U8(0).U8(0).U8(1).U8(8);
  b.F64(1.0).F64(0.0).U32(0).U8(0).U8(0);
  return b;
}

// Where the parts begin: identity 19 bytes, scroll view 44, camera schema 4, transform 96.
constexpr std::size_t kScrollPart = 19;
constexpr std::size_t kCameraSchema = kScrollPart + 44;
constexpr std::size_t kFocal = kCameraSchema + 4 + 96;

struct CameraWindowPart : CameraWindowFixture {
  std::function<void(CArchive&)> Serialize(X3DView& window) {
    return [this, &window](CArchive& ar) {
      ar.m_pDocument = &doc;
      ar.MapObject(&doc);
      window.Serialize(ar);
    };
  }
  Bytes Store(X3DView& window) { return StoreBytes(Backend::memory, Serialize(window)); }
  void Load(X3DView& window, const Bytes& bytes) { LoadBytes(Backend::memory, bytes, Serialize(window)); }
};

TEST_F(CameraWindowPart, TheDefaultPartHasExactBytesAChangedOneReadsBackEqualAndOlderAndDamagedOnesLoad) {
  TestCameraView& view = Offscreen();
  EXPECT_EQ(Store(view), DefaultPart(0x80000001).U32(0).bytes);

  CameraFields& s = view.settings;
  s.focal = 0.085;
  s.orthographic = TRUE;
  s.windowKind = 3;
  s.linearSensitivity = 3;
  s.backgroundImage = TRUE;
  s.backgroundImagePath = "sky.bmp";
  view.improved = TRUE;
  const Bytes stored = Store(view);
  TestCameraView copy;
  Load(copy, stored);
  doc.AddView(&copy);
  EXPECT_EQ(Store(copy), stored);
  doc.RemoveView(&copy);

  // An older part loads unimproved, a newer one is refused and damaged values fall back.
  view.improved = TRUE;
  Load(view, DefaultPart(0x80000000).bytes);
  EXPECT_FALSE(view.improved);
  EXPECT_EQ(view.settings.linearSensitivity, 8);

  ScriptedMessageBoxes boxes;
  ByteImage newer = DefaultPart(0x80000001);
  newer.bytes[kCameraSchema] = 2;  // the camera's own schema word: version 2
  ExpectArchiveFailure(Backend::memory, newer.U32(0).bytes, CArchiveException::badSchema, Serialize(view));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, XString(40243u).str());

  // Values only a damaged file holds fall back to usable ones.
  Bytes damaged = DefaultPart(0x80000001).U32(0).bytes;
  const auto put = [&](std::size_t at, const ByteImage& value) {
    std::copy(value.bytes.begin(), value.bytes.end(), damaged.begin() + static_cast<std::ptrdiff_t>(at));
  };
  put(kScrollPart + 4, ByteImage().U32(0).U32(0));                                // zoom 0/0
  put(kScrollPart + 28, ByteImage().F64(std::numeric_limits<double>::quiet_NaN()));  // scroll ratio
  put(kFocal, ByteImage().F64(1e300));  // finite, yet beyond what the 3D layer takes
  put(kFocal + 32, ByteImage().U8(0));  // sensitivity
  put(kFocal + 49, ByteImage().U32(9));  // window kind
  Load(view, damaged);
  EXPECT_EQ(view.GetZoomNumerator().cx, 1);
  EXPECT_EQ(view.GetZoomDenominator().cy, 1);
  EXPECT_EQ(view.GetScrollRatio().x, 0.0);
  EXPECT_EQ(view.settings.focal, double(0.050f));
  EXPECT_EQ(view.settings.linearSensitivity, 8);
  EXPECT_EQ(view.settings.windowKind, 0);
}

}  // namespace
}  // namespace views_test
