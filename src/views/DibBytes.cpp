#include "views/DibBytes.h"

#include <cstddef>
#include <cstring>

#include "views/SupersampleRows.h"

namespace {

void Put16(BYTE* out, unsigned v) {
  out[0] = static_cast<BYTE>(v);
  out[1] = static_cast<BYTE>(v >> 8);
}

void Put32(BYTE* out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<BYTE>(v >> (8 * i));
}

}  // namespace

std::size_t DibRowBytes(int width) { return (3 * static_cast<std::size_t>(width) + 3) & ~std::size_t{3}; }

std::size_t DibSize(int width, int height) {
  return kBitmapInfoHeaderSize + DibRowBytes(width) * static_cast<std::size_t>(height);
}

LONG DotsPerMetre(LONG dotsPerInch) {
  return static_cast<LONG>((static_cast<long long>(dotsPerInch) * 10000 + 127) / 254);
}

void WriteBitmapInfoHeader(BYTE* out, int width, int height, LONG xPelsPerMetre, LONG yPelsPerMetre) {
  std::memset(out, 0, kBitmapInfoHeaderSize);
  Put32(out, kBitmapInfoHeaderSize);
  Put32(out + 4, static_cast<std::uint32_t>(width));
  Put32(out + 8, static_cast<std::uint32_t>(height));
  Put16(out + 12, 1);   // planes
  Put16(out + 14, 24);  // bits per pixel; compression and image size stay 0
  Put32(out + 24, static_cast<std::uint32_t>(xPelsPerMetre));
  Put32(out + 28, static_cast<std::uint32_t>(yPelsPerMetre));
}

void WriteBitmapFileHeader(BYTE* out, std::size_t dibSize) {
  std::memset(out, 0, kBitmapFileHeaderSize);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out + 2, static_cast<std::uint32_t>(kBitmapFileHeaderSize + dibSize));
  Put32(out + 10, kBitmapFileHeaderSize + kBitmapInfoHeaderSize);
}

void PackDibRows(BYTE* out, const BYTE* topRow, long pitch, int width, int height, bool halve) {
  const std::size_t rowBytes = DibRowBytes(width);
  const std::size_t pixelBytes = 3 * static_cast<std::size_t>(width);
  const long step = halve ? 2 * pitch : pitch;
  for (int k = 0; k < height; ++k) {
    const BYTE* source = topRow + static_cast<std::ptrdiff_t>(k) * step;
    BYTE* row = out + rowBytes * static_cast<std::size_t>(height - 1 - k);
    if (halve)
      AverageRowPair(source, source + pitch, row, width, SupersampleFormat::rgb24);
    else
      std::memcpy(row, source, pixelBytes);
    std::memset(row + pixelBytes, 0, rowBytes - pixelBytes);
  }
}
