// Which object files the 3D Objects window lists, and their thumbnails' transparency and order.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "scene/ObjectFile.h"
#include "shell/ObjectThumbnail.h"

namespace {

// Appends `value` as `size` little-endian bytes.
void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int size = 4) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// An object file with one part; the thumbnail is white with a red pixel at the top-left and
// the bottom-left colour along its bottom row.
std::vector<std::uint8_t> ObjectFile(std::uint32_t version, std::uint32_t side = 48, std::uint16_t bits = 24) {
  std::vector<std::uint8_t> out(ObjectFileNotice().begin(), ObjectFileNotice().end());
  Put(out, version);
  Put(out, 2);
  out.push_back(0);
  if (version >= 2) out.insert(out.end(), {0, 0, 0, 1, 0});
  Put(out, 1);
  out.insert(out.end(), {4, 'S', 'e', 'a', 't', 1, 'B', 'M'});
  out.resize(out.size() + 12);
  Put(out, 40);
  Put(out, side);
  Put(out, side);
  Put(out, 1, 2);
  Put(out, bits, 2);
  out.resize(out.size() + 24);
  for (int pixel = 0; pixel < 48 * 48; ++pixel) {  // bottom row first; blue, green, red
    if (pixel < 48)
      out.insert(out.end(), {10, 20, 30});
    else if (pixel == 47 * 48)
      out.insert(out.end(), {0, 0, 255});
    else
      out.insert(out.end(), {255, 255, 255});
  }
  out.insert(out.end(), {'x', 'o', 'f', ' '});
  return out;
}

TEST(ObjectThumbnail, OtherFilesAreSkippedDamagedOnesReportedAndTheBottomLeftColourIsTransparent) {
  ObjectThumbnail thumbnail;
  std::vector<std::uint8_t> other = ObjectFile(3);
  other[5] ^= 1;
  EXPECT_EQ(ReadObjectThumbnail(other, &thumbnail), ObjectListing::kSkipped);
  EXPECT_EQ(ReadObjectThumbnail(ObjectFile(3), &thumbnail), ObjectListing::kListed);
  EXPECT_EQ(ReadObjectThumbnail(ObjectFile(1), &thumbnail), ObjectListing::kListed);
  EXPECT_EQ(ReadObjectThumbnail(ObjectFile(4), &thumbnail), ObjectListing::kDamaged);
  EXPECT_EQ(ReadObjectThumbnail(ObjectFile(3, 32), &thumbnail), ObjectListing::kDamaged);
  EXPECT_EQ(ReadObjectThumbnail(ObjectFile(3, 48, 8), &thumbnail), ObjectListing::kDamaged);
  // Cut short anywhere in the prefix, the notice included.
  const std::vector<std::uint8_t> whole = ObjectFile(3);
  for (std::size_t length : {std::size_t{100}, std::size_t{290}, std::size_t{320}, whole.size() - 10}) {
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
    EXPECT_EQ(ReadObjectThumbnail(cut, &thumbnail), ObjectListing::kDamaged) << length;
  }

  ASSERT_EQ(ReadObjectThumbnail(ObjectFile(2), &thumbnail), ObjectListing::kListed);
  const std::size_t bottomLeft = 47 * 48;
  EXPECT_TRUE(thumbnail.transparent[bottomLeft]);
  EXPECT_TRUE(thumbnail.transparent[bottomLeft + 47]);
  EXPECT_EQ(thumbnail.rgb[bottomLeft * 3 + 2], 0);  // made black
  EXPECT_FALSE(thumbnail.transparent[0]);
  EXPECT_EQ(thumbnail.rgb[0], 255);  // the red top-left pixel, rows top down and red first
  EXPECT_EQ(thumbnail.rgb[2], 0);
  EXPECT_FALSE(thumbnail.transparent[48 * 20]);
}

TEST(ObjectThumbnail, LabelsSortWithoutRegardToCase) {
  EXPECT_LT(CompareObjectLabels("apple", "Banana", 0), 0);
  EXPECT_GT(CompareObjectLabels("apple", "Banana", 1), 0);
  EXPECT_EQ(CompareObjectLabels("Chair", "chair", 0), 0);
  EXPECT_LT(CompareObjectLabels("Car", "cart", 0), 0);
}

}  // namespace
