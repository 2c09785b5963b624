// The blur over surfaces in plain memory; camera-window tests run it over the platform's surfaces.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "BlurReference.h"
#include "dof/Aperture.h"
#include "platform/ddraw/DirectDraw.h"
#include "support/FatalCheck.h"

namespace {

// A surface over the pixels of a TestSurface, describing itself by `desc`. One lock, unlock or
// attachment lookup can be scripted to fail. Counts its references and is never deleted by them.
class FakeSurface final : public IDirectDrawSurface {
 public:
  FakeSurface(TestSurface& pixels, DDFormat format, DWORD zDepth = 0) : pixels(pixels) {
    desc.dwSize = kDDSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH;
    desc.dwFlags |= zDepth ? DDSD_ZBUFFERBITDEPTH : DDSD_PIXELFORMAT;
    desc.dwWidth = pixels.width;
    desc.dwHeight = pixels.height;
    desc.lPitch = pixels.pitch;
    desc.dwZBufferBitDepth = zDepth;
    desc.ddsCaps.dwCaps = zDepth ? DDSCAPS_ZBUFFER : DDSCAPS_OFFSCREENPLAIN;
    desc.ddpfPixelFormat = DDMakePixelFormat(format);
  }
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return ++references; }
  ULONG Release() override { return --references; }
  HRESULT GetSurfaceDesc(LPDDSURFACEDESC out) override {
    *out = desc;
    return DD_OK;
  }
  HRESULT Lock(LPRECT, LPDDSURFACEDESC out, DWORD, LPVOID) override {
    if (Take(lockResult)) return failure_;
    if (locked) return DDERR_SURFACEBUSY;
    locked = true;
    *out = desc;
    out->lpSurface = Lowest();  // the lowest address of the pixels, also when stored bottom-up
    return DD_OK;
  }
  HRESULT Unlock(LPVOID pointer) override {
    if (Take(unlockResult)) return failure_;
    if (!locked || pointer != Lowest()) return DDERR_NOTLOCKED;
    locked = false;
    return DD_OK;
  }
  HRESULT GetAttachedSurface(LPDDSCAPS, IDirectDrawSurface** found) override {
    if (Take(attachResult)) return failure_;
    *found = attached;
    attached->AddRef();
    return DD_OK;
  }
  HRESULT IsLost() override { return E_NOTIMPL; }
  HRESULT AddAttachedSurface(IDirectDrawSurface*) override { return E_NOTIMPL; }
  HRESULT SetPalette(LPDIRECTDRAWPALETTE) override { return E_NOTIMPL; }
  HRESULT GetPalette(LPDIRECTDRAWPALETTE*) override { return E_NOTIMPL; }
  HRESULT SetClipper(LPDIRECTDRAWCLIPPER) override { return E_NOTIMPL; }
  HRESULT Blt(LPRECT, IDirectDrawSurface*, LPRECT, DWORD, LPDDBLTFX) override { return E_NOTIMPL; }
  HRESULT GetDC(HDC*) override { return E_NOTIMPL; }
  HRESULT ReleaseDC(HDC) override { return E_NOTIMPL; }

  TestSurface& pixels;
  DDSURFACEDESC desc{};
  FakeSurface* attached = nullptr;
  ULONG references = 1;
  bool locked = false;
  HRESULT lockResult = DD_OK, unlockResult = DD_OK, attachResult = DD_OK;

 private:
  BYTE* Lowest() {
    return &pixels.memory[pixels.firstRow] + std::min(0L, pixels.pitch * (pixels.height - 1L));
  }
  // A scripted failure happens once; the call after it goes through.
  bool Take(HRESULT& scripted) { return (failure_ = std::exchange(scripted, DD_OK)) != DD_OK; }
  HRESULT failure_ = DD_OK;
};

class ApertureBlurTest : public ::testing::Test {
 protected:
  std::mt19937 rng_{21};
  std::vector<WORD> map_ = std::vector<WORD>(kApertureMapSize);
  std::vector<DWORD> fifo_[3] = {std::vector<DWORD>(64), std::vector<DWORD>(64), std::vector<DWORD>(64)};
};

}  // namespace

