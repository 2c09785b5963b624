// Reduction to the fixed palette: nearest cube levels with halfway values going up, the four
// diffusion shares with clamping and dropped edges, and the formats it refuses.
#include <gtest/gtest.h>

#include <vector>

#include "core/Pointers.h"
#include "support/FatalCheck.h"
#include "views/Palette8.h"

namespace {

class Palette8Test : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK); }

  IUPtr<IDirectDrawSurface> Surface(DDFormat format, DWORD width, DWORD height) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddpfPixelFormat = DDMakePixelFormat(format);
    IUPtr<IDirectDrawSurface> surface;
    EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
    return surface;
  }
  // Rows of blue, green, red bytes into a 24-bit surface, or out of one (or of an 8-bit one).
  void Put(IDirectDrawSurface* s, const std::vector<std::vector<BYTE>>& rows) { Access(s, rows, true); }
  std::vector<std::vector<BYTE>> Get(IDirectDrawSurface* s, std::size_t rowBytes, std::size_t count) {
    std::vector<std::vector<BYTE>> rows(count, std::vector<BYTE>(rowBytes));
    Access(s, rows, false);
    return rows;
  }
  void Access(IDirectDrawSurface* s, const std::vector<std::vector<BYTE>>& rows, bool write) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    for (std::size_t y = 0; y < rows.size(); ++y) {
      BYTE* row = static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch;
      auto& r = const_cast<std::vector<BYTE>&>(rows[y]);
      for (std::size_t i = 0; i < r.size(); ++i) write ? void(row[i] = r[i]) : void(r[i] = row[i]);
    }
    s->Unlock(desc.lpSurface);
  }

  IUPtr<IDirectDraw> dd;
};

TEST_F(Palette8Test, ColoursGoToTheNearestCubeLevelAndHalfwayGoesUp) {
  IUPtr<IDirectDrawSurface> src = Surface(DDFormat::RGB888, 7, 1), dest = Surface(DDFormat::Palette8, 7, 1);
  const std::vector<std::vector<BYTE>> pixels = {{
      0, 0, 0,        // black
      255, 255, 255,  // white
      42, 38, 42,     // exactly on levels 1, 1, 1
      0, 0, 21,       // red halfway between 0 and 42
      0, 0, 20,
      0, 18, 0,
      0, 19, 0,
  }};
  Put(src, pixels);
  ConvertRGB24ToPalette8(dest, src, FALSE);
  EXPECT_EQ(Get(dest, 7, 1)[0], (std::vector<BYTE>{10, 225, 53, 46, 10, 10, 16}));
  EXPECT_EQ(Get(src, 21, 1), pixels);
}

TEST_F(Palette8Test, ErrorsSpreadByTheirSharesAndClampWhereTheNeighboursExist) {
  // Every blue byte on level 144 except the middle one of the first row: 128, error -16.
  IUPtr<IDirectDrawSurface> src = Surface(DDFormat::RGB888, 3, 2), dest = Surface(DDFormat::Palette8, 3, 2);
  Put(src, {{144, 0, 0, 128, 0, 0, 144, 0, 0}, {144, 0, 0, 144, 0, 0, 144, 0, 0}});
  ConvertRGB24ToPalette8(dest, src, TRUE);
  const auto rows = Get(src, 9, 2);
  EXPECT_EQ(rows[0][6], 144 - 7);  // right
  EXPECT_EQ(rows[1][0], 144 - 3);  // below left, reached by nothing else
  EXPECT_EQ(Get(dest, 3, 1)[0], (std::vector<BYTE>{13, 13, 13}));

  // One row: +20 gives 8 to the right, which clamps at 255; -21 takes 9, which clamps at 0.
  IUPtr<IDirectDrawSurface> row = Surface(DDFormat::RGB888, 4, 1), rowDest = Surface(DDFormat::Palette8, 4, 1);
  Put(row, {{20, 0, 0, 250, 0, 0, 21, 0, 0, 3, 0, 0}});
  ConvertRGB24ToPalette8(rowDest, row, TRUE);
  const auto bytes = Get(row, 12, 1)[0];
  EXPECT_EQ(bytes[3], 255);
  EXPECT_EQ(bytes[9], 0);
}

TEST_F(Palette8Test, OtherFormatsAndSizesAreProgramErrors) {
  IUPtr<IDirectDrawSurface> deep = Surface(DDFormat::XRGB8888, 2, 2), dest = Surface(DDFormat::Palette8, 2, 2);
  EXPECT_FATAL(ConvertRGB24ToPalette8(dest, deep, FALSE), "srcDesc.ddpfPixelFormat.dwRGBBitCount == 24",
               "Unsupported pixel color bit depth format");
  IUPtr<IDirectDrawSurface> wide = Surface(DDFormat::RGB888, 3, 2);
  EXPECT_FATAL(ConvertRGB24ToPalette8(dest, wide, FALSE),
               "srcDesc.dwWidth == destDesc.dwWidth && srcDesc.dwHeight == destDesc.dwHeight",
               "Destination not the correct size");
}

}  // namespace
