// The background picture of a camera window: stretched so that the visible part shows all of it,
// with the inner stretch only on surfaces that carry the band, and a file that fails reported once.
#include <fstream>

#include "platform/ddraw/DDPixelFormat.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"
#include "views/CameraWindowTestSupport.h"

namespace views_test {
namespace {

constexpr DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

// A bitmap of one row: red, green, blue and white pixels.
void WriteFourColumnBitmap(const std::string& path) {
  const BYTE rows[12] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
  BYTE header[54] = {'B', 'M', 66};
  header[10] = 54;
  header[14] = 40;
  header[18] = 4;   // width
  header[22] = 1;   // height
  header[26] = 1;   // planes
  header[28] = 24;  // bits per pixel
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(header), sizeof header);
  file.write(reinterpret_cast<const char*>(rows), sizeof rows);
}

DWORD PixelAt(IDirectDrawSurface* surface, int x, int y) { return SurfacePixels(surface, x, y, 1, 1)[0]; }

struct CameraWindowBackground : CameraWindowFixture {
  CameraWindowBackground() {
    WriteFourColumnBitmap(folder / "columns.bmp");
    std::ofstream(folder / "broken.bmp") << "not a bitmap";
  }
  void Use(X3DView& view, const std::string& name) {
    view.settings.backgroundImage = TRUE;
    view.settings.backgroundImagePath = (folder / name).c_str();
    view.needsRender = TRUE;
  }
  TemporaryFolder folder;
  ScriptedMessageBoxes boxes;
};

TEST_F(CameraWindowBackground, TheVisiblePartShowsTheWholePictureWithOrWithoutTheBand) {
  // A 400 x 300 window: columns of 100 visible pixels each, after the 7-pixel band.
  TestCameraView& view = Window(400, 300);
  Use(view, "columns.bmp");
  view.RenderImage(nullptr, TRUE, nullptr, nullptr);
  ASSERT_TRUE(view.bkImage);
  for (const auto& [x, colour] : {std::pair{0, kRed}, {97, kRed}, {103, kGreen}, {299, kBlue}, {399, kWhite}})
    EXPECT_EQ(PixelAt(view.image2, 7 + x, 157), colour) << x;

  // Off screen without blur there is no band: 160 pixels a column, no frame inside.
  const XSize size(640, 480);
  const DDPIXELFORMAT format = DDMakePixelFormat(DDFormat::XRGB8888);
  view.RenderImage(nullptr, FALSE, &size, &format);
  for (const auto& [x, colour] : {std::pair{0, kRed}, {159, kRed}, {161, kGreen}, {639, kWhite}})
    EXPECT_EQ(PixelAt(view.image2, x, 240), colour) << x;
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(CameraWindowBackground, ABrokenPictureIsReportedOnceAndTriedAgainOnlyAfterAChange) {
  TestCameraView& view = Window(200, 100);
  view.settings.background = RGB(0, 0, 255);
  Use(view, "broken.bmp");
  for (int paint = 0; paint < 3; ++paint) {
    view.needsRender = TRUE;
    view.RenderImage(nullptr, TRUE, nullptr, nullptr);
  }
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_NE(boxes.boxes[0].text.find("broken.bmp"), std::string::npos);
  EXPECT_FALSE(view.bkImage);
  EXPECT_EQ(PixelAt(view.image2, 50, 50), kBlue);

  view.settings.backgroundImage = FALSE;
  view.RenderImage(nullptr, TRUE, nullptr, nullptr);
  Use(view, "broken.bmp");
  view.RenderImage(nullptr, TRUE, nullptr, nullptr);
  EXPECT_EQ(boxes.boxes.size(), 2u);
}

}  // namespace
}  // namespace views_test
