#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <utility>

#include "BlurReference.h"
#include "core/Pointers.h"
#include "dof/Aperture.h"
#include "platform/ddraw/DirectDraw.h"
#include "platform/ddraw/Display.h"
#include "platform/ddraw/TestSeams.h"
#include "support/FatalCheck.h"

namespace {

// Answers as the real surface it wraps but for what a test scripts: a changed description, one
// failing lock, unlock or attachment lookup. Counts its references and is never deleted by them.
class ScriptedSurface final : public IDirectDrawSurface {
 public:
  explicit ScriptedSurface(IDirectDrawSurface* real) : real(real) {}
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return ++references; }
  ULONG Release() override { return --references; }
  HRESULT GetSurfaceDesc(LPDDSURFACEDESC desc) override {
    const HRESULT result = real->GetSurfaceDesc(desc);
    for (auto& change : describe) change(*desc);
    return result;
  }
  HRESULT Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, LPVOID event) override {
    return Take(lockResult) ? failure_ : real->Lock(rect, desc, flags, event);
  }
  HRESULT Unlock(LPVOID pointer) override { return Take(unlockResult) ? failure_ : real->Unlock(pointer); }
  HRESULT GetAttachedSurface(LPDDSCAPS caps, IDirectDrawSurface** found) override {
    if (Take(attachResult)) return failure_;
    if (!attached) return real->GetAttachedSurface(caps, found);
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

  IDirectDrawSurface* real;
  ScriptedSurface* attached = nullptr;
  ULONG references = 1;
  std::vector<std::function<void(DDSURFACEDESC&)>> describe;
  HRESULT lockResult = DD_OK, unlockResult = DD_OK, attachResult = DD_OK;

 private:
  // A scripted failure happens once; the call after it goes through.
  bool Take(HRESULT& scripted) { return (failure_ = std::exchange(scripted, DD_OK)) != DD_OK; }
  HRESULT failure_ = DD_OK;
};

class ApertureBlurTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(DDSetDisplayMode(32, 64, 48));
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd_, nullptr), DD_OK);
  }
  void TearDown() override {
    made_.clear();
    dd_.reset();
    EXPECT_EQ(DDLiveObjectCount(), 0) << "a surface or a reference was left behind";
  }

  // A surface of `format`, or a z-buffer of `zDepth` bits; a negative pitch stores it bottom-up.
  IDirectDrawSurface* Make(DWORD width, DWORD height, DDFormat format, DWORD zDepth = 0, LONG pitch = 0) {
    DDSURFACEDESC desc{};
    desc.dwSize = kDDSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | (zDepth ? DDSD_ZBUFFERBITDEPTH : DDSD_PIXELFORMAT) |
                   (pitch ? DDSD_PITCH : 0);
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.lPitch = pitch;
    desc.dwZBufferBitDepth = zDepth;
    desc.ddsCaps.dwCaps = zDepth ? DDSCAPS_ZBUFFER : DDSCAPS_OFFSCREENPLAIN;
    desc.ddpfPixelFormat = DDMakePixelFormat(format);
    IUPtr<IDirectDrawSurface> surface;
    EXPECT_EQ(dd_->CreateSurface(&desc, &surface, nullptr), DD_OK);
    made_.push_back(surface);
    return surface;
  }

  // Copies the pixels of `test` (stored top-down without padding) into `surface`, or back.
  static void Copy(IDirectDrawSurface* surface, TestSurface& test, bool read = false) {
    DDSURFACEDESC desc{};
    desc.dwSize = kDDSurfaceDescSize;
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    for (DWORD y = 0; y < test.height; ++y) {
      BYTE* row = DDFirstRow(desc) + static_cast<std::ptrdiff_t>(y) * desc.lPitch;
      BYTE* testRow = &test.memory[test.firstRow + y * test.pitch];
      std::memcpy(read ? testRow : row, read ? row : testRow, test.width * test.bytes);
    }
    ASSERT_EQ(surface->Unlock(desc.lpSurface), DD_OK);
  }

  static bool Locked(IDirectDrawSurface* surface) {
    DDSURFACEDESC desc{};
    desc.dwSize = kDDSurfaceDescSize;
    const HRESULT result = surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    if (result == DD_OK) surface->Unlock(desc.lpSurface);
    return result == DDERR_SURFACEBUSY;
  }

  IUPtr<IDirectDraw> dd_;
  std::vector<WORD> map_ = std::vector<WORD>(kApertureMapSize);
  std::vector<DWORD> fifo_[3] = {std::vector<DWORD>(64), std::vector<DWORD>(64), std::vector<DWORD>(64)};
  std::vector<IUPtr<IDirectDrawSurface>> made_;
};

}  // namespace

