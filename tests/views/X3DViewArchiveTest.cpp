// The camera window's part of a scene file: exact bytes, versions and damaged values.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "core/XString.h"
#include "platform/framework/MemFile.h"
#include "support/ScriptedMessageBoxes.h"
#include "views/CameraWindowTestSupport.h"

namespace views_test {
namespace {

// A little-endian writer of expected bytes.
struct Bytes {
  std::vector<BYTE> data;
  Bytes& Dword(DWORD v) {
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<BYTE>(v >> (8 * i)));
    return *this;
  }
  Bytes& Byte(BYTE v) { data.push_back(v); return *this; }
  Bytes& Double(double v) {
    const auto* raw = reinterpret_cast<const BYTE*>(&v);
    data.insert(data.end(), raw, raw + 8);
    return *this;
  }
  Bytes& Text(const char* text) {
    data.insert(data.end(), text, text + std::strlen(text));
    return *this;
  }
};

// The default window's part without its trailing `improved` field, `schema` in all schema words.
Bytes DefaultPart(DWORD schema) {
  // The default camera's rotation of 30 degrees about x, as the 3D layer computes it in floats.
  const float angle = static_cast<float>(0.5235987755982988);
  const float c = std::cos(angle), s = std::sin(angle);
  Bytes b;
  b.Dword(schema).Byte(0xFF).Byte(0xFF).Byte(0).Byte(0).Byte(9).Byte(0).Text("PtrMyself");
  b.Dword(schema).Dword(1).Dword(1).Dword(1).Dword(1).Dword(1).Dword(1).Double(0.0).Double(0.0);
  b.Dword(schema);
  b.Double(-0.5).Double(c).Double(-s).Double(0).Double(0.25).Double(s).Double(c).Double(0);
  b.Double(0).Double(0).Double(0).Double((1.0f - c) + c);
  // Preference values are read in single precision.
  b.Double(0.050f).Double(1.0).Byte(0).Double(0.1f).Dword(0x00C0C0C0).Byte(0).Byte(0).Byte(1).Byte(8);
  b.Double(1.0).Double(0.0).Dword(0).Byte(0).Byte(0);
  return b;
}

// Where the parts begin: identity 19 bytes, scroll view 44, camera schema 4, transform 96.
constexpr std::size_t kScrollPart = 19;
constexpr std::size_t kCameraSchema = kScrollPart + 44;
constexpr std::size_t kFocal = kCameraSchema + 4 + 96;

struct CameraWindowPart : CameraWindowFixture {
  std::vector<BYTE> Store(X3DView& window) {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      ar.m_pDocument = &doc;
      ar.MapObject(&doc);
      window.Serialize(ar);
      ar.Close();
    }
    const auto length = static_cast<std::size_t>(file.GetLength());
    BYTE* block = file.Detach();
    std::vector<BYTE> bytes(block, block + length);
    std::free(block);
    return bytes;
  }
  void Load(X3DView& window, const std::vector<BYTE>& bytes) {
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    ar.MapObject(&doc);
    window.Serialize(ar);
  }
};

TEST_F(CameraWindowPart, DefaultWindowHasExactBytesAndAChangedWindowReadsBackEqual) {
  TestCameraView& view = Offscreen();
  EXPECT_EQ(Store(view), DefaultPart(0x80000001).Dword(0).data);

  CameraFields& s = view.settings;
  s.focal = 0.085;
  s.orthographic = TRUE;
  s.windowKind = 3;
  s.linearSensitivity = 3;
  s.backgroundImage = TRUE;
  s.backgroundImagePath = "sky.bmp";
  view.improved = TRUE;
  const std::vector<BYTE> stored = Store(view);
  TestCameraView copy;
  Load(copy, stored);
  doc.AddView(&copy);
  EXPECT_EQ(Store(copy), stored);
  doc.RemoveView(&copy);
}

TEST_F(CameraWindowPart, AnOlderPartLoadsUnimprovedAndANewerOneIsRefused) {
  TestCameraView& view = Offscreen();
  view.improved = TRUE;
  Load(view, DefaultPart(0x80000000).data);
  EXPECT_FALSE(view.improved);
  EXPECT_EQ(view.settings.linearSensitivity, 8);

  ScriptedMessageBoxes boxes;
  Bytes newer = DefaultPart(0x80000001);
  newer.data[kCameraSchema] = 2;  // the camera's own schema word: version 2
  newer.Dword(0);
  try {
    Load(view, newer.data);
    ADD_FAILURE() << "a newer part loaded";
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
  }
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, XString(40243u).str());
}

TEST_F(CameraWindowPart, ValuesOnlyADamagedFileHoldsFallBackToUsableOnes) {
  TestCameraView& view = Offscreen();
  Bytes damaged = DefaultPart(0x80000001);
  auto put = [&](std::size_t at, const Bytes& value) { std::copy(value.data.begin(), value.data.end(), damaged.data.begin() + at); };
  put(kScrollPart + 4, Bytes().Dword(0).Dword(0));                                  // zoom 0/0
  put(kScrollPart + 28, Bytes().Double(std::numeric_limits<double>::quiet_NaN()));  // scroll ratio
  put(kFocal, Bytes().Double(1e300));  // finite, yet beyond what the 3D layer takes
  put(kFocal + 32, Bytes().Byte(0));   // sensitivity
  put(kFocal + 49, Bytes().Dword(9));  // window kind
  damaged.Dword(0);
  Load(view, damaged.data);
  EXPECT_EQ(view.GetZoomNumerator().cx, 1);
  EXPECT_EQ(view.GetZoomDenominator().cy, 1);
  EXPECT_EQ(view.GetScrollRatio().x, 0.0);
  EXPECT_EQ(view.settings.focal, double(0.050f));
  EXPECT_EQ(view.settings.linearSensitivity, 8);
  EXPECT_EQ(view.settings.windowKind, 0);
}

}  // namespace
}  // namespace views_test
