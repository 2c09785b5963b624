// Blits: copies, nearest-pixel stretching, source rectangles, refusals and the primary surface.
#include "DDTestSupport.h"

namespace {

class BltFormats : public DirectDrawTest, public ::testing::WithParamInterface<DDFormat> {};

// Pixel (x, y) of a source holds x + 16 y in every byte.
BYTE Numbered(DWORD x, DWORD y, DWORD) { return BYTE(x + 16 * y); }

// The first byte of every pixel, row by row.
std::vector<BYTE> FirstBytes(IDirectDrawSurface* surface) {
  const DWORD bytes = DDBytesPerPixel(DescOf(surface).ddpfPixelFormat);
  const std::vector<BYTE> pixels = ReadPixels(surface);
  std::vector<BYTE> first;
  for (std::size_t i = 0; i < pixels.size(); i += bytes) {
    for (DWORD b = 1; b < bytes; ++b) EXPECT_EQ(pixels[i + b], pixels[i]) << "pixel " << i / bytes;
    first.push_back(pixels[i]);
  }
  return first;
}

TEST_P(BltFormats, CopiesAndStretchesWithTheNearestPixel) {
  const DDPIXELFORMAT format = DDMakePixelFormat(GetParam());
  Ref<IDirectDrawSurface> source = Make({.width = 4, .height = 2, .format = &format});
  WritePixels(source.get(), Numbered);

  Ref<IDirectDrawSurface> same = Make({.width = 4, .height = 2, .format = &format});
  ASSERT_EQ(same->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(FirstBytes(same.get()), (std::vector<BYTE>{0, 1, 2, 3, 16, 17, 18, 19}));

  // Columns 1..2 of the source doubled in both directions.
  Ref<IDirectDrawSurface> zoomed = Make({.width = 5, .height = 4, .format = &format});
  RECT from{1, 0, 3, 2}, to{1, 0, 5, 4};
  ASSERT_EQ(zoomed->Blt(&to, source.get(), &from, DDBLT_ASYNC, nullptr), DD_OK);
  EXPECT_EQ(FirstBytes(zoomed.get()), (std::vector<BYTE>{0, 1, 1, 2, 2,  //
                                                          0, 1, 1, 2, 2,  //
                                                          0, 17, 17, 18, 18, 0, 17, 17, 18, 18}));

  // Halving takes the pixel under each destination pixel's centre: columns 1 and 3, row 1.
  Ref<IDirectDrawSurface> halved = Make({.width = 2, .height = 1, .format = &format});
  ASSERT_EQ(halved->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(FirstBytes(halved.get()), (std::vector<BYTE>{17, 19}));
}

INSTANTIATE_TEST_SUITE_P(Formats, BltFormats,
                         ::testing::Values(DDFormat::Palette8, DDFormat::RGB565, DDFormat::RGB888,
                                           DDFormat::XRGB8888),
                         [](const ::testing::TestParamInfo<DDFormat>& info) {
                           return "Bits" + std::to_string(DDMakePixelFormat(info.param).dwRGBBitCount);
                         });

TEST_F(DirectDrawTest, BltRefusesWhatItCannotCopy) {
  const DDPIXELFORMAT bgr = DDMakePixelFormat(DDFormat::BGR888), rgb = DDMakePixelFormat(DDFormat::RGB888);
  Ref<IDirectDrawSurface> dest = Make({.format = &bgr});
  Ref<IDirectDrawSurface> source = Make({.format = &bgr});
  Ref<IDirectDrawSurface> otherOrder = Make({.format = &rgb});
  EXPECT_EQ(dest->Blt(nullptr, otherOrder.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDPIXELFORMAT);
  EXPECT_EQ(dest->Blt(nullptr, nullptr, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dest->Blt(nullptr, source.get(), nullptr, 0x400, nullptr), DDERR_UNSUPPORTED);

  RECT outside{2, 1, 5, 3}, inverted{2, 2, 1, 3}, inside{0, 0, 2, 2};
  EXPECT_EQ(dest->Blt(nullptr, source.get(), &outside, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
  EXPECT_EQ(dest->Blt(&outside, source.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
  EXPECT_EQ(dest->Blt(&inverted, source.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);

  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  ASSERT_EQ(source->Lock(nullptr, &desc, DDLOCK_READONLY, nullptr), DD_OK);
  EXPECT_EQ(dest->Blt(&inside, source.get(), &inside, DDBLT_WAIT, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(source->Unlock(nullptr), DD_OK);
  EXPECT_EQ(dest->Blt(&inside, source.get(), &inside, DDBLT_WAIT, nullptr), DD_OK);
}

TEST_F(DirectDrawTest, OverlappingBlitWithinOneSurfaceReadsTheOldPixels) {
  Ref<IDirectDrawSurface> surface = Make({.width = 4, .height = 1});
  WritePixels(surface.get(), Numbered);
  RECT from{0, 0, 3, 1}, to{1, 0, 4, 1};
  ASSERT_EQ(surface->Blt(&to, surface.get(), &from, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(FirstBytes(surface.get()), (std::vector<BYTE>{0, 0, 1, 2}));
}

TEST_F(DirectDrawTest, ABlitToThePrimaryIsClippedAndReported) {
  Ref<IDirectDrawSurface> primary = MakePrimary();  // 64 x 48
  Ref<IDirectDrawSurface> image = Make({.width = 8, .height = 8});
  WritePixels(image.get(), Numbered);
  RECT onEdge{60, 40, 68, 48};
  EXPECT_EQ(primary->Blt(&onEdge, image.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);

  IDirectDrawClipper* clipper = nullptr;
  ASSERT_EQ(DirectDrawCreateClipper(0, &clipper, nullptr), DD_OK);
  HWND window = reinterpret_cast<HWND>(&onEdge);
  ASSERT_EQ(clipper->SetHWnd(0, window), DD_OK);
  ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
  clipper->Release();

  std::vector<RECT> shown;
  HWND shownWindow = nullptr;
  DDSetPrimaryBltHook([&](IDirectDrawSurface* surface, HWND to, const RECT& dest) {
    EXPECT_EQ(surface, primary.get());
    shownWindow = to;
    shown.push_back(dest);
  });
  ASSERT_EQ(primary->Blt(&onEdge, image.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shownWindow, window);
  EXPECT_EQ(shown[0].left, 60);
  EXPECT_EQ(shown[0].top, 40);
  EXPECT_EQ(shown[0].right, 64);
  EXPECT_EQ(shown[0].bottom, 48);
  const std::vector<BYTE> screen = ReadPixels(primary.get());
  EXPECT_EQ(screen[(47 * 64 + 63) * 4], 3 + 16 * 7);
  EXPECT_EQ(screen[(39 * 64 + 63) * 4], 0);

  RECT offScreen{70, 0, 80, 8};
  EXPECT_EQ(primary->Blt(&offScreen, image.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(shown.size(), 1u);  // nothing written, nothing to show
}

}  // namespace
