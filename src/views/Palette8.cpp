#include "views/Palette8.h"

#include <algorithm>
#include <array>

#include "core/FatalError.h"
#include "views/LockedRows.h"

namespace {

// One channel's table entry: its share of the palette index and the signed rounding error.
struct Quantum {
  BYTE share;
  signed char error;
};
using ChannelTable = std::array<Quantum, 256>;

constexpr BYTE kRedBlueLevels[6] = {0, 42, 92, 144, 199, 255};
constexpr BYTE kGreenLevels[6] = {0, 38, 87, 140, 196, 255};
constexpr int kFirstCubeIndex = 10;

// Each value goes to its nearest level; exactly halfway goes up.
constexpr ChannelTable MakeTable(const BYTE (&levels)[6], int weight) {
  ChannelTable table{};
  for (int v = 0; v < 256; ++v) {
    int level = 0;
    while (level < 5 && 2 * v >= levels[level] + levels[level + 1]) ++level;
    table[v] = {static_cast<BYTE>(weight * level), static_cast<signed char>(v - levels[level])};
  }
  return table;
}

constexpr ChannelTable kRed = MakeTable(kRedBlueLevels, 36);
constexpr ChannelTable kGreen = MakeTable(kGreenLevels, 6);
constexpr ChannelTable kBlue = MakeTable(kRedBlueLevels, 1);

constexpr DWORD kNeededFields = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;

DDSURFACEDESC Describe(IDirectDrawSurface* surface) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  XCHECK_DD(surface->GetSurfaceDesc( &desc ));
  return desc;
}

void Spread(BYTE& byte, int share, bool add) {
  byte = static_cast<BYTE>(add ? std::min(255, byte + share) : std::max(0, byte - share));
}

}  // namespace

void ConvertRGB24ToPalette8(IDirectDrawSurface* dest, IDirectDrawSurface* src, BOOL dither) {
  XASSERT_TEXT(dest, "dest", "");
  XASSERT_TEXT(src, "src", "");
  XASSERT_TEXT(dest != src, "dest != src", "Must be unique surfaces since dest is 8-bit and source is 24-bit");
  DDSURFACEDESC srcDesc = Describe(src), destDesc = Describe(dest);
  XASSERT_TEXT((srcDesc.dwFlags & kNeededFields) == kNeededFields, "(srcDesc.dwFlags & needed) == needed", "");
  XASSERT_TEXT((destDesc.dwFlags & kNeededFields) == kNeededFields, "(destDesc.dwFlags & needed) == needed", "");
  XASSERT_TEXT(srcDesc.dwWidth == destDesc.dwWidth && srcDesc.dwHeight == destDesc.dwHeight,
               "srcDesc.dwWidth == destDesc.dwWidth && srcDesc.dwHeight == destDesc.dwHeight",
               "Destination not the correct size");
  const DDPIXELFORMAT& sf = srcDesc.ddpfPixelFormat;
  const DDPIXELFORMAT& df = destDesc.ddpfPixelFormat;
  XASSERT_TEXT(sf.dwFlags == DDPF_RGB, "srcDesc.ddpfPixelFormat.dwFlags == DDPF_RGB", "Unsupported pixel color format");
  XASSERT_TEXT(sf.dwRGBBitCount == 24, "srcDesc.ddpfPixelFormat.dwRGBBitCount == 24",
               "Unsupported pixel color bit depth format");
  XASSERT_TEXT(sf.dwRBitMask == 0xFF0000 && sf.dwGBitMask == 0xFF00 && sf.dwBBitMask == 0xFF,
               "srcDesc.ddpfPixelFormat masks", "Unsupported pixel color format");
  XASSERT_TEXT(df.dwFlags == (DDPF_PALETTEINDEXED8 | DDPF_RGB),
               "destDesc.ddpfPixelFormat.dwFlags == (DDPF_PALETTEINDEXED8 | DDPF_RGB)", "Unsupported pixel color format");
  XASSERT_TEXT(df.dwRGBBitCount == 8, "destDesc.ddpfPixelFormat.dwRGBBitCount == 8",
               "Unsupported pixel color bit depth format");

  XCHECK_DD(src->Lock( NULL, &srcDesc, DDLOCK_WAIT | (dither ? 0 : DDLOCK_READONLY), NULL ));
  XCHECK_DD(dest->Lock( NULL, &destDesc, DDLOCK_WAIT | DDLOCK_WRITEONLY, NULL ));
  const long width = srcDesc.dwWidth, height = srcDesc.dwHeight;
  BYTE* srcRow = FirstRow(srcDesc);
  BYTE* destRow = FirstRow(destDesc);
  for (long y = 0; y < height; ++y, srcRow += srcDesc.lPitch, destRow += destDesc.lPitch) {
    BYTE* below = srcRow + srcDesc.lPitch;
    const bool lastRow = y + 1 == height;
    for (long x = 0; x < width; ++x) {
      BYTE* pixel = srcRow + 3 * x;
      destRow[x] = static_cast<BYTE>(kFirstCubeIndex + kBlue[pixel[0]].share + kGreen[pixel[1]].share +
                                     kRed[pixel[2]].share);
      if (!dither) continue;
      const ChannelTable* tables[3] = {&kBlue, &kGreen, &kRed};
      for (int c = 0; c < 3; ++c) {
        const int e = (*tables[c])[pixel[c]].error;
        if (e == 0) continue;
        const int m = e < 0 ? -e : e;
        const int s3 = 3 * m / 16, s5 = 5 * m / 16, s7 = 7 * m / 16, s1 = m - s3 - s5 - s7;
        const bool add = e > 0;
        const bool lastColumn = x + 1 == width;
        if (!lastRow && x > 0) Spread(below[3 * (x - 1) + c], s3, add);
        if (!lastRow) Spread(below[3 * x + c], s5, add);
        if (!lastColumn) Spread(pixel[3 + c], s7, add);
        if (!lastRow && !lastColumn) Spread(below[3 * (x + 1) + c], s1, add);
      }
    }
  }
  XCHECK_DD(dest->Unlock( destDesc.lpSurface ));
  XCHECK_DD(src->Unlock( srcDesc.lpSurface ));
}
