// Surface descriptions, pixel formats, locks with signed pitch, z-buffers, losses and device contexts.
#include "DDTestSupport.h"

namespace {

constexpr DWORD kFiveFields = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;

TEST(PixelFormat, FormatsCarryTheirMasksAndNothingElse) {
  struct Expected {
    DDFormat format;
    DWORD flags, bits, red, green, blue;
  };
  const Expected table[] = {
      {DDFormat::Palette8, DDPF_RGB | DDPF_PALETTEINDEXED8, 8, 0, 0, 0},
      {DDFormat::RGB555, DDPF_RGB, 16, 0x7C00, 0x03E0, 0x001F},
      {DDFormat::RGB565, DDPF_RGB, 16, 0xF800, 0x07E0, 0x001F},
      {DDFormat::RGB888, DDPF_RGB, 24, 0xFF0000, 0x00FF00, 0x0000FF},
      {DDFormat::BGR888, DDPF_RGB, 24, 0x0000FF, 0x00FF00, 0xFF0000},
      {DDFormat::XRGB8888, DDPF_RGB, 32, 0xFF0000, 0x00FF00, 0x0000FF},
  };
  for (const Expected& e : table) {
    DDPIXELFORMAT expected;
    std::memset(&expected, 0, sizeof expected);
    expected = {32, e.flags, 0, e.bits, e.red, e.green, e.blue, 0};
    EXPECT_TRUE(DDSamePixelFormat(DDMakePixelFormat(e.format), expected)) << e.bits << " bits";
    EXPECT_TRUE(DDIsColourFormat(expected));
  }
}

TEST_F(DirectDrawTest, EverySurfaceDescribesItsFormatByteForByte) {
  for (DDFormat format : {DDFormat::Palette8, DDFormat::RGB555, DDFormat::RGB565, DDFormat::RGB888,
                          DDFormat::BGR888, DDFormat::XRGB8888}) {
    const DDPIXELFORMAT asked = DDMakePixelFormat(format);
    Ref<IDirectDrawSurface> surface = Make({.width = 5, .height = 2, .format = &asked});
    DDSURFACEDESC desc = DescOf(surface.get());
    EXPECT_EQ(desc.dwFlags & kFiveFields, kFiveFields);
    EXPECT_EQ(std::memcmp(&desc.ddpfPixelFormat, &asked, sizeof asked), 0);
    EXPECT_EQ(desc.dwWidth, 5u);
    EXPECT_EQ(desc.dwHeight, 2u);
    EXPECT_EQ(desc.lPitch, LONG((5 * asked.dwRGBBitCount / 8 + 3) & ~3u));  // rows start 4-aligned
    EXPECT_EQ(desc.ddsCaps.dwCaps, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
    EXPECT_EQ(desc.lpSurface, nullptr);  // only a lock hands out memory
    EXPECT_EQ(ReadPixels(surface.get()), std::vector<BYTE>(5 * 2 * asked.dwRGBBitCount / 8, 0));
  }
}

TEST_F(DirectDrawTest, SurfacesWithoutAFormatTakeTheDisplays) {
  const struct {
    int bits;
    DDFormat format;
    DWORD reported;
  } modes[] = {{8, DDFormat::Palette8, 8},
               {15, DDFormat::RGB555, 16},
               {24, DDFormat::RGB888, 24},
               {32, DDFormat::XRGB8888, 32},
               {16, DDFormat::RGB565, 16}};
  for (const auto& mode : modes) {
    ASSERT_TRUE(DDSetDisplayMode(mode.bits, 20, 10));
    EXPECT_EQ(DDDisplayBitsPerPixel(), mode.reported);
    const DDPIXELFORMAT display = DDMakePixelFormat(mode.format);
    EXPECT_TRUE(DDSamePixelFormat(DescOf(Make({}).get()).ddpfPixelFormat, display));
    const DDSURFACEDESC primary = DescOf(MakePrimary().get());
    EXPECT_TRUE(DDSamePixelFormat(primary.ddpfPixelFormat, display));
    EXPECT_EQ(primary.dwWidth, 20u);
    EXPECT_EQ(primary.dwHeight, 10u);
  }
  EXPECT_FALSE(DDSetDisplayMode(12, 20, 10));
  EXPECT_FALSE(DDSetDisplayMode(32, 0, 10));
  EXPECT_TRUE(DDSamePixelFormat(DDDisplayPixelFormat(), DDMakePixelFormat(DDFormat::RGB565)));
  EXPECT_EQ(DDDisplaySize().cx, 20);
}

TEST_F(DirectDrawTest, ALockHandsOutTheMemoryToOneHolder) {
  Ref<IDirectDrawSurface> surface = Make({});
  DDSURFACEDESC desc{};
  desc.dwSize = 12;
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
  desc.dwSize = kDDSurfaceDescSize;
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_READONLY | DDLOCK_WRITEONLY, nullptr), DDERR_INVALIDPARAMS);
  RECT part{0, 0, 1, 1};
  EXPECT_EQ(surface->Lock(&part, &desc, DDLOCK_WAIT, nullptr), DDERR_UNSUPPORTED);
  EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);

  ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(desc.dwSize, kDDSurfaceDescSize);
  EXPECT_EQ(desc.dwFlags & kFiveFields, kFiveFields);
  ASSERT_NE(desc.lpSurface, nullptr);
  static_cast<BYTE*>(desc.lpSurface)[desc.lPitch + 4] = 0x5A;  // pixel (1, 1)
  EXPECT_EQ(DescOf(surface.get()).lpSurface, desc.lpSurface);

  DDSURFACEDESC second{};
  second.dwSize = sizeof second;
  EXPECT_EQ(surface->Lock(nullptr, &second, DDLOCK_READONLY | DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(surface->Unlock(static_cast<BYTE*>(desc.lpSurface) + 3 * desc.lPitch), DDERR_INVALIDPARAMS);
  EXPECT_EQ(surface->Unlock(desc.lpSurface), DD_OK);
  EXPECT_EQ(surface->Unlock(desc.lpSurface), DDERR_NOTLOCKED);
  EXPECT_EQ(ReadPixels(surface.get())[(4 + 1) * 4], 0x5A);
}

// Rows stored bottom-up: the lock's pointer is the lowest address and holds the last row.
TEST_F(DirectDrawTest, NegativePitchAddressesTheFirstRowFromTheTop) {
  const DDPIXELFORMAT rgb = DDMakePixelFormat(DDFormat::RGB888);
  Ref<IDirectDrawSurface> bottomUp = Make({.width = 3, .height = 3, .format = &rgb, .pitch = -12});
  DDSURFACEDESC desc{};
  desc.dwSize = kDDSurfaceDescSize;
  ASSERT_EQ(bottomUp->Lock(nullptr, &desc, DDLOCK_WRITEONLY | DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(desc.lPitch, -12);
  BYTE* lowest = static_cast<BYTE*>(desc.lpSurface);
  BYTE* first = lowest + (1 - LONG(desc.dwHeight)) * desc.lPitch;
  EXPECT_EQ(DDFirstRow(desc), first);
  for (int row = 0; row < 3; ++row) std::memset(first + row * desc.lPitch, 10 + row, 9);
  EXPECT_EQ(lowest[0], 12);  // the last row
  EXPECT_EQ(bottomUp->Unlock(first), DD_OK);  // the first row's pointer also ends the lock

  // Blits and readers address the rows alike, whatever the pitch's sign.
  Ref<IDirectDrawSurface> topDown = Make({.width = 3, .height = 3, .format = &rgb});
  ASSERT_EQ(topDown->Blt(nullptr, bottomUp.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  std::vector<BYTE> expected;
  for (BYTE row : {10, 11, 12}) expected.insert(expected.end(), 9, row);
  EXPECT_EQ(ReadPixels(topDown.get()), expected);
  EXPECT_EQ(DescOf(topDown.get()).lPitch, 12);

  DDSURFACEDESC copyDesc = DescOf(bottomUp.get());  // a copy made from a description keeps the rows' order
  IDirectDrawSurface* copy = nullptr;
  ASSERT_EQ(dd_->CreateSurface(&copyDesc, &copy, nullptr), DD_OK);
  EXPECT_EQ(DescOf(copy).lPitch, -12);
  copy->Release();
}

TEST_F(DirectDrawTest, AZBufferAttachesOnceAndIsFoundByItsCaps) {
  Ref<IDirectDrawSurface> image = Make({.width = 6, .height = 4, .caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE});
  Ref<IDirectDrawSurface> zBuffer = Make({.width = 6, .height = 4, .caps = DDSCAPS_ZBUFFER, .zDepth = 16});
  const DDSURFACEDESC zDesc = DescOf(zBuffer.get());
  constexpr DWORD kZFields = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_ZBUFFERBITDEPTH;
  EXPECT_EQ(zDesc.dwFlags & kZFields, kZFields);
  EXPECT_EQ(zDesc.dwZBufferBitDepth, 16u);
  EXPECT_EQ(zDesc.lPitch, 12);
  EXPECT_TRUE(zDesc.ddsCaps.dwCaps & DDSCAPS_ZBUFFER);

  DDSCAPS zCaps{DDSCAPS_ZBUFFER};
  IDirectDrawSurface* found = image.get();
  EXPECT_EQ(image->GetAttachedSurface(&zCaps, &found), DDERR_NOTFOUND);
  EXPECT_EQ(found, nullptr);

  Ref<IDirectDrawSurface> otherSize = Make({.width = 6, .height = 5, .caps = DDSCAPS_ZBUFFER, .zDepth = 16});
  Ref<IDirectDrawSurface> plain = Make({.width = 6, .height = 4});
  EXPECT_EQ(image->AddAttachedSurface(otherSize.get()), DDERR_CANNOTATTACHSURFACE);
  EXPECT_EQ(image->AddAttachedSurface(plain.get()), DDERR_CANNOTATTACHSURFACE);
  EXPECT_EQ(zBuffer->AddAttachedSurface(zBuffer.get()), DDERR_CANNOTATTACHSURFACE);
  ASSERT_EQ(image->AddAttachedSurface(zBuffer.get()), DD_OK);
  EXPECT_EQ(image->AddAttachedSurface(zBuffer.get()), DDERR_SURFACEALREADYATTACHED);

  DDSCAPS texture{DDSCAPS_TEXTURE};
  EXPECT_EQ(image->GetAttachedSurface(&texture, &found), DDERR_NOTFOUND);
  ASSERT_EQ(image->GetAttachedSurface(&zCaps, &found), DD_OK);
  EXPECT_EQ(found, zBuffer.get());
  found->Release();

  // A system-memory copy of a video-memory z-buffer, made from its description.
  Ref<IDirectDrawSurface> videoZ =
      Make({.width = 6, .height = 4, .caps = DDSCAPS_ZBUFFER | DDSCAPS_VIDEOMEMORY, .zDepth = 16});
  DDSURFACEDESC copyDesc = DescOf(videoZ.get());
  copyDesc.ddsCaps.dwCaps = (copyDesc.ddsCaps.dwCaps & ~DDSCAPS_VIDEOMEMORY) | DDSCAPS_SYSTEMMEMORY;
  IDirectDrawSurface* copy = nullptr;
  ASSERT_EQ(dd_->CreateSurface(&copyDesc, &copy, nullptr), DD_OK);
  Ref<IDirectDrawSurface> zCopy(copy);
  EXPECT_EQ(zCopy->Blt(nullptr, videoZ.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(plain->AddAttachedSurface(zCopy.get()), DD_OK);
}

TEST_F(DirectDrawTest, ADisplayChangeLosesPrimaryAndVideoMemoryOnly) {
  Ref<IDirectDrawSurface> primary = MakePrimary();
  Ref<IDirectDrawSurface> video = Make({.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY});
  Ref<IDirectDrawSurface> system = Make({});
  EXPECT_EQ(primary->IsLost(), DD_OK);
  DDLoseSurfaces();
  EXPECT_EQ(primary->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(video->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(system->IsLost(), DD_OK);

  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  HDC dc = nullptr;
  EXPECT_EQ(video->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
  EXPECT_EQ(video->GetDC(&dc), DDERR_SURFACELOST);
  EXPECT_EQ(system->Blt(nullptr, video.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);

  // A primary made again shows the same display memory as any other primary.
  Ref<IDirectDrawSurface> again = MakePrimary();
  Ref<IDirectDrawSurface> another = MakePrimary();
  EXPECT_EQ(again->IsLost(), DD_OK);
  WritePixels(again.get(), [](DWORD x, DWORD y, DWORD) { return BYTE(x + y); });
  EXPECT_EQ(ReadPixels(another.get()), ReadPixels(again.get()));
}

TEST_F(DirectDrawTest, ADeviceContextHoldsTheSurfaceUntilReleased) {
  Ref<IDirectDrawSurface> surface = Make({});
  HDC dc = nullptr;
  ASSERT_EQ(surface->GetDC(&dc), DD_OK);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  ASSERT_TRUE(DDGetDCSurfaceDesc(dc, &desc));
  ASSERT_NE(desc.lpSurface, nullptr);
  static_cast<BYTE*>(desc.lpSurface)[0] = 7;

  HDC other = nullptr;
  EXPECT_EQ(surface->GetDC(&other), DDERR_SURFACEBUSY);
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(surface->ReleaseDC(reinterpret_cast<HDC>(&desc)), DDERR_INVALIDPARAMS);
  EXPECT_EQ(surface->ReleaseDC(dc), DD_OK);
  EXPECT_FALSE(DDGetDCSurfaceDesc(dc, &desc));
  EXPECT_EQ(ReadPixels(surface.get())[0], 7);
}

}  // namespace
