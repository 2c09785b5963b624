#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <random>

#include "BlurReference.h"
#include "dof/Aperture.h"
#include "platform/ddraw/DirectDraw.h"
#include "platform/ddraw/Display.h"
#include "platform/ddraw/TestSeams.h"
#include "support/FatalCheck.h"

namespace {

// A surface that answers as the real one it wraps, except for what a test scripts: a changed
// description, one failing lock, unlock or attachment lookup, another attached surface. It counts
// its references and is never deleted by them.
class ScriptedSurface final : public IDirectDrawSurface {
 public:
  explicit ScriptedSurface(IDirectDrawSurface* real) : real(real) {}

  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return ++references; }
  ULONG Release() override { return --references; }
  HRESULT GetSurfaceDesc(LPDDSURFACEDESC desc) override {
    const HRESULT result = real->GetSurfaceDesc(desc);
    if (describe) describe(*desc);
    return result;
  }
  HRESULT Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, LPVOID event) override {
    if (HRESULT failure = Take(lockResult)) return failure;
    return real->Lock(rect, desc, flags, event);
  }
  HRESULT Unlock(LPVOID pointer) override {
    if (HRESULT failure = Take(unlockResult)) return failure;
    return real->Unlock(pointer);
  }
  HRESULT GetAttachedSurface(LPDDSCAPS caps, IDirectDrawSurface** found) override {
    if (HRESULT failure = Take(attachResult)) return failure;
    if (!attached) return real->GetAttachedSurface(caps, found);
    attached->AddRef();
    *found = attached;
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
  ULONG references = 1;
  std::function<void(DDSURFACEDESC&)> describe;
  HRESULT lockResult = DD_OK;
  HRESULT unlockResult = DD_OK;
  HRESULT attachResult = DD_OK;
  ScriptedSurface* attached = nullptr;

 private:
  static HRESULT Take(HRESULT& scripted) { return std::exchange(scripted, DD_OK); }
};

const char* const kSrcLock = "src->Lock( NULL, &surfDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )";
const char* const kDestLock =
    "dest->Lock( NULL, &surfDesc, DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )";
const char* const kZLock = "zBuf->Lock( NULL, &surfDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )";

class ApertureBlurTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DDClearFaults();
    ASSERT_TRUE(DDSetDisplayMode(32, 64, 48));
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd_, nullptr), DD_OK);
    map_.assign(kApertureMapSize, 0);
    for (auto& fifo : fifos_) fifo.assign(64, 0);
  }
  void TearDown() override {
    for (IDirectDrawSurface* surface : made_) surface->Release();
    dd_->Release();
    EXPECT_EQ(DDLiveObjectCount(), 0) << "a surface or a reference was left behind";
  }

  IDirectDrawSurface* Make(DWORD width, DWORD height, DDFormat format, LONG pitch = 0) {
    const DDPIXELFORMAT pixels = DDMakePixelFormat(format);
    return Create(width, height, &pixels, 0, pitch);
  }
  // A source with an attached z-buffer of its size.
  IDirectDrawSurface* MakeSource(DWORD width, DWORD height, DDFormat format, DWORD zDepth = 16,
                                 bool bottomUp = false) {
    const DWORD bytes = DDBytesPerPixel(DDMakePixelFormat(format));
    IDirectDrawSurface* src = Make(width, height, format, bottomUp ? -static_cast<LONG>(width * bytes + 5) : 0);
    IDirectDrawSurface* z = Create(width, height, nullptr, zDepth, bottomUp ? -static_cast<LONG>(width * 4) : 0);
    EXPECT_EQ(src->AddAttachedSurface(z), DD_OK);
    return src;
  }

  void Blur(IDirectDrawSurface* dest, IDirectDrawSurface* src) {
    ApertureBlur(dest, src, map_.data(), 0, 0, fifos_[0].data(), fifos_[1].data(), fifos_[2].data());
  }

  static bool Locked(IDirectDrawSurface* surface) {
    DDSURFACEDESC desc{};
    desc.dwSize = kDDSurfaceDescSize;
    const HRESULT result = surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    if (result == DD_OK) surface->Unlock(desc.lpSurface);
    return result == DDERR_SURFACEBUSY;
  }

  // Copies the pixels of `from` into `to`, or of `to` into `from` when `back`.
  static void Transfer(IDirectDrawSurface* to, TestSurface& from, bool back = false) {
    DDSURFACEDESC desc{};
    desc.dwSize = kDDSurfaceDescSize;
    ASSERT_EQ(to->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    for (DWORD y = 0; y < from.height; ++y) {
      for (DWORD x = 0; x < from.width; ++x) {
        BYTE* pixel = DDFirstRow(desc) + static_cast<std::ptrdiff_t>(y) * desc.lPitch + x * from.bytes;
        DWORD value = 0;
        for (unsigned i = 0; i < from.bytes; ++i) {
          if (back) value |= static_cast<DWORD>(pixel[i]) << (8 * i);
          else pixel[i] = static_cast<BYTE>(from.Get(x, y) >> (8 * i));
        }
        if (back) from.Set(x, y, value);
      }
    }
    ASSERT_EQ(to->Unlock(desc.lpSurface), DD_OK);
  }

  IDirectDraw* dd_ = nullptr;
  std::vector<WORD> map_;
  std::vector<DWORD> fifos_[3];

 private:
  IDirectDrawSurface* Create(DWORD width, DWORD height, const DDPIXELFORMAT* format, DWORD zDepth, LONG pitch) {
    DDSURFACEDESC desc{};
    desc.dwSize = kDDSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | (format ? DDSD_PIXELFORMAT : 0) |
                   (zDepth ? DDSD_ZBUFFERBITDEPTH : 0) | (pitch ? DDSD_PITCH : 0);
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.lPitch = pitch;
    desc.dwZBufferBitDepth = zDepth;
    desc.ddsCaps.dwCaps = zDepth ? DDSCAPS_ZBUFFER : DDSCAPS_OFFSCREENPLAIN;
    if (format) desc.ddpfPixelFormat = *format;
    IDirectDrawSurface* surface = nullptr;
    EXPECT_EQ(dd_->CreateSurface(&desc, &surface, nullptr), DD_OK);
    made_.push_back(surface);
    return surface;
  }

  std::vector<IDirectDrawSurface*> made_;
};

}  // namespace