TEST_F(ApertureBlurTest, BlursEveryFormatAndZDepthLikeTheReference) {
  // Each format and depth reaches its kernel; both byte orders of 24-bit pixels blur alike.
  const std::pair<DDFormat, const ChannelLayout&> formats[] = {{DDFormat::XRGB8888, kLayout32},
                                                               {DDFormat::RGB888, kLayout24},
                                                               {DDFormat::BGR888, kLayout24},
                                                               {DDFormat::RGB565, kLayout565},
                                                               {DDFormat::RGB555, kLayout555}};
  for (WORD& level : map_) level = static_cast<WORD>(rng_() % 19);
  for (const auto& [format, layout] : formats) {
    for (DWORD zDepth : {16u, 24u, 32u}) {
      SCOPED_TRACE(testing::Message() << layout.bytes << " bytes, z " << zDepth);
      TestSurface pixels(23, 17, layout.bytes, rng_, true, 3), depths(23, 17, zDepth / 8, rng_, true, 2);
      TestSurface blurred(9, 3, layout.bytes, rng_, false, 1);
      FakeSurface src(pixels, format), z(depths, format, zDepth), dest(blurred, format);
      src.attached = &z;
      const TestSurface expected = ReferenceBlur(layout, pixels, depths, map_.data(), blurred);

      ApertureBlur(&dest, &src, map_.data(), 0, 0, fifo_[0].data(), fifo_[1].data(), fifo_[2].data());

      EXPECT_EQ(blurred.memory, expected.memory);
      EXPECT_FALSE(src.locked || dest.locked || z.locked);
    }
  }
}

