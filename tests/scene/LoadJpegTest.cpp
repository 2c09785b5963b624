// JPEG pictures: sizes after shrinking, pixels and the 256-colour palette, and damaged files or
// pictures larger than their buffer failing with their messages instead of ending the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "scene/Jpeg.h"
#include "scene/JpegWriter.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"

namespace {

// Red rising left to right, green top to bottom, blue constant.
unsigned char Ramp(unsigned x, unsigned y, unsigned channel) {
  return static_cast<unsigned char>(channel == 0 ? x * 2 : channel == 1 ? y * 4 : 90);
}

class LoadJpegTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteJpeg(picture, 100, 60, Ramp)); }

  TemporaryFolder folder;
  std::string picture = folder / "ramp.jpg";
  ScriptedMessageBoxes boxes;
};

TEST_F(LoadJpegTest, SizesShrinkByPowersOfTwoUpToEight) {
  const struct {
    unsigned factor, width, height;
  } cases[] = {{1, 100, 60}, {2, 50, 30}, {3, 25, 15}, {4, 25, 15}, {8, 13, 8}, {32, 13, 8}};
  for (const auto& c : cases) {
    unsigned w = 0, h = 0;
    EXPECT_TRUE(GetJPEGSize(picture.c_str(), c.factor, FALSE, 0, &w, &h));
    EXPECT_EQ(w, c.width) << c.factor;
    EXPECT_EQ(h, c.height) << c.factor;
  }
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(LoadJpegTest, PixelsAreRedGreenBlueAndPalettesRepeatTheirFirstColour) {
  std::vector<BYTE> rgb(128 * 3 * 64, 0xEE);
  ASSERT_TRUE(ReadJPEG(picture.c_str(), rgb.data(), 128 * 3, 128, 64, 1, FALSE, 0, nullptr));
  const BYTE* p = &rgb[(30 * 128 + 40) * 3];
  EXPECT_NEAR(p[0], 80, 6);
  EXPECT_NEAR(p[1], 120, 6);
  EXPECT_NEAR(p[2], 90, 6);
  EXPECT_EQ(rgb[(30 * 128 + 100) * 3], 0xEE) << "nothing is written past the picture";

  // Three colours only: the quantizer finds fewer than 256.
  const std::string few = folder / "few.jpg";
  ASSERT_TRUE(WriteJpeg(few, 30, 30, [](unsigned x, unsigned, unsigned c) {
    return static_cast<unsigned char>(x < 10 ? (c == 0 ? 250 : 0) : x < 20 ? (c == 1 ? 250 : 0) : (c == 2 ? 250 : 0));
  }));
  std::vector<BYTE> indices(32 * 30);
  std::vector<BYTE> palette(256 * 4, 0x11);
  ASSERT_TRUE(ReadJPEG(few.c_str(), indices.data(), 32, 32, 30, 1, TRUE, 256, palette.data()));
  const BYTE* left = &palette[indices[15 * 32 + 2] * 4];
  EXPECT_GT(left[0], 200);
  EXPECT_LT(left[1], 60);
  EXPECT_EQ(left[3], 0);
  for (unsigned i = 200; i < 256; ++i)
    for (unsigned c = 0; c < 4; ++c) EXPECT_EQ(palette[i * 4 + c], palette[c]) << i;
}

TEST_F(LoadJpegTest, BadFilesFailWithMessages) {
  unsigned w, h;
  EXPECT_FALSE(GetJPEGSize((folder / "missing.jpg").c_str(), 1, FALSE, 0, &w, &h));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_NE(boxes.boxes[0].text.find("missing.jpg"), std::string::npos);

  std::ofstream(folder / "text.jpg") << "not a picture at all";
  EXPECT_FALSE(GetJPEGSize((folder / "text.jpg").c_str(), 1, FALSE, 0, &w, &h));
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text.rfind("Independent JPEG Group's software error:", 0), 0u);

  // Cut in the middle of the picture data: a warning, so a failure after the damaged-file box.
  std::ifstream in(picture, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream(folder / "cut.jpg", std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
  std::vector<BYTE> rgb(128 * 3 * 64);
  EXPECT_FALSE(ReadJPEG((folder / "cut.jpg").c_str(), rgb.data(), 128 * 3, 128, 64, 1, FALSE, 0, nullptr));
  EXPECT_NE(boxes.boxes.back().text.find("cut.jpg"), std::string::npos);

  // A picture larger than its buffer (the file changed after its size was taken) fails.
  const std::size_t before = boxes.boxes.size();
  EXPECT_FALSE(ReadJPEG(picture.c_str(), rgb.data(), 128 * 3, 64, 64, 1, FALSE, 0, nullptr));
  EXPECT_FALSE(ReadJPEG(picture.c_str(), rgb.data(), 128 * 3, 128, 32, 1, FALSE, 0, nullptr));
  EXPECT_EQ(boxes.boxes.size(), before);
}

}  // namespace
