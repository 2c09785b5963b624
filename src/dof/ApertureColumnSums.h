// Column sums for the table levels: for a stretch of source columns, the sum of each channel over
// the 2 * Rows + 1 rows centred on a row, one 16-bit lane per column and channel (13 x 255 fits).
// Many columns are summed at once in vector lanes; sums are exact.
#pragma once

#include <algorithm>
#include <cstddef>

#include "dof/AperturePixels.h"
#include "dof/ApertureVectors.h"

namespace aperture_kernel {

// 24- and 32-bit pixels hold one channel per byte, so the rows are summed byte position by byte
// position, 16 bytes at a time, and the byte sums are then dealt out to the channels. A fourth
// byte is summed along and dropped.
template <unsigned Bytes, int Rows>
void ByteColumnSums(const BYTE* centre, std::ptrdiff_t pitch, DWORD columns, Lanes16& red, Lanes16& green,
                    Lanes16& blue) {
  constexpr DWORD kStretch = 48;  // columns per pass; 48 x 3 and 48 x 4 bytes are whole vectors
  std::uint16_t sums[kStretch * Bytes];
  for (DWORD first = 0; first < columns; first += kStretch) {
    const DWORD count = std::min(kStretch, columns - first);
    const DWORD bytes = count * Bytes;
    const BYTE* top = centre + first * Bytes - Rows * pitch;
    DWORD k = 0;
    for (; k + 16 <= bytes; k += 16) {
      U16x8 low{}, high{};
      for (int row = 0; row <= 2 * Rows; ++row) {
        const U8x16 v = LoadVector<U8x16>(top + row * pitch + k), zero{};
        low += reinterpret_cast<U16x8>(
            __builtin_shufflevector(v, zero, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23));
        high += reinterpret_cast<U16x8>(
            __builtin_shufflevector(v, zero, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31));
      }
      StoreVector(sums + k, low);
      StoreVector(sums + k + 8, high);
    }
    for (; k < bytes; ++k) {
      unsigned s = 0;
      for (int row = 0; row <= 2 * Rows; ++row) s += top[row * pitch + k];
      sums[k] = static_cast<std::uint16_t>(s);
    }
    for (DWORD c = 0; c < count; ++c) {
      blue.Set(first + c, sums[c * Bytes]);
      green.Set(first + c, sums[c * Bytes + 1]);
      red.Set(first + c, sums[c * Bytes + 2]);
    }
  }
}

// 16-bit pixels: eight pixels to a vector, each channel summed in its own lanes.
template <class Pixel, int Rows>
void WordColumnSums(const BYTE* centre, std::ptrdiff_t pitch, DWORD columns, Lanes16& red, Lanes16& green,
                    Lanes16& blue) {
  const BYTE* top = centre - Rows * pitch;
  DWORD c = 0;
  for (; c + 8 <= columns; c += 8) {
    U16x8 r{}, g{}, b{};
    for (int row = 0; row <= 2 * Rows; ++row) {
      const U16x8 v = LoadVector<U16x8>(top + row * pitch + 2 * c);
      r += Pixel::Red(v);
      g += Pixel::Green(v);
      b += Pixel::Blue(v);
    }
    red.Store(c, r);
    green.Store(c, g);
    blue.Store(c, b);
  }
  for (; c < columns; ++c) {
    DWORD r = 0, g = 0, b = 0;
    for (int row = 0; row <= 2 * Rows; ++row) {
      const DWORD v = Pixel::Load(top + row * pitch + 2 * c);
      r += Pixel::Red(v);
      g += Pixel::Green(v);
      b += Pixel::Blue(v);
    }
    red.Set(c, r);
    green.Set(c, g);
    blue.Set(c, b);
  }
}

template <class Pixel, int Rows>
void ColumnSums(const BYTE* centre, std::ptrdiff_t pitch, DWORD columns, Lanes16& red, Lanes16& green,
                Lanes16& blue) {
  if constexpr (Pixel::kBytes == 2)
    WordColumnSums<Pixel, Rows>(centre, pitch, columns, red, green, blue);
  else
    ByteColumnSums<Pixel::kBytes, Rows>(centre, pitch, columns, red, green, blue);
}

}  // namespace aperture_kernel
