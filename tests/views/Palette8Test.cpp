// Reduction to the fixed palette: nearest cube levels and the diffusion of the error.
#include <gtest/gtest.h>

#include <vector>

#include "core/Pointers.h"
#include "support/FatalCheck.h"
#include "views/CameraWindowTestSupport.h"
#include "views/Palette8.h"

namespace {

using Pixels = std::vector<DWORD>;
using views_test::SurfacePixels;

class Palette8Test : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK); }

  // A system-memory surface; a 24-bit one is filled with `pixels` (0xRRGGBB), row by row.
  IUPtr<IDirectDrawSurface> Surface(DDFormat format, DWORD width, DWORD height, const Pixels& pixels = {}) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddpfPixelFormat = DDMakePixelFormat(format);
    IUPtr<IDirectDrawSurface> surface;
    EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
      BYTE* p = static_cast<BYTE*>(desc.lpSurface) + i / width * desc.lPitch + 3 * (i % width);
      for (int channel = 0; channel < 3; ++channel) p[channel] = static_cast<BYTE>(pixels[i] >> 8 * channel);
    }
    surface->Unlock(desc.lpSurface);
    return surface;
  }

  IUPtr<IDirectDraw> dd;
};

TEST_F(Palette8Test, ColoursGoToTheNearestLevelErrorsSpreadAndClampAndASourceOfAnotherSizeIsAnError) {
  const Pixels pixels = {
      0x000000, 0xFFFFFF,
      0x2A262A,  // exactly on levels 1, 1, 1
      0x150000,  // red halfway between 0 and 42
      0x140000, 0x001200, 0x001300,
  };
  IUPtr<IDirectDrawSurface> src = Surface(DDFormat::RGB888, 7, 1, pixels), dest = Surface(DDFormat::Palette8, 7, 1);
  ConvertRGB24ToPalette8(dest, src, FALSE);
  EXPECT_EQ(SurfacePixels(dest, 0, 0, 7, 1), (Pixels{10, 225, 53, 46, 10, 10, 16}));
  EXPECT_EQ(SurfacePixels(src, 0, 0, 7, 1), pixels);

  // Every blue byte on level 144 except the middle one of the first row: 128, error -16.
  IUPtr<IDirectDrawSurface> grid = Surface(DDFormat::RGB888, 3, 2, {144, 128, 144, 144, 144, 144});
  IUPtr<IDirectDrawSurface> gridIndices = Surface(DDFormat::Palette8, 3, 2);
  ConvertRGB24ToPalette8(gridIndices, grid, TRUE);
  EXPECT_EQ(SurfacePixels(grid, 2, 0, 1, 1)[0], 144u - 7);  // right
  EXPECT_EQ(SurfacePixels(grid, 0, 1, 1, 1)[0], 144u - 3);  // below left, reached by nothing else
  EXPECT_EQ(SurfacePixels(gridIndices, 0, 0, 3, 1), (Pixels{13, 13, 13}));

  // One row: +20 gives 8 to the right, which clamps at 255; -21 takes 9, which clamps at 0.
  IUPtr<IDirectDrawSurface> row = Surface(DDFormat::RGB888, 4, 1, {20, 250, 21, 3});
  ConvertRGB24ToPalette8(Surface(DDFormat::Palette8, 4, 1), row, TRUE);
  EXPECT_EQ(SurfacePixels(row, 1, 0, 1, 1)[0], 255u);
  EXPECT_EQ(SurfacePixels(row, 3, 0, 1, 1)[0], 0u);
  // A source of another size is a program error.
  EXPECT_FATAL(ConvertRGB24ToPalette8(gridIndices, Surface(DDFormat::RGB888, 3, 1), FALSE),
               "srcDesc.dwWidth == destDesc.dwWidth && srcDesc.dwHeight == destDesc.dwHeight",
               "Destination not the correct size");
}

}  // namespace
