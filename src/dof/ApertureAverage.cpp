#include "dof/ApertureAverage.h"

#include <cstddef>
#include <cstdint>

#include "core/FatalError.h"
#include "dof/AperturePixels.h"

namespace {

// Sums in 64 bits, so that even a block of a whole large image is averaged exactly.
template <class Pixel>
DWORD AverageBlock(const void* firstPixel, LONG pitch, DWORD width, DWORD height) {
  std::uint64_t red = 0, green = 0, blue = 0;
  const BYTE* first = static_cast<const BYTE*>(firstPixel);
  for (DWORD y = 0; y < height; ++y) {
    const BYTE* p = first + static_cast<std::ptrdiff_t>(y) * pitch;
    for (DWORD x = 0; x < width; ++x, p += Pixel::kBytes) {
      const DWORD v = Pixel::Load(p);
      red += Pixel::Red(v);
      green += Pixel::Green(v);
      blue += Pixel::Blue(v);
    }
  }
  const std::uint64_t n = static_cast<std::uint64_t>(width) * height;
  const std::uint64_t half = n / 2;
  return Pixel::Pack(static_cast<unsigned>((red + half) / n), static_cast<unsigned>((green + half) / n),
                     static_cast<unsigned>((blue + half) / n));
}

}  // namespace

DWORD ApertureAverage32(const void* firstPixel, LONG pitch, DWORD width, DWORD height) {
  return AverageBlock<PixelRgb32>(firstPixel, pitch, width, height);
}

BYTE* ApertureAverage24(BYTE* result, const void* firstPixel, LONG pitch, DWORD width, DWORD height) {
  PixelRgb24::Store(result, AverageBlock<PixelRgb24>(firstPixel, pitch, width, height));
  return result;
}

WORD ApertureAverage16(const void* firstPixel, LONG pitch, DWORD RMask, DWORD GMask, DWORD BMask, DWORD width,
                       DWORD height) {
  if (RMask == 0xF800) {
    XASSERT(GMask == 0x000007E0 && BMask == 0x0000001F, "Pixel format not supported");
    return static_cast<WORD>(AverageBlock<PixelRgb565>(firstPixel, pitch, width, height));
  }
  if (RMask == 0x7C00) {
    XASSERT(GMask == 0x000003E0 && BMask == 0x0000001F, "Pixel format not supported");
    return static_cast<WORD>(AverageBlock<PixelRgb555>(firstPixel, pitch, width, height));
  }
  XASSERT(0, "Pixel format not supported");
  return 0;
}
