// Reference counts, interface lookup, creation failures, palettes and clippers.
#include "DDTestSupport.h"

namespace {

const IID kUnknownId = {0x3BBA0080, 0x2421, 0x11CF, {0xA3, 0x1A, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};

TEST_F(DirectDrawTest, CountsFollowEveryHolder) {
  EXPECT_EQ(dd_->AddRef(), 2u);
  EXPECT_EQ(dd_->Release(), 1u);

  IDirectDraw2* dd2 = nullptr;
  ASSERT_EQ(dd_->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&dd2)), DD_OK);
  EXPECT_EQ(static_cast<IDirectDraw*>(dd2), dd_);
  EXPECT_EQ(dd2->Release(), 1u);

  Ref<IDirectDrawSurface> surface = Make({});
  IDirectDrawSurface3* surface3 = nullptr;
  ASSERT_EQ(surface->QueryInterface(IID_IDirectDrawSurface3, reinterpret_cast<void**>(&surface3)), DD_OK);
  EXPECT_EQ(surface3->Release(), 1u);

  // A z-buffer is held once by its surface and once more by each GetAttachedSurface.
  Ref<IDirectDrawSurface> zBuffer = Make({.caps = DDSCAPS_ZBUFFER, .zDepth = 16});
  ASSERT_EQ(surface->AddAttachedSurface(zBuffer.get()), DD_OK);
  DDSCAPS zCaps{DDSCAPS_ZBUFFER};
  IDirectDrawSurface* found = nullptr;
  ASSERT_EQ(surface->GetAttachedSurface(&zCaps, &found), DD_OK);
  EXPECT_EQ(found, zBuffer.get());
  EXPECT_EQ(found->Release(), 2u);

