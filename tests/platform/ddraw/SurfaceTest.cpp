// DirectDraw: reference counts, interface lookup, creation failures, palettes, surface descriptions,
// pixel formats, the display, locks with signed pitch, z-buffers, losses, device contexts and blits.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/ddraw/DirectDraw.h"
#include "platform/ddraw/Display.h"
#include "platform/ddraw/TestSeams.h"
#include "platform/win/ComPtr.h"

namespace {

DDSURFACEDESC DescOf(IDirectDrawSurface* surface) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  EXPECT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
  return desc;
}

// The pixels as packed rows from the top; `fill` first sets every byte of pixel (x, y) to fill(x, y).
std::vector<BYTE> Pixels(IDirectDrawSurface* surface, BYTE (*fill)(DWORD x, DWORD y) = nullptr) {
  DDSURFACEDESC desc{};
  desc.dwSize = kDDSurfaceDescSize;
  std::vector<BYTE> pixels;
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  if (!desc.lpSurface) return pixels;
  const DWORD bytes = DDBytesPerPixel(desc.ddpfPixelFormat);
  for (DWORD y = 0; y < desc.dwHeight; ++y) {
    BYTE* row = DDFirstRow(desc) + y * desc.lPitch;
    for (DWORD x = 0; fill && x < desc.dwWidth; ++x) std::memset(row + x * bytes, fill(x, y), bytes);
    pixels.insert(pixels.end(), row, row + desc.dwWidth * bytes);
  }
  EXPECT_EQ(surface->Unlock(desc.lpSurface), DD_OK);
  return pixels;
}

struct SurfaceRequest {
  DWORD width = 4;
  DWORD height = 3;
  const DDPIXELFORMAT* format = nullptr;
  DWORD caps = DDSCAPS_OFFSCREENPLAIN;
  LONG pitch = 0;  // 0: the layer's own
  DWORD zDepth = 0;
};

// A DirectDraw object on a 64 x 48 32-bit display; every object a test made must be gone at its end.
class DirectDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DDClearFaults();
    ASSERT_TRUE(DDSetDisplayMode(32, 64, 48));
    ASSERT_EQ(DDLiveObjectCount(), 0);
    ASSERT_EQ(DirectDrawCreate(nullptr, dd_.put(), nullptr), DD_OK);
  }
  void TearDown() override {
    DDSetPrimaryBltHook(nullptr);
    DDSetInterfaceExtension(nullptr);
    DDClearFaults();
    dd_.reset();
    EXPECT_EQ(DDLiveObjectCount(), 0) << "a test left objects alive";
  }

  HRESULT Create(DDSURFACEDESC desc, ComPtr<IDirectDrawSurface>* surface) {
    IDirectDrawSurface* made = reinterpret_cast<IDirectDrawSurface*>(&desc);  // a failure must clear it
    const HRESULT result = dd_->CreateSurface(&desc, &made, nullptr);
    EXPECT_EQ(made == nullptr, FAILED(result));
    *surface = ComPtr<IDirectDrawSurface>::adopt(made);
    return result;
  }
  HRESULT TryMake(const SurfaceRequest& request, ComPtr<IDirectDrawSurface>* kept = nullptr) {
    DDSURFACEDESC desc{};
    desc.dwSize = kDDSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | (request.format ? DDSD_PIXELFORMAT : 0) |
                   (request.pitch ? DDSD_PITCH : 0) | (request.zDepth ? DDSD_ZBUFFERBITDEPTH : 0);
    desc.dwWidth = request.width;
    desc.dwHeight = request.height;
    desc.ddsCaps.dwCaps = request.caps;
    if (request.format) desc.ddpfPixelFormat = *request.format;
    desc.lPitch = request.pitch;
    desc.dwZBufferBitDepth = request.zDepth;
    ComPtr<IDirectDrawSurface> surface;
    return Create(desc, kept ? kept : &surface);
  }
  ComPtr<IDirectDrawSurface> Make(const SurfaceRequest& request) {
    ComPtr<IDirectDrawSurface> surface;
    EXPECT_EQ(TryMake(request, &surface), DD_OK);
    return surface;
  }
  ComPtr<IDirectDrawSurface> MakePrimary() {
    DDSURFACEDESC desc{};
    desc.dwSize = kDDSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    ComPtr<IDirectDrawSurface> surface;
    EXPECT_EQ(Create(desc, &surface), DD_OK);
    return surface;
  }

  ComPtr<IDirectDraw> dd_;
};