TEST_F(ApertureBlurTest, RefusesInOrderAndLeavesNothingLockedOrHeld) {
  TestSurface pixels(20, 16, 4, rng_), depths(20, 16, 2, rng_), blurred(6, 2, 4, rng_);
  struct Call {
    FakeSurface z, src, dest;
    IDirectDrawSurface *destArg = &dest, *srcArg = &src;
    const WORD* map;
    int sign = 0, invert = 0;
    DWORD* fifo[3];
  };
  auto format = [](Call& c, void (*f)(DDPIXELFORMAT&)) {
    for (FakeSurface* s : {&c.src, &c.dest}) f(s->desc.ddpfPixelFormat);
  };
  const struct {
    std::function<void(Call&)> spoil;
    const char *expression, *message;
  } checks[] = {
      {[](Call& c) { c.destArg = nullptr; }, "dest", ""},
      {[](Call& c) { c.srcArg = nullptr; }, "src", ""},
      {[](Call& c) { c.destArg = c.srcArg; }, "dest != src",
       "Must be unique surfaces since we write dest pixels that may be read again from source"},
      {[](Call& c) { c.map = nullptr; }, "map", ""},
      {[](Call& c) { c.sign = 1; }, "!sign", "Not yet supported"},
      {[](Call& c) { c.invert = -1; }, "!invert", "Not yet supported"},
      {[](Call& c) { c.fifo[0] = nullptr; }, "fifoRBuf", ""},
      {[](Call& c) { c.fifo[1] = nullptr; }, "fifoGBuf", ""},
      {[](Call& c) { c.fifo[2] = nullptr; }, "fifoBBuf", ""},
      {[](Call& c) { c.src.desc.dwFlags &= ~DDSD_PITCH; },
       "(srcDesc.dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) == (DDSD_CAPS | "
       "DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)", ""},
      {[](Call& c) { c.dest.desc.dwFlags &= ~DDSD_CAPS; },
       "(destDesc.dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) == (DDSD_CAPS | "
       "DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)", ""},
      {[](Call& c) { c.src.desc.dwWidth = 14; },
       "srcDesc.dwWidth > 2*NO_BLUR_BAND_SZ && srcDesc.dwHeight > 2*NO_BLUR_BAND_SZ",
       "Source is too small to create any output in destination"},
      {[](Call& c) { c.dest.desc.dwWidth = 7; },
       "destDesc.dwWidth == srcDesc.dwWidth - 2*NO_BLUR_BAND_SZ && destDesc.dwHeight == srcDesc.dwHeight - "
       "2*NO_BLUR_BAND_SZ",
       "Destination not the correct size"},
      {[](Call& c) { c.dest.desc.ddpfPixelFormat.dwFourCC = 1; },
       "!memcmp( &srcDesc.ddpfPixelFormat, &destDesc.ddpfPixelFormat, sizeof srcDesc.ddpfPixelFormat )",
       "Source and destination do not have same color format"},
      {[&](Call& c) { format(c, [](auto& f) { f.dwFlags |= DDPF_ALPHAPIXELS, f.dwRGBAlphaBitMask = 0xFF000000; }); },
       "srcDesc.ddpfPixelFormat.dwFlags == DDPF_RGB", "Unsupported pixel color format"},
      {[&](Call& c) { format(c, [](auto& f) { f.dwRGBBitCount = 8; }); },
       "srcDesc.ddpfPixelFormat.dwRGBBitCount == 16 || srcDesc.ddpfPixelFormat.dwRGBBitCount == 24 || "
       "srcDesc.ddpfPixelFormat.dwRGBBitCount == 32",
       "Unsupported pixel color bit depth format"},
      {[&](Call& c) { format(c, [](auto& f) { f.dwGBitMask = 0x00FF0000; }); },
       "(srcDesc.ddpfPixelFormat.dwRBitMask == 0x00FF0000 && srcDesc.ddpfPixelFormat.dwGBitMask == 0x0000FF00 && "
       "srcDesc.ddpfPixelFormat.dwBBitMask == 0x000000FF) || (srcDesc.ddpfPixelFormat.dwRBitMask == 0x000000FF && "
       "srcDesc.ddpfPixelFormat.dwGBitMask == 0x0000FF00 && srcDesc.ddpfPixelFormat.dwBBitMask == 0x00FF0000)",
       "Unsupported pixel color format"},
      {[](Call& c) { c.src.lockResult = DDERR_SURFACELOST; },
       "src->Lock( NULL, &surfDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )", "450"},
      {[](Call& c) { c.dest.lockResult = DDERR_GENERIC; },
       "dest->Lock( NULL, &surfDesc, DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )", "16389"},
      {[](Call& c) { c.src.attachResult = DDERR_NOTFOUND; }, "src->GetAttachedSurface( &zBufCaps, &zBuf )", "255"},
      {[](Call& c) { c.z.desc.dwFlags &= ~DDSD_ZBUFFERBITDEPTH; },
       "(zBufDesc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_ZBUFFERBITDEPTH)) == (DDSD_WIDTH | "
       "DDSD_HEIGHT | DDSD_PITCH | DDSD_ZBUFFERBITDEPTH)", ""},
      {[](Call& c) { c.z.desc.dwHeight = 17; },
       "srcDesc.dwWidth == zBufDesc.dwWidth && srcDesc.dwHeight == zBufDesc.dwHeight",
       "Source and attached z-buffer are not same size"},
      {[](Call& c) { c.z.desc.dwZBufferBitDepth = 8; },
       "zBufDesc.dwZBufferBitDepth == 16 || zBufDesc.dwZBufferBitDepth == 24 || zBufDesc.dwZBufferBitDepth == 32",
       "Unsupport z-buffer bit depth"},
      {[](Call& c) { c.z.lockResult = DDERR_GENERIC; },
       "zBuf->Lock( NULL, &surfDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )", "16389"},
      // The unlocks can only fail once everything else went well.
      {[](Call& c) { c.z.unlockResult = DDERR_NOTLOCKED; }, "zBuf->Unlock( zBufDesc.lpSurface )", "584"},
      {[](Call& c) { c.dest.unlockResult = DDERR_NOTLOCKED; }, "dest->Unlock( destDesc.lpSurface )", "584"},
      {[](Call& c) { c.src.unlockResult = DDERR_NOTLOCKED; }, "src->Unlock( srcDesc.lpSurface )", "584"},
  };
  constexpr int kChecks = std::size(checks), kUnlocks = 3;
  for (int first = 0; first <= kChecks; ++first) {
    SCOPED_TRACE(first);
    Call c{FakeSurface(depths, DDFormat::XRGB8888, 16), FakeSurface(pixels, DDFormat::XRGB8888),
           FakeSurface(blurred, DDFormat::XRGB8888), &c.dest, &c.src, map_.data(), 0, 0,
           {fifo_[0].data(), fifo_[1].data(), fifo_[2].data()}};
    c.src.attached = &c.z;
    // Each case spoils its own check last and every later one before it (but for the unlocks),
    // so its own must be the first to fire.
    for (int i = kChecks - kUnlocks; i-- > first + 1;) checks[i].spoil(c);
    if (first < kChecks) {
      checks[first].spoil(c);
      EXPECT_FATAL(ApertureBlur(c.destArg, c.srcArg, c.map, c.sign, c.invert, c.fifo[0], c.fifo[1], c.fifo[2]),
                   checks[first].expression, checks[first].message);
    } else {
      ApertureBlur(c.destArg, c.srcArg, c.map, c.sign, c.invert, c.fifo[0], c.fifo[1], c.fifo[2]);
    }
    EXPECT_FALSE(c.src.locked || c.dest.locked || c.z.locked);
    EXPECT_EQ(c.z.references, 1u) << "the z-buffer is still held";
  }
}
