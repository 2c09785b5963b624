#include <gtest/gtest.h>

#include "core/Color.h"
#include "platform/framework/ArchiveBackends.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

// The words come back through the luminance and the hue offsets, so any slip in either shows.
TEST(Color, WordsRoundTripAndOutputFollowsTheLuminanceKeepingTheHue) {
  Color c;
  for (COLORREF word = 0; word < 0x01000000; word += 0x010305) {
    c.SetCOLORREF(word);
    ASSERT_EQ(c.GetCOLORREF(), word);
  }
  c.SetD3DCOLOR(0x80FF0000);
  EXPECT_EQ(c.GetD3DCOLOR(), 0x80FF0000u);

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

class ColorArchiveTest : public ::testing::TestWithParam<Backend> {};

TEST_P(ColorArchiveTest, SchemaWordAndFiveDoubles) {
  Color stored(0.25, 0.5, 0.75, 1);
  stored.luminance = 0.125;  // kept as stored, not recomputed
  EXPECT_EQ(StoreBytes(GetParam(), [&](CArchive& ar) { Color().Serialize(ar); }),
            ByteImage().U32(0x80000000).F64(1).F64(1).F64(1).F64(1).F64(1).bytes);
  Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) { stored.Serialize(ar); });
  Color read;
  auto load = [&](CArchive& ar) { read.Serialize(ar); };
  LoadBytes(GetParam(), bytes, load);
  EXPECT_TRUE(read == stored);

  ScriptedMessageBoxes boxes;
  bytes[0] = 1;  // schema 0x80000001
  ExpectArchiveFailure(GetParam(), bytes, CArchiveException::badSchema, load);
  EXPECT_EQ(boxes.boxes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(AllFiles, ColorArchiveTest, ALL_BACKENDS);

}  // namespace
