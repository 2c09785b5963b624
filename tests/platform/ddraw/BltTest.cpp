// Blits: copies, nearest-pixel stretching, source rectangles, refusals and the primary surface.
#include <string>

#include "DDTestSupport.h"

namespace {

// Pixel (x, y) of a source holds x + 16 y in every byte.
BYTE Numbered(DWORD x, DWORD y) { return BYTE(x + 16 * y); }

// The first byte of every pixel, rows from the top; every byte of a pixel must agree.
std::vector<BYTE> Numbers(IDirectDrawSurface* surface) {
  const DWORD bytes = DDBytesPerPixel(DescOf(surface).ddpfPixelFormat);
  const std::vector<BYTE> pixels = Pixels(surface);
  std::vector<BYTE> first;
  for (std::size_t i = 0; i < pixels.size(); i += bytes) {
    for (DWORD b = 1; b < bytes; ++b) EXPECT_EQ(pixels[i + b], pixels[i]) << "pixel " << i / bytes;
    first.push_back(pixels[i]);
  }
  return first;
}

class BltFormats : public DirectDrawTest, public ::testing::WithParamInterface<DDFormat> {};

TEST_P(BltFormats, CopiesAndStretchesWithTheNearestPixel) {
  const DDPIXELFORMAT format = DDMakePixelFormat(GetParam());
  ComPtr<IDirectDrawSurface> source = Make({.width = 4, .height = 2, .format = &format});
  Pixels(source.get(), Numbered);
  ComPtr<IDirectDrawSurface> same = Make({.width = 4, .height = 2, .format = &format});
  ASSERT_EQ(same->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(Numbers(same.get()), (std::vector<BYTE>{0, 1, 2, 3, 16, 17, 18, 19}));

  // Columns 1 and 2 of the source doubled both ways, right of an untouched column.
  ComPtr<IDirectDrawSurface> zoomed = Make({.width = 5, .height = 4, .format = &format});
  RECT from{1, 0, 3, 2}, to{1, 0, 5, 4};
  ASSERT_EQ(zoomed->Blt(&to, source.get(), &from, DDBLT_ASYNC, nullptr), DD_OK);
  EXPECT_EQ(Numbers(zoomed.get()),
            (std::vector<BYTE>{0, 1, 1, 2, 2, 0, 1, 1, 2, 2, 0, 17, 17, 18, 18, 0, 17, 17, 18, 18}));

  // Halving takes the pixel under each destination pixel's centre: columns 1 and 3 of row 1.
  ComPtr<IDirectDrawSurface> halved = Make({.width = 2, .height = 1, .format = &format});
  ASSERT_EQ(halved->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(Numbers(halved.get()), (std::vector<BYTE>{17, 19}));
}

INSTANTIATE_TEST_SUITE_P(Formats, BltFormats,
                         ::testing::Values(DDFormat::Palette8, DDFormat::RGB565, DDFormat::RGB888, DDFormat::XRGB8888),
                         [](const ::testing::TestParamInfo<DDFormat>& info) {
                           return "Bits" + std::to_string(DDMakePixelFormat(info.param).dwRGBBitCount);
                         });

TEST_F(DirectDrawTest, BltRefusesWhatItCannotCopy) {
  const DDPIXELFORMAT bgr = DDMakePixelFormat(DDFormat::BGR888), rgb = DDMakePixelFormat(DDFormat::RGB888);
  ComPtr<IDirectDrawSurface> dest = Make({.format = &bgr});
  ComPtr<IDirectDrawSurface> source = Make({.format = &bgr});
  EXPECT_EQ(dest->Blt(nullptr, Make({.format = &rgb}).get(), nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDPIXELFORMAT);
  EXPECT_EQ(dest->Blt(nullptr, source.get(), nullptr, 0x400, nullptr), DDERR_UNSUPPORTED);  // colour fill
  RECT outside{2, 1, 5, 3}, inverted{2, 2, 1, 3};
  for (auto [to, from] : {std::pair<RECT*, RECT*>{&outside, nullptr}, {nullptr, &outside}, {&inverted, nullptr}})
    EXPECT_EQ(dest->Blt(to, source.get(), from, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  ASSERT_EQ(source->Lock(nullptr, &desc, DDLOCK_READONLY, nullptr), DD_OK);
  EXPECT_EQ(dest->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(source->Unlock(nullptr), DD_OK);
}

TEST_F(DirectDrawTest, ABlitToThePrimaryIsClippedAndShown) {
  ComPtr<IDirectDrawSurface> primary = MakePrimary();  // 64 x 48
  ComPtr<IDirectDrawSurface> image = Make({.width = 8, .height = 8});
  Pixels(image.get(), Numbered);
  RECT onEdge{60, 40, 68, 48};
  EXPECT_EQ(primary->Blt(&onEdge, image.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);  // no clipper

  IDirectDrawClipper* clipper = nullptr;
  ASSERT_EQ(DirectDrawCreateClipper(0, &clipper, nullptr), DD_OK);
  HWND window = reinterpret_cast<HWND>(&onEdge);
  ASSERT_EQ(clipper->SetHWnd(0, window), DD_OK);
  ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
  clipper->Release();
  std::vector<std::vector<LONG>> shown;
  DDSetPrimaryBltHook([&](IDirectDrawSurface* surface, HWND to, const RECT& r) {
    EXPECT_EQ(surface, primary.get());
    EXPECT_EQ(to, window);
    shown.push_back({r.left, r.top, r.right, r.bottom});
  });
  ASSERT_EQ(primary->Blt(&onEdge, image.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(shown, (std::vector<std::vector<LONG>>{{60, 40, 64, 48}}));
  const std::vector<BYTE> screen = Pixels(primary.get());
  EXPECT_EQ(screen[(47 * 64 + 63) * 4], Numbered(3, 7));
  EXPECT_EQ(screen[(39 * 64 + 63) * 4], 0);

  RECT offScreen{70, 0, 80, 8};
  EXPECT_EQ(primary->Blt(&offScreen, image.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(shown.size(), 1u);  // nothing written, nothing to show
}

}  // namespace