constexpr DWORD kFiveFields = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;

TEST_F(DirectDrawTest, EveryFormatDescribesItselfByteForByte) {
  const std::pair<DDFormat, DDPIXELFORMAT> formats[] = {
      {DDFormat::Palette8, {32, DDPF_RGB | DDPF_PALETTEINDEXED8, 0, 8, 0, 0, 0, 0}},
      {DDFormat::RGB555, {32, DDPF_RGB, 0, 16, 0x7C00, 0x03E0, 0x001F, 0}},
      {DDFormat::RGB565, {32, DDPF_RGB, 0, 16, 0xF800, 0x07E0, 0x001F, 0}},
      {DDFormat::RGB888, {32, DDPF_RGB, 0, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0}},
      {DDFormat::BGR888, {32, DDPF_RGB, 0, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0}},
      {DDFormat::XRGB8888, {32, DDPF_RGB, 0, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0}}};
  for (const auto& [name, format] : formats) {
    EXPECT_TRUE(DDSamePixelFormat(DDMakePixelFormat(name), format)) << format.dwRGBBitCount << " bits";
    ComPtr<IDirectDrawSurface> surface = Make({.width = 5, .height = 2, .format = &format});
    const DDSURFACEDESC desc = DescOf(surface.get());
    EXPECT_EQ(desc.dwFlags & kFiveFields, kFiveFields);
    EXPECT_EQ(std::memcmp(&desc.ddpfPixelFormat, &format, sizeof format), 0);
    EXPECT_EQ(desc.lPitch, LONG((5 * format.dwRGBBitCount / 8 + 3) & ~3u));  // rows start 4-aligned
    EXPECT_EQ(desc.ddsCaps.dwCaps, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
    EXPECT_EQ(desc.lpSurface, nullptr);  // only a lock hands out memory
    EXPECT_EQ(Pixels(surface.get()), std::vector<BYTE>(5 * 2 * format.dwRGBBitCount / 8, 0));
  }
}

TEST_F(DirectDrawTest, SurfacesWithoutAFormatTakeTheDisplays) {
  const std::pair<int, DDFormat> modes[] = {
      {8, DDFormat::Palette8}, {15, DDFormat::RGB555}, {24, DDFormat::RGB888}, {16, DDFormat::RGB565}};
  for (const auto& [bits, format] : modes) {
    ASSERT_TRUE(DDSetDisplayMode(bits, 20, 10));
    EXPECT_EQ(DDDisplayBitsPerPixel(), bits == 15 ? 16u : DWORD(bits));
    EXPECT_TRUE(DDSamePixelFormat(DescOf(Make({}).get()).ddpfPixelFormat, DDMakePixelFormat(format)));
    const DDSURFACEDESC primary = DescOf(MakePrimary().get());
    EXPECT_TRUE(DDSamePixelFormat(primary.ddpfPixelFormat, DDMakePixelFormat(format)));
    EXPECT_EQ(primary.dwWidth * 100 + primary.dwHeight, 2010u);
  }
  EXPECT_FALSE(DDSetDisplayMode(12, 20, 10));
  EXPECT_TRUE(DDSamePixelFormat(DDDisplayPixelFormat(), DDMakePixelFormat(DDFormat::RGB565)));
}

// The environment is read at the first use of the display, so each case runs in a fresh process.
TEST(DisplayEnvironment, ChoosesTheDisplayDepth) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto displayIs = [](const char* bits, DDFormat format) {
    setenv("TAVROLIN_DISPLAY_BITS", bits, 1);
    std::exit(DDSamePixelFormat(DDDisplayPixelFormat(), DDMakePixelFormat(format)) ? 0 : 1);
  };
  EXPECT_EXIT(displayIs("15", DDFormat::RGB555), ::testing::ExitedWithCode(0), "");
}

