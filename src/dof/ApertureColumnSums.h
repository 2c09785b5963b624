// Column sums for the table levels: for a stretch of source columns, the sum of each channel over
// the 2 * Rows + 1 rows centred on a row, as 16-bit entries (a window's sum, 195 x 255 at most,
// fits). Many columns are summed at once in vector lanes; sums are exact.
//
// 24- and 32-bit pixels hold one channel per byte, so their sums go byte position by byte position
// into one array: entry j sums byte j of the stretch's rows. 16-bit pixels go to one array per
// channel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dof/AperturePixels.h"
#include "dof/ApertureVectors.h"

namespace aperture_kernel {

// Calls group(k) for k = 0, kGroup, 2 * kGroup, ... while a whole group fits in n, and once more
// for the last kGroup items, overlapping the group before, so that nothing past n is touched; with
// fewer than kGroup items, few(n) instead. A group must give the same result when redone.
template <DWORD kGroup, class Group, class Few>
void ForEachGroup(DWORD n, Group group, Few few) {
  if (n < kGroup) {
    few(n);
    return;
  }
  for (DWORD k = 0; k + kGroup < n; k += kGroup) group(k);
  group(n - kGroup);
}

// Byte positions 0 to 7 and 8 to 15 of 16 bytes, summed over 2 * Rows + 1 rows in 16-bit lanes.
template <int Rows>
void SumBytes(const BYTE* top, std::ptrdiff_t pitch, std::uint16_t* sums) {
  U16x8 low{}, high{};
  for (int row = 0; row <= 2 * Rows; ++row) {
    const U8x16 v = LoadVector<U8x16>(top + row * pitch), zero{};
    low += reinterpret_cast<U16x8>(
        __builtin_shufflevector(v, zero, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23));
    high += reinterpret_cast<U16x8>(
        __builtin_shufflevector(v, zero, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31));
  }
  StoreVector(sums, low);
  StoreVector(sums + 8, high);
}

// 24- and 32-bit pixels: `bytes` byte positions from the top row's `top` on.
template <int Rows>
void ByteColumnSums(const BYTE* top, std::ptrdiff_t pitch, DWORD bytes, std::uint16_t* sums) {
  ForEachGroup<16>(
      bytes, [&](DWORD k) { SumBytes<Rows>(top + k, pitch, sums + k); },
      [&](DWORD few) {
        for (DWORD k = 0; k < few; ++k) {
          unsigned sum = 0;
          for (int row = 0; row <= 2 * Rows; ++row) sum += top[row * pitch + k];
          sums[k] = static_cast<std::uint16_t>(sum);
        }
      });
}

// 16-bit pixels: the channels of one column (V a 16-bit integer) or of eight (V = U16x8).
template <class V, class Pixel, int Rows>
void SumWords(const BYTE* top, std::ptrdiff_t pitch, std::uint16_t* red, std::uint16_t* green,
              std::uint16_t* blue) {
  V r{}, g{}, b{};
  for (int row = 0; row <= 2 * Rows; ++row) {
    const V v = LoadVector<V>(top + row * pitch);
    r += Pixel::Red(v);
    g += Pixel::Green(v);
    b += Pixel::Blue(v);
  }
  StoreVector(red, r);
  StoreVector(green, g);
  StoreVector(blue, b);
}

// 16-bit pixels: `columns` columns from the top row's `top` on.
template <class Pixel, int Rows>
void WordColumnSums(const BYTE* top, std::ptrdiff_t pitch, DWORD columns, std::uint16_t* red,
                    std::uint16_t* green, std::uint16_t* blue) {
  ForEachGroup<8>(
      columns, [&](DWORD c) { SumWords<U16x8, Pixel, Rows>(top + 2 * c, pitch, red + c, green + c, blue + c); },
      [&](DWORD few) {
        for (DWORD c = 0; c < few; ++c)
          SumWords<std::uint16_t, Pixel, Rows>(top + 2 * c, pitch, red + c, green + c, blue + c);
      });
}

}  // namespace aperture_kernel
