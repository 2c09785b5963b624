#include "scene/ModeFilter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/FatalError.h"

namespace {

constexpr std::size_t kRgbBins = 64 * 128 * 64;

unsigned RgbBin(const unsigned char* p) { return (p[0] >> 2) * 8192u + (p[1] >> 1) * 64u + (p[2] >> 2); }

// The window's most frequent value: walked row by row from the top, each row from the left, the
// first value whose count passes the best so far wins, so ties go to the value that reached the
// top count first. `bins` holds one value per pixel of the area, `counts` is all zero on entry
// and on return.
template <class Count>
unsigned WindowMode(const unsigned* bins, unsigned width, unsigned left, unsigned right, unsigned top,
                    unsigned bottom, Count* counts) {
  unsigned best = 0;
  Count bestCount = 0;
  for (unsigned y = top; y <= bottom; ++y) {
    const unsigned* row = bins + std::size_t{y} * width;
    for (unsigned x = left; x <= right; ++x) {
      const unsigned bin = row[x];
      if (++counts[bin] > bestCount) {
        bestCount = counts[bin];
        best = bin;
      }
    }
  }
  for (unsigned y = top; y <= bottom; ++y) {
    const unsigned* row = bins + std::size_t{y} * width;
    for (unsigned x = left; x <= right; ++x) counts[row[x]] = 0;
  }
  return best;
}

bool IsRgb24(const DDPIXELFORMAT& f) {
  return f.dwFlags == DDPF_RGB && f.dwRGBBitCount == 24 && f.dwGBitMask == 0x0000FF00 &&
         ((f.dwRBitMask == 0x000000FF && f.dwBBitMask == 0x00FF0000) ||
          (f.dwRBitMask == 0x00FF0000 && f.dwBBitMask == 0x000000FF));
}

bool IsPalette8(const DDPIXELFORMAT& f) {
  return f.dwFlags == (DDPF_RGB | DDPF_PALETTEINDEXED8) && f.dwRGBBitCount == 8;
}

}  // namespace

DDSURFACEDESC GetSurfaceDesc(IUPtr<IDirectDrawSurface> surface) {
  DDSURFACEDESC ddsd;
  std::memset(&ddsd, 0, sizeof ddsd);
  ddsd.dwSize = kDDSurfaceDescSize;
  XCHECK_DD(surface->GetSurfaceDesc(&ddsd));
  return ddsd;
}

void ModeFilterPixels(unsigned char* dest, std::ptrdiff_t destPitch, const unsigned char* src,
                      std::ptrdiff_t srcPitch, unsigned bytesPerPixel, unsigned radius, unsigned width,
                      unsigned height) {
  // Each source pixel's bin once, so the windows read one word per pixel.
  std::vector<unsigned> bins(std::size_t{width} * height);
  for (unsigned y = 0; y < height; ++y) {
    const unsigned char* row = src + std::ptrdiff_t{y} * srcPitch;
    unsigned* out = bins.data() + std::size_t{y} * width;
    for (unsigned x = 0; x < width; ++x)
      out[x] = bytesPerPixel == 3 ? RgbBin(row + std::size_t{x} * 3) : row[x];
  }
  std::vector<unsigned short> counts(bytesPerPixel == 3 ? kRgbBins : 256, 0);
  for (unsigned y = 0; y < height; ++y) {
    const unsigned top = y > radius ? y - radius : 0;
    const unsigned bottom = std::min(y + radius, height - 1);
    unsigned char* out = dest + std::ptrdiff_t{y} * destPitch;
    for (unsigned x = 0; x < width; ++x) {
      const unsigned left = x > radius ? x - radius : 0;
      const unsigned right = std::min(x + radius, width - 1);
      const unsigned mode = WindowMode(bins.data(), width, left, right, top, bottom, counts.data());
      if (bytesPerPixel == 3) {
        unsigned char* p = out + std::size_t{x} * 3;
        p[0] = static_cast<unsigned char>((mode >> 13) * 4 + 2);
        p[1] = static_cast<unsigned char>(((mode >> 6) & 0x7F) * 2 + 1);
        p[2] = static_cast<unsigned char>((mode & 0x3F) * 4 + 2);
      } else {
        out[x] = static_cast<unsigned char>(mode);
      }
    }
  }
}

void ModeFilterSurface(IDirectDrawSurface* dest, IDirectDrawSurface* src, unsigned radius, unsigned width,
                       unsigned height) {
  XASSERT(dest, "");
  XASSERT(src, "");
  XASSERT(dest != src, "Must be unique surfaces since we write dest pixels that may be read again from source");
  XASSERT(radius, "Wasteful copy of source to destination");
  XASSERT(width && height, "Nothing to do");

  DDSURFACEDESC srcDesc = GetSurfaceDesc(src);
  DDSURFACEDESC destDesc = GetSurfaceDesc(dest);
  XASSERT((srcDesc.dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) ==
              (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT),
          "");
  XASSERT((destDesc.dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) ==
              (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT),
          "");
  XASSERT_TEXT(!std::memcmp(&srcDesc.ddpfPixelFormat, &destDesc.ddpfPixelFormat, sizeof srcDesc.ddpfPixelFormat),
               "!memcmp( &srcDesc.ddpfPixelFormat, &destDesc.ddpfPixelFormat, sizeof srcDesc.ddpfPixelFormat )",
               "Source and destination do not have same color format");
  const DDPIXELFORMAT format = srcDesc.ddpfPixelFormat;
  const bool rgb = format.dwFlags == DDPF_RGB && format.dwRGBBitCount == 24;
  XASSERT_TEXT(rgb || IsPalette8(format), "format", "Unsupported pixel color format");
  if (rgb) XASSERT_TEXT(IsRgb24(format), "masks", "Unsupported pixel color format");

  // From here on the descriptions are the locks', with their pitches and memory.
  XCHECK_DD(src->Lock(NULL, &srcDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL));
  XCHECK_DD(dest->Lock(NULL, &destDesc, DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL));

  const unsigned ideal_filter_diameter = 2 * radius + 1;
  XASSERT(ideal_filter_diameter < 256, "Could overflow histogram WORD");

  ModeFilterPixels(DDFirstRow(destDesc), destDesc.lPitch, DDFirstRow(srcDesc), srcDesc.lPitch, rgb ? 3 : 1, radius,
                   width, height);

  XCHECK_DD(dest->Unlock(destDesc.lpSurface));
  XCHECK_DD(src->Unlock(srcDesc.lpSurface));
}
