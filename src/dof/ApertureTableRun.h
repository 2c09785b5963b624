// A run of pixels of one table level (1 to 13). The run's column sums come first (see
// ApertureColumnSums.h); then each pixel's window sum adds the column sums of its window's
// columns, and the sum becomes the rounded average. Both steps work on many pixels at once.
#pragma once

#include <cstdint>
#include <cstring>
#include <utility>

#include "dof/ApertureColumnSums.h"
#include "dof/ApertureLevels.h"
#include "dof/ApertureVectors.h"

namespace aperture_kernel {

// The longest run of one level the kernels hand over at once, and how far beyond its ends the
// windows of a run reach at most.
constexpr DWORD kLongestRun = 512;
constexpr DWORD kWindowReach = (kApertureLastTableLevel + 1) / 2;

// Eight window sums of Width column sums each, the column sums of neighbouring columns Step
// entries apart.
template <int Width, int Step>
U16x8 WindowSums(const std::uint16_t* first) {
  return [first]<int... kColumn>(std::integer_sequence<int, kColumn...>) {
    return (LoadVector<U16x8>(first + kColumn * Step) + ...);
  }(std::make_integer_sequence<int, Width>{});
}

// The rounded averages of window sums of Count pixels, halves upward: the entries of the division
// table for Count. The division by a constant compiles to a multiplication.
template <unsigned Count>
U16x8 Averages(U16x8 sums) {
  return (sums + static_cast<std::uint16_t>(Count / 2)) / static_cast<std::uint16_t>(Count);
}

// Two vectors of lanes below 256 as the sixteen bytes of their lanes in order.
inline U8x16 Narrow(U16x8 low, U16x8 high) {
  return __builtin_shufflevector(reinterpret_cast<U8x16>(low), reinterpret_cast<U8x16>(high), 0, 2, 4, 6, 8, 10,
                                 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
}

// Writes `bytes` bytes from d on, sixteen at a time as group(j) makes them for the bytes from j
// on. Fewer than sixteen are cut from group(0).
template <class Group>
void StoreGroups(BYTE* d, DWORD bytes, Group group) {
  if (bytes >= 16) {
    ForEachGroup<16>(bytes, [&](DWORD j) { StoreVector(d + j, group(j)); });
  } else {
    const U8x16 first = group(0);
    std::memcpy(d, &first, bytes);
  }
}

// `count` pixels of a table level with 2 * Rows + 1 rows and 2 * Columns + 1 columns, the first
// at source pixel (x, y), to the destination from d on.
template <class Pixel, int Rows, int Columns>
void TableRun(ColumnSums<Pixel>& columnSums, DWORD x, DWORD y, DWORD count, BYTE* d) {
  constexpr int kWidth = 2 * Columns + 1;
  constexpr unsigned kCount = (2 * Rows + 1) * kWidth;
  constexpr int kStep = ColumnSums<Pixel>::kColumnEntries;
  // The run's column sums, and those of sixteen more entries, which the last group of averages
  // may read; Get writes them in groups of eight.
  constexpr DWORD kSize = kStep * (kLongestRun + 2 * kWindowReach) + 16 + 8;
  std::uint16_t sums[ColumnSums<Pixel>::kPlanes][kSize];
  columnSums.Get(y, Rows, kStep * (x - Columns), kStep * (count + 2 * Columns) + 16, sums[0], kSize);
  if constexpr (Pixel::kBytes == 2) {
    StoreGroups(d, 2 * count, [&](DWORD j) {
      const DWORD i = j / 2;
      return reinterpret_cast<U8x16>(Pixel::Pack(Averages<kCount>(WindowSums<kWidth, 1>(sums[0] + i)),
                                                 Averages<kCount>(WindowSums<kWidth, 1>(sums[1] + i)),
                                                 Averages<kCount>(WindowSums<kWidth, 1>(sums[2] + i))));
    });
  } else {
    // Byte j of the run's pixels averages the sums of byte j of its window's columns.
    StoreGroups(d, kStep * count, [&](DWORD j) {
      const U8x16 averages = Narrow(Averages<kCount>(WindowSums<kWidth, kStep>(sums[0] + j)),
                                    Averages<kCount>(WindowSums<kWidth, kStep>(sums[0] + j + 8)));
      if constexpr (kStep == 3) return averages;
      else return reinterpret_cast<U8x16>(reinterpret_cast<U32x4>(averages) & 0x00FFFFFFu);  // the top byte 0
    });
  }
}

}  // namespace aperture_kernel