TEST_F(ApertureBlurTest, BlursEveryFormatAndDepthLikeTheReference) {
  struct Format {
    DDFormat format;
    const ChannelLayout& layout;
  };
  // Both byte orders of 24-bit pixels are blurred byte position by byte position.
  const Format formats[] = {{DDFormat::XRGB8888, kLayout32},
                            {DDFormat::RGB888, kLayout24},
                            {DDFormat::BGR888, kLayout24},
                            {DDFormat::RGB565, kLayout565},
                            {DDFormat::RGB555, kLayout555}};
  std::mt19937 rng(21);
  for (WORD& level : map_) level = static_cast<WORD>(rng() % 19);
  for (const Format& f : formats) {
    for (DWORD zDepth : {16u, 24u, 32u}) {
      for (DWORD width : {15u, 37u}) {
        const bool bottomUp = width == 37;
        SCOPED_TRACE(testing::Message() << "bits " << DDBytesPerPixel(DDMakePixelFormat(f.format)) * 8 << " z "
                                        << zDepth << " width " << width);
        const DWORD height = width == 15 ? 15 : 21;
        IDirectDrawSurface* src = MakeSource(width, height, f.format, zDepth, bottomUp);
        IDirectDrawSurface* dest = Make(width - 14, height - 14, f.format);
        IDirectDrawSurface* z = nullptr;
        DDSCAPS caps{DDSCAPS_ZBUFFER};
        ASSERT_EQ(src->GetAttachedSurface(&caps, &z), DD_OK);
        z->Release();
        TestSurface pixels(width, height, f.layout.bytes, false, 0, rng);
        TestSurface depths(width, height, zDepth / 8, false, 0, rng);
        Transfer(src, pixels);
        Transfer(z, depths);

        Blur(dest, src);

        TestSurface blurred(width - 14, height - 14, f.layout.bytes, false, 0, rng);
        Transfer(dest, blurred, true);
        const std::vector<DWORD> expected = ReferenceBlur(f.layout, pixels, depths, map_.data());
        for (DWORD y = 0; y < blurred.height; ++y)
          for (DWORD x = 0; x < blurred.width; ++x) ASSERT_EQ(blurred.Get(x, y), expected[y * blurred.width + x]);
        EXPECT_FALSE(Locked(src) || Locked(dest) || Locked(z));
      }
    }
  }
}

