// The bytes of a picture leaving a camera window: the 2x2 averaging in every pixel format, the
// bitmap headers and rows, the copied image's size and resolution, and the proposed file name.
#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/Geometry.h"
#include "views/CopyImageSize.h"
#include "views/DibBytes.h"
#include "views/ExportImageName.h"
#include "views/SupersampleRows.h"

namespace {

std::vector<BYTE> Words(std::initializer_list<WORD> words) {
  std::vector<BYTE> bytes;
  for (WORD w : words) bytes.insert(bytes.end(), {static_cast<BYTE>(w), static_cast<BYTE>(w >> 8)});
  return bytes;
}

TEST(Supersample, RoundsByTwoThenOneAlongARowInEveryFormat) {
  // Blocks summing to 6 round to 2 then 1 along the row; a sum of 5 gives 1 both times.
  std::vector<BYTE> first{1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 2, 1}, second{2, 1, 2, 2, 1, 2, 2, 1, 2, 2, 1, 2};
  AverageRowPair(first.data(), second.data(), second.data(), 2, SupersampleFormat::rgb24);
  EXPECT_EQ(std::vector<BYTE>(second.begin(), second.begin() + 6), (std::vector<BYTE>{2, 1, 2, 1, 1, 1}));

  std::vector<BYTE> a{1, 1, 1, 9, 1, 1, 1, 9}, b{2, 2, 2, 9, 1, 2, 1, 200};
  std::vector<BYTE> out(4, 0);
  AverageRowPair(a.data(), b.data(), out.data(), 1, SupersampleFormat::rgb32);
  EXPECT_EQ(out, (std::vector<BYTE>{1, 2, 1, 57}));  // the fourth byte is averaged too

  // 5:6:5: blue 1+1+2+2, green 3+3+3+3, red 31+31+31+30.
  const WORD p = 31 << 11 | 3 << 5 | 1, q = 31 << 11 | 3 << 5 | 2, r = 30 << 11 | 3 << 5 | 2;
  std::vector<BYTE> f565 = Words({p, p}), s565 = Words({q, r});
  AverageRowPair(f565.data(), s565.data(), s565.data(), 1, SupersampleFormat::rgb565);
  EXPECT_EQ(s565[0] | s565[1] << 8, 31 << 11 | 3 << 5 | 2);

  // 5:5:5: the top bit stays what it was in the pixel written over.
  std::vector<BYTE> f555 = Words({4 << 10, 4 << 10}), s555 = Words({0x8000 | 4 << 10, 0});
  AverageRowPair(f555.data(), s555.data(), s555.data(), 1, SupersampleFormat::rgb555);
  EXPECT_EQ(s555[0] | s555[1] << 8, 0x8000 | 3 << 10);
}

TEST(DibBytes, RowsArePaddedStoredBottomUpAndHalvedOnRequestAndHeadersCarrySizesAndResolution) {
  EXPECT_EQ(DibRowBytes(1), 4u);
  EXPECT_EQ(DibRowBytes(4), 12u);
  EXPECT_EQ(kBitmapFileHeaderSize + DibSize(640, 480), 54u + 1920 * 480);

  // A one-pixel-wide image, top row white, bottom row black.
  const BYTE image[2][3] = {{255, 255, 255}, {0, 0, 0}};
  std::vector<BYTE> rows(8, 0xEE);
  PackDibRows(rows.data(), image[0], 3, 1, 2, false);
  EXPECT_EQ(rows, (std::vector<BYTE>{0, 0, 0, 0, 255, 255, 255, 0}));

  // A 2x1 image from a 4x2 render: blue sums 5 and 6 give (5+2)/4 and (6+1)/4.
  const BYTE render[2][12] = {{1, 0, 0, 1, 0, 0, 2, 0, 0, 1, 0, 0}, {1, 0, 0, 2, 0, 0, 2, 0, 0, 1, 0, 0}};
  std::vector<BYTE> halved(8, 0xEE);
  PackDibRows(halved.data(), render[0], 12, 2, 1, true);
  EXPECT_EQ(halved, (std::vector<BYTE>{1, 0, 0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(DotsPerMetre(96), 3780);
  EXPECT_EQ(DotsPerMetre(120), 4724);
  EXPECT_EQ(DotsPerMetre(72), 2835);
  std::vector<BYTE> file(54, 0xEE);
  WriteBitmapFileHeader(file.data(), DibSize(3, 2));
  WriteBitmapInfoHeader(file.data() + 14, 3, 2, 3780, 4724);
  const std::vector<BYTE> expected{'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
                                   40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                   0xC4, 0x0E, 0, 0, 0x74, 0x12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(file, expected);
}

TEST(CopyImageSize, FollowsTheClientOrTheResolutionWithinTheLargestRender) {
  struct Case {
    bool useDpi;
    LONG dpi;
    LONG clientWidth;
    LONG width, height, renderWidth;
    bool shrunk, dropped;
    LONG pelsPerMetre;
  };
  const Case cases[] = {
      {false, 75, 400, 400, 300, 800, false, false, 3839},
      {true, 300, 400, 1230, 922, 1230, false, true, 11811},
      {true, 600, 400, 2034, 1525, 2034, true, true, 23622},
      {true, 75, 400, 307, 230, 614, false, false, 2953},
      {false, 75, 1018, 1018, 300, 1018, false, true, 3839},
      {true, 4800, 2000000, 2034, 0, 2034, true, true, 188976},  // no overflow: the height rounds to 0
  };
  for (const Case& c : cases) {
    CopyImageSettings s;
    s.useDpi = c.useDpi;
    s.dpi = c.dpi;
    s.screenWidth = 1024;
    s.supersample = true;
    const CopyImagePlan plan = PlanCopyImage(XSize(c.clientWidth, 300), s, 2034);
    SCOPED_TRACE(&c - cases);
    EXPECT_EQ(CSize(plan.bitmap), CSize(c.width, c.height));
    EXPECT_EQ(plan.render.cx, c.renderWidth);
    EXPECT_EQ(plan.supersampled, c.renderWidth != c.width);
    EXPECT_EQ(plan.shrunk, c.shrunk);
    EXPECT_EQ(plan.supersampleDropped, c.dropped);
    EXPECT_EQ(plan.pelsPerMetre, c.pelsPerMetre);
  }
}

TEST(ExportImageName, DropsTheSceneExtensionOfTheFileNameOnly) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"C:\\My.Scenes\\Chair.TVR", "C:\\My.Scenes\\Chair"},
      {"/home/u/My.Scenes/Chair", "/home/u/My.Scenes/Chair"},
      {"/home/u/Chair.old.tvr", "/home/u/Chair.old.tvr"},
      {"/home/u/.tvr", "/home/u/.tvr"},
      {"", "Untitled"},
  };
  for (const auto& c : cases) EXPECT_EQ(DefaultExportName(c.path, ".tvr", "Untitled").str(), c.name) << c.path;
}

}  // namespace
