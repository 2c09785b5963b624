#include "views/SupersampleRows.h"

#include <cstring>

#include "core/FatalError.h"

namespace {

// A channel of a 16-bit pixel: its lowest bit and its mask after shifting.
struct Field {
  int shift;
  WORD mask;
};

constexpr Field k565[3] = {{0, 0x1F}, {5, 0x3F}, {11, 0x1F}};
constexpr Field k555[3] = {{0, 0x1F}, {5, 0x1F}, {10, 0x1F}};

WORD Load16(const BYTE* p) {
  WORD v;
  std::memcpy(&v, p, 2);
  return v;
}

void Average16(const BYTE* first, const BYTE* second, BYTE* out, int outPixels, const Field (&fields)[3], WORD kept) {
  int t = 2;
  for (int i = 0; i < outPixels; ++i, t = 3 - t) {
    const WORD a = Load16(first + 4 * i), b = Load16(first + 4 * i + 2);
    const WORD c = Load16(second + 4 * i), d = Load16(second + 4 * i + 2);
    WORD result = Load16(out + 2 * i) & kept;
    for (const Field& f : fields) {
      const int sum = ((a >> f.shift) & f.mask) + ((b >> f.shift) & f.mask) + ((c >> f.shift) & f.mask) +
                      ((d >> f.shift) & f.mask) + t;
      result = static_cast<WORD>(result | ((sum >> 2) << f.shift));
    }
    std::memcpy(out + 2 * i, &result, 2);
  }
}

// The channel count is a constant of each loop, so the compiler keeps a block in registers. Every
// channel of a pixel is read before any is written, since `out` may lie in the lower row.
template <int kBytes>
void AverageBytes(const BYTE* first, const BYTE* second, BYTE* out, int outPixels) {
  for (int i = 0; i < outPixels; ++i) {
    const BYTE* a = first + 2 * kBytes * i;
    const BYTE* c = second + 2 * kBytes * i;
    const int t = 2 - (i & 1);
    int sums[kBytes];
    for (int k = 0; k < kBytes; ++k) sums[k] = a[k] + a[k + kBytes] + c[k] + c[k + kBytes] + t;
    for (int k = 0; k < kBytes; ++k) out[kBytes * i + k] = static_cast<BYTE>(sums[k] >> 2);
  }
}

}  // namespace

SupersampleFormat SupersampleFormatOf(const DDPIXELFORMAT& f) {
  if (f.dwRGBBitCount == 16 && f.dwRBitMask == 0xF800 && f.dwGBitMask == 0x07E0 && f.dwBBitMask == 0x001F)
    return SupersampleFormat::rgb565;
  if (f.dwRGBBitCount == 16 && f.dwRBitMask == 0x7C00 && f.dwGBitMask == 0x03E0 && f.dwBBitMask == 0x001F)
    return SupersampleFormat::rgb555;
  if (f.dwRGBBitCount == 24) return SupersampleFormat::rgb24;
  XASSERT(f.dwRGBBitCount == 32, "Unsupported pixel color format");
  return SupersampleFormat::rgb32;
}

int BytesPerPixel(SupersampleFormat format) {
  switch (format) {
    case SupersampleFormat::rgb565:
    case SupersampleFormat::rgb555: return 2;
    case SupersampleFormat::rgb24: return 3;
    case SupersampleFormat::rgb32: return 4;
  }
  return 0;
}

void AverageRowPair(const BYTE* first, const BYTE* second, BYTE* out, int outPixels, SupersampleFormat format) {
  switch (format) {
    case SupersampleFormat::rgb565: Average16(first, second, out, outPixels, k565, 0); break;
    case SupersampleFormat::rgb555: Average16(first, second, out, outPixels, k555, 0x8000); break;
    case SupersampleFormat::rgb24: AverageBytes<3>(first, second, out, outPixels); break;
    case SupersampleFormat::rgb32: AverageBytes<4>(first, second, out, outPixels); break;
  }
}