  // A palette or clipper is held by the surface until it is replaced or the surface goes.
  PALETTEENTRY entries[256] = {};
  IDirectDrawPalette* palette = nullptr;
  ASSERT_EQ(dd_->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
  const DDPIXELFORMAT indexed = DDMakePixelFormat(DDFormat::Palette8);
  Ref<IDirectDrawSurface> texture = Make({.format = &indexed});
  ASSERT_EQ(texture->SetPalette(palette), DD_OK);
  EXPECT_EQ(palette->AddRef(), 3u);
  texture.reset();
  EXPECT_EQ(palette->Release(), 1u);
  EXPECT_EQ(palette->Release(), 0u);

  IDirectDrawClipper* clipper = nullptr;
  ASSERT_EQ(DirectDrawCreateClipper(0, &clipper, nullptr), DD_OK);
  ASSERT_EQ(surface->SetClipper(clipper), DD_OK);
  ASSERT_EQ(surface->SetClipper(nullptr), DD_OK);
  EXPECT_EQ(clipper->Release(), 0u);

  surface.reset();
  EXPECT_EQ(zBuffer->AddRef(), 2u);  // the surface let go of it
  zBuffer->Release();
}

TEST_F(DirectDrawTest, UnknownInterfacesGoToTheExtensionOrFail) {
  void* object = this;
  EXPECT_EQ(dd_->QueryInterface(kUnknownId, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);

  static IDirectDraw* asked = nullptr;
  DDSetInterfaceExtension([](IDirectDraw* owner, REFIID riid, void** out) -> HRESULT {
    asked = owner;
    *out = owner;
    return riid == kUnknownId ? DD_OK : E_NOINTERFACE;
  });
  EXPECT_EQ(dd_->QueryInterface(kUnknownId, &object), DD_OK);
  EXPECT_EQ(asked, dd_);
  EXPECT_EQ(object, dd_);
  EXPECT_EQ(dd_->QueryInterface(IID_IDirectDrawPalette, &object), E_NOINTERFACE);
}

TEST_F(DirectDrawTest, CreationRefusesWhatCannotBeMade) {
  EXPECT_EQ(TryMake({.width = 0}), DDERR_INVALIDPARAMS);
  EXPECT_EQ(TryMake({.height = 20000}), DDERR_INVALIDPARAMS);
  EXPECT_EQ(TryMake({.caps = DDSCAPS_VIDEOMEMORY | DDSCAPS_SYSTEMMEMORY}), DDERR_INVALIDCAPS);
  EXPECT_EQ(TryMake({.caps = DDSCAPS_PRIMARYSURFACE}), DDERR_INVALIDPARAMS);  // with a size
  EXPECT_EQ(TryMake({.pitch = 15}), DDERR_INVALIDPARAMS);                      // 4 pixels need 16
  EXPECT_EQ(TryMake({.pitch = -15}), DDERR_INVALIDPARAMS);

  EXPECT_EQ(TryMake({.caps = DDSCAPS_ZBUFFER}), DDERR_INVALIDPARAMS);
  EXPECT_EQ(TryMake({.caps = DDSCAPS_ZBUFFER, .zDepth = 12}), DDERR_INVALIDPARAMS);
  const DDPIXELFORMAT z24 = DDMakeZBufferFormat(24);
  EXPECT_EQ(TryMake({.format = &z24, .caps = DDSCAPS_ZBUFFER, .zDepth = 16}), DDERR_INVALIDPARAMS);
  EXPECT_EQ(TryMake({.format = &z24, .caps = DDSCAPS_ZBUFFER}), DD_OK);
  EXPECT_EQ(TryMake({.format = &z24}), DDERR_INVALIDPIXELFORMAT);  // not a colour format

  DDPIXELFORMAT bad = DDMakePixelFormat(DDFormat::XRGB8888);
  bad.dwFourCC = 1;
  EXPECT_EQ(TryMake({.format = &bad}), DDERR_INVALIDPIXELFORMAT);
  bad = DDMakePixelFormat(DDFormat::RGB565);
  bad.dwGBitMask = 0x0FE0;  // overlaps red
  EXPECT_EQ(TryMake({.format = &bad}), DDERR_INVALIDPIXELFORMAT);
  bad = DDMakePixelFormat(DDFormat::RGB565);
  bad.dwRGBBitCount = 12;
  EXPECT_EQ(TryMake({.format = &bad}), DDERR_INVALIDPIXELFORMAT);
  bad = DDMakePixelFormat(DDFormat::XRGB8888);
  bad.dwFlags |= DDPF_ALPHAPIXELS;  // without an alpha mask
  EXPECT_EQ(TryMake({.format = &bad}), DDERR_INVALIDPIXELFORMAT);
  bad.dwRGBAlphaBitMask = 0xFF000000;
  EXPECT_EQ(TryMake({.format = &bad}), DD_OK);
  bad = DDMakePixelFormat(DDFormat::Palette8);
  bad.dwSize = 0;
  EXPECT_EQ(TryMake({.format = &bad}), DDERR_INVALIDPIXELFORMAT);

  DDSURFACEDESC desc = DescFor({});
  IDirectDrawSurface* surface = nullptr;
  desc.dwSize = 100;
  EXPECT_EQ(dd_->CreateSurface(&desc, &surface, nullptr), DDERR_INVALIDPARAMS);
  desc.dwSize = sizeof desc;
  EXPECT_EQ(dd_->CreateSurface(&desc, &surface, dd_), DDERR_INVALIDPARAMS);
  EXPECT_EQ(surface, nullptr);
}

TEST_F(DirectDrawTest, InjectedFaultsFailTheNextCallsOnly) {
  // A caller's retry loop: two shortages, then the surface.
  DDFailNext(DDCall::Create, 2, DDERR_OUTOFMEMORY);
  EXPECT_EQ(TryMake({}), DDERR_OUTOFMEMORY);
  EXPECT_EQ(TryMake({}), DDERR_OUTOFMEMORY);
  EXPECT_EQ(TryMake({}), DD_OK);

  DDFailNext(DDCall::Create, 1, DDERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(TryMake({.caps = DDSCAPS_VIDEOMEMORY}), DDERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(TryMake({.caps = DDSCAPS_SYSTEMMEMORY}), DD_OK);

  Ref<IDirectDrawSurface> surface = Make({});
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  DDFailNext(DDCall::Lock, 1, DDERR_OUTOFMEMORY);
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_OUTOFMEMORY);
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(surface->Unlock(desc.lpSurface), DD_OK);

  IDirectDraw* other = nullptr;
  DDFailNext(DDCall::Create, 1, DDERR_OUTOFMEMORY);
  EXPECT_EQ(DirectDrawCreate(nullptr, &other, nullptr), DDERR_OUTOFMEMORY);
  EXPECT_EQ(other, nullptr);
}

TEST_F(DirectDrawTest, PalettesHold256EntriesForIndexedSurfaces) {
  PALETTEENTRY entries[256];
  for (int i = 0; i < 256; ++i) entries[i] = {BYTE(i), BYTE(255 - i), BYTE(i / 2), 0};
  IDirectDrawPalette* raw = nullptr;
  EXPECT_EQ(dd_->CreatePalette(DDPCAPS_ALLOW256, entries, &raw, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dd_->CreatePalette(DDPCAPS_8BIT, nullptr, &raw, nullptr), DDERR_INVALIDPARAMS);
  ASSERT_EQ(dd_->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &raw, nullptr), DD_OK);
  Ref<IDirectDrawPalette> palette(raw);
  entries[200].peRed = 0;  // the palette keeps its own copy

  PALETTEENTRY read[3] = {};
  ASSERT_EQ(palette->GetEntries(0, 199, 3, read), DD_OK);
  EXPECT_EQ(read[1].peRed, 200);
  EXPECT_EQ(read[1].peGreen, 55);
  EXPECT_EQ(palette->GetEntries(0, 254, 3, read), DDERR_INVALIDPARAMS);
  EXPECT_EQ(palette->GetEntries(0, 256, 0, read), DD_OK);

  const DDPIXELFORMAT indexed = DDMakePixelFormat(DDFormat::Palette8);
  Ref<IDirectDrawSurface> texture = Make({.format = &indexed});
  Ref<IDirectDrawSurface> rgb = Make({});
  IDirectDrawPalette* attached = nullptr;
  EXPECT_EQ(texture->GetPalette(&attached), DDERR_NOPALETTEATTACHED);
  EXPECT_EQ(rgb->SetPalette(palette.get()), DDERR_INVALIDPIXELFORMAT);
  ASSERT_EQ(texture->SetPalette(palette.get()), DD_OK);
  ASSERT_EQ(texture->GetPalette(&attached), DD_OK);
  EXPECT_EQ(attached, palette.get());
  attached->Release();
}

TEST_F(DirectDrawTest, DisplayCallsOfTheStartUp) {
  EXPECT_EQ(dd_->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
  EXPECT_EQ(dd_->SetCooperativeLevel(nullptr, 0x11), DDERR_UNSUPPORTED);
  EXPECT_EQ(dd_->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DD_OK);
  EXPECT_EQ(DirectDrawCreate(reinterpret_cast<GUID*>(this), nullptr, nullptr), DDERR_INVALIDPARAMS);

  IDirectDrawClipper* raw = nullptr;
  EXPECT_EQ(dd_->CreateClipper(1, &raw, nullptr), DDERR_INVALIDPARAMS);
  ASSERT_EQ(dd_->CreateClipper(0, &raw, nullptr), DD_OK);
  Ref<IDirectDrawClipper> clipper(raw);
  HWND window = reinterpret_cast<HWND>(this);
  EXPECT_EQ(clipper->SetHWnd(0, window), DD_OK);
  HWND bound = nullptr;
  EXPECT_EQ(clipper->GetHWnd(&bound), DD_OK);
  EXPECT_EQ(bound, window);
}

}  // namespace