TEST_F(DirectDrawTest, ALockHandsOutTheMemoryToOneHolder) {
  ComPtr<IDirectDrawSurface> surface = Make({});
  DDSURFACEDESC desc{};
  desc.dwSize = 12;
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
  desc.dwSize = kDDSurfaceDescSize;
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_READONLY | DDLOCK_WRITEONLY, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);

  ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(desc.dwSize, kDDSurfaceDescSize);
  EXPECT_EQ(desc.dwFlags & kFiveFields, kFiveFields);
  static_cast<BYTE*>(desc.lpSurface)[desc.lPitch + 4] = 0x5A;  // pixel (1, 1)
  EXPECT_EQ(DescOf(surface.get()).lpSurface, desc.lpSurface);
  DDSURFACEDESC second = desc;
  EXPECT_EQ(surface->Lock(nullptr, &second, DDLOCK_READONLY | DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(surface->Unlock(static_cast<BYTE*>(desc.lpSurface) + 3 * desc.lPitch), DDERR_INVALIDPARAMS);
  EXPECT_EQ(surface->Unlock(desc.lpSurface), DD_OK);
  EXPECT_EQ(Pixels(surface.get())[(4 + 1) * 4], 0x5A);
}

// Rows stored bottom-up: the lock's pointer is the lowest address and holds the last row.
TEST_F(DirectDrawTest, NegativePitchAddressesTheFirstRowFromTheTop) {
  const DDPIXELFORMAT rgb = DDMakePixelFormat(DDFormat::RGB888);
  ComPtr<IDirectDrawSurface> bottomUp = Make({.width = 3, .height = 3, .format = &rgb, .pitch = -12});
  DDSURFACEDESC desc{};
  desc.dwSize = kDDSurfaceDescSize;
  ASSERT_EQ(bottomUp->Lock(nullptr, &desc, DDLOCK_WRITEONLY | DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(desc.lPitch, -12);
  BYTE* lowest = static_cast<BYTE*>(desc.lpSurface);
  BYTE* first = lowest + (1 - LONG(desc.dwHeight)) * desc.lPitch;
  EXPECT_EQ(DDFirstRow(desc), first);
  for (int row = 0; row < 3; ++row) std::memset(first + row * desc.lPitch, 10 + row, 9);
  EXPECT_EQ(lowest[0], 12);                   // the last row
  EXPECT_EQ(bottomUp->Unlock(first), DD_OK);  // the first row's address also ends the lock

  // Blits address the rows as the lock does; a surface made from the description keeps the order.
  ComPtr<IDirectDrawSurface> topDown = Make({.width = 3, .height = 3, .format = &rgb});
  ComPtr<IDirectDrawSurface> copy;
  ASSERT_EQ(Create(DescOf(bottomUp.get()), &copy), DD_OK);
  EXPECT_EQ(DescOf(copy.get()).lPitch, -12);
  ASSERT_EQ(copy->Blt(nullptr, bottomUp.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  ASSERT_EQ(topDown->Blt(nullptr, copy.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  std::vector<BYTE> expected;
  for (BYTE row : {10, 11, 12}) expected.insert(expected.end(), 9, row);
  EXPECT_EQ(Pixels(topDown.get()), expected);
}

TEST_F(DirectDrawTest, AZBufferAttachesOnceAndIsFoundByItsCaps) {
  ComPtr<IDirectDrawSurface> image = Make({.width = 6, .height = 4, .caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE});
  ComPtr<IDirectDrawSurface> videoZ =
      Make({.width = 6, .height = 4, .caps = DDSCAPS_ZBUFFER | DDSCAPS_VIDEOMEMORY, .zDepth = 16});
  DDSURFACEDESC zDesc = DescOf(videoZ.get());
  constexpr DWORD kZFields = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_ZBUFFERBITDEPTH;
  EXPECT_EQ(zDesc.dwFlags & kZFields, kZFields);
  EXPECT_EQ(zDesc.dwZBufferBitDepth, 16u);
  EXPECT_EQ(zDesc.lPitch, 12);

  DDSCAPS zCaps{DDSCAPS_ZBUFFER};
  IDirectDrawSurface* found = image.get();
  EXPECT_EQ(image->GetAttachedSurface(&zCaps, &found), DDERR_NOTFOUND);
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(image->AddAttachedSurface(Make({.width = 6, .height = 5, .caps = DDSCAPS_ZBUFFER, .zDepth = 16}).get()),
            DDERR_CANNOTATTACHSURFACE);
  EXPECT_EQ(image->AddAttachedSurface(Make({.width = 6, .height = 4}).get()), DDERR_CANNOTATTACHSURFACE);
  ASSERT_EQ(image->AddAttachedSurface(videoZ.get()), DD_OK);
  EXPECT_EQ(image->AddAttachedSurface(videoZ.get()), DDERR_SURFACEALREADYATTACHED);
  ASSERT_EQ(image->GetAttachedSurface(&zCaps, &found), DD_OK);
  EXPECT_EQ(found, videoZ.get());
  EXPECT_EQ(found->Release(), 2u);  // held by the image and by the test
  image.reset();
  EXPECT_EQ(videoZ->AddRef(), 2u);  // the image let go of it
  videoZ->Release();

  // A system-memory copy made from the z-buffer's description takes its pixels and attaches.
  zDesc.ddsCaps.dwCaps = (zDesc.ddsCaps.dwCaps & ~DDSCAPS_VIDEOMEMORY) | DDSCAPS_SYSTEMMEMORY;
  ComPtr<IDirectDrawSurface> zCopy;
  ASSERT_EQ(Create(zDesc, &zCopy), DD_OK);
  EXPECT_EQ(zCopy->Blt(nullptr, videoZ.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(Make({.width = 6, .height = 4})->AddAttachedSurface(zCopy.get()), DD_OK);
}

TEST_F(DirectDrawTest, ADisplayChangeLosesPrimaryAndVideoMemoryOnly) {
  ComPtr<IDirectDrawSurface> primary = MakePrimary();
  ComPtr<IDirectDrawSurface> video = Make({.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY});
  ComPtr<IDirectDrawSurface> system = Make({});
  EXPECT_EQ(primary->IsLost(), DD_OK);
  DDLoseSurfaces();
  EXPECT_EQ(primary->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(video->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(system->IsLost(), DD_OK);
  EXPECT_EQ(system->Blt(nullptr, video.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);

  // Primaries made again all show the one display memory.
  ComPtr<IDirectDrawSurface> again = MakePrimary();
  EXPECT_EQ(again->IsLost(), DD_OK);
  const std::vector<BYTE> written = Pixels(again.get(), [](DWORD x, DWORD y) { return BYTE(x + y); });
  EXPECT_EQ(Pixels(MakePrimary().get()), written);
}

TEST_F(DirectDrawTest, ADeviceContextHoldsTheSurfaceUntilReleased) {
  ComPtr<IDirectDrawSurface> surface = Make({});
  HDC dc = nullptr;
  ASSERT_EQ(surface->GetDC(&dc), DD_OK);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  ASSERT_TRUE(DDGetDCSurfaceDesc(dc, &desc));
  static_cast<BYTE*>(desc.lpSurface)[0] = 7;
  HDC other = nullptr;
  EXPECT_EQ(surface->GetDC(&other), DDERR_SURFACEBUSY);
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(surface->ReleaseDC(dc), DD_OK);
  EXPECT_FALSE(DDGetDCSurfaceDesc(dc, &desc));
  EXPECT_EQ(Pixels(surface.get())[0], 7);
}

const IID kDirect3DId = {0x3BBA0080, 0x2421, 0x11CF, {0xA3, 0x1A, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};

TEST_F(DirectDrawTest, CountsFollowEveryHolderAndOnlyKnownInterfacesAnswer) {
  IDirectDraw2* dd2 = nullptr;
  ASSERT_EQ(dd_->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&dd2)), DD_OK);
  EXPECT_EQ(static_cast<IDirectDraw*>(dd2), dd_.get());
  EXPECT_EQ(dd2->AddRef(), 3u);
  EXPECT_EQ(dd2->Release(), 2u);
  EXPECT_EQ(dd2->Release(), 1u);

  ComPtr<IDirectDrawSurface> surface = Make({});
  IDirectDrawSurface3* surface3 = nullptr;
  ASSERT_EQ(surface->QueryInterface(IID_IDirectDrawSurface3, reinterpret_cast<void**>(&surface3)), DD_OK);
  EXPECT_EQ(surface3->Release(), 1u);

  // Direct3D is offered only through the extension that layer installs.
  void* object = this;
  EXPECT_EQ(dd_->QueryInterface(kDirect3DId, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
}

TEST_F(DirectDrawTest, CreationRefusesWhatCannotBeMade) {
  EXPECT_EQ(TryMake({.width = 0}), DDERR_INVALIDPARAMS);
  EXPECT_EQ(TryMake({.caps = DDSCAPS_VIDEOMEMORY | DDSCAPS_SYSTEMMEMORY}), DDERR_INVALIDCAPS);
  EXPECT_EQ(TryMake({.caps = DDSCAPS_PRIMARYSURFACE}), DDERR_INVALIDPARAMS);  // a size is the display's
  EXPECT_EQ(TryMake({.pitch = -15}), DDERR_INVALIDPARAMS);                     // 4 pixels need 16 bytes
  EXPECT_EQ(TryMake({.caps = DDSCAPS_ZBUFFER}), DDERR_INVALIDPARAMS);          // no depth
  DDPIXELFORMAT bad = DDMakePixelFormat(DDFormat::RGB565);
  bad.dwGBitMask = 0x0FE0;  // overlaps red
  EXPECT_EQ(TryMake({.format = &bad}), DDERR_INVALIDPIXELFORMAT);
  bad = DDMakePixelFormat(DDFormat::XRGB8888);
  bad.dwFlags |= DDPF_ALPHAPIXELS;
  EXPECT_EQ(TryMake({.format = &bad}), DDERR_INVALIDPIXELFORMAT);  // no alpha mask
  bad.dwRGBAlphaBitMask = 0xFF000000;
  EXPECT_EQ(TryMake({.format = &bad}), DD_OK);

  // A caller's retry loop meets two shortages, then succeeds.
  DDFailNext(DDCall::Create, 2, DDERR_OUTOFMEMORY);
  for (HRESULT expected : {DDERR_OUTOFMEMORY, DDERR_OUTOFMEMORY, DD_OK}) EXPECT_EQ(TryMake({}), expected);
}

TEST_F(DirectDrawTest, PalettesHold256EntriesForIndexedSurfacesOnlyWhichHoldThem) {
  PALETTEENTRY entries[256];
  for (int i = 0; i < 256; ++i) entries[i] = {BYTE(i), BYTE(255 - i), 0, 0};
  IDirectDrawPalette* raw = nullptr;
  EXPECT_EQ(dd_->CreatePalette(DDPCAPS_ALLOW256, entries, &raw, nullptr), DDERR_INVALIDPARAMS);
  ASSERT_EQ(dd_->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &raw, nullptr), DD_OK);
  auto palette = ComPtr<IDirectDrawPalette>::adopt(raw);
  entries[200].peRed = 0;  // the palette keeps its own copy
  PALETTEENTRY read[3] = {};
  ASSERT_EQ(palette->GetEntries(0, 199, 3, read), DD_OK);
  EXPECT_EQ(read[1].peRed + 1000 * read[1].peGreen, 200 + 1000 * 55);
  EXPECT_EQ(palette->GetEntries(0, 254, 3, read), DDERR_INVALIDPARAMS);

  EXPECT_EQ(Make({})->SetPalette(palette.get()), DDERR_INVALIDPIXELFORMAT);
  const DDPIXELFORMAT indexed = DDMakePixelFormat(DDFormat::Palette8);
  ComPtr<IDirectDrawSurface> texture = Make({.format = &indexed});
  ASSERT_EQ(texture->SetPalette(palette.get()), DD_OK);
  IDirectDrawPalette* attached = nullptr;
  ASSERT_EQ(texture->GetPalette(&attached), DD_OK);
  EXPECT_EQ(attached, palette.get());
  EXPECT_EQ(attached->Release(), 2u);  // the surface and the test still hold it
  texture.reset();
  EXPECT_EQ(palette.detach()->Release(), 0u);
}

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
