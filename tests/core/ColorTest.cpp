#include <gtest/gtest.h>

#include "core/Color.h"
#include "platform/framework/ArchiveBackends.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

TEST(Color, WindowsAndDirect3DWordsRoundTrip) {
  Color c;
  c.SetCOLORREF(0x00FF8000);
  EXPECT_EQ(c.r, 0.0);
  EXPECT_EQ(c.g, 128 / 255.0);
  EXPECT_EQ(c.b, 1.0);
  EXPECT_EQ(c.luminance, 0.299 * 0 + 0.587 * (128 / 255.0) + 0.114 * 1);
  EXPECT_EQ(c.GetCOLORREF(), 0x00FF8000u);
  for (COLORREF word = 0; word < 0x01000000; word += 0x010305) {
    c.SetCOLORREF(word);
    ASSERT_EQ(c.GetCOLORREF(), word);
  }

  c.SetD3DCOLOR(0x80FF0000);
  EXPECT_EQ(c.r, 1.0);
  EXPECT_EQ(c.g, 0.0);
  EXPECT_EQ(c.a, 128 / 255.0);
  EXPECT_EQ(c.GetD3DCOLOR(), 0x80FF0000u);
}

TEST(Color, OutputFollowsTheLuminanceAndKeepsTheHue) {
  Color red(1, 0, 0, 1);
  double r, g, b;
  red.GetRGB(&r, &g, &b);
  EXPECT_NEAR(r, 1.0, 1e-9);
  EXPECT_NEAR(g, 0.0, 1e-9);
  red.luminance = 0.0;
  red.GetRGB(&r, &g, nullptr);
  EXPECT_NEAR(r, 0.701, 1e-9);
  EXPECT_EQ(g, 0.0);

  Color grey(0.5, 0.5, 0.5, 1);
  grey.luminance = 1.5;
  EXPECT_EQ(grey.GetCOLORREF(), 0x00FFFFFFu);
  double low, high;
  grey.GetLuminanceRange(low, high);
  EXPECT_NEAR(low, 0.0, 1e-9);
  EXPECT_NEAR(high, 1.0, 1e-9);
  Color blue(0, 0, 1, 1);
  blue.GetLuminanceRange(low, high);
  blue.luminance = low;
  EXPECT_EQ(blue.GetCOLORREF(), 0u);
  blue.luminance = high;
  EXPECT_EQ(blue.GetCOLORREF(), 0x00FFFFFFu);

  Color brighter = grey;
  EXPECT_TRUE(brighter == grey);
  brighter.luminance += 0.1;
  EXPECT_TRUE(brighter != grey);
}

class ColorArchiveTest : public ::testing::TestWithParam<Backend> {};

TEST_P(ColorArchiveTest, SchemaWordAndFiveDoubles) {
  Color stored(0.25, 0.5, 0.75, 1);
  stored.luminance = 0.125;  // kept as stored, not recomputed
  Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) {
    Color().Serialize(ar);
    stored.Serialize(ar);
  });
  ASSERT_EQ(bytes.size(), 88u);
  ByteImage plain;
  plain.U32(0x80000000).F64(1).F64(1).F64(1).F64(1).F64(1);
  EXPECT_TRUE(std::equal(plain.bytes.begin(), plain.bytes.end(), bytes.begin()));
  LoadBytes(GetParam(), bytes, [&](CArchive& ar) {
    Color a, b;
    a.Serialize(ar);
    b.Serialize(ar);
    EXPECT_TRUE(a == Color());
    EXPECT_TRUE(b == stored);
  });

  ScriptedMessageBoxes boxes;
  Color kept(0, 0, 0, 0);
  ExpectArchiveFailure(GetParam(), ByteImage().U32(0x80000001).F64(1).F64(1).F64(1).F64(1).F64(1).bytes,
                       CArchiveException::badSchema, [&](CArchive& ar) { kept.Serialize(ar); });
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "Tavrolin : Error");
  EXPECT_TRUE(kept == Color(0, 0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(AllFiles, ColorArchiveTest, ALL_BACKENDS);

}  // namespace
