// The blur over surfaces in plain memory against a reference blur, pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "dof/AllocationCounter.h"
#include "dof/Aperture.h"
#include "dof/ApertureAverage.h"
#include "dof/ApertureMaps.h"
#include "dof/AperturePlanes.h"
#include "platform/ddraw/DirectDraw.h"
#include "support/FatalCheck.h"

namespace {

// Random pixels in padded rows, either way up, with guard bytes; a lock, unlock or lookup may fail.
class FakeSurface final : public IDirectDrawSurface {
 public:
  FakeSurface(DWORD w, DWORD h, unsigned b, std::mt19937& rng, DDFormat format, bool bottomUp = false,
              unsigned padding = 0, DWORD zDepth = 0)
      : width(w), height(h), bytes(b), pitch(static_cast<long>(w * b + padding)), memory(32 + pitch * h) {
    for (BYTE& byte : memory) byte = static_cast<BYTE>(rng());
    if (bottomUp) {
      firstRow += pitch * (h - 1);
      pitch = -pitch;
    }
    desc.dwSize = kDDSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH;
    desc.dwFlags |= zDepth ? DDSD_ZBUFFERBITDEPTH : DDSD_PIXELFORMAT;
    desc.dwWidth = w;
    desc.dwHeight = h;
    desc.lPitch = pitch;
    desc.dwZBufferBitDepth = zDepth;
    desc.ddsCaps.dwCaps = zDepth ? DDSCAPS_ZBUFFER : DDSCAPS_OFFSCREENPLAIN;
    desc.ddpfPixelFormat = DDMakePixelFormat(format);
  }
  BYTE* At(long x, long y) { return &memory[firstRow + pitch * y + x * bytes]; }
  const BYTE* At(long x, long y) const { return &memory[firstRow + pitch * y + x * bytes]; }
  DWORD Get(DWORD x, DWORD y) const {
    DWORD value = 0;
    for (unsigned i = 0; i < bytes; ++i) value |= DWORD{At(x, y)[i]} << (8 * i);
    return value;
  }
  void Set(DWORD x, DWORD y, DWORD value) {
    for (unsigned i = 0; i < bytes; ++i) At(x, y)[i] = static_cast<BYTE>(value >> (8 * i));
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

  DWORD width, height;
  unsigned bytes;
  long pitch;
  std::vector<BYTE> memory;
  std::size_t firstRow = 16;
  DDSURFACEDESC desc{};
  FakeSurface* attached = nullptr;
  ULONG references = 1;
  bool locked = false;
  HRESULT lockResult = DD_OK, unlockResult = DD_OK, attachResult = DD_OK;

 private:
  BYTE* Lowest() { return &memory[firstRow] + std::min(0L, pitch * (height - 1L)); }
  // A scripted failure happens once; the call after it goes through.
  bool Take(HRESULT& scripted) { return (failure_ = std::exchange(scripted, DD_OK)) != DD_OK; }
  HRESULT failure_ = DD_OK;
};

// Level 0 copies the pixel; a table level n averages 2 * (n / 2) + 1 rows by 2 * ((n + 1) / 2) + 1
// columns; a level above 13 the (n + 1) square (odd as the even one below), clipped to the source.
template <class Pixel>
std::vector<BYTE> ReferenceBlur(const FakeSurface& src, const FakeSurface& zBuf, const WORD* map,
                                FakeSurface dest) {
  const long width = src.width, height = src.height;
  for (long y = 7; y < height - 7; ++y) {
    for (long x = 7; x < width - 7; ++x) {
      const long level = map[zBuf.Get(x, y) >> (8 * zBuf.bytes - 16)];
      const long rows = level / 2, columns = level <= 13 ? (level + 1) / 2 : rows;
      const long top = std::max(y - rows, 0L), bottom = std::min(y + rows, height - 1);
      const long left = std::max(x - columns, 0L), right = std::min(x + columns, width - 1);
      const DWORD average = Pixel::BlockAverage(src.At(left, top), src.pitch, right - left + 1, bottom - top + 1);
      dest.Set(x - 7, y - 7, level == 0 ? src.Get(x, y) : average);
    }
  }
  return dest.memory;
}

// A picture to blur: the source's size, the 16-bit depth of each source pixel and the map.
struct Scene {
  DWORD width, height;
  std::function<WORD(DWORD x, DWORD y)> depth;
  std::vector<WORD> map;
  bool bright = false;  // channels near their largest, so window sums near theirs
};

// The blur's three scratch buffers for a source of width x height pixels and a map, holding
// whatever an earlier blur left in them.
struct Scratch {
  Scratch(DWORD width, DWORD height, const WORD* map, std::mt19937& rng) {
    for (std::vector<DWORD>& buffer : buffers) {
      buffer.resize(ApertureScratchEntries(width, height, ApertureHighestLevel(map)));
      for (DWORD& entry : buffer) entry = static_cast<DWORD>(rng());
    }
  }
  std::vector<DWORD> buffers[3];
};

// A pixel format and its reference.
const struct BlurFormat {
  DDFormat format;
  unsigned bytes;
  std::vector<BYTE> (*reference)(const FakeSurface&, const FakeSurface&, const WORD*, FakeSurface);
} kFormats[] = {{DDFormat::XRGB8888, 4, &ReferenceBlur<PixelRgb32>},
                {DDFormat::RGB888, 3, &ReferenceBlur<PixelRgb24>},
                {DDFormat::BGR888, 3, &ReferenceBlur<PixelRgb24>},  // both byte orders blur alike
                {DDFormat::RGB565, 2, &ReferenceBlur<PixelRgb565>},
                {DDFormat::RGB555, 2, &ReferenceBlur<PixelRgb555>}};

// Blurs like the reference in every format, z depth and row order, changing and locking nothing else.
void ExpectReferenceBlur(const Scene& scene, std::mt19937& rng) {
  for (const BlurFormat& format : kFormats) {
    for (unsigned zBytes : {2u, 3u, 4u}) {
      const bool bottomUp = rng() % 2;
      SCOPED_TRACE(testing::Message() << format.bytes << " bytes, z " << zBytes << ", bottom-up " << bottomUp
                                      << ", source " << scene.width << "x" << scene.height);
      FakeSurface src(scene.width, scene.height, format.bytes, rng, format.format, bottomUp, rng() % 9);
      FakeSurface dest(scene.width - 14, scene.height - 14, format.bytes, rng, format.format, !bottomUp, rng() % 9);
      FakeSurface zBuf(scene.width, scene.height, zBytes, rng, format.format, bottomUp, rng() % 5, 8 * zBytes);
      if (scene.bright)
        for (BYTE& byte : src.memory) byte |= 0xF7;
      // Deeper z values carry noise below their top 16 bits, which the kernels ignore.
      for (DWORD y = 0; y < scene.height; ++y)
        for (DWORD x = 0; x < scene.width; ++x)
          zBuf.Set(x, y, DWORD{scene.depth(x, y)} << (8 * zBytes - 16) | (zBytes > 2 ? rng() & 0xFF : 0));
      const std::vector<BYTE> srcBefore = src.memory, zBefore = zBuf.memory;
      const std::vector<BYTE> expected = format.reference(src, zBuf, scene.map.data(), dest);

      src.attached = &zBuf;
      Scratch scratch(scene.width, scene.height, scene.map.data(), rng);
      ApertureBlur(&dest, &src, scene.map.data(), 0, 0, scratch.buffers[0].data(), scratch.buffers[1].data(),
                   scratch.buffers[2].data());

      ASSERT_FALSE(src.locked || dest.locked || zBuf.locked);
      ASSERT_EQ(dest.memory, expected);
      ASSERT_EQ(src.memory, srcBefore);
      ASSERT_EQ(zBuf.memory, zBefore);
    }
  }
}

std::vector<WORD> MapOf(std::function<WORD(unsigned z)> level) {
  std::vector<WORD> map(kApertureMapSize);
  for (unsigned z = 0; z < kApertureMapSize; ++z) map[z] = level(z);
  return map;
}

}  // namespace

TEST(ApertureAverage, RoundsEachChannelToTheNearestWithHalvesUp) {
  const DWORD pair[] = {0xFF000000, 0x00010201};
  EXPECT_EQ(ApertureAverage32(pair, 0, 2, 1), 0x00010101u);
  const DWORD triple[] = {0, 0, 0x00010101};
  EXPECT_EQ(ApertureAverage32(triple, 0, 3, 1), 0u);

  // Two rows of two 3-byte pixels, bottom-up with a padded pitch.
  const BYTE rows[2][8] = {{10, 20, 30, 11, 21, 31, 99, 99}, {12, 22, 32, 14, 23, 30, 99, 99}};
  BYTE result[3];
  EXPECT_EQ(ApertureAverage24(result, rows[1], -8, 2, 2), result);
  EXPECT_EQ(result[0], 12);  // 47 / 4 = 11.75
  EXPECT_EQ(result[1], 22);  // 86 / 4 = 21.5, half up
  EXPECT_EQ(result[2], 31);  // 123 / 4 = 30.75

  // 5:5:5 ignores bit 15 on the way in and clears it on the way out; 5:6:5 keeps 6 green bits.
  const WORD rgb555[] = {0x8000 | 31 << 10 | 1, 0x8000 | 30 << 10 | 2 << 5};
  EXPECT_EQ(ApertureAverage16(rgb555, 0, 0x7C00, 0x03E0, 0x001F, 2, 1), 31 << 10 | 1 << 5 | 1);
  const WORD rgb565[] = {63 << 5, 60 << 5, 31 << 11};
  EXPECT_EQ(ApertureAverage16(rgb565, 0, 0xF800, 0x07E0, 0x001F, 3, 1), 10 << 11 | 41 << 5);
}

TEST(ApertureAverage, RefusesOtherSixteenBitLayouts) {
  const WORD pixel = 0;
  EXPECT_FATAL(ApertureAverage16(&pixel, 0, 0xF800, 0x03E0, 0x001F, 1, 1),
               "GMask == 0x000007E0 && BMask == 0x0000001F", "Pixel format not supported");
}

TEST(ApertureKernels, MatchTheReferenceBlur) {
  std::mt19937 rng(11);
  const std::vector<WORD> any = MapOf([&](unsigned) {
    const WORD levels[] = {0, 1, 2, 5, 8, 12, 13, 14, 15, 18, 40, 41, 65535};
    return levels[rng() % std::size(levels)];
  });
  // A new level at almost every pixel; the smallest source has a destination of one pixel.
  for (DWORD width : {15u, 16u, 41u}) {
    std::vector<WORD> depths(width * 27);
    for (WORD& z : depths) z = static_cast<WORD>(rng() % 97);
    ExpectReferenceBlur({width, width == 15 ? 15u : 27u, [=](DWORD x, DWORD y) { return depths[y * width + x]; }, any},
                        rng);
  }
  // Runs of 5 to 60 pixels of one level, in rows shorter and longer than one look-up's stretch.
  for (DWORD width : {130u, 540u}) {
    std::vector<WORD> depths(width * 22);
    for (std::size_t i = 0; i < depths.size();) {
      const WORD z = static_cast<WORD>(rng() % 14);
      for (std::size_t run = 5 + rng() % 56; run > 0 && i < depths.size(); --run) depths[i++] = z;
    }
    ExpectReferenceBlur({width, 22, [=](DWORD x, DWORD y) { return depths[y * width + x]; },
                         MapOf([](unsigned z) { return static_cast<WORD>(z < 14 ? z : 0); })},
                        rng);
  }
  // Rows of levels 11 to 13 between gaps of 1 to 14 rows: the column sums pick up after each.
  std::vector<WORD> rowDepths;
  for (WORD gap = 1; gap <= 14; ++gap) {
    rowDepths.insert(rowDepths.end(), 2, static_cast<WORD>(11 + gap % 3));
    rowDepths.insert(rowDepths.end(), gap, WORD{0});
  }
  const DWORD lastRow = static_cast<DWORD>(rowDepths.size()) - 1;
  auto rowDepth = [&](DWORD, DWORD y) { return rowDepths[std::clamp<DWORD>(y, 7, lastRow + 7) - 7]; };
  ExpectReferenceBlur({30, lastRow + 15, rowDepth, MapOf([](unsigned z) { return static_cast<WORD>(z); })}, rng);
  // Rows of levels 14 and 40 between sharp gaps of 1 to 57 rows: after a gap longer than the
  // largest block reaches, the summed areas start again.
  std::vector<WORD> blockDepths;
  for (WORD gap = 1; gap <= 57; gap += 7) {
    blockDepths.insert(blockDepths.end(), 2, static_cast<WORD>(gap % 2 ? 14 : 40));
    blockDepths.insert(blockDepths.end(), gap, WORD{0});
  }
  const DWORD lastBlockRow = static_cast<DWORD>(blockDepths.size()) - 1;
  auto blockDepth = [&](DWORD, DWORD y) { return blockDepths[std::clamp<DWORD>(y, 7, lastBlockRow + 7) - 7]; };
  ExpectReferenceBlur(
      {24, lastBlockRow + 15, blockDepth, MapOf([](unsigned z) { return static_cast<WORD>(z <= 40 ? z : 0); })}, rng);
  // A tall bright picture: the totals down the columns pass 65535 (after ~260 rows at 8 bits).
  ExpectReferenceBlur({18, 1100, [](DWORD x, DWORD y) { return static_cast<WORD>((x + y) % 4); },
                       MapOf([](unsigned z) { return static_cast<WORD>(z % 4 + 1); }), true},
                      rng);
}

// Frame after frame a camera window hands the blur the same scratch buffers, and the blur
// allocates nothing: not for the column sums of the table levels, not for the summed areas of the
// block levels, in any pixel layout.
TEST(ApertureBlur, AllocatesNothingFrameAfterFrame) {
  std::mt19937 rng(5);
  const std::vector<WORD> map = MapOf([](unsigned z) {
    const WORD levels[] = {0, 1, 7, 13, 14, 40};
    return levels[z % std::size(levels)];
  });
  for (const BlurFormat& format : kFormats) {
    SCOPED_TRACE(format.bytes);
    FakeSurface src(214, 164, format.bytes, rng, format.format);
    FakeSurface dest(200, 150, format.bytes, rng, format.format);
    FakeSurface zBuf(214, 164, 2, rng, format.format, false, 0, 16);
    for (DWORD y = 0; y < 164; ++y)
      for (DWORD x = 0; x < 214; ++x) zBuf.Set(x, y, (x / 30 + y / 20) % 6);
    src.attached = &zBuf;
    Scratch scratch(214, 164, map.data(), rng);
    for (int frame = 0; frame < 2; ++frame) {
      const AllocationCounter allocations;
      ApertureBlur(&dest, &src, map.data(), 0, 0, scratch.buffers[0].data(), scratch.buffers[1].data(),
                   scratch.buffers[2].data());
      EXPECT_EQ(allocations.Count(), 0) << "frame " << frame;
    }
  }
}

TEST(ApertureBlur, RefusesInOrderAndLeavesNothingLockedOrHeld) {
  std::mt19937 rng(21);
  const std::vector<WORD> map(kApertureMapSize);
  struct Call {
    FakeSurface z, src, dest;
    IDirectDrawSurface *destArg = &dest, *srcArg = &src;
    int sign = 0;
  };
  auto format = [](Call& c, void (*f)(DDPIXELFORMAT&)) {
    for (FakeSurface* s : {&c.src, &c.dest}) f(s->desc.ddpfPixelFormat);
  };
  const struct {
    std::function<void(Call&)> spoil;
    const char *expression, *message;
  } checks[] = {
      // One refusal of each kind and phase: the later ones find surfaces locked or held.
      {[](Call& c) { c.destArg = nullptr; }, "dest", ""},
      {[](Call& c) { c.destArg = c.srcArg; }, "dest != src",
       "Must be unique surfaces since we write dest pixels that may be read again from source"},
      {[](Call& c) { c.sign = 1; }, "!sign", "Not yet supported"},
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
      {[](Call& c) { c.dest.lockResult = DDERR_GENERIC; },
       "dest->Lock( NULL, &surfDesc, DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )", "16389"},
      {[](Call& c) { c.src.attachResult = DDERR_NOTFOUND; }, "src->GetAttachedSurface( &zBufCaps, &zBuf )", "255"},
      {[](Call& c) { c.z.desc.dwHeight = 17; },
       "srcDesc.dwWidth == zBufDesc.dwWidth && srcDesc.dwHeight == zBufDesc.dwHeight",
       "Source and attached z-buffer are not same size"},
      {[](Call& c) { c.z.desc.dwZBufferBitDepth = 8; },
       "zBufDesc.dwZBufferBitDepth == 16 || zBufDesc.dwZBufferBitDepth == 24 || zBufDesc.dwZBufferBitDepth == 32",
       "Unsupport z-buffer bit depth"},
      {[](Call& c) { c.z.lockResult = DDERR_GENERIC; },
       "zBuf->Lock( NULL, &surfDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )", "16389"},
      // An unlock can only fail once everything else went well.
      {[](Call& c) { c.z.unlockResult = DDERR_NOTLOCKED; }, "zBuf->Unlock( zBufDesc.lpSurface )", "584"},
  };
  constexpr int kChecks = std::size(checks), kUnlocks = 1;
  for (int first = 0; first <= kChecks; ++first) {
    SCOPED_TRACE(first);
    const DDFormat xrgb = DDFormat::XRGB8888;
    Call c{FakeSurface(20, 16, 2, rng, xrgb, false, 0, 16), FakeSurface(20, 16, 4, rng, xrgb),
           FakeSurface(6, 2, 4, rng, xrgb)};
    c.src.attached = &c.z;
    // Each case also spoils every later check but the unlock, so its own must fire first.
    for (int i = kChecks - kUnlocks; i-- > first + 1;) checks[i].spoil(c);
    Scratch scratch(20, 16, map.data(), rng);
    auto blur = [&] {
      ApertureBlur(c.destArg, c.srcArg, map.data(), c.sign, 0, scratch.buffers[0].data(), scratch.buffers[1].data(),
                   scratch.buffers[2].data());
    };
    if (first < kChecks) {
      checks[first].spoil(c);
      EXPECT_FATAL(blur(), checks[first].expression, checks[first].message);
    } else {
      blur();
    }
    EXPECT_FALSE(c.src.locked || c.dest.locked || c.z.locked);
    EXPECT_EQ(c.z.references, 1u) << "the z-buffer is still held";
  }
}
