// Column sums for the table levels: for a stretch of source columns, the sum of each channel over
// the 2 * Rows + 1 rows centred on a row. A column's sums go to two scratch entries: its blue and
// green sums as the low and high halves of one word (`blueGreen`, in fifoGBuf), its red sum in the
// low half of another (`red`, in fifoRBuf; the high half holds nothing of use). A half holds any
// window's sum (195 x 255 at most), so a window slides along both words at once, two channels to
// an addition. Many columns are summed at once in vector lanes; sums are exact.
#pragma once

#include <algorithm>
#include <cstddef>

#include "dof/AperturePixels.h"
#include "dof/ApertureVectors.h"

namespace aperture_kernel {

// 24- and 32-bit pixels hold one channel per byte, so the rows are summed byte position by byte
// position, 16 bytes at a time, in 16-bit lanes: bytes 0 to 7 and bytes 8 to 15.
struct ByteSums {
  U16x8 low, high;
};

template <int Rows>
ByteSums SumBytes(const BYTE* top, std::ptrdiff_t pitch) {
  ByteSums sums{};
  for (int row = 0; row <= 2 * Rows; ++row) {
    const U8x16 v = LoadVector<U8x16>(top + row * pitch), zero{};
    sums.low += reinterpret_cast<U16x8>(
        __builtin_shufflevector(v, zero, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23));
    sums.high += reinterpret_cast<U16x8>(
        __builtin_shufflevector(v, zero, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31));
  }
  return sums;
}

// 32-bit pixels: four columns from 16 bytes; their lanes blue, green, red, unused pair up into
// the two words as they lie.
template <int Rows>
DWORD QuadColumnSums(const BYTE* top, std::ptrdiff_t pitch, DWORD columns, DWORD* red, DWORD* blueGreen) {
  DWORD c = 0;
  for (; c + 4 <= columns; c += 4) {
    const ByteSums sums = SumBytes<Rows>(top + 4 * c, pitch);
    const U32x4 first = reinterpret_cast<U32x4>(sums.low), second = reinterpret_cast<U32x4>(sums.high);
    StoreVector(blueGreen + c, __builtin_shufflevector(first, second, 0, 2, 4, 6));
    StoreVector(red + c, __builtin_shufflevector(first, second, 1, 3, 5, 7));
  }
  return c;
}

// 24-bit pixels: byte sums of up to 48 columns at a time, then dealt out to the words.
template <int Rows>
DWORD TripleColumnSums(const BYTE* top, std::ptrdiff_t pitch, DWORD columns, DWORD* red, DWORD* blueGreen) {
  constexpr DWORD kStretch = 48;  // 48 x 3 bytes are nine vectors
  std::uint16_t sums[3 * kStretch];
  for (DWORD first = 0; first < columns; first += kStretch) {
    const DWORD count = std::min(kStretch, columns - first);
    const BYTE* bytes = top + 3 * first;
    DWORD k = 0;
    for (; k + 16 <= 3 * count; k += 16) {
      const ByteSums vector = SumBytes<Rows>(bytes + k, pitch);
      StoreVector(sums + k, vector.low);
      StoreVector(sums + k + 8, vector.high);
    }
    for (; k < 3 * count; ++k) {
      unsigned sum = 0;
      for (int row = 0; row <= 2 * Rows; ++row) sum += bytes[row * pitch + k];
      sums[k] = static_cast<std::uint16_t>(sum);
    }
    for (DWORD c = 0; c < count; ++c) {
      blueGreen[first + c] = sums[3 * c] | sums[3 * c + 1] << 16;
      red[first + c] = sums[3 * c + 2];
    }
  }
  return columns;
}

// 16-bit pixels: eight pixels to a vector, each channel summed in its own 16-bit lanes.
template <class Pixel, int Rows>
DWORD WordColumnSums(const BYTE* top, std::ptrdiff_t pitch, DWORD columns, DWORD* red, DWORD* blueGreen) {
  DWORD c = 0;
  for (; c + 8 <= columns; c += 8) {
    U16x8 r{}, g{}, b{};
    for (int row = 0; row <= 2 * Rows; ++row) {
      const U16x8 v = LoadVector<U16x8>(top + row * pitch + 2 * c);
      r += Pixel::Red(v);
      g += Pixel::Green(v);
      b += Pixel::Blue(v);
    }
    const U16x8 zero{};
    StoreVector(blueGreen + c, __builtin_shufflevector(b, g, 0, 8, 1, 9, 2, 10, 3, 11));
    StoreVector(blueGreen + c + 4, __builtin_shufflevector(b, g, 4, 12, 5, 13, 6, 14, 7, 15));
    StoreVector(red + c, __builtin_shufflevector(r, zero, 0, 8, 1, 9, 2, 10, 3, 11));
    StoreVector(red + c + 4, __builtin_shufflevector(r, zero, 4, 12, 5, 13, 6, 14, 7, 15));
  }
  return c;
}

template <class Pixel, int Rows>
void ColumnSums(const BYTE* centre, std::ptrdiff_t pitch, DWORD columns, DWORD* red, DWORD* blueGreen) {
  const BYTE* top = centre - Rows * pitch;
  DWORD c;
  if constexpr (Pixel::kBytes == 4) c = QuadColumnSums<Rows>(top, pitch, columns, red, blueGreen);
  else if constexpr (Pixel::kBytes == 3) c = TripleColumnSums<Rows>(top, pitch, columns, red, blueGreen);
  else c = WordColumnSums<Pixel, Rows>(top, pitch, columns, red, blueGreen);
  // The columns left over, one by one.
  for (; c < columns; ++c) {
    DWORD r = 0, g = 0, b = 0;
    for (int row = 0; row <= 2 * Rows; ++row) {
      const DWORD v = Pixel::Load(top + row * pitch + c * Pixel::kBytes);
      r += Pixel::Red(v);
      g += Pixel::Green(v);
      b += Pixel::Blue(v);
    }
    red[c] = r;
    blueGreen[c] = b | g << 16;
  }
}

}  // namespace aperture_kernel