TEST_F(ApertureBlurTest, RefusesBadArgumentsInOrder) {
  IDirectDrawSurface* src = MakeSource(20, 16, DDFormat::XRGB8888);
  IDirectDrawSurface* dest = Make(6, 2, DDFormat::XRGB8888);
  DWORD* fifo[3] = {fifos_[0].data(), fifos_[1].data(), fifos_[2].data()};
  EXPECT_FATAL(ApertureBlur(nullptr, nullptr, nullptr, 1, 1, nullptr, nullptr, nullptr), "dest", "");
  EXPECT_FATAL(ApertureBlur(dest, nullptr, nullptr, 1, 1, nullptr, nullptr, nullptr), "src", "");
  EXPECT_FATAL(ApertureBlur(src, src, nullptr, 1, 1, nullptr, nullptr, nullptr), "dest != src",
               "Must be unique surfaces since we write dest pixels that may be read again from source");
  EXPECT_FATAL(ApertureBlur(dest, src, nullptr, 1, 1, nullptr, nullptr, nullptr), "map", "");
  EXPECT_FATAL(ApertureBlur(dest, src, map_.data(), 1, 1, nullptr, nullptr, nullptr), "!sign", "Not yet supported");
  EXPECT_FATAL(ApertureBlur(dest, src, map_.data(), 0, 1, nullptr, nullptr, nullptr), "!invert",
               "Not yet supported");
  EXPECT_FATAL(ApertureBlur(dest, src, map_.data(), 0, 0, nullptr, nullptr, nullptr), "fifoRBuf", "");
  EXPECT_FATAL(ApertureBlur(dest, src, map_.data(), 0, 0, fifo[0], nullptr, nullptr), "fifoGBuf", "");
  EXPECT_FATAL(ApertureBlur(dest, src, map_.data(), 0, 0, fifo[0], fifo[1], nullptr), "fifoBBuf", "");
  EXPECT_FALSE(Locked(src) || Locked(dest));
}

