// Reference counts, interface lookup, creation failures and palettes (a z-buffer's holders are
// counted with the z-buffers).
#include "DDTestSupport.h"

namespace {

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

}  // namespace