TEST_F(ApertureBlurTest, BlursEveryFormatAndZDepthLikeTheReference) {
  // Both byte orders of 24-bit pixels are blurred byte position by byte position.
  const std::pair<DDFormat, const ChannelLayout&> formats[] = {{DDFormat::XRGB8888, kLayout32},
                                                               {DDFormat::RGB888, kLayout24},
                                                               {DDFormat::BGR888, kLayout24},
                                                               {DDFormat::RGB565, kLayout565},
                                                               {DDFormat::RGB555, kLayout555}};
  std::mt19937 rng(21);
  for (WORD& level : map_) level = static_cast<WORD>(rng() % 19);
  for (const auto& [format, layout] : formats) {
    for (DWORD zDepth : {16u, 24u, 32u}) {
      for (DWORD width : {15u, 37u}) {  // the smallest source, and a larger one stored bottom-up
        SCOPED_TRACE(testing::Message() << layout.bytes << " bytes, z " << zDepth << ", width " << width);
        const DWORD height = width == 15 ? 15 : 21;
        const LONG bottomUp = width == 15 ? 0 : -static_cast<LONG>(width * 4 + 4);
        IDirectDrawSurface* src = Make(width, height, format, 0, bottomUp);
        IDirectDrawSurface* z = Make(width, height, format, zDepth, bottomUp);
        IDirectDrawSurface* dest = Make(width - 14, height - 14, format);
        ASSERT_EQ(src->AddAttachedSurface(z), DD_OK);
        TestSurface pixels(width, height, layout.bytes, rng), depths(width, height, zDepth / 8, rng);
        TestSurface blurred(width - 14, height - 14, layout.bytes, rng);
        Copy(src, pixels);
        Copy(z, depths);

        ApertureBlur(dest, src, map_.data(), 0, 0, fifo_[0].data(), fifo_[1].data(), fifo_[2].data());

        Copy(dest, blurred, true);
        EXPECT_EQ(blurred.memory, ReferenceBlur(layout, pixels, depths, map_.data(), blurred).memory);
        EXPECT_FALSE(Locked(src) || Locked(dest) || Locked(z));
      }
    }
  }
}

TEST_F(ApertureBlurTest, RefusesInOrderAndLeavesNothingLockedOrHeld) {
  IDirectDrawSurface* realSrc = Make(20, 16, DDFormat::XRGB8888);
  IDirectDrawSurface* realZ = Make(20, 16, DDFormat::XRGB8888, 16);
  IDirectDrawSurface* realDest = Make(6, 2, DDFormat::XRGB8888);
  struct Call {
    ScriptedSurface z, src, dest;
    IDirectDrawSurface *destArg = &dest, *srcArg = &src;
    const WORD* map;
    int sign = 0, invert = 0;
    DWORD* fifo[3];
  };
  auto change = [](ScriptedSurface& s, std::function<void(DDSURFACEDESC&)> f) { s.describe.push_back(f); };
  auto format = [&](Call& c, std::function<void(DDPIXELFORMAT&)> f) {
    for (ScriptedSurface* s : {&c.src, &c.dest}) change(*s, [f](DDSURFACEDESC& d) { f(d.ddpfPixelFormat); });
  };
  const struct {
    std::function<void(Call&)> spoil;
    const char* expression;
    const char* message;
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
      {[&](Call& c) { change(c.src, [](auto& d) { d.dwFlags &= ~DDSD_PITCH; }); },
       "(srcDesc.dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) == (DDSD_CAPS | "
       "DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)",
       ""},
      {[&](Call& c) { change(c.dest, [](auto& d) { d.dwFlags &= ~DDSD_CAPS; }); },
       "(destDesc.dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) == (DDSD_CAPS | "
       "DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)",
       ""},
      {[&](Call& c) { change(c.src, [](auto& d) { d.dwWidth = 14; }); },
       "srcDesc.dwWidth > 2*NO_BLUR_BAND_SZ && srcDesc.dwHeight > 2*NO_BLUR_BAND_SZ",
       "Source is too small to create any output in destination"},
      {[&](Call& c) { change(c.dest, [](auto& d) { d.dwWidth = 7; }); },
       "destDesc.dwWidth == srcDesc.dwWidth - 2*NO_BLUR_BAND_SZ && destDesc.dwHeight == srcDesc.dwHeight - "
       "2*NO_BLUR_BAND_SZ",
       "Destination not the correct size"},
      {[&](Call& c) { change(c.dest, [](auto& d) { d.ddpfPixelFormat.dwFourCC = 1; }); },
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
      {[&](Call& c) { change(c.z, [](auto& d) { d.dwFlags &= ~DDSD_ZBUFFERBITDEPTH; }); },
       "(zBufDesc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_ZBUFFERBITDEPTH)) == (DDSD_WIDTH | "
       "DDSD_HEIGHT | DDSD_PITCH | DDSD_ZBUFFERBITDEPTH)",
       ""},
      {[&](Call& c) { change(c.z, [](auto& d) { d.dwHeight = 17; }); },
       "srcDesc.dwWidth == zBufDesc.dwWidth && srcDesc.dwHeight == zBufDesc.dwHeight",
       "Source and attached z-buffer are not same size"},
      {[&](Call& c) { change(c.z, [](auto& d) { d.dwZBufferBitDepth = 8; }); },
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
  ASSERT_EQ(realSrc->AddAttachedSurface(realZ), DD_OK);
  for (int first = 0; first <= kChecks; ++first) {
    SCOPED_TRACE(first);
    Call c{ScriptedSurface(realZ), ScriptedSurface(realSrc), ScriptedSurface(realDest), &c.dest, &c.src,
           map_.data(), 0, 0, {fifo_[0].data(), fifo_[1].data(), fifo_[2].data()}};
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
    EXPECT_FALSE(Locked(realSrc) || Locked(realDest) || Locked(realZ));
    EXPECT_EQ(c.z.references, 1u) << "the z-buffer is still held";
  }
}