TEST_F(ApertureBlurTest, RefusesBadSurfacesInOrderAndLeavesNothingLocked) {
  IDirectDrawSurface* realSrc = MakeSource(20, 16, DDFormat::XRGB8888);
  IDirectDrawSurface* realDest = Make(6, 2, DDFormat::XRGB8888);
  IDirectDrawSurface* realZ = nullptr;
  DDSCAPS caps{DDSCAPS_ZBUFFER};
  ASSERT_EQ(realSrc->GetAttachedSurface(&caps, &realZ), DD_OK);
  realZ->Release();

  using Spoil = std::function<void(ScriptedSurface& src, ScriptedSurface& dest, ScriptedSurface& z)>;
  auto both = [](std::function<void(DDPIXELFORMAT&)> change) -> Spoil {
    return [change](ScriptedSurface& src, ScriptedSurface& dest, ScriptedSurface&) {
      for (ScriptedSurface* s : {&src, &dest}) {
        auto before = s->describe;
        s->describe = [before, change](DDSURFACEDESC& d) {
          if (before) before(d);
          change(d.ddpfPixelFormat);
        };
      }
    };
  };
  auto describe = [](ScriptedSurface& s, std::function<void(DDSURFACEDESC&)> change) {
    auto before = s.describe;
    s.describe = [before, change](DDSURFACEDESC& d) {
      if (before) before(d);
      change(d);
    };
  };
  struct Check {
    Spoil spoil;
    const char* expression;
    const char* message;
  };
  const Check checks[] = {
      {[&](auto& src, auto&, auto&) { describe(src, [](DDSURFACEDESC& d) { d.dwFlags &= ~DDSD_PITCH; }); },
       "(srcDesc.dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) == (DDSD_CAPS | "
       "DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)",
       ""},
      {[&](auto&, auto& dest, auto&) { describe(dest, [](DDSURFACEDESC& d) { d.dwFlags &= ~DDSD_CAPS; }); },
       "(destDesc.dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) == (DDSD_CAPS | "
       "DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)",
       ""},
      {[&](auto& src, auto&, auto&) { describe(src, [](DDSURFACEDESC& d) { d.dwWidth = 14; }); },
       "srcDesc.dwWidth > 2*NO_BLUR_BAND_SZ && srcDesc.dwHeight > 2*NO_BLUR_BAND_SZ",
       "Source is too small to create any output in destination"},
      {[&](auto&, auto& dest, auto&) { describe(dest, [](DDSURFACEDESC& d) { d.dwWidth = 7; }); },
       "destDesc.dwWidth == srcDesc.dwWidth - 2*NO_BLUR_BAND_SZ && destDesc.dwHeight == srcDesc.dwHeight - "
       "2*NO_BLUR_BAND_SZ",
       "Destination not the correct size"},
      {[&](auto&, auto& dest, auto&) { describe(dest, [](DDSURFACEDESC& d) { d.ddpfPixelFormat.dwFourCC = 1; }); },
       "!memcmp( &srcDesc.ddpfPixelFormat, &destDesc.ddpfPixelFormat, sizeof srcDesc.ddpfPixelFormat )",
       "Source and destination do not have same color format"},
      {both([](DDPIXELFORMAT& f) {
         f.dwFlags |= DDPF_ALPHAPIXELS;
         f.dwRGBAlphaBitMask = 0xFF000000;
       }),
       "srcDesc.ddpfPixelFormat.dwFlags == DDPF_RGB", "Unsupported pixel color format"},
      {both([](DDPIXELFORMAT& f) { f.dwRGBBitCount = 8; }),
       "srcDesc.ddpfPixelFormat.dwRGBBitCount == 16 || srcDesc.ddpfPixelFormat.dwRGBBitCount == 24 || "
       "srcDesc.ddpfPixelFormat.dwRGBBitCount == 32",
       "Unsupported pixel color bit depth format"},
      {both([](DDPIXELFORMAT& f) { f.dwGBitMask = 0x00FF0000; }),
       "(srcDesc.ddpfPixelFormat.dwRBitMask == 0x00FF0000 && srcDesc.ddpfPixelFormat.dwGBitMask == 0x0000FF00 && "
       "srcDesc.ddpfPixelFormat.dwBBitMask == 0x000000FF) || (srcDesc.ddpfPixelFormat.dwRBitMask == 0x000000FF && "
       "srcDesc.ddpfPixelFormat.dwGBitMask == 0x0000FF00 && srcDesc.ddpfPixelFormat.dwBBitMask == 0x00FF0000)",
       "Unsupported pixel color format"},
      {[&](auto& src, auto&, auto&) { src.lockResult = DDERR_SURFACELOST; }, kSrcLock, "450"},
      {[&](auto&, auto& dest, auto&) { dest.lockResult = DDERR_GENERIC; }, kDestLock, "16389"},
      {[&](auto& src, auto&, auto&) { src.attachResult = DDERR_NOTFOUND; },
       "src->GetAttachedSurface( &zBufCaps, &zBuf )", "255"},
      {[&](auto&, auto&, auto& z) { describe(z, [](DDSURFACEDESC& d) { d.dwFlags &= ~DDSD_ZBUFFERBITDEPTH; }); },
       "(zBufDesc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_ZBUFFERBITDEPTH)) == (DDSD_WIDTH | "
       "DDSD_HEIGHT | DDSD_PITCH | DDSD_ZBUFFERBITDEPTH)",
       ""},
      {[&](auto&, auto&, auto& z) { describe(z, [](DDSURFACEDESC& d) { d.dwHeight = 17; }); },
       "srcDesc.dwWidth == zBufDesc.dwWidth && srcDesc.dwHeight == zBufDesc.dwHeight",
       "Source and attached z-buffer are not same size"},
      {[&](auto&, auto&, auto& z) { describe(z, [](DDSURFACEDESC& d) { d.dwZBufferBitDepth = 8; }); },
       "zBufDesc.dwZBufferBitDepth == 16 || zBufDesc.dwZBufferBitDepth == 24 || zBufDesc.dwZBufferBitDepth == 32",
       "Unsupport z-buffer bit depth"},
      {[&](auto&, auto&, auto& z) { z.lockResult = DDERR_GENERIC; }, kZLock, "16389"},
      {[&](auto&, auto&, auto& z) { z.unlockResult = DDERR_NOTLOCKED; }, "zBuf->Unlock( zBufDesc.lpSurface )",
       "584"},
      {[&](auto&, auto& dest, auto&) { dest.unlockResult = DDERR_NOTLOCKED; }, "dest->Unlock( destDesc.lpSurface )",
       "584"},
      {[&](auto& src, auto&, auto&) { src.unlockResult = DDERR_NOTLOCKED; }, "src->Unlock( srcDesc.lpSurface )",
       "584"},
  };
  // Each case spoils its own check and every later one up to the z-buffer's lock, so its own must
  // be the one that fires; the unlocks, which can only fail after all else went well, one by one.
  constexpr int kChecks = sizeof checks / sizeof checks[0];
  constexpr int kBeforeUnlocks = 15;
  for (int first = 0; first <= kChecks; ++first) {
    SCOPED_TRACE(first);
    ScriptedSurface src(realSrc), dest(realDest), z(realZ);
    src.attached = &z;
    for (int i = first; i < std::max(first + 1, kBeforeUnlocks) && i < kChecks; ++i) checks[i].spoil(src, dest, z);
    if (first < kChecks) EXPECT_FATAL(Blur(&dest, &src), checks[first].expression, checks[first].message);
    else Blur(&dest, &src);
    EXPECT_FALSE(Locked(realSrc)) << "source";
    EXPECT_FALSE(Locked(realDest)) << "destination";
    EXPECT_FALSE(Locked(realZ)) << "z-buffer";
    EXPECT_EQ(z.references, 1u) << "the z-buffer was not released";
  }
}
